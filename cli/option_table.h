#pragma once
// The options of a command, declared once. Each row names one option, the
// form of its value, its entry in --help and how its value is taken into
// the command's options record; a command lists its rows in groups (its
// own, the birth options, the export options, ...), and both its parser and
// its --help come from those groups.
//
//   constexpr Option<ChartOptions> kChartRows[] = {
//       {"--json", "", "print the chart as JSON", SetFlag<ChartOptions, &ChartOptions::json>},
//       ...
//   };
//   ParseArguments(args, CommandRules{"chart"}, nullptr, Group(BirthOptionRows(), o.birth),
//                  Group(kChartRows, o));
//   PrintOptionHelp(out, {HelpOf(BirthOptionRows(), 22), HelpOf(kChartRows, 22)});

#include <cstddef>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "cli/commands.h"
#include "document/notation.h"
#include "engine/result.h"

namespace sarvexa::cli {

/// What a command says about an option given without its value.
enum class MissingValue {
  Required,      ///< "NAME: a value is required (see sarvexa-cli COMMAND --help)"
  RequiredBare,  ///< "NAME: a value is required"
  NeedsValue,    ///< "NAME needs a value"
  TakeEmpty,     ///< no complaint: the option takes an empty value, and its reader judges it
};

/// The help entry and the value rules of one option, whatever record it fills.
struct OptionEntry {
  std::string_view name;  ///< "--date"
  /// The form of the value in --help ("YYYY-MM-DD"); further forms on further
  /// lines, each shown under the first. Empty for an option without a value.
  std::string_view value;
  /// The description; further lines continue it under the description's
  /// column. Empty: not described on a line of its own (see `joinsLine`).
  std::string_view help;
  std::string_view alias = {};  ///< another name ("-h")
  int helpColumn = 0;           ///< where the description starts; 0: the group's column
  bool helpBelow = false;       ///< the description starts on the line after the name
  bool joinsLine = false;       ///< listed after the entry before it, on its line
  bool hidden = false;          ///< taken but not listed
  bool stopsParsing = false;    ///< the arguments after it are not read (--help of some commands)
  bool emptyIsMissing = false;  ///< an empty value counts as no value
  /// Overrides the command's wording for a missing value.
  MissingValue missing = MissingValue::Required;
  bool ownMissing = false;            ///< `missing` applies instead of the command's
  std::string_view missingText = {};  ///< the whole complaint for a missing value, when given

  bool takesValue() const { return !value.empty(); }
};

/// One option of a command whose options record is `Target`: its entry and
/// how it takes its value (or, without one, how it is set). A failure is the
/// one-line complaint, naming the option.
template <class Target>
struct Option : OptionEntry {
  using Take = Result<void> (*)(Target& target, std::string_view name, std::string_view value);
  Take take = nullptr;

  constexpr Option(std::string_view name_, std::string_view value_, std::string_view help_,
                   Take take_)
      : OptionEntry{}, take(take_) {
    name = name_;
    value = value_;
    help = help_;
  }

  // The rarer parts of an entry, each on a copy.
  constexpr Option Alias(std::string_view a) const {
    return With([a](Option& o) { o.alias = a; });
  }
  constexpr Option HelpColumn(int c) const {
    return With([c](Option& o) { o.helpColumn = c; });
  }
  constexpr Option HelpBelow() const {
    return With([](Option& o) { o.helpBelow = true; });
  }
  constexpr Option JoinsLine() const {
    return With([](Option& o) { o.joinsLine = true; });
  }
  constexpr Option Hidden() const {
    return With([](Option& o) { o.hidden = true; });
  }
  constexpr Option StopsParsing() const {
    return With([](Option& o) { o.stopsParsing = true; });
  }
  constexpr Option EmptyIsMissing() const {
    return With([](Option& o) { o.emptyIsMissing = true; });
  }
  constexpr Option Missing(MissingValue m) const {
    return With([m](Option& o) {
      o.missing = m;
      o.ownMissing = true;
    });
  }
  constexpr Option MissingText(std::string_view text) const {
    return With([text](Option& o) { o.missingText = text; });
  }

