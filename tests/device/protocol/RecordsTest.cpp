#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "device/protocol/KeyTable.h"
#include "device/protocol/KeyboardSettingsRecord.h"
#include "device/protocol/LightFrame.h"
#include "device/protocol/MacroImage.h"

namespace vestra::test {
namespace {

using namespace vestra::protocol;
using Bytes = std::vector<uint8_t>;

MacroImageMacro Events(size_t count) {
    MacroImageMacro macro;
    for (size_t i = 0; i < count; ++i) {
        macro.push_back({i % 2 == 0 ? MacroAction::Down : MacroAction::Up, 10,
                         static_cast<uint8_t>(0x04 + i), static_cast<uint16_t>(300 + i)});
    }
    return macro;
}

TEST(MacroImageTest, TwoMacrosOfThreeAndFiveEvents) {
    std::vector<MacroImageMacro> macros = {Events(3), Events(5)};
    auto image = EncodeMacroImage(macros);
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->size(), 60u);
    EXPECT_EQ(MacroImageSize(macros), 60u);
    const Bytes& b = *image;
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 16),
              (Bytes{0xAA, 0x55, 60, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(b.begin() + 16, b.begin() + 20), (Bytes{20, 0, 36, 0}));
    // First record: count 3, two zero bytes, then delay LE, type | 0x80 for down, button.
    EXPECT_EQ(Bytes(b.begin() + 20, b.begin() + 28), (Bytes{3, 0, 0, 0, 0x2C, 0x01, 0x8A, 0x04}));
    EXPECT_EQ(Bytes(b.begin() + 28, b.begin() + 32), (Bytes{0x2D, 0x01, 0x0A, 0x05}));  // up
    EXPECT_EQ(Bytes(b.begin() + 36, b.begin() + 40), (Bytes{5, 0, 0, 0}));
    EXPECT_EQ(b[59], 0x04 + 4);
}

TEST(MacroImageTest, EmptyListIsAHeaderOnly) {
    auto image = EncodeMacroImage({});
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(*image, (Bytes{0xAA, 0x55, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(MacroImageTest, ImageBeyondSixteenBitsIsRefused) {
    // 16 + 2 + 4 + 4 * 16380 = 65542 bytes: the size field cannot hold it.
    std::vector<MacroImageMacro> macros = {Events(16380)};
    EXPECT_FALSE(EncodeMacroImage(macros).has_value());
}

TEST(MacroImageTest, CapacityExcessPerDevice) {
    struct Case {
        size_t size;
        uint8_t units;
        MacroOverflowReport report;
        size_t expected;
    };
    for (Case c : {
             Case{60, 1, MacroOverflowReport::EventsOver, 0},
             Case{128, 1, MacroOverflowReport::EventsOver, 0},  // exactly full fits
             Case{129, 1, MacroOverflowReport::EventsOver, 1},  // 1 / 4 + 1
             Case{140, 1, MacroOverflowReport::EventsOver, 4},  // 12 / 4 + 1
             Case{16, 0, MacroOverflowReport::EventsOver, 5},   // no macro memory at all
             Case{16, 0, MacroOverflowReport::ImageSize, 16},
             Case{300, 2, MacroOverflowReport::ImageSize, 300},
         }) {
        EXPECT_EQ(MacroCapacityExcess(c.size, size_t{c.units} * kMacroCapacityUnit, c.report),
                  c.expected)
            << c.size << " in " << int(c.units);
    }
}

TEST(LightFrameTest, ColoursGoToTheirLedsScaledOrNot) {
    std::vector<KeyColour> colours = {
        {200, 100, 50, 128}, {255, 255, 255, 255}, {9, 9, 9, 0}, {1, 2, 3, 255}};
    // Key 0 → LED 2, key 1 → LED 0, key 2 has no LED, key 3 points past the frame.
    Bytes leds = {2, 0, kNoLed, 7};
    EXPECT_EQ(BuildLightFrame(colours, leds, 4, LightScaling::Unscaled),
              (Bytes{255, 255, 255, 0, 0, 0, 200, 100, 50, 0, 0, 0}));
    EXPECT_EQ(BuildLightFrame(colours, leds, 4, LightScaling::ByBrightness),
              (Bytes{254, 254, 254, 0, 0, 0, 100, 50, 25, 0, 0, 0}));
}

TEST(KeyTableTest, SlotsAndLookup) {
    std::array<uint8_t, 9> table{0x20, 0, 0x29, 0x20, 0, 0x3A, 0x20, 0, 0x29};
    EXPECT_EQ(KeyCodeAt(table, 1), (KeyCode{0x20, 0, 0x3A}));
    EXPECT_EQ(KeyCodeAt(table, 3), (KeyCode{0, 0, 0}));
    EXPECT_EQ(FindKeySlot(table, 3, {0x20, 0, 0x29}), 0);  // the first of two equal slots
    EXPECT_EQ(FindKeySlot(table, 3, {0x70, 1, 0}), -1);
    EXPECT_EQ(FindKeySlot(table, 2, {0x20, 0, 0x3A}), 1);
    EXPECT_TRUE(SetKeyCode(table, 2, {0x70, 1, 0}));
    EXPECT_FALSE(SetKeyCode(table, 3, {0x70, 1, 0}));
    EXPECT_EQ(KeyCodeAt(table, 2), (KeyCode{0x70, 1, 0}));
    EXPECT_EQ(LedOfSlot(std::array<uint8_t, 2>{5, 6}, 2), kNoLed);
}

TEST(KeyboardSettingsRecordTest, FieldsSitAtTheirBytes) {
    std::array<uint8_t, 27> wire{};
    for (size_t i = 0; i < wire.size(); ++i) wire[i] = static_cast<uint8_t>(i);
    wire[3] = 1;  // speed 3
    KeyboardSettingsRecord record{};
    std::copy(wire.begin(), wire.end(), record.Bytes().begin());
    EXPECT_EQ(record.modeCode, 1);
    EXPECT_EQ(record.Speed(), 3);
    EXPECT_EQ(record.blue, 8);
    EXPECT_EQ(record.ledMode, 19);
    EXPECT_EQ(record.pollingRate, 23);
    EXPECT_EQ(record.customGroup, 26);
    record.speedCode = 9;  // an odd device value still gives a speed in range
    EXPECT_EQ(record.Speed(), 0);
    record.SetSpeed(4);
    EXPECT_EQ(record.Bytes()[3], 0);
}

}  // namespace
}  // namespace vestra::test
