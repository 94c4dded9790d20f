#include "device/model/LinkSwitch.h"

#include <chrono>
#include <thread>

#include "platform/DebugLog.h"

namespace vestra {

bool WaitForLink(protocol::DeviceChannel& channel, const std::atomic<bool>& abandon) {
    for (int attempt = 1; attempt <= kLinkQueryTries; ++attempt) {
        if (channel.QueryLink()) return true;
        if (abandon) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(kLinkQueryPauseMs));
        if (attempt < kLinkQueryTries) DebugLog::Write("获取2.4G模式失败");
    }
    return false;
}

}  // namespace vestra
