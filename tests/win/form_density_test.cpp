// A form that moves to a screen of another density (WM_DPICHANGED) takes the suggested
// rectangle and lays its controls out again: places and sizes scaled from the description, fonts
// made at the scaled height, labels the size of their text in the new font, the list's closed
// height; the focus, the texts, the list and its selection stay. Back at 96 pixels per inch the
// layout is the first one again, and no font of the way is left behind.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "classlib/application/application.h"
#include "classlib/forms/form.h"
#include "classlib/forms/form_reader.h"
#include "classlib/controls/control_win.h"
#include "classlib/forms/form_window_win.h"
#include "classlib/controls/stdctrls.h"

namespace {

class TDensityForm : public TForm {
public:
  explicit TDensityForm(TComponent& owner) : TForm(owner, "TDensityForm") {}

  TLabel* Caption1 = nullptr;
  TLabel* Link = nullptr;
  TEdit* Path = nullptr;
  TComboBox* List = nullptr;
  TButton* Go = nullptr;

  PublishedTable Published() {
    return {{Field("Caption1", Caption1), Field("Link", Link), Field("Path", Path), Field("List", List),
             Field("Go", Go)},
            {}};
  }
};

constexpr char kDescription[] = R"(object Density: TDensityForm
  Left = 47
  Top = 80
  Width = 400
  Height = 200
  Caption = 'Density'
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  PixelsPerInch = 96
  object Caption1: TLabel
    Left = 12
    Top = 12
    Width = 118
    Height = 13
    Caption = 'Unfinished download file:'
  end
  object Link: TLabel
    Left = 12
    Top = 140
    Width = 100
    Height = 13
    Caption = 'Homepage: example.org/tavelin'
    ParentFont = False
    Font.Color = clNavy
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
  end
  object Path: TEdit
    Left = 12
    Top = 28
    Width = 281
    Height = 21
    ReadOnly = True
    TabOrder = 1
  end
  object List: TComboBox
    Left = 12
    Top = 72
    Width = 281
    Height = 21
    Style = csDropDownList
    ItemHeight = 13
    TabOrder = 0
  end
  object Go: TButton
    Left = 300
    Top = 72
    Width = 75
    Height = 25
    Caption = '&Refresh'
    TabOrder = 2
  end
end
)";

