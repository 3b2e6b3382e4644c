#include "cli/json_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace sarvexa::cli {
namespace {

// Length of the valid UTF-8 sequence starting at text[i], or 0 if invalid
// (overlong forms, surrogates and code points above U+10FFFF are invalid).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  std::size_t len;
  unsigned lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF)
    len = 2;
  else if (b0 == 0xE0) {
    len = 3;
    lo = 0xA0;
  } else if (b0 >= 0xE1 && b0 <= 0xEC)
    len = 3;
  else if (b0 == 0xED) {
    len = 3;
    hi = 0x9F;
  } else if (b0 >= 0xEE && b0 <= 0xEF)
    len = 3;
  else if (b0 == 0xF0) {
    len = 4;
    lo = 0x90;
  } else if (b0 >= 0xF1 && b0 <= 0xF3)
    len = 4;
  else if (b0 == 0xF4) {
    len = 4;
    hi = 0x8F;
  } else
    return 0;
  if (i + len > text.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    const unsigned l = k == 1 ? lo : 0x80, h = k == 1 ? hi : 0xBF;
    if (b < l || b > h) return 0;
  }
  return len;
}

// The 17 significant digits of |value| as an integer 10^16 <= n < 10^17,
// correctly rounded (ties to even), with `exponent` the decimal exponent of
// the first digit. False when the value is outside the range where 128-bit
// integers hold the exact product (below 1e-11 or from 1e17 on), or zero,
// or not a normal number; the caller then takes the library's routine.
constexpr auto kPowersOfFive = [] {
  std::array<std::uint64_t, 28> powers{};  // 5^27 < 2^63
  std::uint64_t p = 1;
  for (std::uint64_t& q : powers) {
    q = p;
    p *= 5;
  }
  return powers;
}();

bool SeventeenDigits(double value, std::uint64_t& n, int& exponent) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  if (biased == 0 || biased == 0x7FF) return false;
  // |value| = mantissa * 2^shift exactly, 2^52 <= mantissa < 2^53.
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int shift = biased - 1075;
  constexpr std::uint64_t kLow = 10'000'000'000'000'000ULL;  // 10^16
  constexpr std::uint64_t kHigh = 10 * kLow;                 // 10^17
  // floor(log10 |value|), or one below: log10(2) ~ 78913 / 2^18.
  int k = ((shift + 52) * 78913) >> 18;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int s = 16 - k;  // |value| * 10^s has 17 digits before the point
    if (s < 0 || s > 27) return false;
    const unsigned __int128 product = static_cast<unsigned __int128>(mantissa) * kPowersOfFive[s];
    const int t = shift + s;  // |value| * 10^s = product * 2^t
    unsigned __int128 whole;
    bool above = false, half = false;  // the part cut off, against one half
    if (t >= 0) {
      if (t >= 64 || (product >> (64 - t)) != 0) {  // 2^64 or more: too many digits
        ++k;
        continue;
      }
      whole = product << t;
    } else {
      const int cut = -t;
      if (cut >= 127) return false;
      whole = product >> cut;
      const unsigned __int128 rest = product - (whole << cut);
      const unsigned __int128 halfUnit = static_cast<unsigned __int128>(1) << (cut - 1);
      above = rest > halfUnit;
      half = rest == halfUnit;
    }
    if (whole < kLow) {
      --k;
      continue;
    }
    if (whole >= kHigh) {
      ++k;
      continue;
    }
    n = static_cast<std::uint64_t>(whole);
    if (above || (half && (n & 1))) ++n;
    exponent = k;
    if (n == kHigh) {
      n = kLow;
      exponent = k + 1;
    }
    return true;
  }
  return false;
}

