#pragma once
// Reading back the JSON this tool writes: picking members of an object, and
// walking its scalar values by path ("positions.1.longitude"), for the
// member and column choices of `batch`. The reader accepts any well-formed
// JSON text; on text that is not, it stops early and reports false.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sarvexa::cli {

/// Names of the members of the outermost object of `json`, in order.
std::vector<std::string> ObjectMemberNames(std::string_view json);

/// Appends to `out` the object `json` reduced to the members named in
/// `keep`, in the object's own order, on one line with a final newline.
bool AppendObjectWithMembers(std::string& out, std::string_view json,
                             const std::vector<std::string>& keep);

/// Calls `visit(path, token)` for every string, number, true, false and null
/// inside `json`, in order. The path joins member names and array indexes
/// with '.'; the token is the value as written (strings with their quotes).
bool ForEachScalar(std::string_view json,
                   const std::function<void(std::string_view path, std::string_view token)>& visit);

/// ForEachScalar for an object, walking only its members named in `heads`
/// and stepping over the others unread.
bool ForEachScalarIn(
    std::string_view json, const std::vector<std::string>& heads,
    const std::function<void(std::string_view path, std::string_view token)>& visit);

/// A scalar token as plain text: strings unescaped, null empty, numbers and
/// true/false as written.
std::string ScalarText(std::string_view token);

}  // namespace sarvexa::cli
