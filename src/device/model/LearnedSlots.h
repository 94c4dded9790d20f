// The device key slot of each key, learned on first contact and kept in the device folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace vestra {

// The file in a device's data folder that holds its learned slots.
inline constexpr const char* kLearnedSlotsFile = "keyslots.json";

// Slots are recognised by the factory code they hold, but a remapped key no longer holds its own
// (after "A becomes B" the table has B's code twice and A's nowhere), while the slot order is
// fixed by the firmware. So the map found on first contact is stored and reused for as long as
// the device reports the same key count.
//
// slots holds the map just found from the factory codes (noSlot for none). When file holds a map
// of the same length for keyCount, slots is replaced by it (entries at or beyond keyCount become
// noSlot) and the result is true; otherwise slots is stored in file and the result is false.
bool RememberSlots(const std::filesystem::path& file, size_t keyCount, std::span<uint8_t> slots,
                   uint8_t noSlot);

}  // namespace vestra
