// The window at the screen's density: run by run-density once for each density the prefix is set
// to (--density), and skipped in the other runs. Every control in its place scaled from 96 pixels
// per inch, within a pixel; labels whole in the scaled font; captions inside their buttons; the
// logo drawn at the scaled size; no scroll bars at the opening size; and the system's message box
// and file dialog at the same density, whole.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "e2e/driver.h"
#include "e2e/main_window_layout.h"

namespace e2e {
namespace {

constexpr int kDesign = 96;
constexpr wchar_t kFace[] = L"MS Sans Serif";
constexpr char kEntry[] = "holiday video.avi";
constexpr char kDamagedName[] = "holiday video (damaged).avi";

int Scaled(int value) { return MulDiv(value, ScreenDensity(), kDesign); }

// What the frame and title bar of the main window add to its client area at `pixelsPerInch`.
SIZE FrameAt(HWND window, int pixelsPerInch) {
  using Adjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  const auto adjust = reinterpret_cast<Adjust>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  RECT rect{0, 0, 0, 0};
  if (adjust) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & ~(WS_HSCROLL | WS_VSCROLL);
    adjust(&rect, style, FALSE, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)),
           static_cast<UINT>(pixelsPerInch));
  }
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// Within a pixel of the scaled value.
void ExpectNear(int actual, int expected, const char* what) {
  EXPECT_LE(std::abs(actual - expected), 1) << what << ": " << actual << ", scaled " << expected;
}

// A caption drawn inside a control, with room for the control's own edges.
void ExpectCaptionInside(const ChildWindow& control, const wchar_t* face, int fontHeight) {
  SCOPED_TRACE(Narrow(control.text));
  const SIZE text = TextSize(control.text, face, fontHeight, DT_SINGLELINE);
  const int edge = Scaled(3);
  EXPECT_LE(text.cx + 2 * edge, control.rect.right - control.rect.left) << "caption " << text.cx << " wide";
  EXPECT_LE(text.cy, control.rect.bottom - control.rect.top) << "caption " << text.cy << " high";
}

bool Dark(COLORREF colour) { return GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < 3 * 128; }

class Density : public testing::Test {
protected:
  void SetUp() override {
    if (ScreenDensity() == 0) GTEST_SKIP() << "runs only in the density runs (run-density)";
    HDC screen = GetDC(nullptr);
    const int prefixDensity = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(prefixDensity, ScreenDensity()) << "the prefix is at the density of this run";
    client::Remove();
    folder_ = ScratchFolder("density");
    WriteFileBytes(folder_ + "\\" + kDamagedName, RandomBytes(20000, 3));
    WriteFileBytes(folder_ + "\\" + kEntry, "new data");
    client::SetString(client::kOptions, "DownloadFolder", folder_);
    for (const char* entry : {"concert.mp3", kEntry, "zebra.txt"}) client::AddEntry(entry);
  }
  void TearDown() override {
    if (ScreenDensity() != 0) client::Remove();
  }

  std::wstring Name(const wchar_t* what) const {
    return std::wstring(what) + L"-" + std::to_wstring(ScreenDensity()) + L"dpi";
  }

  std::string folder_;
};

