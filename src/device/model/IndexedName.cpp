#include "device/model/IndexedName.h"

#include <charconv>

namespace vestra {

std::optional<IndexedName> SplitIndexedName(std::string_view name) {
    const size_t underscore = name.rfind('_');
    if (underscore == std::string_view::npos) return std::nullopt;
    const std::string_view digits = name.substr(underscore + 1);
    int index = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return IndexedName{std::string(name.substr(0, underscore + 1)), index};
}

std::optional<int> BoundButtonIndex(std::string_view name, std::string_view prefix, int count) {
    const std::optional<IndexedName> split = SplitIndexedName(name);
    if (!split || split->prefix != prefix || split->index < 0 || split->index >= count) {
        return std::nullopt;
    }
    return split->index;
}

}  // namespace vestra
