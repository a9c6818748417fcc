#pragma once
// The host side of a control: the state a native control would hold, which native tests read
// and script directly (texts, items, selection, enabled, how many items the list can take).

#include <climits>
#include <string>
#include <vector>

#include "classlib/controls/controls.h"

struct TControl::Impl {
  std::string text;
  bool enabled = true;
  // Combo boxes.
  std::vector<std::string> items;
  int itemIndex = -1;
  int capacity = INT_MAX;  // items beyond this are refused, as a control out of space does
};
