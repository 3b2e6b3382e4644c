#pragma once
// Comma-separated records read as a stream, and single fields written back.
// Input follows the common spreadsheet form: fields may be quoted, a quote
// inside a quoted field is doubled, quoted fields may hold commas and line
// breaks, lines end in LF or CR LF, and a UTF-8 byte-order mark before the
// first record is dropped.

#include <cstddef>
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/result.h"

namespace sarvexa::cli {

/// One record. A record that broke the form still comes back, with its
/// fields as far as they could be told apart and `error` saying what was
/// wrong, so that a reader can count it and carry on.
struct CsvRecord {
  std::vector<std::string> fields;
  std::string error;  ///< empty for a well-formed record
};

class CsvRecordReader {
 public:
  /// A record longer than this is cut off (and reported), so that a missing
  /// closing quote cannot make the reader hold the rest of the input.
  static constexpr std::size_t kMaxRecordBytes = 64 * 1024;
  /// A record still going on after this many bytes ends the reading: the
  /// input is no CSV text (a device, a binary file), and an endless one
  /// (/dev/zero as standard input) would never reach its end.
  static constexpr std::size_t kMaxRunBytes = 1024 * 1024;

  /// Fills `into` with up to `room` bytes of the input: how many, 0 at its
  /// end, or why it could not be read.
  using ByteSource = std::function<Result<std::size_t>(char* into, std::size_t room)>;

  explicit CsvRecordReader(ByteSource source) : source_(std::move(source)) {}
  /// Reads a stream; a stream that goes bad is a read failure.
  explicit CsvRecordReader(std::istream& in);

  /// Reads the next record into `record` (reusing its memory). False at the
  /// end of the input, when no record is left.
  bool Next(CsvRecord& record);

  /// True once the input could not be read on (not its end).
  bool ReadFailed() const { return readFailed_; }
  /// True once a record ran past kMaxRunBytes: that record came back with
  /// its error, and no record follows.
  bool Stopped() const { return stopped_; }

 private:
  int Peek();
  int Take();

  ByteSource source_;
  std::vector<char> buffer_ = std::vector<char>(64 * 1024);
  std::size_t pos_ = 0, end_ = 0;
  bool atStart_ = true;
  bool eof_ = false;
  bool readFailed_ = false;
  bool stopped_ = false;
};

/// `text` as one CSV field: quoted (with quotes doubled) when it holds a
/// comma, a quote, a line break or leading or trailing blanks; as it is
/// otherwise.
void AppendCsvField(std::string& out, std::string_view text);

}  // namespace sarvexa::cli
