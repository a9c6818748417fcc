// The form reader: a description makes exactly the components it names, with their settings
// and bindings, and anything it names that the form or the class registry does not know stops
// the making of the form with an error that names it and its line.

#include <gtest/gtest.h>

#include <string>

#include "classlib/application/application.h"
#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/dialogs/dialogs.h"
#include "classlib/forms/form.h"
#include "classlib/forms/form_reader.h"

namespace {

// A small form with one of each kind the tests need.
class TSmallForm : public TForm {
public:
  explicit TSmallForm(TComponent& owner) : TForm(owner, "TSmallForm") {}

  TButton* Go = nullptr;
  TLabel* Link = nullptr;
  TComboBox* List = nullptr;
  TOpenDialog* Dialog = nullptr;
  int clicks = 0;
  void GoClick(TObject*) { ++clicks; }

  PublishedTable Published() {
    return {{Field("Go", Go), Field("Link", Link), Field("List", List), Field("Dialog", Dialog)},
            {Method("GoClick", *this, &TSmallForm::GoClick)}};
  }
};

constexpr char kValid[] = R"(object Small: TSmallForm
  Left = 10
  Top = 20
  Width = 300
  Height = 200
  Caption = 'Small'
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  OnShow = GoClick
  object Go: TButton
    Left = 1
    Top = 2
    Width = 75
    Height = 25
    Caption = '&Go'
    TabOrder = 1
    OnClick = GoClick
  end
  object Link: TLabel
    Left = 5
    Top = 6
    Width = 40
    Height = 13
    Cursor = crMultiDrag
    Caption = 'Link'
    ParentFont = False
    Font.Color = clNavy
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Font.Style = [fsBold]
  end
  object List: TComboBox
    Left = 7
    Top = 8
    Width = 100
    Height = 21
    Style = csDropDownList
    ItemHeight = 13
    TabOrder = 0
  end
  object Dialog: TOpenDialog
    FileEditStyle = fsEdit
  end
end
)";

class FormReader : public testing::Test {
protected:
  void Read(const std::string& text) { ReadForm(*form, ParseFormDescription(text), form->Published()); }

  TApplication application;
  TSmallForm* form = application.InsertComponent(std::make_unique<TSmallForm>(application));
};

TEST_F(FormReader, MakesEachComponentWithItsSettingsAndBindsItsEvents) {
  Read(kValid);
  EXPECT_EQ(form->Name(), "Small");
  EXPECT_EQ(form->Caption(), "Small");
  EXPECT_EQ(form->Settings().bounds, (TBounds{10, 20, 300, 200}));
  ASSERT_NE(form->Go, nullptr);
  ASSERT_NE(form->Link, nullptr);
  ASSERT_NE(form->List, nullptr);
  ASSERT_NE(form->Dialog, nullptr);
  EXPECT_EQ(form->Go->Name(), "Go");
  EXPECT_EQ(form->Go->Bounds(), (TBounds{1, 2, 75, 25}));
  EXPECT_EQ(form->Go->Text(), "&Go");
  EXPECT_EQ(form->Go->TabOrder(), 1);
  EXPECT_EQ(form->Link->Cursor(), TCursor::crMultiDrag);
  EXPECT_EQ(form->Link->Font().color, clNavy);
  EXPECT_TRUE(form->Link->Font().bold);
  EXPECT_EQ(form->Go->Font(), form->Font()) << "a control without its own font uses the form's";
  EXPECT_EQ(form->List->ComboStyle(), TComboBox::Style::csDropDownList);
  EXPECT_EQ(form->Dialog->FileEditStyle(), TOpenDialog::EditStyle::fsEdit);
  EXPECT_EQ(form->Controls().size(), 3u) << "the dialog is a component, not a control";

  form->Go->Click();
  form->Show();  // OnShow is bound to the same method
  EXPECT_EQ(form->clicks, 2);
  form->Link->Click();  // no OnClick bound
  EXPECT_EQ(form->clicks, 2);
}

