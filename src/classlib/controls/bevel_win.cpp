#include <windows.h>

#include "classlib/controls/control_win.h"
#include "classlib/controls/extctrls.h"

namespace {

// The rings of a bevel's frame from the outside in, each a DrawEdge border of one line: a box
// is one ring, sunken (shadow at the top and left, highlight at the bottom and right) or raised;
// a frame is two, the inner one the opposite of the outer, so that it looks cut in or standing out.
struct Rings {
  UINT edges[2];
  int count;
};

Rings RingsOf(TBevel::Shape shape, TBevel::Style style) {
  const UINT outer = style == TBevel::Style::bsLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER;
  const UINT inner = style == TBevel::Style::bsLowered ? BDR_RAISEDINNER : BDR_SUNKENOUTER;
  if (shape == TBevel::Shape::bsFrame) return {{outer, inner}, 2};
  return {{outer, 0}, 1};
}

class BevelMessages final : public classlib::win::ControlMessages {
public:
  explicit BevelMessages(TBevel& bevel) : ControlMessages(bevel), bevel_(bevel) {}

private:
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
    RECT rect = item.rcItem;
    FillRect(item.hDC, &rect, GetSysColorBrush(COLOR_BTNFACE));
    const Rings rings = RingsOf(bevel_.BevelShape(), bevel_.BevelStyle());
    for (int i = 0; i < rings.count; ++i) DrawEdge(item.hDC, &rect, rings.edges[i], BF_RECT | BF_ADJUST);
    return true;
  }

  const TBevel& bevel_;
};

}  // namespace

TBevel::TBevel(TForm& parent, ControlSettings settings) : TControl(parent, std::move(settings)) {
  // Owner-drawn: the bevel draws its frame itself (WM_DRAWITEM); it lies below every other control.
  Platform().Create(*this, std::make_unique<BevelMessages>(*this), "STATIC", SS_OWNERDRAW);
}