// A child's rectangle in its parent's client area.
RECT PlaceOf(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int FontHeight(HWND window) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

SIZE TextSize(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  HDC dc = GetDC(window);
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
  RECT rect{0, 0, 0, 0};
  DrawTextA(dc, text, -1, &rect, DT_CALCRECT | DT_EXPANDTABS | DT_NOCLIP | DT_LEFT);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  return {rect.right, rect.bottom};
}

void ChangeDensity(HWND form, int pixelsPerInch, RECT suggested) {
  SendMessageA(form, WM_DPICHANGED, MAKEWPARAM(pixelsPerInch, pixelsPerInch), reinterpret_cast<LPARAM>(&suggested));
}

class FormDensity : public testing::Test {
protected:
  void SetUp() override {
    ReadForm(*form, ParseFormDescription(kDescription), form->Published());
    window = classlib::win::FormWindow(*form);
    form->Show();
    SetForegroundWindow(window);
  }

  std::map<std::string, RECT> Places() const {
    std::map<std::string, RECT> places;
    for (const TControl* control : form->Controls()) {
      places[control->Name()] = PlaceOf(classlib::win::ControlWindow(*control));
    }
    return places;
  }

  TApplication application;
  TDensityForm* form = application.InsertComponent(std::make_unique<TDensityForm>(application));
  HWND window = nullptr;
};

TEST_F(FormDensity, TakesTheSuggestedRectangleAndLaysItsControlsOutAgainKeepingTheirState) {
  const HWND field = classlib::win::ControlWindow(*form->Path);
  const HWND list = classlib::win::ControlWindow(*form->List);
  form->Path->SetText("C:\\Downloads\\old.part");
  for (const char* entry : {"first.avi", "second.avi"}) form->List->Items().Add(entry);
  form->List->SetItemIndex(1);
  SetFocus(field);
  ASSERT_EQ(GetFocus(), field);
  const std::map<std::string, RECT> at96 = Places();
  EXPECT_EQ(FontHeight(list), -11);

  ChangeDensity(window, 144, {70, 120, 70 + 610, 120 + 330});
  RECT outer{};
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.left, 70);
  EXPECT_EQ(outer.top, 120);
  EXPECT_EQ(outer.right - outer.left, 610);
  EXPECT_EQ(outer.bottom - outer.top, 330);
  EXPECT_EQ(form->CurrentPPI(), 144);

  struct Expected {
    const char* name;
    RECT place;  // labels: left and top only, their size is their text's
  };
  const Expected expected[] = {
      {"Caption1", {18, 18, 0, 0}},
      {"Link", {18, 210, 0, 0}},
      {"Path", {18, 42, 18 + 422, 42 + 32}},
      {"List", {18, 108, 18 + 422, 108 + 32}},  // the closed box
      {"Go", {450, 108, 450 + 113, 108 + 38}},
  };
  const std::map<std::string, RECT> at144 = Places();
  for (const Expected& row : expected) {
    SCOPED_TRACE(row.name);
    const HWND child = classlib::win::ControlWindow(*static_cast<TControl*>(form->FindComponent(row.name)));
    const RECT& place = at144.at(row.name);
    EXPECT_EQ(place.left, row.place.left);
    EXPECT_EQ(place.top, row.place.top);
    if (row.place.right == 0) {
      const SIZE text = TextSize(child);
      EXPECT_EQ(place.right - place.left, text.cx);
      EXPECT_EQ(place.bottom - place.top, text.cy);
    } else {
      EXPECT_EQ(place.right, row.place.right);
      EXPECT_EQ(place.bottom, row.place.bottom);
    }
    EXPECT_EQ(FontHeight(child), -17);
  }
  const auto width = [](const RECT& place) { return place.right - place.left; };
  EXPECT_GT(width(at144.at("Caption1")), width(at96.at("Caption1"))) << "the label grew with its font";

  EXPECT_EQ(GetFocus(), field) << "the focus stays where it was";
  EXPECT_EQ(form->Path->Text(), "C:\\Downloads\\old.part");
  EXPECT_EQ(form->List->Items().Count(), 2);
  EXPECT_EQ(form->List->ItemIndex(), 1);
  EXPECT_EQ(form->List->Items().Strings(1), "second.avi");

  // Back: exactly the first layout again.
  ChangeDensity(window, 96, {47, 80, 47 + 400, 80 + 200});
  const std::map<std::string, RECT> back = Places();
  for (const auto& [name, place] : at96) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(EqualRect(&back.at(name), &place));
    EXPECT_EQ(FontHeight(classlib::win::ControlWindow(*static_cast<TControl*>(form->FindComponent(name)))), -11);
  }
  EXPECT_EQ(GetFocus(), field);
  EXPECT_EQ(form->List->ItemIndex(), 1);
}

// Each relayout makes the form's font and the link's own font anew: the ones before must go
// once no control uses them.
TEST_F(FormDensity, LeavesNoFontBehind) {
  const auto fontOf = [](const TControl& control) {
    return reinterpret_cast<HGDIOBJ>(SendMessageA(classlib::win::ControlWindow(control), WM_GETFONT, 0, 0));
  };
  const HGDIOBJ formFont = fontOf(*form->Go);
  const HGDIOBJ linkFont = fontOf(*form->Link);
  ASSERT_NE(formFont, linkFont);
  ASSERT_EQ(GetObjectType(formFont), static_cast<DWORD>(OBJ_FONT));
  ASSERT_EQ(GetObjectType(linkFont), static_cast<DWORD>(OBJ_FONT));
  ChangeDensity(window, 120, {47, 80, 47 + 500, 80 + 250});
  EXPECT_EQ(GetObjectType(formFont), 0u);
  EXPECT_EQ(GetObjectType(linkFont), 0u);
  EXPECT_EQ(fontOf(*form->Path), fontOf(*form->Go)) << "the controls share the form's new font";
  EXPECT_EQ(GetObjectType(fontOf(*form->Go)), static_cast<DWORD>(OBJ_FONT));
  EXPECT_EQ(GetObjectType(fontOf(*form->Link)), static_cast<DWORD>(OBJ_FONT));
}

}  // namespace
