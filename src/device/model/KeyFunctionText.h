// The readable form of the 3-byte key function codes ("key:LCtrl+C", "wheel:down:3", ...),
// both ways, and the build rules of the parameterised functions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "device/protocol/KeyTable.h"

namespace vestra {

// Function types (byte 0 of a key code). Keyboard keys (0x20) and macros (0x70, 0x71) are
// declared with the rules that use them.
inline constexpr uint8_t kMouseKeyType = 0x10;  // value 1: one mouse button bit
inline constexpr uint8_t kSwingType = 0x11;     // value 1: delay << 4 | speed; value 2: count
inline constexpr uint8_t kWheelType = 0x12;     // as swing; value 2 a signed count
inline constexpr uint8_t kDpiType = 0x13;       // value 1: 1-3
inline constexpr uint8_t kFireType = 0x14;      // value 1: interval; value 2: count
inline constexpr uint8_t kMediaType = 0x30;     // consumer usage, low byte then high byte
inline constexpr uint8_t kSystemType = 0x40;    // value 1: one control bit
inline constexpr uint8_t kGunKeyType = 0x72;    // value 1: entry

// Swing: value 1 keeps the low 4 bits of delay and speed; value 2 is the count (7 bits) with
// bit 7 set for direction 1.
protocol::KeyCode SwingCode(int delay, int speed, int direction, int count);
// Wheel: as swing, but direction 1 stores the count negated as a signed byte (3 -> 0xFD).
protocol::KeyCode WheelCode(int delay, int speed, int direction, int count);

struct KeyFunctionParse {
    std::optional<protocol::KeyCode> code;
    std::string error;  // why the text names no function, when code is empty
};

// Accepted forms (names case-insensitive):
//   default                      the key's own default code
//   key:B  key:LCtrl+C  key:LShift  key:none  key:0x87
//   mouse:left|right|middle|back|forward
//   wheel:up:N  wheel:down:N     optionally followed by :delay=0-15 and :speed=0-15
//   swing:0:N   swing:1:N        direction 0 or 1, same options as wheel
//   dpi:1..3   fire:INTERVAL:COUNT   system:1..3   gun:N
//   media:volume-up|volume-down|mute|play-pause|stop|previous|next|home|refresh|back|forward|
//         search|calculator|email|bookmarks|browser-stop|computer|media-player|0xUSAGE
//   macro:N  macro:N:mode=0..3  macro:N:repeat=R
//   20,00,05                     three hexadecimal bytes, taken as they are
KeyFunctionParse ParseKeyFunction(std::string_view text, protocol::KeyCode defaultCode);

// The readable form of a code, in the forms ParseKeyFunction takes (never "default"); codes
// that no form covers come out as the three hexadecimal bytes.
std::string KeyFunctionText(protocol::KeyCode code);

}  // namespace vestra
