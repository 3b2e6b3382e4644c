#include "document/chart_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#include <unistd.h>

#include "document/utf8.h"

namespace sarvexa {

// ---------------------------------------------------------------- encodings

namespace {

// Code points of the Windows-1252 bytes 0x80..0x9F. The five bytes the code
// page leaves unassigned map to the C1 control of the same value, so that
// any byte read from a file is kept and written back unchanged.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<unsigned char> Cp1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
    if (kCp1252High[i] == cp) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> Utf8ToWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  bool valid = true;
  while (pos < text.size()) {
    const char32_t cp = utf8::Next(text, pos, valid);
    if (!valid) return std::nullopt;
    auto b = Cp1252Byte(cp);
    if (!b) return std::nullopt;
    out += static_cast<char>(*b);
  }
  return out;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    const char32_t cp = (b >= 0x80 && b <= 0x9F) ? kCp1252High[b - 0x80] : b;
    utf8::Append(out, cp);
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  bool valid = true;
  while (pos < text.size()) {
    const char32_t cp = utf8::Next(text, pos, valid);
    if (cp < 0x10000) {
      out += static_cast<char16_t>(cp);
    } else {
      const char32_t v = cp - 0x10000;
      out += static_cast<char16_t>(0xD800 + (v >> 10));
      out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  // A lone surrogate (a damaged or cut name) reads as U+FFFD, so one bad
  // character never keeps the whole chart from opening.
  constexpr char32_t kReplacement = 0xFFFD;
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) {
        utf8::Append(out, kReplacement);
        continue;
      }
      const char32_t cp = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
                          (static_cast<char32_t>(text[i + 1]) - 0xDC00);
      utf8::Append(out, cp);
      ++i;
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      utf8::Append(out, kReplacement);
    } else {
      utf8::Append(out, u);
    }
  }
  return out;
}

// ---------------------------------------------------------------- writing

namespace {

class ByteWriter {
 public:
  void u8(std::uint8_t v) { out_ += static_cast<char>(v); }
  void u16(std::uint16_t v) {
    u8(static_cast<std::uint8_t>(v & 0xFF));
    u8(static_cast<std::uint8_t>(v >> 8));
  }
  void u32(std::uint32_t v) {
    u16(static_cast<std::uint16_t>(v & 0xFFFF));
    u16(static_cast<std::uint16_t>(v >> 16));
  }
  void u64(std::uint64_t v) {
    u32(static_cast<std::uint32_t>(v & 0xFFFFFFFFu));
    u32(static_cast<std::uint32_t>(v >> 32));
  }
  void f64(double v) { u64(std::bit_cast<std::uint64_t>(v)); }

  void length(std::uint64_t n) {
    if (n < 0xFF) {
      u8(static_cast<std::uint8_t>(n));
      return;
    }
    u8(0xFF);
    if (n < 0xFFFE) {
      u16(static_cast<std::uint16_t>(n));
      return;
    }
    u16(0xFFFF);
    if (n < 0xFFFFFFFFu) {
      u32(static_cast<std::uint32_t>(n));
      return;
    }
    u32(0xFFFFFFFFu);
    u64(n);
  }

  // 8-bit Windows-1252 when every character fits, else the wide form.
  void text(const std::string& utf8Text) {
    if (auto narrow = Utf8ToWindows1252(utf8Text)) {
      length(narrow->size());
      out_ += *narrow;
      return;
    }
    const std::u16string wide = Utf8ToUtf16(utf8Text);
    u8(0xFF);
    u16(0xFFFE);
    length(wide.size());
    for (char16_t c : wide) u16(static_cast<std::uint16_t>(c));
  }

  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

constexpr std::string_view kFileTag = "SRVX";
constexpr double kFormatVersion = 0.01;
// Field 10 counts centuries from JD 2415020.0, one century before the
// chart record's epoch JD 2451545.0.
constexpr double kEpochDifferenceCenturies = 1.0;
// Marks the optional zone-name trailer after the last field.
constexpr std::string_view kZoneTrailerTag = "SVXZ";

// The longest zone name the trailer holds; with its tag and one length byte
// it makes kMaxBytesAfterLastField.
constexpr std::size_t kMaxZoneNameChars = 64;
static_assert(kZoneTrailerTag.size() + 1 + kMaxZoneNameChars == kMaxBytesAfterLastField);

// IANA zone names are ASCII letters, digits and "/_+-"; anything else in a
// trailer means it is not ours.
bool IsZoneName(std::string_view name) {
  if (name.empty() || name.size() > kMaxZoneNameChars) return false;
  for (char c : name) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                    c == '/' || c == '_' || c == '+' || c == '-';
    if (!ok) return false;
  }
  return true;
}

}  // namespace

std::string EncodeChartFile(const ChartFileRecord& r) {
  ByteWriter w;
  w.text(std::string(kFileTag));
  w.f64(kFormatVersion);
  w.text(r.firstName);
  w.text(r.lastName);
  w.text(r.place);
  const Horoscope& h = r.horoscope;
  w.f64(h.universalTime);
  w.f64(h.zone);
  w.u16(static_cast<std::uint16_t>(h.dst));
  w.u32(static_cast<std::uint32_t>(h.julianDay));
  w.f64(h.julianCenturies + kEpochDifferenceCenturies);
  w.f64(h.ayanamsaCorrection);
  w.f64(h.longitude);
  w.f64(h.latitude);
  if (IsZoneName(r.zoneName)) {
    std::string bytes = w.take();
    bytes += kZoneTrailerTag;
    ByteWriter trailer;
    trailer.text(r.zoneName);
    return bytes + trailer.take();
  }
  return w.take();
}

