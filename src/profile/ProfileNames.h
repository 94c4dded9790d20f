// The naming rules of profiles: names compare without regard to letter case and never repeat.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vestra {

// Equal without regard to letter case (Unicode simple case folding of the C.UTF-8 locale).
bool SameName(std::string_view a, std::string_view b);
// Nothing left once leading and trailing white space is removed.
bool IsBlankName(std::string_view name);
// True when name equals one of names, leaving out position skip (-1 compares all).
bool IsNameTaken(std::string_view name, const std::vector<std::string>& names, int skip = -1);

// "profile1", "profile2", ...: the first one not taken.
std::string NextAddName(const std::vector<std::string>& names);
// "A copy", then "A copy copy", ...: " copy" appended until the name is free.
std::string NextCopyName(const std::string& source, const std::vector<std::string>& names);
// "A", then "A(1)", then "A(1)(2)", ...: "(k)" appended with k counting up until it is free.
std::string NextImportName(const std::string& base, const std::vector<std::string>& names);

}  // namespace vestra
