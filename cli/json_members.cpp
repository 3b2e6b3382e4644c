#include "cli/json_members.h"

#include <cstdint>

#include "document/escapes.h"

namespace sarvexa::cli {
namespace {

class Scanner {
 public:
  explicit Scanner(std::string_view text) : t_(text) {}

  void Blanks() {
    while (p_ < t_.size() && (t_[p_] == ' ' || t_[p_] == '\n' || t_[p_] == '\r' || t_[p_] == '\t'))
      ++p_;
  }
  bool At(char c) {
    Blanks();
    return p_ < t_.size() && t_[p_] == c;
  }
  bool Take(char c) {
    if (!At(c)) return false;
    ++p_;
    return true;
  }
  std::size_t Pos() const { return p_; }
  std::string_view Slice(std::size_t from, std::size_t to) const {
    return t_.substr(from, to - from);
  }

  /// A string token; `body` gets the text between the quotes, still escaped.
  bool String(std::string_view& body) {
    if (!Take('"')) return false;
    const std::size_t start = p_;
    while (p_ < t_.size() && t_[p_] != '"') p_ += t_[p_] == '\\' ? 2 : 1;
    if (p_ >= t_.size()) return false;
    body = t_.substr(start, p_ - start);
    ++p_;
    return true;
  }

  /// A number, true, false or null: the run up to the next delimiter.
  bool Word(std::string_view& token) {
    Blanks();
    const std::size_t start = p_;
    while (p_ < t_.size() && t_[p_] != ',' && t_[p_] != '}' && t_[p_] != ']' && t_[p_] != ' ' &&
           t_[p_] != '\n' && t_[p_] != '\r' && t_[p_] != '\t') {
      ++p_;
    }
    token = t_.substr(start, p_ - start);
    return !token.empty();
  }

  /// Steps over one value of any kind.
  bool SkipValue(int depth = 0) {
    if (depth > 64) return false;
    std::string_view ignored;
    if (At('"')) return String(ignored);
    if (Take('{')) {
      if (Take('}')) return true;
      do {
        if (!String(ignored) || !Take(':') || !SkipValue(depth + 1)) return false;
      } while (Take(','));
      return Take('}');
    }
    if (Take('[')) {
      if (Take(']')) return true;
      do {
        if (!SkipValue(depth + 1)) return false;
      } while (Take(','));
      return Take(']');
    }
    return Word(ignored);
  }

 private:
  std::string_view t_;
  std::size_t p_ = 0;
};

// Calls member(name, valueStart) for each member of the object at the
// scanner, leaving the scanner after each value.
template <typename Member>
bool Members(Scanner& s, Member member) {
  if (!s.Take('{')) return false;
  if (s.Take('}')) return true;
  do {
    std::string_view name;
    if (!s.String(name) || !s.Take(':')) return false;
    if (!member(name)) return false;
  } while (s.Take(','));
  return s.Take('}');
}

bool Walk(Scanner& s, std::string& path, int depth,
          const std::function<void(std::string_view, std::string_view)>& visit) {
  if (depth > 64) return false;
  const std::size_t base = path.size();
  auto sub = [&](std::string_view segment) {
    path.resize(base);
    if (!path.empty()) path += '.';
    path += segment;
  };
  bool ok = true;
  if (s.At('{')) {
    ok = Members(s, [&](std::string_view name) {
      sub(name);
      return Walk(s, path, depth + 1, visit);
    });
  } else if (s.Take('[')) {
    if (!s.Take(']')) {
      int index = 0;
      do {
        sub(std::to_string(index++));
        if (!Walk(s, path, depth + 1, visit)) {
          ok = false;
          break;
        }
      } while (s.Take(','));
      ok = ok && s.Take(']');
    }
  } else {
    s.Blanks();
    const std::size_t start = s.Pos();
    std::string_view ignored;
    ok = s.At('"') ? s.String(ignored) : s.Word(ignored);
    if (ok) visit(path, s.Slice(start, s.Pos()));
  }
  path.resize(base);
  return ok;
}

}  // namespace

std::vector<std::string> ObjectMemberNames(std::string_view json) {
  std::vector<std::string> names;
  Scanner s(json);
  Members(s, [&](std::string_view name) {
    names.emplace_back(name);
    return s.SkipValue();
  });
  return names;
}

bool AppendObjectWithMembers(std::string& out, std::string_view json,
                             const std::vector<std::string>& keep) {
  Scanner s(json);
  out += '{';
  bool first = true;
  const bool ok = Members(s, [&](std::string_view name) {
    s.Blanks();
    const std::size_t start = s.Pos();
    if (!s.SkipValue()) return false;
    for (const std::string& k : keep) {
      if (k == name) {
        if (!first) out += ',';
        first = false;
        out += '"';
        out += name;
        out += "\":";
        out += s.Slice(start, s.Pos());
        break;
      }
    }
    return true;
  });
  out += "}\n";
  return ok;
}

bool ForEachScalar(
    std::string_view json,
    const std::function<void(std::string_view path, std::string_view token)>& visit) {
  Scanner s(json);
  std::string path;
  return Walk(s, path, 0, visit);
}

bool ForEachScalarIn(
    std::string_view json, const std::vector<std::string>& heads,
    const std::function<void(std::string_view path, std::string_view token)>& visit) {
  Scanner s(json);
  std::string path;
  return Members(s, [&](std::string_view name) {
    for (const std::string& head : heads) {
      if (head == name) {
        path.assign(name);
        return Walk(s, path, 1, visit);
      }
    }
    return s.SkipValue();
  });
}

std::string ScalarText(std::string_view token) {
  if (token == "null") return {};
  if (token.size() < 2 || token.front() != '"') return std::string(token);
  return Unescaped(token.substr(1, token.size() - 2));
}

}  // namespace sarvexa::cli