// Replaces the first occurrence of `from` in the valid description.
std::string Broken(const std::string& from, const std::string& to) {
  std::string text = kValid;
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

TEST_F(FormReader, RefusesWhatItDoesNotKnowNamingItAndItsLine) {
  struct Case {
    const char* what;
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {"class", Broken("object Go: TButton", "object Go: TBotton"),
       "Formularbeschreibung, Zeile 10: Klasse TBotton nicht gefunden"},
      {"handler", Broken("OnClick = GoClick", "OnClick = GoClack"),
       "Formularbeschreibung, Zeile 17: Methode GoClack nicht gefunden"},
      {"form handler", Broken("OnShow = GoClick", "OnShow = Nowhere"),
       "Formularbeschreibung, Zeile 9: Methode Nowhere nicht gefunden"},
      {"field", Broken("object Link: TLabel", "object Lnk: TLabel"),
       "Formularbeschreibung, Zeile 19: Feld Lnk nicht gefunden"},
      {"field of another class", Broken("object Link: TLabel", "object Link: TButton"),
       "Formularbeschreibung, Zeile 19: Feld Link ist nicht vom Typ TButton"},
      {"property", Broken("    ItemHeight = 13", "    ItemHight = 13"),
       "Formularbeschreibung, Zeile 38: Eigenschaft ItemHight gibt es bei TComboBox nicht"},
      {"property of another class", Broken("    Caption = '&Go'", "    ReadOnly = True"),
       "Formularbeschreibung, Zeile 15: Eigenschaft ReadOnly gibt es bei TButton nicht"},
      {"value", Broken("Style = csDropDownList", "Style = csSimpleList"),
       "Formularbeschreibung, Zeile 37: Ung\xFCltiger Wert csSimpleList f\xFCr Style"},
      {"value kind", Broken("    TabOrder = 0", "    TabOrder = 'first'"),
       "Formularbeschreibung, Zeile 39: Ganzzahl erwartet f\xFCr TabOrder"},
      {"form class", Broken("object Small: TSmallForm", "object Small: TOtherForm"),
       "Formularbeschreibung, Zeile 1: Klasse TOtherForm ist nicht TSmallForm"},
      {"missing component", Broken("  object Dialog: TOpenDialog\n    FileEditStyle = fsEdit\n  end\n", ""),
       "Formularbeschreibung, Zeile 1: Komponente Dialog fehlt"},
      // What the controls cannot show, so that no property is read and then ignored.
      {"transparent label", Broken("    Caption = 'Link'", "    Caption = 'Link'\n    Transparent = True"),
       "Formularbeschreibung, Zeile 26: Ung\xFCltiger Wert True f\xFCr Transparent"},
      {"file name field as a combo box", Broken("FileEditStyle = fsEdit", "FileEditStyle = fsComboBox"),
       "Formularbeschreibung, Zeile 42: Ung\xFCltiger Wert fsComboBox f\xFCr FileEditStyle"},
      {"click on a combo box", Broken("    TabOrder = 0", "    TabOrder = 0\n    OnClick = GoClick"),
       "Formularbeschreibung, Zeile 40: Eigenschaft OnClick gibt es bei TComboBox nicht"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TSmallForm* fresh = application.InsertComponent(std::make_unique<TSmallForm>(application));
    try {
      ReadForm(*fresh, ParseFormDescription(c.text), fresh->Published());
      ADD_FAILURE() << "no error";
    } catch (const EFormDescriptionError& error) {
      EXPECT_EQ(error.Message(), c.message);
    }
  }
}

// A label is opaque; saying so is read without effect on what it shows.
TEST_F(FormReader, ReadsAnOpaqueLabel) {
  Read(Broken("    Caption = 'Link'", "    Caption = 'Link'\n    Transparent = False"));
  EXPECT_EQ(form->Link->Text(), "Link");
}

}  // namespace
