// Checks a name taken from a stored file before it becomes part of a file path.
#pragma once

#include <string_view>

namespace vestra {

// True when name can be used as a file's base name inside a folder: not empty, not "." or "..",
// and free of path separators and NUL. Identifiers and effect names come from files that anyone
// may edit; without this check "../../x" would make a delete or a read reach outside the folder.
bool IsSafeFileStem(std::string_view name);

}  // namespace vestra
