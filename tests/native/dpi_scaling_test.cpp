// Screen density: the scaling of the description's values (rounded as MulDiv rounds), the outer
// size of a form inside its frame, and the main window laid out again at another density with
// its texts, items and selection kept.

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <map>
#include <string>

#include "classlib/application/application.h"
#include "classlib/controls/dpi_scaling.h"
#include "classlib/registry/memory_hive.h"
#include "ui/form1.h"

namespace {

using classlib::ScaleBounds;
using classlib::ScaleValue;

struct ValueCase {
  int value;
  int to;
  int from;
  int expected;
};

TEST(ScaleValue, RoundsToTheNearestPixelWithHalvesAwayFromZero) {
  const ValueCase cases[] = {
      {11, 96, 96, 11},       {0, 192, 96, 0},         {11, 120, 96, 14},      // 13.75
      {11, 144, 96, 17},      {-11, 144, 96, -17},     {-11, 120, 96, -14},    // 16.5, -13.75
      {13, 120, 96, 16},      {21, 120, 96, 26},       {25, 120, 96, 31},      // 16.25, 26.25, 31.25
      {1, 144, 96, 2},        {-1, 144, 96, -2},       {2, 120, 96, 3},        // 1.5, -1.5, 2.5
      {-2, 120, 96, -3},      {47, 144, 96, 71},       {75, 144, 96, 113},     // -2.5, 70.5, 112.5
      {609, 192, 96, 1218},   {-11, 192, 96, -22},     {17, 96, 144, 11},      // back from 144
      {-17, 96, 144, -11},    {113, 96, 144, 75},      {38, 96, 144, 25},      // 11.33, 75.33, 25.33
      {100, 168, 96, 175},    {7, 72, 96, 5},          {-7, 72, 96, -5},       // 5.25
      {INT_MAX, 192, 96, INT_MAX}, {INT_MIN, 192, 96, INT_MIN},                // no overflow
  };
  for (const ValueCase& sample : cases) {
    EXPECT_EQ(ScaleValue(sample.value, sample.to, sample.from), sample.expected)
        << sample.value << " from " << sample.from << " to " << sample.to;
  }
}

// The edges are scaled, so every size is the scaled size within a pixel, and controls that meet
// at 96 pixels per inch still meet at every density.
TEST(ScaleBounds, ScalesTheEdgesSoThatSizesStayWithinAPixelAndNeighboursMeet) {
  for (const int to : {72, 96, 108, 120, 144, 168, 192, 240, 288}) {
    for (int left = 0; left < 64; ++left) {
      for (int width = 0; width < 64; ++width) {
        const TBounds scaled = ScaleBounds({left, left + 3, width, width + 1}, to, 96);
        const TBounds neighbour = ScaleBounds({left + width, left + 3, 10, width + 1}, to, 96);
        ASSERT_EQ(scaled.left, ScaleValue(left, to, 96));
        ASSERT_EQ(scaled.Right(), neighbour.left) << left << "+" << width << " at " << to;
        ASSERT_LE(std::abs(scaled.width - ScaleValue(width, to, 96)), 1) << left << "+" << width << " at " << to;
        ASSERT_LE(std::abs(scaled.height - ScaleValue(width + 1, to, 96)), 1) << left << "+" << width << " at " << to;
      }
    }
  }
}

TEST(ScaleFont, ScalesTheHeightOnlyWhetherCharacterOrCellHeight) {
  TFont font;
  font.name = "MS Sans Serif";
  font.color = clNavy;
  font.bold = true;
  TFont expected = font;
  font.height = -11;
  expected.height = -17;
  EXPECT_EQ(classlib::ScaleFont(font, 144, 96), expected);
  font.height = 13;
  expected.height = 20;
  EXPECT_EQ(classlib::ScaleFont(font, 144, 96), expected);
}

TEST(ScaleControlSettings, ScalesThePlaceTheFontAndTheListsItemHeightAndNothingElse) {
  ControlSettings settings;
  settings.bounds = {12, 72, 509, 21};
  settings.caption = "&Refresh";
  settings.tabOrder = 1;
  settings.itemHeight = 13;
  settings.dropDownCount = 8;
  settings.font.height = -11;
  const ControlSettings scaled = classlib::ScaleControlSettings(settings, 144, 96);
  EXPECT_EQ(scaled.bounds, (TBounds{18, 108, 764, 32}));
  EXPECT_EQ(scaled.font.height, -17);
  EXPECT_EQ(scaled.itemHeight, 20);
  EXPECT_EQ(scaled.caption, "&Refresh");
  EXPECT_EQ(scaled.tabOrder, 1);
  EXPECT_EQ(scaled.dropDownCount, 8);
}

TEST(ScaleFormBounds, ScalesTheClientAreaInsideTheFrameAtEachDensity) {
  const TBounds outer{47, 80, 624, 227};
  // The frames Wine 8 draws: 4 + 4 across and 23 + 4 down at 96 pixels per inch, 5 + 5 and
  // 33 + 5 at 144.
  const classlib::FrameSize at96{8, 27};
  const classlib::FrameSize at144{10, 38};
  EXPECT_EQ(classlib::ScaleFormBounds(outer, at96, at96, 96, 96), outer);
  EXPECT_EQ(classlib::ScaleFormBounds(outer, at96, at144, 144, 96), (TBounds{71, 120, 924 + 10, 300 + 38}));
  // A frame that differs at the same density (another style) changes the outer size only.
  EXPECT_EQ(classlib::ScaleFormBounds(outer, at96, {10, 30}, 96, 96), (TBounds{47, 80, 626, 230}));
}

// --- The main window laid out again -----------------------------------------------------------

class MainWindowDensity : public testing::Test {
protected:
  void SetUp() override {
    classlib::memory_hive::Reset();
    application.CreateForm(Form1);
    ASSERT_NE(Form1, nullptr);
  }
  void TearDown() override {
    Form1 = nullptr;
    classlib::memory_hive::Reset();
  }

