// The rules by which the keyboard and the mouse bind keys to macros: which macros their keys
// use, the key codes as the device stores them, and the macro image the device is sent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "device/protocol/KeyTable.h"
#include "profile/MacroLibrary.h"
#include "profile/ProfileRecords.h"

namespace vestra {

// The device does not number macros as the library does: its image holds only the macros the
// keys use, in order of first use, and a key's macro code names a position in that image.
struct MacroKeyMap {
    std::vector<protocol::KeyCode> codes;  // the code to write for each key passed in
    std::vector<int> usedMacros;           // library numbers, in order of first use
};

// keys: the keys the device has a slot for, in position order. A key playing a macro number
// below macroCount gets that macro's position in usedMacros; a key playing a macro that does
// not exist gets its default code.
MacroKeyMap RenumberMacroKeys(std::span<const KeyAssignmentPair> keys, int macroCount);
// The usedMacros of RenumberMacroKeys, so that the image and the key table agree.
std::vector<int> CollectUsedMacros(std::span<const KeyAssignmentPair> keys, int macroCount);
// Gives every key playing a macro number not below macroCount its default code; true when any
// key changed.
bool ValidateMacroKeys(std::span<KeyAssignmentPair> keys, int macroCount);

// The mouse refuses a macro longer than this.
inline constexpr size_t kMaxMouseMacroEvents = 250;

// How a device reports a macro image it cannot take.
enum class MacroImageRules {
    Keyboard,  // over capacity: (size - capacity) / 4 + 1, the events too many
    Mouse,     // over capacity: the image size; a macro over 250 events: its event count
};

struct MacroImageBuild {
    // 0 when image holds the bytes to send; a positive number (see MacroImageRules) when the
    // macros do not fit and nothing may be sent; -1 when no image can be made of them.
    int result = 0;
    std::vector<uint8_t> image;
};

// The image of the library's macros usedMacros, in that order, for a device with capacityBytes
// of macro memory (128 * DeviceInfo byte 6).
MacroImageBuild BuildMacroImage(const MacroLibrary& library, std::span<const int> usedMacros,
                                size_t capacityBytes, MacroImageRules rules);

}  // namespace vestra
