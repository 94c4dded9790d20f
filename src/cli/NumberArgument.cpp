#include "cli/NumberArgument.h"

#include <charconv>
#include <cstdio>

namespace vestra::cli {

std::optional<int> ParseNumber(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low ||
        value > high) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::array<uint8_t, 3>> ParseColour(std::string_view text) {
    if (!text.empty() && text[0] == '#') text.remove_prefix(1);
    unsigned rgb = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), rgb, 16);
    if (text.size() != 6 || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return std::array<uint8_t, 3>{static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                                  static_cast<uint8_t>(rgb)};
}

std::string ColourHex(uint8_t red, uint8_t green, uint8_t blue) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", red, green, blue);
    return text;
}

}  // namespace vestra::cli
