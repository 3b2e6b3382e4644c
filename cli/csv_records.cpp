#include "cli/csv_records.h"

namespace sarvexa::cli {

CsvRecordReader::CsvRecordReader(std::istream& in)
    : source_([&in](char* into, std::size_t room) -> Result<std::size_t> {
        in.read(into, static_cast<std::streamsize>(room));
        const auto got = static_cast<std::size_t>(in.gcount());
        // What was read before the stream went bad still counts.
        if (got == 0 && in.bad()) return Fail("the input could not be read");
        return got;
      }) {}

int CsvRecordReader::Peek() {
  if (pos_ == end_) {
    if (eof_) return -1;
    const Result<std::size_t> got = source_(buffer_.data(), buffer_.size());
    pos_ = 0;
    end_ = got ? *got : 0;
    if (!got) readFailed_ = true;
    if (end_ == 0) {
      eof_ = true;
      return -1;
    }
  }
  return static_cast<unsigned char>(buffer_[pos_]);
}

int CsvRecordReader::Take() {
  const int c = Peek();
  if (c >= 0) ++pos_;
  return c;
}

bool CsvRecordReader::Next(CsvRecord& record) {
  if (atStart_) {
    atStart_ = false;
    // A byte-order mark labels the encoding; it is not part of the first
    // name. The first fill holds the whole start of the input.
    if (Peek() >= 0 && end_ >= 3 && static_cast<unsigned char>(buffer_[0]) == 0xEF &&
        static_cast<unsigned char>(buffer_[1]) == 0xBB &&
        static_cast<unsigned char>(buffer_[2]) == 0xBF) {
      pos_ = 3;
    }
  }
  if (stopped_ || Peek() < 0) return false;

  record.error.clear();
  std::size_t used = 0;  // fields of record.fields in use; their strings are reused
  std::size_t bytes = 0;
  auto newField = [&]() -> std::string& {
    if (used == record.fields.size()) record.fields.emplace_back();
    std::string& f = record.fields[used++];
    f.clear();
    return f;
  };
  auto fail = [&](const char* why) {
    if (record.error.empty()) record.error = why;
  };

  std::string* field = &newField();
  // Past the length limit the record is only read to its end, not kept.
  auto append = [&](int c) {
    if (bytes <= kMaxRecordBytes) *field += static_cast<char>(c);
  };
  bool quoted = false;      // inside a quoted part
  bool wasQuoted = false;   // this field began with a quote
  bool afterQuote = false;  // a quoted part has just closed
  for (;;) {
    const int c = Take();
    if (c < 0) {
      if (quoted) fail("a quoted field has no closing quote");
      break;
    }
    if (++bytes > kMaxRecordBytes) fail("the record is longer than 65536 bytes");
    if (bytes > kMaxRunBytes) {
      record.error =
          "the record runs past 1048576 bytes without ending; the rest of the input is not read";
      stopped_ = true;
      break;
    }
    if (quoted) {
      if (c == '"') {
        if (Peek() == '"') {
          Take();
          append('"');
        } else {
          quoted = false;
          afterQuote = true;
        }
      } else {
        append(c);
      }
      continue;
    }
    if (c == ',') {
      if (bytes > kMaxRecordBytes) continue;
      field = &newField();
      wasQuoted = afterQuote = false;
      continue;
    }
    if (c == '\n') break;
    if (c == '\r' && Peek() == '\n') continue;  // CR LF: the LF ends the record
    if (c == '"' && field->empty() && !wasQuoted) {
      quoted = wasQuoted = true;
      continue;
    }
    if (afterQuote || c == '"') {
      fail("a quote stands inside an unquoted field or after a closing quote");
    }
    append(c);
  }
  record.fields.resize(used);
  return true;
}

void AppendCsvField(std::string& out, std::string_view text) {
  bool quote = !text.empty() && (text.front() == ' ' || text.back() == ' ' ||
                                 text.front() == '\t' || text.back() == '\t');
  for (char c : text) {
    if (c == ',' || c == '"' || c == '\n' || c == '\r') {
      quote = true;
      break;
    }
  }
  if (!quote) {
    out += text;
    return;
  }
  out += '"';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace sarvexa::cli
