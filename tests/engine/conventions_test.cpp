// The named conventions: every name reads back to its value, every refusal
// is one line naming the label and what is allowed.
#include "engine/conventions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace sarvexa {
namespace {

// The text holds each of `parts`.
void ExpectMentions(const std::string& text, std::initializer_list<const char*> parts) {
  for (const char* part : parts) EXPECT_NE(text.find(part), std::string::npos) << part;
  EXPECT_EQ(text.find('\n'), std::string::npos) << "one line";
}

TEST(Conventions, DefaultsAreTheBuiltinChart) {
  const Conventions c;
  EXPECT_EQ(c.ephemeris, EphemerisKind::Builtin);
  EXPECT_EQ(c.ayanamsa, Ayanamsa::Lahiri);
  EXPECT_EQ(c.node, NodeKind::True);
  EXPECT_EQ(c.dashaYearDays, 365.25);
  EXPECT_TRUE(CheckConventions(c).ok());
}

TEST(Conventions, EveryNameReadsBackToItsValue) {
  for (std::size_t i = 0; i < kEphemerisNames.size(); ++i) {
    const auto e = static_cast<EphemerisKind>(i);
    const Result<EphemerisKind> r = ReadEphemeris(EphemerisName(e), "--ephemeris");
    ASSERT_TRUE(r.ok()) << kEphemerisNames[i];
    EXPECT_EQ(*r, e);
  }
  for (std::size_t i = 0; i < kAyanamsaNames.size(); ++i) {
    const auto a = static_cast<Ayanamsa>(i);
    const Result<Ayanamsa> r = ReadAyanamsa(AyanamsaName(a), "--ayanamsa");
    ASSERT_TRUE(r.ok()) << kAyanamsaNames[i];
    EXPECT_EQ(*r, a);
  }
  for (std::size_t i = 0; i < kNodeNames.size(); ++i) {
    const auto n = static_cast<NodeKind>(i);
    const Result<NodeKind> r = ReadNode(NodeName(n), "--node");
    ASSERT_TRUE(r.ok()) << kNodeNames[i];
    EXPECT_EQ(*r, n);
  }
  for (double year : kNamedDashaYears) {
    const Result<double> r = ReadDashaYear(DashaYearText(year), "--dasha-year");
    ASSERT_TRUE(r.ok()) << year;
    EXPECT_EQ(*r, year);
  }
}

TEST(Conventions, NamesAsTyped) {
  struct Case {
    std::string_view text;
    bool ok;
    const char* source;
  };
  const Case ayanamsas[] = {
      {"true-chitra", true, "hyphenated name"},
      {"Lahiri", false, "names are lower case, as typed on the command line"},
      {"lahiri ", false, "no trailing space"},
      {"", false, "empty"},
      {"chitra", false, "no abbreviations"},
  };
  for (const Case& c : ayanamsas) {
    SCOPED_TRACE(c.source);
    const Result<Ayanamsa> r = ReadAyanamsa(c.text, "--ayanamsa");
    ASSERT_EQ(r.ok(), c.ok);
    if (!c.ok) {
      ExpectMentions(r.error(), {"--ayanamsa", "lahiri", "true-chitra", "raman", "krishnamurti",
                                 "yukteshwar", "fagan-bradley"});
    }
  }
  const Result<EphemerisKind> e = ReadEphemeris("jpl", "--ephemeris");
  ASSERT_FALSE(e.ok());
  ExpectMentions(e.error(), {"--ephemeris", "builtin", "swiss", "\"jpl\""});
  const Result<NodeKind> n = ReadNode("osculating", "Node");
  ASSERT_FALSE(n.ok());
  ExpectMentions(n.error(), {"Node", "true", "mean", "\"osculating\""});
}

TEST(Conventions, DashaYearFrom300To400Days) {
  struct Case {
    std::string_view text;
    bool ok;
    double days;
    const char* source;
  };
  const Case cases[] = {
      {"365.25", true, 365.25, "the default"},
      {"360", true, 360.0, "a whole number"},
      {"300", true, 300.0, "the lower bound"},
      {"400", true, 400.0, "the upper bound"},
      {"365.", true, 365.0, "a trailing point"},
      {"299.999", false, 0, "below the range"},
      {"400.001", false, 0, "above the range"},
      {"-365.25", false, 0, "no sign"},
      {"3.6525e2", false, 0, "no exponent"},
      {"nan", false, 0, "not a number"},
      {"365.2.5", false, 0, "two points"},
      {".", false, 0, "no digits"},
      {"", false, 0, "empty"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    const Result<double> r = ReadDashaYear(c.text, "--dasha-year");
    ASSERT_EQ(r.ok(), c.ok);
    if (c.ok) {
      EXPECT_EQ(*r, c.days);
    } else {
      ExpectMentions(r.error(),
                     {"--dasha-year", "300", "400", "365.25", "365.2425", "365.256363", "360"});
    }
  }
  // A stored number goes through the same bounds.
  EXPECT_TRUE(CheckDashaYear(365.256363, "Dasha Year").ok());
  EXPECT_FALSE(CheckDashaYear(1e308, "Dasha Year").ok());
  EXPECT_FALSE(CheckDashaYear(std::nan(""), "Dasha Year").ok());
}

TEST(Conventions, BuiltinTakesOnlyItsOwnAyanamsaAndNode) {
  const ConventionLabels cli{"--ephemeris", "--ayanamsa", "--node", "--dasha-year"};
  struct Case {
    Conventions c;
    const char* refusal;  // nullptr when the combination applies
    const char* source;
  };
  const Case cases[] = {
      {{EphemerisKind::Builtin, Ayanamsa::Lahiri, NodeKind::True, 360.0},
       nullptr,
       "the dasha year applies to both"},
      {{EphemerisKind::Builtin, Ayanamsa::Raman, NodeKind::True, 365.25},
       "--ayanamsa raman applies only with --ephemeris swiss",
       "another ayanamsa"},
      {{EphemerisKind::Builtin, Ayanamsa::Lahiri, NodeKind::Mean, 365.25},
       "--node mean applies only with --ephemeris swiss",
       "the mean node"},
      {{EphemerisKind::Swiss, Ayanamsa::FaganBradley, NodeKind::Mean, 365.2425},
       nullptr,
       "swiss takes every ayanamsa and node"},
      {{EphemerisKind::Swiss, Ayanamsa::Lahiri, NodeKind::True, 500.0},
       "--dasha-year",
       "a year out of range"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    const Result<void> r = CheckConventions(c.c, cli);
    ASSERT_EQ(r.ok(), c.refusal == nullptr);
    if (c.refusal) {
      EXPECT_EQ(r.error().rfind(c.refusal, 0), 0u) << r.error();
    }
  }
  // A dialog words it with its own labels.
  const Result<void> dialog =
      CheckConventions({EphemerisKind::Builtin, Ayanamsa::TrueChitra, NodeKind::True, 365.25},
                       {"Ephemeris", "Ayanamsa", "Node", "Dasha year"});
  ASSERT_FALSE(dialog.ok());
  EXPECT_EQ(dialog.error(), "Ayanamsa true-chitra applies only with Ephemeris swiss");
}

}  // namespace
}  // namespace sarvexa
