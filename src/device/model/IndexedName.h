// Control names of the form prefix + decimal index ("key_12", "light_3").
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vestra {

struct IndexedName {
    std::string prefix;  // up to and including the last underscore
    int index = 0;
};

// Splits at the last underscore; nothing when there is none or no decimal number follows it.
std::optional<IndexedName> SplitIndexedName(std::string_view name);

// The index n of a name "prefix" + n with n below count; nothing for any other name. This is
// how a page binds its key buttons ("key_", by name) and light buttons ("light_", by user data).
std::optional<int> BoundButtonIndex(std::string_view name, std::string_view prefix, int count);

}  // namespace vestra
