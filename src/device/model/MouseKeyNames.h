// Names of the mouse's eleven logical keys, as the command line spells them.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace vestra {

// "left", "right", "middle", "forward", "back", "dpi-up", "dpi-down", "dpi-cycle", "gm", "m8",
// "fire" for keys 0-10 of the mouse's key list; empty beyond.
std::string_view MouseKeyName(size_t key);
// A key by name (case-insensitive) or by decimal number below 11.
std::optional<size_t> FindMouseKey(std::string_view word);

}  // namespace vestra