// Writes FormatDouble17(value) at `p` (at most 32 characters, but it may
// write scratch bytes up to 48 characters on); returns the end.
char* PutDouble17(char* p, double value) {
  if (value == 0.0) {  // common in the tables, and outside SeventeenDigits' range
    if (std::signbit(value)) *p++ = '-';
    *p++ = '0';
    return p;
  }
  std::uint64_t n = 0;
  int x = 0;
  if (!std::isfinite(value) || !SeventeenDigits(value, n, x)) {
    return std::to_chars(p, p + 40, value, std::chars_format::general, 17).ptr;
  }
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  // One digit, then two blocks of eight, each block as four pairs.
  char digits[17 + 16] = {};  // room for the fixed-length copies below
  auto putEight = [](char* to, std::uint32_t block) {
    const std::uint32_t high = block / 10000, low = block % 10000;
    std::memcpy(to, kPairs + 2 * (high / 100), 2);
    std::memcpy(to + 2, kPairs + 2 * (high % 100), 2);
    std::memcpy(to + 4, kPairs + 2 * (low / 100), 2);
    std::memcpy(to + 6, kPairs + 2 * (low % 100), 2);
  };
  const std::uint64_t upper = n / 100'000'000;  // nine digits
  digits[0] = static_cast<char>('0' + upper / 100'000'000);
  putEight(digits + 1, static_cast<std::uint32_t>(upper % 100'000'000));
  putEight(digits + 9, static_cast<std::uint32_t>(n % 100'000'000));
  int used = 17;  // %g drops trailing zeros of the fraction
  if (std::signbit(value)) *p++ = '-';
  // Copies of a fixed 16 bytes compile to two moves; the caller's buffer
  // has room for the overrun.
  auto copy = [&p](const char* from, int count) {
    std::memcpy(p, from, 16);
    if (count > 16) p[16] = from[16];
    p += count;
  };
  if (x >= -4 && x < 17) {
    if (x >= 0) {
      while (used > x + 1 && digits[used - 1] == '0') --used;
      copy(digits, x + 1);
      if (used > x + 1) {
        *p++ = '.';
        copy(digits + x + 1, used - x - 1);
      }
    } else {
      while (digits[used - 1] == '0') --used;
      *p++ = '0';
      *p++ = '.';
      for (int z = 0; z < -x - 1; ++z) *p++ = '0';
      copy(digits, used);
    }
  } else {
    while (used > 1 && digits[used - 1] == '0') --used;
    *p++ = digits[0];
    if (used > 1) {
      *p++ = '.';
      copy(digits + 1, used - 1);
    }
    const int e = x < 0 ? -x : x;
    *p++ = 'e';
    *p++ = x < 0 ? '-' : '+';
    if (e >= 100) *p++ = static_cast<char>('0' + e / 100);
    *p++ = static_cast<char>('0' + e / 10 % 10);
    *p++ = static_cast<char>('0' + e % 10);
  }
  return p;
}

// Bytes that a JSON string cannot hold as they are: control characters,
// quote, backslash, DEL and everything above ASCII (checked as UTF-8).
constexpr auto kNotPlain = [] {
  std::array<bool, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = c < 0x20 || c >= 0x7F || c == '"' || c == '\\';
  return table;
}();

// Eight bytes at a time: a byte above ASCII, below 0x20, or equal to
// '"', '\\' or DEL anywhere in a word marks it (each test is exact for "is
// there such a byte"), then the bytes left over one by one.
bool IsPlain(std::string_view text) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL, kHigh = 0x8080808080808080ULL;
  auto hasZero = [](std::uint64_t v) { return (v - kOnes) & ~v & kHigh; };
  std::uint64_t notPlain = 0;
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t x;
    std::memcpy(&x, text.data() + i, 8);
    notPlain |= (x & kHigh) | ((x - kOnes * 0x20) & ~x & kHigh) | hasZero(x ^ (kOnes * '"')) |
                hasZero(x ^ (kOnes * '\\')) | hasZero(x ^ (kOnes * 0x7F));
  }
  for (; i < text.size(); ++i) notPlain |= kNotPlain[static_cast<unsigned char>(text[i])];
  return notPlain == 0;
}

}  // namespace

void AppendDouble17(std::string& out, double value) {
  char text[64];
  out.append(text, PutDouble17(text, value));
}

std::string FormatDouble17(double value) {
  std::string out;
  AppendDouble17(out, value);
  return out;
}

std::string EscapeJsonString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  AppendEscapedJsonString(out, text);
  return out;
}

