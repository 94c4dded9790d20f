// Waiting for a wireless device to answer through its receiver after a switch to it.
#pragma once

#include <atomic>

#include "device/protocol/DeviceChannel.h"

namespace vestra {

// The link is asked up to this many times, this far apart.
inline constexpr int kLinkQueryTries = 26;
inline constexpr int kLinkQueryPauseMs = 50;

// Sends the link query until the device answers, pausing after each failed try (with the debug
// line "获取2.4G模式失败" after every pause but the last). Gives up early once abandon is set.
// True when the device answered.
bool WaitForLink(protocol::DeviceChannel& channel, const std::atomic<bool>& abandon);

}  // namespace vestra
