#pragma once
// A tiny JSON writer for the command-line tool's machine-readable output:
// objects, arrays, escaped strings, doubles that read back exactly, integers,
// booleans and null, indented two spaces per level, or all on one line for
// JSON Lines.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sarvexa::cli {

class JsonWriter {
 public:
  enum class Layout {
    Indented,  ///< one member or element per line, two spaces per level
    OneLine,   ///< no blanks between tokens: one line per outermost value
  };

  JsonWriter() = default;
  explicit JsonWriter(Layout layout) : oneLine_(layout == Layout::OneLine) {}

  /// Starts over, keeping the layout and the memory already taken; the
  /// member choice and the scalar sink below are dropped.
  void Clear();

  /// Writes, of the outermost object, only the members named in `names`
  /// (in the order they are written); the others are passed over unwritten.
  /// Null: every member.
  void KeepMembers(const std::vector<std::string>* names) { keep_ = names; }

  /// Receives the scalars of the value being written in place of its text.
  using ScalarSink = std::function<void(std::string_view path, std::string_view text)>;
  /// Instead of writing text, hands each string, number, true, false and null
  /// to `sink` with its path (member names and array indexes joined by '.',
  /// "positions.1.longitude") and its plain text: a string as the JSON text
  /// would read back (a byte sequence that is not UTF-8 as U+FFFD), a number
  /// or true/false as written, null as an empty text. Null: write text.
  void SendScalarsTo(const ScalarSink* sink);

  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  /// Names the next value inside an object.
  void Key(std::string_view name);

  /// A string; quotes, backslashes and control characters are escaped and any
  /// byte sequence that is not UTF-8 becomes U+FFFD, so the output is always
  /// valid JSON.
  void String(std::string_view text);
  /// A double with 17 significant digits (reads back to the same bits);
  /// NaN and the infinities, which JSON cannot hold, are written as null.
  void Double(double value);
  void Int(std::int64_t value);
  void Bool(bool value);
  void Null();

  /// Key and value in one call, for the common case inside objects.
  void Field(std::string_view name, std::string_view text) {
    Key(name);
    String(text);
  }
  void Field(std::string_view name, const char* text) {
    Key(name);
    String(text);
  }
  void Field(std::string_view name, double value) {
    Key(name);
    Double(value);
  }
  void Field(std::string_view name, int value) {
    Key(name);
    Int(value);
  }
  void Field(std::string_view name, std::int64_t value) {
    Key(name);
    Int(value);
  }
  void Field(std::string_view name, bool value) {
    Key(name);
    Bool(value);
  }

  /// The text written so far, with a final newline once the outermost value
  /// is complete.
  const std::string& Text() const;
  /// The same text as a view, without trimming the string behind it (so the
  /// next value written after Clear() finds its room already there).
  std::string_view View() const { return {out_.data(), length_}; }

 private:
  void BeforeValue();
  /// Room for n more characters at the end of the text; returns where.
  char* Reserve(std::size_t n) {
    return out_.size() >= length_ + n ? out_.data() + length_ : Grow(n);
  }
  char* Grow(std::size_t n);
  void Put(std::string_view text);
  void Put(char c);
  void PutEscaped(std::string_view text);
  void Open(char bracket);
  void Close(char bracket);
  void Newline();

  /// True while a member that KeepMembers leaves out is being passed over;
  /// counts its nesting as it goes.
  bool Skipping(int nesting);
  /// The path of the value about to be sent to the scalar sink.
  void EnterSinkValue();
  void SinkScalar(std::string_view text);

  struct Level {
    bool isObject;
    bool empty;
  };
  // Where the sink's path stands in a container: its own length, and for an
  // array the index of the next element.
  struct SinkFrame {
    std::size_t pathBase;
    bool isArray;
    int next;
  };
  // The text is out_'s first length_ characters; out_ is kept longer, so
  // that a token is written in place without growing the string each time.
  mutable std::string out_;
  std::size_t length_ = 0;
  std::vector<Level> stack_;
  bool afterKey_ = false;
  bool oneLine_ = false;
  const std::vector<std::string>* keep_ = nullptr;
  bool diverted_ = false;  ///< skipping a member or sending scalars: not writing text
  bool skipping_ = false;
  int skipNesting_ = 0;
  const ScalarSink* sink_ = nullptr;
  std::string sinkPath_;
  std::vector<SinkFrame> sinkFrames_;
  std::string sinkText_;
};

/// Formats a double with 17 significant digits, independent of the locale:
/// the text of printf's "%.17g".
std::string FormatDouble17(double value);

/// FormatDouble17(value) appended to `out`.
void AppendDouble17(std::string& out, double value);

/// Escapes text as the body of a JSON string (without the quotes).
std::string EscapeJsonString(std::string_view text);

/// EscapeJsonString(text) appended to `out`.
void AppendEscapedJsonString(std::string& out, std::string_view text);

/// `text` as a JSON string of it reads back: every byte that does not begin
/// a valid UTF-8 sequence becomes U+FFFD.
void AppendValidUtf8(std::string& out, std::string_view text);

}  // namespace sarvexa::cli
