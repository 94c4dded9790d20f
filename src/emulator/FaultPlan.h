// Faults an emulated product injects into its command replies, set by tests and demos.
#pragma once

#include <cstdint>

namespace vestra::emulator {

struct FaultPlan {
    // The next n requests are carried out but their replies are lost.
    int dropReplies = 0;
    // The next n replies carry another command byte (the request's with bit 6 flipped).
    int wrongCommandReplies = 0;
    // The next n requests are refused with errorStatus and change nothing.
    int errorReplies = 0;
    uint8_t errorStatus = 0xFF;
    // Every reply reaches the host this many milliseconds late.
    int replyDelayMs = 0;
    // After n more requests the product vanishes as if unplugged: the next write fails, open
    // handles fail and the product leaves the enumeration. Negative: never.
    int disconnectAfterPackets = -1;
};

}  // namespace vestra::emulator
