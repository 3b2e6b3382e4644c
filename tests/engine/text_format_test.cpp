#include "engine/text_format.h"

#include <gtest/gtest.h>

#include <string>

namespace sarvexa {
namespace {

TEST(FormatText, FormatsLikePrintf) {
  EXPECT_EQ(FormatText("%02d:%02d", 7, 5), "07:05");
  EXPECT_EQ(FormatText("%s %d,%d", "Sep", 3, 1999), "Sep 3,1999");
  EXPECT_EQ(FormatText("%3.02f,", 12.345 + 0.005), "12.35,");
  EXPECT_EQ(FormatText("%d%%", 100), "100%");
  EXPECT_EQ(FormatText("%+.6f", -0.25), "-0.250000");
}

TEST(FormatText, EmptyFormatGivesEmptyText) { EXPECT_EQ(FormatText("%s", ""), ""); }

TEST(FormatText, LongTextIsNotCut) {
  // Longer than any fixed buffer the callers used to keep.
  const std::string name(1000, 'x');
  const std::string out = FormatText("<%s>", name.c_str());
  ASSERT_EQ(out.size(), 1002u);
  EXPECT_EQ(out.front(), '<');
  EXPECT_EQ(out.back(), '>');
}

}  // namespace
}  // namespace sarvexa
