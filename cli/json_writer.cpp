#include "cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace sarvexa::cli {
namespace {

// Length of the valid UTF-8 sequence starting at text[i], or 0 if invalid
// (overlong forms, surrogates and code points above U+10FFFF are invalid).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  std::size_t len;
  unsigned lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) len = 2;
  else if (b0 == 0xE0) { len = 3; lo = 0xA0; }
  else if (b0 >= 0xE1 && b0 <= 0xEC) len = 3;
  else if (b0 == 0xED) { len = 3; hi = 0x9F; }
  else if (b0 >= 0xEE && b0 <= 0xEF) len = 3;
  else if (b0 == 0xF0) { len = 4; lo = 0x90; }
  else if (b0 >= 0xF1 && b0 <= 0xF3) len = 4;
  else if (b0 == 0xF4) { len = 4; hi = 0x8F; }
  else return 0;
  if (i + len > text.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    const unsigned l = k == 1 ? lo : 0x80, h = k == 1 ? hi : 0xBF;
    if (b < l || b > h) return 0;
  }
  return len;
}

}  // namespace

std::string FormatDouble17(double value) {
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 17);
  return std::string(buf, res.ptr);
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
    while (plain < text.size()) {
      const auto c = static_cast<unsigned char>(text[plain]);
      if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') break;
      ++plain;
    }
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
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default: {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", c);
        out += buf;
      }
    }
    ++i;
  }
}

void JsonWriter::Clear() {
  out_.clear();
  stack_.clear();
  afterKey_ = false;
}

void JsonWriter::Newline() {
  if (oneLine_) return;
  out_ += '\n';
  out_.append(2 * stack_.size(), ' ');
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!stack_.empty()) {
    if (!stack_.back().empty) out_ += ',';
    stack_.back().empty = false;
    Newline();
  }
}

void JsonWriter::Key(std::string_view name) {
  if (!stack_.empty()) {
    if (!stack_.back().empty) out_ += ',';
    stack_.back().empty = false;
    Newline();
  }
  out_ += '"';
  AppendEscapedJsonString(out_, name);
  out_ += oneLine_ ? "\":" : "\": ";
  afterKey_ = true;
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  out_ += bracket;
  stack_.push_back({bracket == '{', true});
}

void JsonWriter::Close(char bracket) {
  const bool wasEmpty = stack_.empty() || stack_.back().empty;
  if (!stack_.empty()) stack_.pop_back();
  if (!wasEmpty) Newline();
  out_ += bracket;
  if (stack_.empty()) out_ += '\n';
}

void JsonWriter::BeginObject() { Open('{'); }
void JsonWriter::EndObject() { Close('}'); }
void JsonWriter::BeginArray() { Open('['); }
void JsonWriter::EndArray() { Close(']'); }

void JsonWriter::String(std::string_view text) {
  BeforeValue();
  out_ += '"';
  AppendEscapedJsonString(out_, text);
  out_ += '"';
}

void JsonWriter::Double(double value) {
  if (!std::isfinite(value)) {
    Null();
    return;
  }
  BeforeValue();
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 17);
  out_.append(buf, res.ptr);
}

void JsonWriter::Int(std::int64_t value) {
  BeforeValue();
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  out_.append(buf, res.ptr);
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
}

void JsonWriter::Null() {
  BeforeValue();
  out_ += "null";
}

}  // namespace sarvexa::cli