  std::map<std::string, TBounds> Places() const {
    std::map<std::string, TBounds> places;
    for (const TControl* control : Form1->Controls()) places[control->Name()] = control->Bounds();
    return places;
  }

  TApplication application;
};

TEST_F(MainWindowDensity, EveryControlIsScaledAnewFromTheDescriptionAndTheStateStays) {
  const std::map<std::string, TBounds> at96 = Places();
  EXPECT_EQ(at96.at("BExit"), (TBounds{532, 168, 75, 25}));
  Form1->EDamaged->SetText("C:\\Scour Downloads\\holiday video (damaged).avi");
  for (const char* entry : {"first.avi", "second.avi", "third.avi"}) Form1->CBResume->Items().Add(entry);
  Form1->CBResume->SetItemIndex(1);
  Form1->BStart->SetEnabled(false);

  Form1->ChangeScale(144);
  EXPECT_EQ(Form1->CurrentPPI(), 144);
  // Written out rather than computed: the layout a user at 150 % sees (the host does not measure
  // labels, so they keep their described sizes, scaled).
  const std::map<std::string, TBounds> expected144 = {
      {"Label1", {18, 84, 164, 20}},     {"Label2", {18, 18, 177, 20}},    {"LHomepage", {198, 276, 227, 20}},
      {"Image1", {12, 216, 179, 78}},    {"Bevel1", {6, 6, 914, 200}},     {"Label3", {198, 216, 147, 20}},
      {"Label4", {198, 240, 237, 20}},   {"CBResume", {18, 108, 764, 32}}, {"BUpdate", {792, 108, 113, 38}},
      {"EDamaged", {18, 42, 764, 32}},   {"BSelect", {792, 42, 113, 38}},  {"BStart", {18, 156, 332, 38}},
      {"BExit", {798, 252, 113, 38}}};
  EXPECT_EQ(Places(), expected144);
  EXPECT_EQ(Form1->Font().height, -17);
  EXPECT_EQ(Form1->LHomepage->Font().height, -17) << "a label's own font";
  EXPECT_EQ(Form1->LHomepage->Font().color, clNavy);
  EXPECT_EQ(Form1->BExit->Font(), Form1->Font());
  EXPECT_EQ(Form1->CBResume->ItemHeight(), 20);
  EXPECT_EQ(Form1->BoundsRect(), (TBounds{71, 120, 936, 341}));

  EXPECT_EQ(Form1->EDamaged->Text(), "C:\\Scour Downloads\\holiday video (damaged).avi");
  EXPECT_EQ(Form1->CBResume->Items().Count(), 3);
  EXPECT_EQ(Form1->CBResume->ItemIndex(), 1);
  EXPECT_FALSE(Form1->BStart->Enabled());
  EXPECT_EQ(Form1->BUpdate->Text(), "&Refresh");

  // Through other densities and back: each layout comes from the description, so nothing drifts.
  Form1->ChangeScale(120);
  EXPECT_EQ(Places().at("BExit"), (TBounds{665, 210, 94, 31}));
  Form1->ChangeScale(192);
  EXPECT_EQ(Places().at("BExit"), (TBounds{1064, 336, 150, 50}));
  EXPECT_EQ(Form1->Font().height, -22);
  Form1->ChangeScale(144);
  EXPECT_EQ(Places(), expected144);
  Form1->ChangeScale(96);
  EXPECT_EQ(Places(), at96);
  EXPECT_EQ(Form1->Font().height, -11);
  EXPECT_EQ(Form1->CBResume->ItemHeight(), 13);
  EXPECT_EQ(Form1->BoundsRect(), (TBounds{47, 80, 624, 227}));
  EXPECT_EQ(Form1->CBResume->ItemIndex(), 1);
}

}  // namespace
