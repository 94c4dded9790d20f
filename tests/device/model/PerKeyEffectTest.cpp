#include <gtest/gtest.h>

#include <vector>

#include "device/model/LightTables.h"
#include "device/model/PerKeyOverlay.h"

namespace vestra {
namespace {

LightListEntry Entry(PerKeyEffect type, uint8_t present, uint8_t brightness = 4, uint8_t speed = 0,
                     uint8_t multiColor = 0, Rgb colour = {7, 8, 9}) {
    LightListEntry entry{};
    entry.mode = static_cast<uint8_t>(type);
    entry.brightness = brightness;
    entry.speed = speed;
    entry.multiColor = multiColor;
    entry.red = colour.red;
    entry.green = colour.green;
    entry.blue = colour.blue;
    entry.present = present;
    return entry;
}

constexpr KeyColour kUnderneath{50, 60, 70, 200};

bool Same(const KeyColour& a, const KeyColour& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.brightness == b.brightness;
}

TEST(PerKeyEffectTest, WhichEntriesOverrideTheirLight) {
    struct Case {
        LightListEntry entry;
        bool overrides;
        KeyColour shown;
    };
    const Case cases[] = {
        {Entry(PerKeyEffect::Static, 1, 1), true, {7, 8, 9, 80}},
        {Entry(PerKeyEffect::Static, 0, 1), true, {7, 8, 9, 80}},  // static holds regardless
        {Entry(PerKeyEffect::Off, 0), true, {0, 0, 0, 0}},         // so does off
        {Entry(PerKeyEffect::Breathing, 0), false, kUnderneath},   // the zeroed entry
        {Entry(PerKeyEffect::Blink, 0), false, kUnderneath},
        {Entry(static_cast<PerKeyEffect>(9), 1), false, kUnderneath},  // unknown type
    };
    for (const Case& c : cases) {
        PerKeyOverlay overlay;
        overlay.Load(std::vector<LightListEntry>{c.entry}, 1000);
        EXPECT_EQ(overlay.IsActive(), c.overrides) << int(c.entry.mode);
        std::vector<KeyColour> keys(3, kUnderneath);
        overlay.Apply(1000, keys);
        EXPECT_TRUE(Same(keys[0], c.shown)) << int(c.entry.mode) << " " << int(c.entry.present);
        EXPECT_TRUE(Same(keys[1], kUnderneath));  // lights without an entry are left alone
    }
}

TEST(PerKeyEffectTest, BreathingAdvancesBySpeedPlusFourPerFrameAndCyclesTheWheel) {
    PerKeyOverlay overlay;
    overlay.Load(std::vector<LightListEntry>{Entry(PerKeyEffect::Breathing, 1, 4, 2, 1)}, 0);
    std::vector<KeyColour> keys(1);
    overlay.Apply(PerKeyOverlay::kFrameMs * 10, keys);  // phase 60
    EXPECT_EQ(keys[0].brightness, 255 * kBreathingCurve[60] / 256);
    EXPECT_EQ(keys[0].green, kHueWheel[0].green);
    overlay.Apply(PerKeyOverlay::kFrameMs * 22 + 5, keys);  // 126, then past 127: 0, next hue
    EXPECT_EQ(keys[0].brightness, 0);
    EXPECT_EQ(keys[0].green, kHueWheel[1].green);
    EXPECT_EQ(overlay.NextFrameMs(), PerKeyOverlay::kFrameMs * 23);
}

TEST(PerKeyEffectTest, BreathingHueWrapsToTheStartOfTheWheel) {
    PerKeyOverlay overlay;
    overlay.Load(std::vector<LightListEntry>{Entry(PerKeyEffect::Breathing, 1, 4, 4, 1)}, 0);
    std::vector<KeyColour> keys(1);
    // Speed 4 breathes in 16 frames, one hue per breath: after 193 breaths the hue has gone
    // round the wheel (192 is 0 again) and on to 1.
    for (uint64_t frame = 1; frame <= 16 * 193; ++frame) {
        overlay.Apply(frame * PerKeyOverlay::kFrameMs, keys);
        if (frame == 16 * 191) {
            EXPECT_EQ(keys[0].blue, kHueWheel[191].blue);
        }
    }
    EXPECT_EQ(keys[0].red, kHueWheel[1].red);
    EXPECT_EQ(keys[0].green, kHueWheel[1].green);
}

TEST(PerKeyEffectTest, BlinkTogglesEveryIntervalAndSpectrumStepsEveryIntervalFrames) {
    PerKeyOverlay overlay;
    overlay.Load(std::vector<LightListEntry>{Entry(PerKeyEffect::Blink, 1, 4, 4, 1),
                                             Entry(PerKeyEffect::Spectrum, 1, 0, 4)},
                 0);
    std::vector<KeyColour> keys(2);
    for (uint64_t ms = 0; ms <= 1399; ms += 100) overlay.Apply(ms, keys);
    overlay.Apply(1399, keys);                      // speed 4: 7 × 200 ms
    EXPECT_EQ(keys[0].brightness, 255);             // starts lit
    EXPECT_EQ(keys[1].green, kHueWheel[12].green);  // 87 frames, one hue per 7 frames
    overlay.Apply(1400, keys);
    EXPECT_EQ(keys[0].brightness, 0);
    overlay.Apply(2800, keys);
    EXPECT_EQ(keys[0].brightness, 255);
    EXPECT_EQ(keys[0].green, kHueWheel[28].green);  // two toggles of 14
    EXPECT_EQ(keys[1].brightness, 30);
}

TEST(PerKeyEffectTest, LoadingRestartsTheAnimations) {
    PerKeyOverlay overlay;
    std::vector<LightListEntry> entries{Entry(PerKeyEffect::Breathing, 1)};
    overlay.Load(entries, 0);
    std::vector<KeyColour> keys(1);
    overlay.Apply(PerKeyOverlay::kFrameMs * 5, keys);
    EXPECT_GT(keys[0].brightness, 0);
    overlay.Load(entries, 5000);
    overlay.Apply(5000, keys);
    EXPECT_EQ(keys[0].brightness, 0);
    overlay.Clear();
    EXPECT_FALSE(overlay.IsActive());
    EXPECT_EQ(overlay.NextFrameMs(), PerKeyOverlay::kNever);
}

}  // namespace
}  // namespace vestra
