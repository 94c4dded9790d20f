#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>

#include "RawHost.h"
#include "emulator/FactoryKeyTables.h"
#include "emulator/Firmware.h"

namespace vestra::emulator {
namespace {

using namespace vestra::protocol;
using test::Packet;
using test::RawHost;
using test::Request;

std::vector<uint8_t> Slice(std::span<const uint8_t> bytes, size_t at, size_t length) {
    return {bytes.begin() + at, bytes.begin() + at + length};
}

class FirmwareTest : public ::testing::Test {
protected:
    std::vector<uint8_t> Committed(Peripheral peripheral, Region region, size_t at, size_t length) {
        return Slice(backend->Memory(peripheral).Bytes(region), at, length);
    }

    std::shared_ptr<EmulatedHidBackend> backend =
        test::WithProducts({Product::Keyboard, Product::KeyboardReceiver, Product::Mouse,
                            Product::Pad, Product::Headset});
    RawHost keyboard{*backend, Product::Keyboard};
};

TEST_F(FirmwareTest, ReplyEchoesCommandLengthAndAddressWithStatusAndChecksum) {
    std::optional<Packet> reply = keyboard.Exchange(Request(CMD_READ_SETTINGS, 27, 25));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[0], 4);
    EXPECT_EQ((*reply)[3], CMD_READ_SETTINGS);
    EXPECT_EQ((*reply)[4], 27);
    EXPECT_EQ((*reply)[5], 25);
    EXPECT_EQ((*reply)[6], 0);
    EXPECT_EQ((*reply)[7], 0);
    EXPECT_EQ((*reply)[1] | (*reply)[2] << 8, test::Checksum(*reply));
    EXPECT_EQ(Slice(*reply, 8, 27), Committed(Peripheral::Keyboard, Region::Settings, 25, 27));
    // Bytes past the requested length are not left over from the request.
    EXPECT_TRUE(std::all_of(reply->begin() + 35, reply->end(), [](uint8_t b) { return b == 0; }));
}

TEST_F(FirmwareTest, ConfigurationWritesTakeEffectAtTheClosingBracket) {
    const DeviceMemory before = backend->Memory(Peripheral::Keyboard);
    const std::vector<uint8_t> record(27, 0x5A);

    // Outside a bracket the write is refused and nothing changes.
    std::optional<Packet> refused = keyboard.Exchange(Request(CMD_WRITE_SETTINGS, 27, 0, record));
    ASSERT_TRUE(refused);
    EXPECT_EQ((*refused)[7], 0xFF);

    ASSERT_EQ((*keyboard.Exchange(Request(CMD_BEGIN_CONFIG)))[7], 0);
    ASSERT_TRUE(keyboard.WriteRange(CMD_WRITE_SETTINGS, 0, record, 56));
    EXPECT_TRUE(backend->BracketOpen(Peripheral::Keyboard));
    // Reads inside the bracket still see the committed record.
    EXPECT_EQ(keyboard.ReadRange(CMD_READ_SETTINGS, 0, 27, 56),
              Slice(before.Bytes(Region::Settings), 0, 27));
    EXPECT_EQ(backend->Memory(Peripheral::Keyboard), before);

    ASSERT_EQ((*keyboard.Exchange(Request(CMD_END_CONFIG)))[7], 0);
    EXPECT_FALSE(backend->BracketOpen(Peripheral::Keyboard));
    EXPECT_EQ(Committed(Peripheral::Keyboard, Region::Settings, 0, 27), record);
    EXPECT_EQ(keyboard.ReadRange(CMD_READ_SETTINGS, 0, 27, 24), record);
}

TEST_F(FirmwareTest, LaterStagedWritesWinAndALoneEndBracketIsHarmless) {
    ASSERT_EQ((*keyboard.Exchange(Request(CMD_END_CONFIG)))[7], 0);
    ASSERT_TRUE(keyboard.Exchange(Request(CMD_BEGIN_CONFIG)));
    const uint8_t first[] = {1, 2, 3};
    const uint8_t second[] = {9};
    ASSERT_TRUE(keyboard.WriteRange(CMD_WRITE_KEYMAP, 300, first, 56));
    ASSERT_TRUE(keyboard.Exchange(Request(CMD_BEGIN_CONFIG)));  // a second begin keeps them
    ASSERT_TRUE(keyboard.WriteRange(CMD_WRITE_KEYMAP, 301, second, 56));
    ASSERT_TRUE(keyboard.Exchange(Request(CMD_END_CONFIG)));
    EXPECT_EQ(Committed(Peripheral::Keyboard, Region::KeyTable, 300, 3),
              (std::vector<uint8_t>{1, 9, 3}));
}

TEST_F(FirmwareTest, LightCommandsActWithoutABracket) {
    const std::vector<uint8_t> colours(30, 0x77);
    ASSERT_TRUE(keyboard.WriteRange(CMD_WRITE_CUSTOM_LIGHT, 2 * 512 + 6, colours, 56));
    EXPECT_EQ(Committed(Peripheral::Keyboard, Region::CustomLight, 2 * 512 + 6, 30), colours);
    ASSERT_TRUE(keyboard.WriteRange(CMD_STREAM_LIGHT, 0, colours, 56));
    EXPECT_EQ(Committed(Peripheral::Keyboard, Region::LightFrame, 0, 30), colours);
    EXPECT_FALSE(backend->Memory(Peripheral::Keyboard).HostLightControl());
    ASSERT_EQ((*keyboard.Exchange(Request(CMD_HOST_LIGHT_CONTROL)))[7], 0);
    EXPECT_TRUE(backend->Memory(Peripheral::Keyboard).HostLightControl());
}

// A host reads the 104-key board's table as 6 packets on the cable (5 x 56 + 32) and writes it
// back as 13 packets of 24 through the receiver.
TEST_F(FirmwareTest, KeyTableMovesInChunksAtTheirOffsets) {
    const std::optional<std::vector<uint8_t>> info = keyboard.ReadRange(CMD_READ_INFO, 0, 34, 56);
    ASSERT_TRUE(info);
    const size_t blockSize = 3 * (*info)[5];
    ASSERT_EQ(blockSize, 312u);
    const std::optional<std::vector<uint8_t>> table =
        keyboard.ReadRange(CMD_READ_KEYMAP, 0, blockSize, 56);
    ASSERT_TRUE(table);
    EXPECT_EQ(*table, Committed(Peripheral::Keyboard, Region::KeyTable, 0, blockSize));
    const std::optional<std::vector<uint8_t>> leds =
        keyboard.ReadRange(CMD_READ_KEY_LEDS, 0, blockSize / 3, 56);
    ASSERT_TRUE(leds);
    EXPECT_EQ(*leds, Committed(Peripheral::Keyboard, Region::KeyLeds, 0, 104));

    std::vector<uint8_t> changed = *table;
    std::reverse(changed.begin(), changed.end());
    RawHost receiver(*backend, Product::KeyboardReceiver);
    ASSERT_TRUE(receiver.Exchange(Request(CMD_BEGIN_CONFIG)));
    ASSERT_TRUE(receiver.WriteRange(CMD_WRITE_KEYMAP, 0, changed, 24));
    ASSERT_TRUE(receiver.Exchange(Request(CMD_END_CONFIG)));
    EXPECT_EQ(Committed(Peripheral::Keyboard, Region::KeyTable, 0, blockSize), changed);
    EXPECT_EQ(keyboard.ReadRange(CMD_READ_KEYMAP, 0, blockSize, 56), changed);
}

TEST_F(FirmwareTest, SettingsSlotsSitAtTheirStride) {
    RawHost pad(*backend, Product::Pad);
    RawHost mouse(*backend, Product::Mouse);

    // The slot byte at address 0 names the record to read: p * 25 or, on the mouse, p * 128.
    ASSERT_TRUE(backend->SwitchProfile(Peripheral::Pad, 2));
    std::optional<std::vector<uint8_t>> slot = pad.ReadRange(CMD_READ_SETTINGS, 0, 1, 56);
    ASSERT_EQ(slot, std::vector<uint8_t>{2});
    EXPECT_EQ(pad.ReadRange(CMD_READ_SETTINGS, 2 * 25, 27, 56),
              Committed(Peripheral::Pad, Region::Settings, 50, 27));

    ASSERT_TRUE(backend->SwitchProfile(Peripheral::Mouse, 3, 2));
    slot = mouse.ReadRange(CMD_READ_SETTINGS, 0, 1, 56);
    ASSERT_EQ(slot, std::vector<uint8_t>{3});
    const std::optional<std::vector<uint8_t>> page =
        mouse.ReadRange(CMD_READ_SETTINGS, 384, 62, 56);
    ASSERT_TRUE(page);
    EXPECT_EQ((*page)[12], 2);                               // selected DPI stage
    EXPECT_EQ((*page)[14 + 2] | (*page)[14 + 3] << 8, 800);  // stage 0 X value

    // A 57-byte mouse write to page 0 lands at address 0, sets the page byte back to 0 and
    // leaves page 3 alone.
    const std::vector<uint8_t> page3 = Committed(Peripheral::Mouse, Region::Settings, 384, 128);
    std::vector<uint8_t> block(57, 0);
    block[1] = 7;
    block[50] = 1;
    ASSERT_TRUE(mouse.Exchange(Request(CMD_BEGIN_CONFIG)));
    ASSERT_TRUE(mouse.WriteRange(CMD_WRITE_SETTINGS, 0, block, 56));
    ASSERT_TRUE(mouse.Exchange(Request(CMD_END_CONFIG)));
    EXPECT_EQ(Committed(Peripheral::Mouse, Region::Settings, 0, 57), block);
    EXPECT_EQ(Committed(Peripheral::Mouse, Region::Settings, 384, 128), page3);
}

TEST_F(FirmwareTest, ProfileButtonOutOfRangeChangesNothing) {
    const DeviceMemory before = backend->Memory(Peripheral::Mouse);
    EXPECT_FALSE(backend->SwitchProfile(Peripheral::Mouse, kProfileSlots));
    EXPECT_FALSE(backend->SwitchProfile(Peripheral::Mouse, 1, 4));
    EXPECT_FALSE(backend->SwitchProfile(Peripheral::Keyboard, -1));
    EXPECT_EQ(backend->Memory(Peripheral::Mouse), before);
}

// Every refused or malformed request leaves the memory as it was.
TEST_F(FirmwareTest, RefusedRequestsChangeNothing) {
    RawHost mouse(*backend, Product::Mouse);
    RawHost headset(*backend, Product::Headset);
    ASSERT_TRUE(keyboard.Exchange(Request(CMD_BEGIN_CONFIG)));
    ASSERT_TRUE(mouse.Exchange(Request(CMD_BEGIN_CONFIG)));
    ASSERT_TRUE(headset.Exchange(Request(CMD_BEGIN_CONFIG)));
    const uint8_t data[56] = {0xEE};

    Packet badChecksum = Request(CMD_WRITE_KEYMAP, 3, 0, data);
    badChecksum[1] ^= 1;
    Packet staleTail = Request(CMD_WRITE_KEYMAP, 3, 0, data);
    staleTail[40] = 0x12;  // changed after the checksum was stamped

    struct Case {
        const char* what;
        RawHost* host;
        Packet request;
        uint8_t status;
    };
    const Case cases[] = {
        {"bad checksum", &keyboard, badChecksum, 0xFE},
        {"byte outside the checksum", &keyboard, staleTail, 0xFE},
        {"length above 56", &keyboard, Request(CMD_WRITE_KEYMAP, 57, 0, data), 0xFE},
        {"unknown command", &keyboard, Request(0x33, 1, 0, data), 0xFF},
        {"past the key table", &keyboard, Request(CMD_WRITE_KEYMAP, 3, 510, data), 0xFF},
        {"page 1 of the key table", &keyboard, Request(CMD_WRITE_KEYMAP, 3, 512, data), 0xFF},
        {"read past the info block", &keyboard, Request(CMD_READ_INFO, 2, 33), 0xFF},
        {"status past its block", &keyboard, Request(CMD_READ_STATUS, 7, 0), 0xFF},
        {"macros past the capacity", &mouse, Request(CMD_WRITE_MACROS, 8, 16 * 128 - 4, data),
         0xFF},
        {"shoot memory on a keyboard", &keyboard, Request(CMD_WRITE_SHOOT, 4, 0, data), 0xFF},
        {"custom light on a mouse", &mouse, Request(CMD_WRITE_CUSTOM_LIGHT, 4, 0, data), 0xFF},
        {"host light control on a headset", &headset, Request(CMD_HOST_LIGHT_CONTROL), 0xFF},
        {"key table of a headset", &headset, Request(CMD_READ_KEYMAP, 3, 0), 0xFF},
    };
    std::vector<DeviceMemory> before;
    for (Peripheral peripheral : kAllPeripherals) before.push_back(backend->Memory(peripheral));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::optional<Packet> reply = c.host->Exchange(c.request);
        ASSERT_TRUE(reply);
        EXPECT_EQ((*reply)[3], c.request[3]);
        EXPECT_EQ((*reply)[7], c.status);
    }
    for (RawHost* host : {&keyboard, &mouse, &headset}) host->Exchange(Request(CMD_END_CONFIG));
    for (Peripheral peripheral : kAllPeripherals) {
        EXPECT_EQ(backend->Memory(peripheral), before[static_cast<size_t>(peripheral)])
            << PeripheralName(peripheral);
    }
}

