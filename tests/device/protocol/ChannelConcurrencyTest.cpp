#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <set>
#include <thread>
#include <vector>

#include "ChannelFixture.h"
#include "device/protocol/DeviceChannel.h"
#include "device/protocol/PowerStatus.h"

namespace vestra::test {
namespace {

using namespace vestra::protocol;
using Bytes = std::vector<uint8_t>;

// UI commands, the lighting stream and a listener-style re-reader share one channel, while
// the device also sends notifications of its own. Every packet must leave whole, every result
// must be one the channel can give here, and the channel must work afterwards. Run under TSan
// for data races and lock order.
TEST_F(ChannelFixture, ThreadsShareOneChannel) {
    OpenCable();
    wiredFirmware.SetMemory(CMD_READ_SETTINGS, Counting(60));
    wiredFirmware.SetMemory(CMD_READ_STATUS, Bytes{90, 1, 0, 0, 0, 0});

    std::atomic<bool> uiDone{false};
    std::mutex resultsMutex;
    std::multiset<int> results;
    auto record = [&](int result) {
        std::lock_guard lock(resultsMutex);
        results.insert(result);
    };

    std::thread ui([&] {
        const Bytes record27 = Counting(27);
        for (int i = 0; i < 20; ++i) {
            record(channel.BeginConfig());
            record(channel.WriteSettings(record27, 0));
            record(channel.WriteMacros(Counting(150)));
            record(channel.EndConfig());
        }
        uiDone = true;
    });
    std::thread lighting([&] {
        const Bytes frame = Counting(312);
        while (!uiDone) {
            record(channel.StreamLight(frame));
            record(channel.WriteCustomLight(frame, 2));
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    std::thread listener([&] {
        Bytes notification(64, 0);
        notification[0] = kReportId;
        notification[3] = 0x40;
        std::array<uint8_t, 1> slot{};
        std::array<uint8_t, 27> settings{};
        PowerStatus status{};
        while (!uiDone) {
            wired.QueueInput(notification);
            record(channel.ReadSettings(slot, 0));
            record(channel.ReadSettings(settings, 25));
            record(channel.ReadStatus(status.Bytes(), 0));
            EXPECT_TRUE(channel.QueryLink());
            channel.SetLightingHold(!channel.LightingHold());
        }
    });
    ui.join();
    lighting.join();
    listener.join();

    // A light frame takes any reply without matching, so a configuration exchange can lose
    // its reply to it and see no answer; nothing else can fail here.
    for (int result : results) {
        EXPECT_TRUE(result == RESULT_OK || result == RESULT_CLOSED) << result;
    }
    EXPECT_GT(results.count(RESULT_OK), results.size() / 2);
    for (const auto& packet : wired.Written()) {
        uint16_t sum = static_cast<uint16_t>(std::accumulate(packet.begin() + 3, packet.end(), 0));
        ASSERT_EQ(packet[1] | (packet[2] << 8), sum);
    }

    // Drop what is still queued, then the channel works as before.
    std::array<uint8_t, 64> stale{};
    size_t n = 0;
    while (channel.WiredHandle().Read(stale.data(), stale.size(), &n, 0)) {
    }
    EXPECT_FALSE(channel.ExchangeInProgress());
    EXPECT_EQ(channel.BeginConfig(), RESULT_OK);
}

}  // namespace
}  // namespace vestra::test
