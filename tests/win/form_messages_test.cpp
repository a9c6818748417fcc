// What Windows sends a form about a control's window reaches that control, which answers it
// itself: the colours it is drawn in, its click, the cursor over it, and the bevel's frame as its
// shape and style say.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "classlib/application/application.h"
#include "classlib/controls/control_win.h"
#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/form.h"
#include "classlib/forms/form_window_win.h"

namespace {

using classlib::win::ControlWindow;

// A device context over a bitmap of its own, to draw into and read back.
class Canvas {
public:
  Canvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC Dc() const { return dc_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

class FormMessages : public testing::Test {
protected:
  template <class Control>
  Control& Add(ControlSettings settings) {
    if (settings.bounds.width == 0) settings.bounds = {8, 8, 100, 21};
    return *form.AddControl(std::make_unique<Control>(form, std::move(settings)));
  }

  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(classlib::win::FormWindow(form), message, wParam, lParam);
  }

  // Sends the notification `code` of `control`'s window, as the window itself does.
  void Notify(const TControl& control, WORD code) {
    HWND window = ControlWindow(control);
    Send(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), code), reinterpret_cast<LPARAM>(window));
  }

  // The form's window procedure runs its work inside the application object's guard.
  TApplication application;
  TForm& form = *application.InsertComponent(std::make_unique<TForm>(application, "TMessagesTestForm"));
};

struct ColourCase {
  const char* name;
  std::function<TControl&()> make;
  int background;  // COLOR_ index of the background
  COLORREF text;
};

TEST_F(FormMessages, EachControlAnswersTheColoursOfItsStaticBackground) {
  ControlSettings navy;
  navy.caption = "Link";
  navy.parentFont = false;
  navy.font.color = clNavy;
  ControlSettings readOnly;
  readOnly.readOnly = true;
  const ColourCase cases[] = {
      {"label in its own colour", [&]() -> TControl& { return Add<TLabel>(navy); },
       COLOR_BTNFACE, RGB(0, 0, 128)},
      {"label in the form's colour", [&]() -> TControl& { return Add<TLabel>({}); },
       COLOR_BTNFACE, GetSysColor(COLOR_WINDOWTEXT)},
      {"read-only edit", [&]() -> TControl& { return Add<TEdit>(readOnly); }, COLOR_WINDOW,
       GetSysColor(COLOR_WINDOWTEXT)},
      {"bevel", [&]() -> TControl& { return Add<TBevel>({}); }, COLOR_BTNFACE,
       GetSysColor(COLOR_WINDOWTEXT)},
  };
  for (const ColourCase& c : cases) {
    SCOPED_TRACE(c.name);
    TControl& control = c.make();
    Canvas canvas(4, 4);
    const LRESULT brush = Send(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.Dc()),
                               reinterpret_cast<LPARAM>(ControlWindow(control)));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetSysColorBrush(c.background));
    EXPECT_EQ(GetBkColor(canvas.Dc()), GetSysColor(c.background));
    EXPECT_EQ(GetTextColor(canvas.Dc()), c.text);
  }
}

TEST_F(FormMessages, ButtonsAndLabelsAreClickedWhileEnabledOtherControlsNever) {
  int clicks = 0;
  ControlSettings settings;
  settings.onClick = [&clicks](TObject*) { ++clicks; };
  TButton& button = Add<TButton>(settings);
  TLabel& label = Add<TLabel>(settings);
  TEdit& edit = Add<TEdit>(settings);

  Notify(button, BN_CLICKED);
  Notify(label, STN_CLICKED);
  EXPECT_EQ(clicks, 2);
  Notify(edit, EN_SETFOCUS);
  Notify(button, BN_SETFOCUS);
  EXPECT_EQ(clicks, 2) << "other notifications are no clicks";
  EnableWindow(ControlWindow(button), FALSE);
  Notify(button, BN_CLICKED);
  EXPECT_EQ(clicks, 2) << "a disabled button is not clicked";
}

TEST_F(FormMessages, TheCursorOverAControlIsItsOwnInItsClientArea) {
  ControlSettings hand;
  hand.cursor = TCursor::crHandPoint;
  HWND link = ControlWindow(Add<TLabel>(hand));
  HWND plain = ControlWindow(Add<TLabel>({}));
  HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
  HCURSOR pointingHand = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649) /* IDC_HAND */);

  SetCursor(arrow);
  EXPECT_EQ(Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
  EXPECT_EQ(GetCursor(), pointingHand);

  SetCursor(arrow);
  Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTBORDER, WM_MOUSEMOVE));
  Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(plain), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_NE(GetCursor(), pointingHand);
}

// The colours of a bevel's two outer rings, from the outside in: top and left, bottom and right.
struct BevelCase {
  const char* name;
  TBevel::Shape shape;
  TBevel::Style style;
  int outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;  // COLOR_ indices
};

class BevelFrame : public FormMessages, public testing::WithParamInterface<BevelCase> {};

TEST_P(BevelFrame, IsDrawnAsItsShapeAndStyleSay) {
  const BevelCase& sample = GetParam();
  ControlSettings settings;
  settings.bevelShape = sample.shape;
  settings.bevelStyle = sample.style;
  HWND bevel = ControlWindow(Add<TBevel>(settings));
  constexpr int kWidth = 40, kHeight = 30;
  Canvas canvas(kWidth, kHeight);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_STATIC;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(bevel));
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = bevel;
  item.hDC = canvas.Dc();
  item.rcItem = {0, 0, kWidth, kHeight};
  EXPECT_EQ(Send(WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item)), TRUE);

  const auto ring = [&](int inset, int topLeft, int bottomRight) {
    const COLORREF tl = GetSysColor(topLeft), br = GetSysColor(bottomRight);
    EXPECT_EQ(canvas.At(kWidth / 2, inset), tl) << "top, ring " << inset;
    EXPECT_EQ(canvas.At(inset, kHeight / 2), tl) << "left, ring " << inset;
    EXPECT_EQ(canvas.At(kWidth / 2, kHeight - 1 - inset), br) << "bottom, ring " << inset;
    EXPECT_EQ(canvas.At(kWidth - 1 - inset, kHeight / 2), br) << "right, ring " << inset;
  };
  ring(0, sample.outerTopLeft, sample.outerBottomRight);
  ring(1, sample.innerTopLeft, sample.innerBottomRight);
  ring(2, COLOR_BTNFACE, COLOR_BTNFACE);
  EXPECT_EQ(canvas.At(kWidth / 2, kHeight / 2), GetSysColor(COLOR_BTNFACE)) << "inside";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BevelFrame,
    testing::Values(
        // The main window's: one sunken line, shadow at the top and left.
        BevelCase{"LoweredBox", TBevel::Shape::bsBox, TBevel::Style::bsLowered, COLOR_BTNSHADOW,
                  COLOR_BTNHIGHLIGHT, COLOR_BTNFACE, COLOR_BTNFACE},
        BevelCase{"RaisedBox", TBevel::Shape::bsBox, TBevel::Style::bsRaised, COLOR_BTNHIGHLIGHT,
                  COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNFACE},
        BevelCase{"LoweredFrame", TBevel::Shape::bsFrame, TBevel::Style::bsLowered, COLOR_BTNSHADOW,
                  COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
        BevelCase{"RaisedFrame", TBevel::Shape::bsFrame, TBevel::Style::bsRaised, COLOR_BTNHIGHLIGHT,
                  COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT}),
    [](const testing::TestParamInfo<BevelCase>& sample) { return std::string(sample.param.name); });

}  // namespace
