#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "ChannelFixture.h"
#include "device/protocol/DeviceChannel.h"
#include "device/protocol/KeyTable.h"
#include "device/protocol/PowerStatus.h"
#include "platform/DebugLog.h"

namespace vestra::test {
namespace {

using namespace vestra::protocol;
using Bytes = std::vector<uint8_t>;

struct Packet {
    uint8_t command;
    uint8_t length;
    uint16_t address;
    bool operator==(const Packet&) const = default;
};

std::vector<Packet> Packets(const ScriptedHidDevice& device) {
    std::vector<Packet> packets;
    for (const auto& r : device.Written()) {
        packets.push_back({r[3], r[4], static_cast<uint16_t>(r[5] | (r[6] << 8))});
    }
    return packets;
}

void PrintTo(const Packet& p, std::ostream* os) {
    *os << "{cmd " << int(p.command) << ", len " << int(p.length) << ", @" << p.address << "}";
}

using CommandTest = ChannelFixture;

TEST_F(CommandTest, BracketAndHostLightAreBareSinglePackets) {
    OpenCable();
    EXPECT_EQ(channel.BeginConfig(), RESULT_OK);
    EXPECT_EQ(channel.HostLightControl(), RESULT_OK);
    EXPECT_EQ(channel.EndConfig(), RESULT_OK);
    EXPECT_EQ(Packets(wired), (std::vector<Packet>{{0x01, 0, 0}, {0x1C, 0, 0}, {0x02, 0, 0}}));
}

TEST_F(CommandTest, ReadInfoDecodesTheBlockOnEitherTransport) {
    Bytes block(34, 0);
    block[5] = 104;   // keys
    block[6] = 8;     // macro capacity units
    block[9] = 0x25;  // sensor 13093, little-endian
    block[10] = 0x33;
    block[11] = 50;    // DPI step
    block[12] = 0x80;  // max 16000
    block[13] = 0x3E;
    block[14] = 100;  // min 100
    block[33] = 0x77;
    wiredFirmware.SetMemory(CMD_READ_INFO, block);
    receiverFirmware.SetMemory(CMD_READ_INFO, block);

    for (bool throughReceiver : {false, true}) {
        if (throughReceiver) {
            OpenReceiver();
        } else {
            OpenCable();
        }
        DeviceInfo info{};
        ASSERT_EQ(channel.ReadInfo(info), RESULT_OK);
        EXPECT_EQ(Bytes(info.Bytes().begin(), info.Bytes().end()), block);
        EXPECT_EQ(info.KeyCount(), 104);
        EXPECT_EQ(info.MacroCapacityBytes(), 1024u);
        EXPECT_EQ(info.SensorCode(), kStepIndexSensor);
        EXPECT_EQ(info.DpiStep(), 50);
        EXPECT_EQ(info.MaxDpi(), 16000);
        EXPECT_EQ(info.MinDpi(), 100);
    }
    EXPECT_EQ(Packets(wired), (std::vector<Packet>{{0x03, 34, 0}}));
    EXPECT_EQ(Packets(receiver), (std::vector<Packet>{{0x03, 24, 0}, {0x03, 10, 24}}));
}

TEST_F(CommandTest, KeyTablesFollowTheBlockSize) {
    OpenCable();
    const Bytes keyTable = Counting(312, 7);
    const Bytes keyLeds = Counting(104, 0);
    wiredFirmware.SetMemory(CMD_READ_KEYMAP, keyTable);
    wiredFirmware.SetMemory(CMD_READ_KEY_LEDS, keyLeds);

    ASSERT_TRUE(channel.SetBlockSize(static_cast<uint16_t>(KeyTableSize(104))));
    std::array<uint8_t, 512> image{};
    image.fill(0xEE);
    ASSERT_EQ(channel.ReadKeyMap(image), RESULT_OK);
    EXPECT_TRUE(std::equal(keyTable.begin(), keyTable.end(), image.begin()));
    EXPECT_EQ(image[312], 0xEE);  // beyond the block size: untouched
    EXPECT_EQ(Packets(wired), (std::vector<Packet>{{0x07, 56, 0},
                                                   {0x07, 56, 56},
                                                   {0x07, 56, 112},
                                                   {0x07, 56, 168},
                                                   {0x07, 56, 224},
                                                   {0x07, 32, 280}}));

    wired.ClearRecords();
    ASSERT_EQ(channel.ReadKeyLeds(image), RESULT_OK);
    EXPECT_TRUE(std::equal(keyLeds.begin(), keyLeds.end(), image.begin()));
    EXPECT_EQ(Packets(wired), (std::vector<Packet>{{0x1B, 56, 0}, {0x1B, 48, 56}}));

    // More than 170 keys do not fit the block.
    EXPECT_FALSE(channel.SetBlockSize(static_cast<uint16_t>(KeyTableSize(171))));
}

TEST_F(CommandTest, KeyMapWriteAcceptsOnlyPageZero) {
    OpenCable();
    ASSERT_TRUE(channel.SetBlockSize(312));
    std::array<uint8_t, 512> image{};
    EXPECT_EQ(channel.WriteKeyMap(image, 1), RESULT_BAD_PAGE);
    EXPECT_TRUE(wired.Written().empty());
    EXPECT_EQ(channel.WriteKeyMap(image, 0), RESULT_OK);
    auto packets = Packets(wired);
    ASSERT_EQ(packets.size(), 6u);
    EXPECT_EQ(packets.back(), (Packet{0x09, 32, 280}));
}

TEST_F(CommandTest, SettingsAddressesThroughTheReceiver) {
    OpenReceiver();
    Bytes area = Counting(60);
    receiverFirmware.SetMemory(CMD_READ_SETTINGS, area);
    std::array<uint8_t, 27> record{};
    ASSERT_EQ(channel.ReadSettings(record, 25), RESULT_OK);
    EXPECT_TRUE(std::equal(record.begin(), record.end(), area.begin() + 25));
    EXPECT_EQ(Packets(receiver), (std::vector<Packet>{{0x05, 24, 25}, {0x05, 3, 49}}));
}

TEST_F(CommandTest, CustomLightGoesToItsGroupUnderTheLightingLock) {
    OpenCable();
    ASSERT_EQ(channel.WriteCustomLight(Counting(100), 1, 512), RESULT_OK);
    EXPECT_EQ(Packets(wired), (std::vector<Packet>{{0x0B, 56, 512}, {0x0B, 44, 568}}));
}

TEST_F(CommandTest, MacrosUseTheChannelChunkAndShootAlways56) {
    OpenReceiver();
    ASSERT_EQ(channel.WriteMacros(Counting(60)), RESULT_OK);
    ASSERT_EQ(channel.WriteShoot(Counting(60)), RESULT_OK);
    EXPECT_EQ(Packets(receiver),
              (std::vector<Packet>{
                  {0x15, 24, 0}, {0x15, 24, 24}, {0x15, 12, 48}, {0x17, 56, 0}, {0x17, 4, 56}}));
}

TEST_F(CommandTest, StatusReadIsOnePacket) {
    OpenCable();
    wiredFirmware.SetMemory(CMD_READ_STATUS, Bytes{80, 2, 9, 0, 3, 1});
    PowerStatus status{};
    ASSERT_EQ(channel.ReadStatus(status.Bytes(), 0), RESULT_OK);
    EXPECT_EQ(status.batteryPercent, 80);
    EXPECT_EQ(status.powerState, static_cast<uint8_t>(PowerState::OnBattery));
    EXPECT_EQ(status.Phone(), PhoneType::IPhone);
    status.MarkLink(LinkKind::Receiver);
    EXPECT_EQ(status.wireless, 1);
    EXPECT_EQ(Packets(wired), (std::vector<Packet>{{0x1A, 6, 0}}));

    std::array<uint8_t, 57> tooLong{};
    EXPECT_EQ(channel.ReadStatus(tooLong, 0), RESULT_WRITE_FAILED);
    EXPECT_EQ(wired.Written().size(), 1u);
}

TEST_F(CommandTest, LinkQuery) {
    OpenCable();
    EXPECT_TRUE(channel.QueryLink());
    EXPECT_TRUE(wired.Written().empty());

    OpenReceiver();
    EXPECT_TRUE(channel.QueryLink());
    EXPECT_EQ(Packets(receiver), (std::vector<Packet>{{0xAA, 0, 0}}));
    receiverFirmware.SetLinkByte(0x00);
    EXPECT_FALSE(channel.QueryLink());
    receiverFirmware.SetLinkByte(0xFF);
    receiverFirmware.SetStatusOfRequest(0, 0xFE);
    EXPECT_FALSE(channel.QueryLink());
    channel.SetOpen(false);
    EXPECT_FALSE(channel.QueryLink());
}

TEST_F(CommandTest, StreamLightIsQuietAndSkipsTheReceiver) {
    std::vector<std::string> lines;
    DebugLog::SetObserver([&](std::string_view line) { lines.emplace_back(line); });
    OpenCable();
    EXPECT_EQ(channel.StreamLight(Counting(312)), RESULT_OK);
    auto packets = Packets(wired);
    ASSERT_EQ(packets.size(), 6u);
    EXPECT_EQ(packets.front(), (Packet{0x12, 56, 0}));
    EXPECT_EQ(packets.back(), (Packet{0x12, 32, 280}));

    OpenReceiver();
    EXPECT_EQ(channel.StreamLight(Counting(312)), RESULT_OK);
    EXPECT_TRUE(receiver.Written().empty());
    EXPECT_EQ(wired.Written().size(), 6u);
    DebugLog::SetObserver({});
    EXPECT_TRUE(lines.empty());
}

TEST_F(CommandTest, StreamLightDropsFramesWhileAnExchangeRuns) {
    OpenCable();
    wired.SetImmediateTimeouts(false);
    wiredFirmware.SetAnswering(false);  // the bracket below waits for a reply we send later

    std::atomic<int> bracketResult{-999};
    std::thread ui([&] { bracketResult = channel.BeginConfig(); });
    while (!channel.ExchangeInProgress()) std::this_thread::yield();

    std::vector<std::string> lines;
    DebugLog::SetObserver([&](std::string_view line) {
        if (line == "放弃灯光数据") lines.emplace_back(line);
    });
    EXPECT_EQ(channel.StreamLight(Counting(100)), RESULT_OK);
    DebugLog::SetObserver({});
    EXPECT_EQ(lines.size(), 2u);  // both chunks dropped

    Bytes reply(64, 0);
    reply[0] = kReportId;
    reply[3] = CMD_BEGIN_CONFIG;
    wired.QueueInput(reply);
    ui.join();
    EXPECT_EQ(bracketResult, RESULT_OK);
    EXPECT_EQ(Packets(wired), (std::vector<Packet>{{0x01, 0, 0}}));
}

}  // namespace
}  // namespace vestra::test
