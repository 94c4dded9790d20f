#include "device/model/MouseKeyNames.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

#include "device/model/MouseKeyMap.h"

namespace vestra {
namespace {

// In the order of MouseKeys().
constexpr std::array<std::string_view, kMouseKeyCount> kNames = {
    "left",     "right",     "middle", "forward", "back", "dpi-up",
    "dpi-down", "dpi-cycle", "gm",     "m8",      "fire",
};

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::string_view MouseKeyName(size_t key) {
    return key < kNames.size() ? kNames[key] : std::string_view();
}

std::optional<size_t> FindMouseKey(std::string_view word) {
    for (size_t key = 0; key < kNames.size(); ++key) {
        if (SameName(word, kNames[key])) return key;
    }
    size_t key = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), key);
    if (word.empty() || error != std::errc() || end != word.data() + word.size() ||
        key >= kNames.size()) {
        return std::nullopt;
    }
    return key;
}

}  // namespace vestra