TEST_F(Density, TheWindowIsLaidOutWholeAtTheScreensDensity) {
  Tool tool;
  HWND main = tool.MainWindow();
  ASSERT_NE(main, nullptr);
  tool.Settle();
  SaveScreenshot(main, Name(L"main-window"));

  // The client area of 96 pixels per inch, scaled, inside the frame of this density.
  RECT outer{};
  RECT client{};
  GetWindowRect(main, &outer);
  GetClientRect(main, &client);
  const SIZE frame96 = FrameAt(main, kDesign);
  EXPECT_EQ(outer.left, Scaled(kMainWindowPlace.left));
  EXPECT_EQ(outer.top, Scaled(kMainWindowPlace.top));
  ExpectNear(client.right, Scaled(kMainWindowPlace.width - frame96.cx), "client width");
  ExpectNear(client.bottom, Scaled(kMainWindowPlace.height - frame96.cy), "client height");
  EXPECT_EQ(GetWindowLongPtrW(main, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0) << "no scroll bars";

  const int fontHeight = Scaled(-11);
  for (const ControlPlace& row : kControlPlaces) {
    SCOPED_TRACE(Narrow(row.text ? row.text : row.className));
    const ChildWindow child = Child(main, row.className, row.text ? row.text : L"");
    ExpectNear(child.rect.left, Scaled(row.place.left), "left");
    ExpectNear(child.rect.top, Scaled(row.place.top), "top");
    if (row.className == std::wstring(L"Static")) {
      // A label is as large as its text in the scaled font: whole (where the font has no size
      // as large as the scaled one, smaller than its scaled place).
      const SIZE text = TextSize(row.text, kFace, fontHeight, kLabelFormat);
      EXPECT_EQ(child.rect.right - child.rect.left, text.cx);
      EXPECT_EQ(child.rect.bottom - child.rect.top, text.cy);
      EXPECT_LE(child.rect.right, client.right);
      EXPECT_LE(child.rect.bottom, client.bottom) << "inside the window";
    } else {
      ExpectNear(child.rect.right - child.rect.left, Scaled(row.place.width), "width");
      ExpectNear(child.rect.bottom - child.rect.top, Scaled(row.place.height), "height");
    }
    if (row.className == std::wstring(L"Button")) ExpectCaptionInside(child, kFace, fontHeight);
  }

  std::optional<ChildWindow> logo;
  std::optional<ChildWindow> frame;
  for (const ChildWindow& child : Children(main)) {
    if (child.className != L"Static") continue;
    const int type = child.style & SS_TYPEMASK;
    if (type != SS_BITMAP && type != SS_OWNERDRAW) continue;
    const Place& place = type == SS_BITMAP ? kLogoPlace : kBevelPlace;
    SCOPED_TRACE(type == SS_BITMAP ? "logo" : "bevel");
    ExpectNear(child.rect.left, Scaled(place.left), "left");
    ExpectNear(child.rect.top, Scaled(place.top), "top");
    ExpectNear(child.rect.right - child.rect.left, Scaled(place.width), "width");
    ExpectNear(child.rect.bottom - child.rect.top, Scaled(place.height), "height");
    (type == SS_BITMAP ? logo : frame) = child;
  }
  ASSERT_TRUE(logo.has_value());
  ASSERT_TRUE(frame.has_value());

  ASSERT_TRUE(BringToFront(main));
  tool.Settle();
  HDC screen = GetDC(nullptr);
  // A pixel of the window as the screen shows it, from a child's top-left corner.
  const auto pixel = [&](const RECT& child, int x, int y) {
    POINT at{child.left + x, child.top + y};
    ClientToScreen(main, &at);
    return GetPixel(screen, at.x, at.y);
  };

  // The logo is drawn at the control's size: the emblem's rim, which reaches row 48 of the
  // picture's 52 at 96 pixels per inch, reaches the same share of the control's height.
  int lowestDark = -1;
  for (int row = 0; row < logo->rect.bottom - logo->rect.top; ++row) {
    if (Dark(pixel(logo->rect, Scaled(25), row))) lowestDark = row;
  }
  ExpectNear(lowestDark, Scaled(48), "the emblem's lowest row");

  // What the system's visual style must leave as it is: the homepage link in navy, the read-only
  // field on the window's colour, the sunken frame's shadow and light.
  const RECT link = Child(main, L"Static", L"Homepage: example.org/tavelin").rect;
  int navy = 0;
  for (int y = 0; y < link.bottom - link.top; ++y) {
    for (int x = 0; x < link.right - link.left; ++x) navy += pixel(link, x, y) == RGB(0, 0, 128);
  }
  EXPECT_GT(navy, 0) << "the link is drawn in navy";
  const RECT field = Child(main, L"Edit").rect;
  EXPECT_EQ(pixel(field, (field.right - field.left) / 2, (field.bottom - field.top) / 2), GetSysColor(COLOR_WINDOW));
  const RECT& bevel = frame->rect;
  const int middle = (bevel.bottom - bevel.top) / 2;
  EXPECT_EQ(pixel(bevel, 0, middle), GetSysColor(COLOR_BTNSHADOW)) << "the frame's left edge";
  EXPECT_EQ(pixel(bevel, bevel.right - bevel.left - 1, middle), GetSysColor(COLOR_BTNHIGHLIGHT)) << "its right edge";
  ReleaseDC(nullptr, screen);
}

TEST_F(Density, TheMessageBoxAndTheFileDialogAreTheSystemsAtTheSameDensity) {
  Tool tool;
  HWND main = tool.MainWindow();
  ASSERT_NE(main, nullptr);
  tool.Settle();

  // The file dialog: its buttons' and labels' texts whole in the dialog's font (8 points).
  ASSERT_TRUE(BringToFront(main));
  PressKey('S', /*alt=*/true);
  HWND dialog = tool.WaitForDialog();
  ASSERT_NE(dialog, nullptr);
  // Shown once it lists the folder's two files.
  EXPECT_TRUE(WaitFor([&] {
    HWND view = FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr);
    HWND files = view ? FindWindowExW(view, nullptr, L"SysListView32", nullptr) : nullptr;
    return files && SendMessageW(files, LVM_GETITEMCOUNT, 0, 0) >= 2;
  }));
  tool.Settle();
  SaveScreenshot(dialog, Name(L"file-dialog"));
  const int dialogFont = -MulDiv(8, ScreenDensity(), 72);
  int captions = 0;
  for (const ChildWindow& child : Children(dialog)) {
    if (child.className == L"Button" && (child.id == IDOK || child.id == IDCANCEL)) {
      ExpectCaptionInside(child, L"MS Shell Dlg", dialogFont);
      ++captions;
    }
  }
  EXPECT_EQ(captions, 2) << "Open and Cancel";
  PressDialogButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));

  // The confirmation box: its text whole in the system's message font at this density.
  ChooseInFileDialog(tool, main, kDamagedName);
  SelectEntry(main, kEntry);
  ClickButton(Child(main, L"Button", L"Resume damaged file on new connection").handle);
  HWND box = tool.WaitForDialog();
  ASSERT_NE(box, nullptr);
  tool.Settle();
  SaveScreenshot(box, Name(L"message-box"));
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  EXPECT_EQ(metrics.lfMessageFont.lfHeight, Scaled(-11)) << "the system's message font is at this density";
  HWND textWindow = DescendantWithId(box, 0xFFFF);
  ASSERT_NE(textWindow, nullptr);
  RECT textRect{};
  GetClientRect(textWindow, &textRect);
  const std::wstring message = TextOf(textWindow);
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  HGDIOBJ previous = SelectObject(dc, font);
  RECT needed{0, 0, textRect.right, 0};
  DrawTextW(dc, message.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, previous);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  EXPECT_LE(needed.bottom, textRect.bottom) << "the whole text shows";
  for (const ChildWindow& child : Children(box)) {
    if (child.className == L"Button" && (child.id == IDOK || child.id == IDCANCEL)) {
      ExpectCaptionInside(child, metrics.lfMessageFont.lfFaceName, metrics.lfMessageFont.lfHeight);
    }
  }
  PressDialogButton(box, IDCANCEL);
  EXPECT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
}

}  // namespace
}  // namespace e2e