 private:
  template <class Change>
  constexpr Option With(Change change) const {
    Option o = *this;
    change(o);
    return o;
  }
};

/// Sets a flag of the options record.
template <class Target, bool Target::*Flag>
Result<void> SetFlag(Target& target, std::string_view, std::string_view) {
  target.*Flag = true;
  return Ok();
}

/// Takes a moment (document/notation.h: --now, --at) into the options record.
template <class Target, std::optional<WrittenMoment> Target::*Moment>
Result<void> TakeMoment(Target& target, std::string_view name, std::string_view value) {
  Result<WrittenMoment> moment = ReadMoment(name, value);
  if (!moment) return Fail(moment.error());
  target.*Moment = *moment;
  return Ok();
}

/// Takes a text as it is (a file name) into the options record.
template <class Target, std::optional<std::string> Target::*Text>
Result<void> TakeText(Target& target, std::string_view, std::string_view value) {
  target.*Text = std::string(value);
  return Ok();
}

/// How one command reads its arguments.
struct CommandRules {
  std::string_view name;  ///< "chart"
  MissingValue missing = MissingValue::Required;
  /// An unknown option is told as `unknown option "X" (see sarvexa-cli
  /// COMMAND --help)`; false: as `unknown option 'X'`.
  bool unknownPointsToHelp = true;
  /// "--" ends the options; every argument after it is positional.
  bool doubleDashEndsOptions = false;
};

/// A group of rows with the record they fill.
template <class Target>
struct OptionGroup {
  std::span<const Option<Target>> rows;
  Target* target;
  bool* anyGiven = nullptr;  ///< when set, becomes true as soon as one of the rows is given
};

template <class Target, std::size_t N>
OptionGroup<Target> Group(const Option<Target> (&rows)[N], Target& target,
                          bool* anyGiven = nullptr) {
  return {std::span<const Option<Target>>(rows), &target, anyGiven};
}
template <class Target>
OptionGroup<Target> Group(std::span<const Option<Target>> rows, Target& target,
                          bool* anyGiven = nullptr) {
  return {rows, &target, anyGiven};
}

/// The help entries of a group, with its column and an optional heading
/// printed before them.
struct HelpGroup {
  std::vector<const OptionEntry*> entries;
  int column = 22;
  std::string_view heading = {};
};

template <class Target>
HelpGroup HelpOf(std::span<const Option<Target>> rows, int column, std::string_view heading = {}) {
  HelpGroup g;
  g.column = column;
  g.heading = heading;
  for (const Option<Target>& row : rows) g.entries.push_back(&row);
  return g;
}
template <class Target, std::size_t N>
HelpGroup HelpOf(const Option<Target> (&rows)[N], int column, std::string_view heading = {}) {
  return HelpOf(std::span<const Option<Target>>(rows), column, heading);
}

/// Writes the entries of the groups, in order, as --help lists them.
void PrintOptionHelp(std::ostream& out, std::initializer_list<HelpGroup> groups);

namespace option_table {

/// The complaint for an option given without its value.
std::string MissingValueMessage(const OptionEntry& entry, const CommandRules& rules);
/// The complaint for an argument that is no option of the command.
std::string UnknownOptionMessage(const std::string& argument, const CommandRules& rules);
/// A complaint kept to its one line: a control character of the value it
/// quotes (a line feed, an escape) is shown as '?'.
std::string OneLine(std::string_view complaint);

template <class Target>
const Option<Target>* Find(const OptionGroup<Target>& group, const std::string& name) {
  for (const Option<Target>& row : group.rows) {
    if (name == row.name || (!row.alias.empty() && name == row.alias)) return &row;
  }
  return nullptr;
}

}  // namespace option_table

/// Reads the arguments by the rows of `groups`: each option finds its row
/// and takes its value into the row's record. An argument that is no option
/// goes to `positional` (nullptr: the command takes none), called as
/// positional(argument, afterDoubleDash) -> Result<bool>: true when taken,
/// false when it is no argument of the command (then it is an unknown
/// option), or the complaint. The first complaint stops the reading.
template <class Positionals, class... Targets>
Result<void> ParseArguments(const Arguments& args, const CommandRules& rules,
                            Positionals positional, OptionGroup<Targets>... groups) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (rules.doubleDashEndsOptions && !optionsEnded && arg == "--") {
      optionsEnded = true;
      continue;
    }
    bool found = false;
    bool stop = false;
    Result<void> taken = Ok();
    const auto tryGroup = [&](auto& group) {
      if (found || optionsEnded) return;
      const auto* row = option_table::Find(group, arg);
      if (!row) return;
      found = true;
      stop = row->stopsParsing;
      if (group.anyGiven) *group.anyGiven = true;
      std::string_view value;
      if (row->takesValue()) {
        const bool missing = i + 1 >= args.size() || (row->emptyIsMissing && args[i + 1].empty());
        const MissingValue style = row->ownMissing ? row->missing : rules.missing;
        if (missing && style != MissingValue::TakeEmpty) {
          taken = Fail(option_table::MissingValueMessage(*row, rules));
          return;
        }
        if (!missing) value = args[++i];
      }
      taken = row->take(*group.target, row->name, value);
    };
    (tryGroup(groups), ...);
    if (!taken) return Fail(option_table::OneLine(taken.error()));
    if (stop) return Ok();
    if (found) continue;
    if constexpr (!std::is_same_v<Positionals, std::nullptr_t>) {
      const Result<bool> kept = positional(arg, optionsEnded);
      if (!kept) return Fail(option_table::OneLine(kept.error()));
      if (*kept) continue;
    }
    return Fail(option_table::OneLine(option_table::UnknownOptionMessage(arg, rules)));
  }
  return Ok();
}

}  // namespace sarvexa::cli