TEST_F(FirmwareTest, StatusBlockFollowsBatteryAndCharger) {
    backend->SetPower(Peripheral::Keyboard, 37, PowerState::Charging);
    EXPECT_EQ(keyboard.ReadRange(CMD_READ_STATUS, 0, 6, 56),
              (std::vector<uint8_t>{37, 1, 0, 0, 0, 0}));
    RawHost pad(*backend, Product::Pad);
    backend->SetPhoneType(2);
    const std::optional<std::vector<uint8_t>> status = pad.ReadRange(CMD_READ_STATUS, 0, 6, 56);
    ASSERT_TRUE(status);
    EXPECT_EQ((*status)[5], 2);
}

TEST_F(FirmwareTest, HeadsetTakesItsLedRegistersFromOutputReports) {
    RawHost headset(*backend, Product::Headset);
    // Red, green and blue of LED i are i, 100 + i and 200 + i; bank 0x44 gets half of that.
    for (uint8_t bank : {0x22, 0x44}) {
        for (uint8_t reg = 0xAA; reg <= 0xAF; ++reg) {
            const int colour = (reg - 0xAA) % 3;
            const int first = reg >= 0xAD ? 7 : 0;
            std::vector<uint8_t> report(17, 0);
            report[0] = 0xFF;
            report[1] = bank;
            report[2] = reg;
            for (int i = 0; i < (first ? 6 : 7); ++i) {
                const int value = 100 * colour + first + i;
                report[4 + i] = static_cast<uint8_t>(bank == 0x22 ? value : value / 2);
            }
            ASSERT_TRUE(headset.Device().SetOutputReport(report));
        }
    }
    const DeviceMemory memory = backend->Memory(Peripheral::Headset);
    for (int led = 0; led < kHeadsetLeds; ++led) {
        SCOPED_TRACE(led);
        const std::array<uint8_t, 3> left = {static_cast<uint8_t>(led),
                                             static_cast<uint8_t>(100 + led),
                                             static_cast<uint8_t>(200 + led)};
        EXPECT_EQ(memory.HeadsetLed(0, led), left);
        EXPECT_EQ(memory.HeadsetLed(1, led)[2], (200 + led) / 2);
    }
}

TEST(FactoryKeyTables, EveryKeyIsFoundByItsOwnCodeAndLightsItsOwnLed) {
    for (auto codes : {KeyboardSlotCodes(), MouseSlotCodes()}) {
        std::set<KeyCode> distinct(codes.begin(), codes.end());
        EXPECT_EQ(distinct.size(), codes.size());
    }
    std::vector<uint8_t> leds(KeyboardSlotLeds().begin(), KeyboardSlotLeds().end());
    std::sort(leds.begin(), leds.end());
    std::vector<uint8_t> expected(KeyboardSlotCodes().size());
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(leds, expected);  // a light frame of 3 x key count bytes reaches every key
}

}  // namespace
}  // namespace vestra::emulator
