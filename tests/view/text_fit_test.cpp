// Long names and places are cut with "…" where their room ends.

#include <gtest/gtest.h>

#include <string>

#include "tests/view/page_test_support.h"
#include "view/pages.h"
#include "view/text_fit.h"

namespace sarvexa {
namespace {

constexpr const char* kEllipsis = "\xE2\x80\xA6";

bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

TEST(TextFit, CutsAtACharacterAndEndsWithAnEllipsis) {
  // Recording canvas, font 12: every character is 6 units wide.
  struct Case {
    std::string text;
    int room;
    std::string expected;
    const char* source;
  };
  const Case kCases[] = {
      {"Ann Lee", 42, "Ann Lee", "fits exactly"},
      {"Ann Lee", 41, "Ann L\xE2\x80\xA6", "one unit short"},
      {"Ann Lee", 29, "Ann\xE2\x80\xA6", "no space left before the ellipsis"},
      {"Ann Leeward", 36, "Ann L\xE2\x80\xA6", "five characters and the ellipsis"},
      {"\xC3\x89mile \xC3\x89mile", 24, "\xC3\x89mi\xE2\x80\xA6", "two-byte characters stay whole"},
      {"Ann", 3, kEllipsis, "no room: the ellipsis alone"},
  };
  for (const Case& k : kCases) {
    SCOPED_TRACE(k.source);
    RecordingCanvas c;
    c.SelectFont(FontId::Screen12);
    EXPECT_EQ(FitTextToWidth(c, k.text, k.room), k.expected);
  }
}

TEST(TextFit, LongNameAndPlaceStopBeforeTheNextElement) {
  const std::string longName(60, 'N');
  const std::string longPlace(32, 'P');
  page_test::WorkedDocument w;
  auto fields = test_support::WorkedChartFields(longName, "Lee");
  fields.place = longPlace;
  ASSERT_TRUE(w.doc->newChart(fields).ok());
  struct Case {
    void (*draw)(Canvas&, const ChartSnapshot&);
    int rightEdge;  ///< where the next element of the page begins
    const char* source;
  };
  const Case kCases[] = {
      {DrawChartPageScreen, 350, "Chart page: the planet table"},
      {DrawChartPagePrint, 8340, "printed Chart page: the dasha column"},
      {DrawDivisionalPagePrint, 720 + 7 * 1440, "printed page: 7.5 in from the printable left"},
  };
  for (const Case& k : kCases) {
    SCOPED_TRACE(k.source);
    RecordingCanvas c;
    k.draw(c, w.doc->snapshot());
    int cut = 0;
    for (const RecordedText& t : c.Texts()) {
      const bool named = t.text.find("NNNN") != std::string::npos;
      const bool placed = t.text.find("PPPP") != std::string::npos;
      if (!named && !placed) continue;
      ++cut;
      const int right = t.x + RecordingCanvas::WidthFor(t.font, t.text);
      EXPECT_LE(right, k.rightEdge) << t.text;
      // The name gives way, the date after it stays; the place (at most 32
      // characters) is whole or cut.
      if (named) {
        EXPECT_TRUE(EndsWith(t.text, "Jan 1,2000 ")) << t.text;
        EXPECT_TRUE(t.text.find(longName) != std::string::npos ||
                    t.text.find(kEllipsis) != std::string::npos)
            << t.text;
      }
      if (placed) {
        EXPECT_TRUE(t.text == longPlace || EndsWith(t.text, kEllipsis)) << t.text;
      }
    }
    EXPECT_EQ(cut, 2);  // the name line and the place line of the panel
  }
  // The full texts stay in the document.
  EXPECT_EQ(w.doc->firstName(), longName);
  EXPECT_EQ(w.doc->place(), longPlace);
}

}  // namespace
}  // namespace sarvexa