void AppendEscapedJsonString(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    // Runs of printable ASCII, the usual case, go over in one piece.
    std::size_t plain = i;
    while (plain < text.size() && !kNotPlain[static_cast<unsigned char>(text[plain])]) ++plain;
    if (plain > i) {
      out.append(text.data() + i, plain - i);
      i = plain;
      if (i == text.size()) break;
    }
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      const std::size_t len = Utf8SequenceLength(text, i);
      if (len == 0) {
        out += "\\ufffd";
        ++i;
      } else {
        out.append(text.substr(i, len));
        i += len;
      }
      continue;
    }
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      default: {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", c);
        out += buf;
      }
    }
    ++i;
  }
}

void AppendValidUtf8(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      out += text[i++];
      continue;
    }
    const std::size_t len = Utf8SequenceLength(text, i);
    if (len == 0) {
      out += "\xEF\xBF\xBD";  // U+FFFD
      ++i;
    } else {
      out.append(text.substr(i, len));
      i += len;
    }
  }
}

void JsonWriter::Clear() {
  length_ = 0;
  stack_.clear();
  afterKey_ = false;
  keep_ = nullptr;
  skipping_ = false;
  skipNesting_ = 0;
  SendScalarsTo(nullptr);
}

void JsonWriter::SendScalarsTo(const ScalarSink* sink) {
  sink_ = sink;
  diverted_ = skipping_ || sink_ != nullptr;
  sinkPath_.clear();
  sinkFrames_.clear();
}

bool JsonWriter::Skipping(int nesting) {
  if (!skipping_) return false;
  skipNesting_ += nesting;
  if (skipNesting_ == 0) {  // the member left out is complete
    skipping_ = false;
    diverted_ = sink_ != nullptr;
  }
  return true;
}

void JsonWriter::EnterSinkValue() {
  if (sinkFrames_.empty() || !sinkFrames_.back().isArray) return;
  SinkFrame& frame = sinkFrames_.back();
  sinkPath_.resize(frame.pathBase);
  if (!sinkPath_.empty()) sinkPath_ += '.';
  char index[16];
  sinkPath_.append(index, std::to_chars(index, index + sizeof index, frame.next++).ptr);
}

void JsonWriter::SinkScalar(std::string_view text) {
  EnterSinkValue();
  (*sink_)(sinkPath_, text);
}

const std::string& JsonWriter::Text() const {
  out_.resize(length_);
  return out_;
}

char* JsonWriter::Grow(std::size_t n) {
  // Grown to the whole capacity at once, so that the next tokens find room.
  out_.resize(std::max(length_ + n, std::max<std::size_t>(out_.capacity(), 256)));
  if (out_.size() < out_.capacity()) out_.resize(out_.capacity());
  return out_.data() + length_;
}

void JsonWriter::Put(std::string_view text) {
  char* p = Reserve(text.size());
  std::memcpy(p, text.data(), text.size());
  length_ += text.size();
}

void JsonWriter::Put(char c) {
  *Reserve(1) = c;
  ++length_;
}

void JsonWriter::PutEscaped(std::string_view text) {
  if (IsPlain(text)) {
    Put(text);
    return;
  }
  std::string escaped;
  AppendEscapedJsonString(escaped, text);
  Put(escaped);
}

void JsonWriter::Newline() {
  if (oneLine_) return;
  const std::size_t n = 1 + 2 * stack_.size();
  char* p = Reserve(n);
  p[0] = '\n';
  std::memset(p + 1, ' ', n - 1);
  length_ += n;
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!stack_.empty()) {
    if (!stack_.back().empty) Put(',');
    stack_.back().empty = false;
    Newline();
  }
}

