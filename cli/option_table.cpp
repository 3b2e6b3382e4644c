#include "cli/option_table.h"

#include <utility>

namespace sarvexa::cli {
namespace {

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return lines;
    start = end + 1;
  }
}

// `line` followed by blanks up to `column`, or by two blanks when it reaches
// that far already.
std::string Padded(std::string line, int column) {
  const std::size_t to = static_cast<std::size_t>(column);
  line.append(line.size() + 2 <= to ? to - line.size() : 2, ' ');
  return line;
}

}  // namespace

void PrintOptionHelp(std::ostream& out, std::initializer_list<HelpGroup> groups) {
  for (const HelpGroup& group : groups) {
    out << group.heading;
    bool lineOpen = false;  // a line of entries without descriptions is being listed
    for (const OptionEntry* e : group.entries) {
      if (e->hidden) continue;
      const std::vector<std::string_view> forms = Lines(e->value);
      std::string synopsis(2, ' ');
      synopsis += e->name;
      if (!e->value.empty()) {
        synopsis += ' ';
        synopsis += forms[0];
      }
      if (e->joinsLine) {
        out << synopsis;
        continue;
      }
      if (lineOpen) out << '\n';
      lineOpen = e->help.empty();
      if (lineOpen) {
        out << synopsis;
        continue;
      }
      const int column = e->helpColumn != 0 ? e->helpColumn : group.column;
      const std::string indent(static_cast<std::size_t>(column), ' ');
      const std::vector<std::string_view> help = Lines(e->help);
      std::size_t next = 0;
      if (e->helpBelow) {
        out << synopsis << '\n';
        for (std::size_t f = 1; f < forms.size(); ++f)
          out << std::string(e->name.size() + 3, ' ') << forms[f] << '\n';
      } else {
        out << Padded(synopsis, column) << help[next++] << '\n';
        // Further forms of the value, each under the first.
        for (std::size_t f = 1; f < forms.size(); ++f) {
          std::string form(e->name.size() + 3, ' ');
          form += forms[f];
          out << Padded(std::move(form), column)
              << (next < help.size() ? help[next++] : std::string_view()) << '\n';
        }
      }
      for (; next < help.size(); ++next) out << indent << help[next] << '\n';
    }
    if (lineOpen) out << '\n';
  }
}

namespace option_table {

std::string MissingValueMessage(const OptionEntry& entry, const CommandRules& rules) {
  if (!entry.missingText.empty()) return std::string(entry.missingText);
  const std::string name(entry.name);
  switch (entry.ownMissing ? entry.missing : rules.missing) {
    case MissingValue::Required:
      return ValueRequired(name, std::string(rules.name));
    case MissingValue::RequiredBare:
      return ValueRequired(name);
    case MissingValue::NeedsValue:
    case MissingValue::TakeEmpty:
      break;
  }
  return NeedsValue(name);
}

std::string UnknownOptionMessage(const std::string& argument, const CommandRules& rules) {
  if (rules.unknownPointsToHelp) return UnknownOption(argument, std::string(rules.name));
  return "unknown option '" + argument + "'";
}

std::string OneLine(std::string_view complaint) {
  std::string line(complaint);
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return line;
}

}  // namespace option_table
}  // namespace sarvexa::cli
