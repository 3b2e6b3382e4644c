// The JSON pieces behind batch: doubles in 17 digits, which must give
// printf's "%.17g" text for every value; the one-line layout; and reading
// members and scalars back.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "cli/json_members.h"
#include "cli/json_writer.h"

namespace sarvexa::cli {
namespace {

std::string Library17(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

TEST(Double17, SameTextAsTheLibraryOnEdges) {
  std::vector<double> values = {0.0,
                                -0.0,
                                1.0,
                                0.1,
                                0.5,
                                12.0,
                                -77.2,
                                2451545.5,
                                1e-4,
                                1e-5,
                                9.9999999999999995e-5,
                                1e16,
                                1e17,
                                99999999999999984.0,
                                9.9999999999999998e16,
                                1e-11,
                                1.5e-11,
                                0.99999999999999989,
                                123456789012345678.0,
                                5e-324,
                                1.7976931348623157e308,
                                std::nan(""),
                                INFINITY};
  for (int e = -30; e <= 30; ++e) {
    const double p = std::pow(10.0, e);
    for (double v : {p, std::nextafter(p, 0.0), std::nextafter(p, 1e300), -p, 5 * p, 2.5 * p}) {
      values.push_back(v);
    }
  }
  for (double v : values) {
    SCOPED_TRACE(Library17(v));
    EXPECT_EQ(FormatDouble17(v), Library17(v));
  }
}

TEST(Double17, SameTextAsTheLibraryOnASweep) {
  struct Range {
    double lo, hi;
    const char* source;
  };
  const Range kRanges[] = {{0, 360, "longitudes"},
                           {-2, 2, "daily motions"},
                           {2e6, 3e6, "day counts"},
                           {-1e-3, 1e-3, "small values"},
                           {-1e17, 1e17, "large values"}};
  std::mt19937_64 rng(5);
  for (const Range& r : kRanges) {
    SCOPED_TRACE(r.source);
    std::uniform_real_distribution<double> pick(r.lo, r.hi);
    int mismatches = 0;
    for (int i = 0; i < 20000; ++i) {
      const double v = pick(rng);
      mismatches += FormatDouble17(v) != Library17(v);
    }
    EXPECT_EQ(mismatches, 0);
  }
  int mismatches = 0;  // any bit pattern at all
  for (int i = 0; i < 50000; ++i) {
    const std::uint64_t bits = rng();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    mismatches += FormatDouble17(v) != Library17(v);
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(JsonWriterOneLine, SameTokensWithoutBlanks) {
  auto write = [](JsonWriter& w) {
    w.BeginObject();
    w.Field("a", 1);
    w.Key("list");
    w.BeginArray();
    w.Double(-77.2);
    w.Null();
    w.BeginObject();
    w.EndObject();
    w.EndArray();
    w.Field("s", "x \"y\"");
    w.Key("needs \"escape\"");
    w.Bool(false);
    w.EndObject();
  };
  JsonWriter oneLine(JsonWriter::Layout::OneLine), indented;
  write(oneLine);
  write(indented);
  EXPECT_EQ(oneLine.Text(),
            "{\"a\":1,\"list\":[-77.200000000000003,null,{}],\"s\":\"x \\\"y\\\"\","
            "\"needs \\\"escape\\\"\":false}\n");
  // The indented text is the same once blanks outside strings are gone.
  std::string squeezed;
  bool inString = false;
  for (std::size_t i = 0; i < indented.Text().size(); ++i) {
    const char c = indented.Text()[i];
    if (c == '"' && (i == 0 || indented.Text()[i - 1] != '\\')) inString = !inString;
    if (inString || (c != ' ' && c != '\n')) squeezed += c;
  }
  EXPECT_EQ(squeezed + "\n", oneLine.Text());
  oneLine.Clear();
  oneLine.BeginArray();
  oneLine.EndArray();
  EXPECT_EQ(oneLine.Text(), "[]\n");
}

TEST(JsonWriterOneLine, EveryByteEscapedWhereverItStands) {
  // Names and texts are checked for bytes to escape a word at a time; a
  // byte that needs it must be found at every position of a word and after.
  const char kNeedy[] = {'"', '\\', '\n', '\x01', '\x1f', '\x7f', '\xc3', '\xff'};
  for (char needy : kNeedy) {
    for (std::size_t length = 1; length <= 19; ++length) {
      for (std::size_t at = 0; at < length; ++at) {
        std::string text(length, 'a');
        text[at] = needy;
        SCOPED_TRACE(testing::Message()
                     << int(static_cast<unsigned char>(needy)) << " at " << at << " of " << length);
        JsonWriter w(JsonWriter::Layout::OneLine);
        w.BeginObject();
        w.Field(text, text);
        w.EndObject();
        const std::string e = EscapeJsonString(text);
        EXPECT_EQ(w.Text(), "{\"" + e + "\":\"" + e + "\"}\n");
      }
    }
  }
}

TEST(JsonMembers, PickWalkAndRead) {
  const std::string json =
      "{\"a\": 1, \"b\": {\"c\": [true, null, \"x\\\"\\u00e9\"]}, \"d\": -2.5e-07, \"e\": []}";
  EXPECT_EQ(ObjectMemberNames(json), (std::vector<std::string>{"a", "b", "d", "e"}));

  struct Pick {
    std::vector<std::string> keep;
    const char* expected;
  };
  const Pick kPicks[] = {{{"d", "a"}, "{\"a\":1,\"d\":-2.5e-07}\n"},
                         {{"b"}, "{\"b\":{\"c\": [true, null, \"x\\\"\\u00e9\"]}}\n"},
                         {{"zz"}, "{}\n"}};
  for (const Pick& p : kPicks) {
    SCOPED_TRACE(p.expected);
    std::string out;
    EXPECT_TRUE(AppendObjectWithMembers(out, json, p.keep));
    EXPECT_EQ(out, p.expected);
  }

  std::vector<std::pair<std::string, std::string>> seen;
  EXPECT_TRUE(ForEachScalar(json, [&seen](std::string_view path, std::string_view token) {
    seen.emplace_back(path, token);
  }));
  const std::vector<std::pair<std::string, std::string>> expected = {{"a", "1"},
                                                                     {"b.c.0", "true"},
                                                                     {"b.c.1", "null"},
                                                                     {"b.c.2", "\"x\\\"\\u00e9\""},
                                                                     {"d", "-2.5e-07"}};
  EXPECT_EQ(seen, expected);

  std::vector<std::string> inB;
  EXPECT_TRUE(ForEachScalarIn(json, {"b", "zz"}, [&inB](std::string_view path, std::string_view) {
    inB.emplace_back(path);
  }));
  EXPECT_EQ(inB, (std::vector<std::string>{"b.c.0", "b.c.1", "b.c.2"}));

  struct Text {
    const char* token;
    const char* text;
  };
  const Text kTexts[] = {{"null", ""},
                         {"true", "true"},
                         {"-2.5e-07", "-2.5e-07"},
                         {"\"x\\\"\\u00e9\"", "x\"\xc3\xa9"},
                         {"\"a\\\\b\\n\"", "a\\b\n"}};
  for (const Text& t : kTexts) {
    SCOPED_TRACE(t.token);
    EXPECT_EQ(ScalarText(t.token), t.text);
  }
}

TEST(JsonMembers, MalformedTextReportsFalse) {
  for (const char* bad : {"{\"a\":", "{\"a\" 1}", "[1,2", "{\"a\":\"open}"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(ForEachScalar(bad, [](std::string_view, std::string_view) {}));
  }
}

}  // namespace
}  // namespace sarvexa::cli