void JsonWriter::Key(std::string_view name) {
  if (keep_ || diverted_) [[unlikely]] {
    if (skipping_) return;
    const std::size_t depth = sink_ ? sinkFrames_.size() : stack_.size();
    if (keep_ && depth == 1 && std::find(keep_->begin(), keep_->end(), name) == keep_->end()) {
      skipping_ = true;  // pass over this member's value
      skipNesting_ = 0;
      diverted_ = true;
      return;
    }
    if (sink_) {
      sinkPath_.resize(sinkFrames_.empty() ? 0 : sinkFrames_.back().pathBase);
      if (!sinkPath_.empty()) sinkPath_ += '.';
      sinkPath_ += name;
      return;
    }
  }
  BeforeValue();  // a key is never after a key: this writes the separator
  afterKey_ = false;
  if (name.size() <= 64 && IsPlain(name)) {
    char* p = Reserve(name.size() + 4);
    *p++ = '"';
    std::memcpy(p, name.data(), name.size());
    p += name.size();
    *p++ = '"';
    *p++ = ':';
    if (!oneLine_) *p++ = ' ';
    length_ = static_cast<std::size_t>(p - out_.data());
  } else {
    Put('"');
    PutEscaped(name);
    Put(oneLine_ ? "\":" : "\": ");
  }
  afterKey_ = true;
}

void JsonWriter::Open(char bracket) {
  if (diverted_) [[unlikely]] {
    if (!Skipping(1)) {
      EnterSinkValue();
      sinkFrames_.push_back({sinkPath_.size(), bracket == '[', 0});
    }
    return;
  }
  BeforeValue();
  Put(bracket);
  stack_.push_back({bracket == '{', true});
}

void JsonWriter::Close(char bracket) {
  if (diverted_) [[unlikely]] {
    if (!Skipping(-1)) {
      if (!sinkFrames_.empty()) sinkFrames_.pop_back();
    }
    return;
  }
  const bool wasEmpty = stack_.empty() || stack_.back().empty;
  if (!stack_.empty()) stack_.pop_back();
  if (!wasEmpty) Newline();
  Put(bracket);
  if (stack_.empty()) Put('\n');
}

void JsonWriter::BeginObject() { Open('{'); }
void JsonWriter::EndObject() { Close('}'); }
void JsonWriter::BeginArray() { Open('['); }
void JsonWriter::EndArray() { Close(']'); }

void JsonWriter::String(std::string_view text) {
  if (diverted_) [[unlikely]] {
    if (!Skipping(0)) {
      sinkText_.clear();
      AppendValidUtf8(sinkText_, text);
      SinkScalar(sinkText_);
    }
    return;
  }
  BeforeValue();
  Put('"');
  PutEscaped(text);
  Put('"');
}

void JsonWriter::Double(double value) {
  if (!std::isfinite(value)) {
    Null();
    return;
  }
  if (diverted_) [[unlikely]] {
    if (!Skipping(0)) {
      char text[64];
      SinkScalar(std::string_view(text, static_cast<std::size_t>(PutDouble17(text, value) - text)));
    }
    return;
  }
  BeforeValue();
  char* p = Reserve(64);
  length_ = static_cast<std::size_t>(PutDouble17(p, value) - out_.data());
}

void JsonWriter::Int(std::int64_t value) {
  if (diverted_) [[unlikely]] {
    if (!Skipping(0)) {
      char text[24];
      SinkScalar(std::string_view(
          text,
          static_cast<std::size_t>(std::to_chars(text, text + sizeof text, value).ptr - text)));
    }
    return;
  }
  BeforeValue();
  char* p = Reserve(24);
  if (value >= 0 && value < 100) {  // signs, lords, flags, minutes: most of the integers
    if (value >= 10) *p++ = static_cast<char>('0' + value / 10);
    *p++ = static_cast<char>('0' + value % 10);
  } else {
    p = std::to_chars(p, p + 24, value).ptr;
  }
  length_ = static_cast<std::size_t>(p - out_.data());
}

void JsonWriter::Bool(bool value) {
  if (diverted_) [[unlikely]] {
    if (!Skipping(0)) {
      SinkScalar(value ? std::string_view("true") : std::string_view("false"));
    }
    return;
  }
  BeforeValue();
  Put(value ? std::string_view("true") : std::string_view("false"));
}

void JsonWriter::Null() {
  if (diverted_) [[unlikely]] {
    if (!Skipping(0)) {
      SinkScalar({});
    }
    return;
  }
  BeforeValue();
  Put(std::string_view("null"));
}

}  // namespace sarvexa::cli
