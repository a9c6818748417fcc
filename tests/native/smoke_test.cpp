#include <gtest/gtest.h>

#include "classlib/core/messages.h"

TEST(FormatText, PutsTheArgumentInPlaceOfPercentS) {
  EXPECT_EQ(FormatText(classlib::messages::kWriteDataFailed, "Offset"),
            "Konnte Daten f\xFCr 'Offset' nicht setzen");
  EXPECT_EQ(FormatText("no marker", "x"), "no marker");
}
