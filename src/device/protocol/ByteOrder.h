// Little-endian 16-bit fields of the wire records.
#pragma once

#include <cstdint>

namespace vestra::protocol {

inline uint16_t LoadLe16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline void StoreLe16(uint8_t* bytes, uint16_t value) {
    bytes[0] = static_cast<uint8_t>(value & 0xFF);
    bytes[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace vestra::protocol
