// The dialog manager walks a form's children in z-order, so that order is the tab order: the
// controls that take the focus on top, by tab order, and the rest below them in the order they
// were made, whatever order the form adds them in.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/controls/control_win.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/form.h"
#include "classlib/forms/form_window_win.h"

namespace {

struct ZOrderCase {
  const char* name;
  std::vector<int> tabOrders;  // of the controls in the order they are added; -1: none
  std::vector<int> expected;   // the controls (by the order added) from the top down
};

class FormZOrder : public testing::TestWithParam<ZOrderCase> {};

TEST_P(FormZOrder, FollowsTheTabOrder) {
  const ZOrderCase& sample = GetParam();
  TComponent owner;
  TForm form(owner, "TZOrderTestForm");
  std::vector<HWND> added;
  for (const int tabOrder : sample.tabOrders) {
    ControlSettings settings;
    settings.bounds = {8, 8 + 30 * static_cast<int>(added.size()), 75, 25};
    settings.tabOrder = tabOrder;
    added.push_back(classlib::win::ControlWindow(*form.AddControl(std::make_unique<TButton>(form, settings))));
  }

  std::vector<int> order;
  for (HWND child = GetWindow(classlib::win::FormWindow(form), GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    for (size_t i = 0; i < added.size(); ++i) {
      if (added[i] == child) order.push_back(static_cast<int>(i));
    }
  }
  EXPECT_EQ(order, sample.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormZOrder,
    testing::Values(ZOrderCase{"InTabOrder", {0, 1, 2}, {0, 1, 2}},
                    ZOrderCase{"AgainstTabOrder", {2, 1, 0}, {2, 1, 0}},
                    ZOrderCase{"NoTabOrderBelowInTheOrderMade", {-1, 1, -1, 0}, {3, 1, 0, 2}},
                    ZOrderCase{"EqualTabOrdersInTheOrderMade", {1, 0, 1, 0, 1}, {1, 3, 0, 2, 4}},
                    // The main window's description: labels and image first, then 0, 1, 2, 3 ...
                    ZOrderCase{"AsTheMainWindow", {-1, -1, -1, -1, -1, -1, -1, 0, 1, 2, 3, 4, 5},
                               {7, 8, 9, 10, 11, 12, 0, 1, 2, 3, 4, 5, 6}},
                    ZOrderCase{"MixedLate", {3, -1, 0, 2, -1, 1}, {2, 5, 3, 0, 1, 4}}),
    [](const testing::TestParamInfo<ZOrderCase>& sample) { return std::string(sample.param.name); });

}  // namespace
