// Parsing the numbers and colours device commands take as words.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vestra::cli {

// A decimal number from low to high; nothing else in the word.
std::optional<int> ParseNumber(std::string_view text, int low, int high);
// Six hexadecimal digits RRGGBB, with or without a leading '#'.
std::optional<std::array<uint8_t, 3>> ParseColour(std::string_view text);
// Six lower-case hexadecimal digits.
std::string ColourHex(uint8_t red, uint8_t green, uint8_t blue);

}  // namespace vestra::cli