// ---------------------------------------------------------------- reading

namespace {

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  std::size_t remaining() const { return bytes_.size() - pos_; }

  // Consumes `literal` when the next bytes are exactly it.
  bool literal(std::string_view literal) {
    if (bytes_.substr(pos_, literal.size()) != literal) return false;
    pos_ += literal.size();
    return true;
  }

  bool u8(std::uint8_t& v) {
    if (remaining() < 1) return false;
    v = static_cast<std::uint8_t>(bytes_[pos_++]);
    return true;
  }
  // Little-endian unsigned value of `size` bytes.
  bool little(std::uint64_t& v, std::size_t size) {
    if (remaining() < size) return false;
    v = 0;
    for (std::size_t k = 0; k < size; ++k)
      v |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[pos_ + k])) << (8 * k);
    pos_ += size;
    return true;
  }
  bool u16(std::uint16_t& v) {
    std::uint64_t x = 0;
    if (!little(x, 2)) return false;
    v = static_cast<std::uint16_t>(x);
    return true;
  }
  bool u32(std::uint32_t& v) {
    std::uint64_t x = 0;
    if (!little(x, 4)) return false;
    v = static_cast<std::uint32_t>(x);
    return true;
  }
  bool u64(std::uint64_t& v) { return little(v, 8); }
  bool f64(double& v) {
    std::uint64_t bits = 0;
    if (!u64(bits)) return false;
    v = std::bit_cast<double>(bits);
    return true;
  }
  // A number the chart is computed from must be an ordinary finite value.
  bool finite(double& v) { return f64(v) && std::isfinite(v); }

  // The length prefix after its first byte; `wide` is set by the FF FE FF tag.
  bool length(std::uint64_t& n, bool& wide) {
    wide = false;
    std::uint8_t b = 0;
    if (!u8(b)) return false;
    if (b < 0xFF) {
      n = b;
      return true;
    }
    std::uint16_t w = 0;
    if (!u16(w)) return false;
    if (w == 0xFFFE) {
      wide = true;
      bool again = false;
      if (!length(n, again)) return false;
      return !again;  // the tag appears once, before the length
    }
    if (w < 0xFFFF) {
      n = w;
      return true;
    }
    std::uint32_t d = 0;
    if (!u32(d)) return false;
    if (d < 0xFFFFFFFFu) {
      n = d;
      return true;
    }
    return u64(n);
  }

  bool text(std::string& out) {
    std::uint64_t n = 0;
    bool wide = false;
    if (!length(n, wide)) return false;
    // Check against what remains before allocating anything.
    if (wide) {
      if (n > remaining() / 2) return false;
      std::u16string units;
      units.reserve(static_cast<std::size_t>(n));
      for (std::uint64_t i = 0; i < n; ++i) {
        std::uint16_t u = 0;
        u16(u);
        units += static_cast<char16_t>(u);
      }
      out = Utf16ToUtf8(units);
      return true;
    }
    if (n > remaining()) return false;
    out = Windows1252ToUtf8(bytes_.substr(pos_, static_cast<std::size_t>(n)));
    pos_ += static_cast<std::size_t>(n);
    return true;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

}  // namespace

Result<ChartFileRecord> DecodeChartFile(std::string_view bytes) {
  ByteReader r(bytes);
  ChartFileRecord rec;
  std::string tag;
  double version = 0.0;
  std::uint16_t dst = 0;
  std::uint32_t julianDay = 0;
  double centuries1900 = 0.0;
  Horoscope& h = rec.horoscope;
  // Tag and version are read and dropped: any string and any value load,
  // but not both at once (below).
  const bool ok = r.text(tag) && r.f64(version) && r.text(rec.firstName) && r.text(rec.lastName) &&
                  r.text(rec.place) && r.finite(h.universalTime) && r.finite(h.zone) &&
                  r.u16(dst) && r.u32(julianDay) && r.finite(centuries1900) &&
                  r.finite(h.ayanamsaCorrection) && r.finite(h.longitude) && r.finite(h.latitude);
  // Past the last field a chart file holds at most the zone-name trailer;
  // shorter damage there is ignored as it always was, but a file that goes
  // on for longer was never a chart file: its "fields" are bytes of a text
  // or a picture that happened to decode.
  if (!ok || r.remaining() > kMaxBytesAfterLastField) return Fail(kChartFileFormatError);
  // Either the tag or the version may be damaged, as any other field; a
  // file with neither was not written as a chart file.
  if (tag != kFileTag &&
      std::bit_cast<std::uint64_t>(version) != std::bit_cast<std::uint64_t>(kFormatVersion))
    return Fail(kChartFileFormatError);
  h.dst = static_cast<std::int16_t>(dst);
  h.julianDay = static_cast<std::int32_t>(julianDay);
  h.julianCenturies = centuries1900 - kEpochDifferenceCenturies;
  std::string zoneName;
  if (r.literal(kZoneTrailerTag) && r.text(zoneName) && IsZoneName(zoneName)) {
    rec.zoneName = std::move(zoneName);
  }
  return rec;
}

}  // namespace sarvexa
