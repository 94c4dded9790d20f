#include <gtest/gtest.h>

#include <vector>

#include "device/model/KeyboardEffects.h"

namespace vestra {
namespace {

LightInfoRecord Light(uint8_t mode, uint8_t multiColor, uint8_t fx, Rgb colour = {100, 50, 25}) {
    LightInfoRecord light{};
    light.selectItem = mode;
    light.light = 4;  // brightness 255
    light.speed = 4;
    light.fx = fx;
    light.multiColor = multiColor;
    light.red = colour.red;
    light.green = colour.green;
    light.blue = colour.blue;
    return light;
}

::testing::AssertionResult KeyIs(const std::vector<KeyColour>& keys, int key, Rgb colour,
                                 int brightness) {
    const KeyColour& k = keys[key];
    if (k.red == colour.red && k.green == colour.green && k.blue == colour.blue &&
        k.brightness == brightness) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "key " << key << " is (" << int(k.red) << "," << int(k.green) << "," << int(k.blue)
           << ") at " << int(k.brightness) << ", expected (" << int(colour.red) << ","
           << int(colour.green) << "," << int(colour.blue) << ") at " << brightness;
}

class KeyboardEffectsTest : public ::testing::Test {
protected:
    void Run(const LightInfoRecord& light, int steps = 1) {
        for (int i = 0; i < steps; ++i) effects.Step(light, 0, keys);
    }

    KeyboardEffects effects{7};
    std::vector<KeyColour> keys = std::vector<KeyColour>(kKeyPositions);
};

TEST_F(KeyboardEffectsTest, HorizontalWaveGivesEachColumnTheHueSevenOnFromTheLast) {
    LightInfoRecord light = Light(kModeHorizontalWave, 1, 0);
    effects.SelectMode(kModeHorizontalWave);
    Run(light);  // backwards from 0: phase 191, so column 0 has hue 192, which is 0
    EXPECT_TRUE(KeyIs(keys, 120, kHueWheel[0], 255));    // column 0
    EXPECT_TRUE(KeyIs(keys, 21, kHueWheel[7], 255));     // column 1
    EXPECT_TRUE(KeyIs(keys, 106, kHueWheel[14], 255));   // column 2
    EXPECT_TRUE(KeyIs(keys, 131, kHueWheel[154], 255));  // column 22

    Run(light);  // phase 190: column 0 at 191, then the hue wraps round the wheel
    EXPECT_TRUE(KeyIs(keys, 124, {255, 0, 0}, 255));
    EXPECT_TRUE(KeyIs(keys, 63, kHueWheel[6], 255));
    EXPECT_TRUE(KeyIs(keys, 0, kHueWheel[13], 255));
    EXPECT_TRUE(KeyIs(keys, 41, kHueWheel[153], 255));
    EXPECT_TRUE(KeyIs(keys, 150, {0, 0, 0}, 0));  // off the grid
}

TEST_F(KeyboardEffectsTest, HorizontalWaveWithFixedColourDimsAlongTheHalfCurve) {
    LightInfoRecord light = Light(kModeHorizontalWave, 0, 1);
    effects.SelectMode(kModeHorizontalWave);
    Run(light);  // phase 1: column 0 at index 2, column 13 at 93, column 14 wraps to 4
    const Rgb fixed{100, 50, 25};
    EXPECT_TRUE(KeyIs(keys, 121, fixed, 255 * kHalfBreathingCurve[2] / 256));
    EXPECT_TRUE(KeyIs(keys, 10, fixed, 255 * kHalfBreathingCurve[93] / 256));
    EXPECT_TRUE(KeyIs(keys, 11, fixed, 255 * kHalfBreathingCurve[4] / 256));
    EXPECT_EQ(keys[11].brightness, 32);
}

TEST_F(KeyboardEffectsTest, VerticalWaveStepsTheHueByRow) {
    LightInfoRecord light = Light(kModeVerticalWave, 1, 0);
    Run(light, 2);  // phase 190: row 0 at 191, row 1 at 23, then 47, 71, 95, 119
    EXPECT_TRUE(KeyIs(keys, 0, kHueWheel[191], 255));
    EXPECT_TRUE(KeyIs(keys, 22, kHueWheel[23], 255));
    EXPECT_TRUE(KeyIs(keys, 131, kHueWheel[119], 255));
}

TEST_F(KeyboardEffectsTest, MarqueeHitsTravelAlongTheRowOnly) {
    LightInfoRecord light = Light(kModeReactiveMarquee, 0, 1);
    effects.SelectMode(kModeReactiveMarquee);
    const Rgb fixed{100, 50, 25};
    effects.OnKeyHit(52, KeyAction::Press);  // column 11, row 2
    Run(light);
    for (int key : {52, 51, 53}) EXPECT_TRUE(KeyIs(keys, key, fixed, 214));  // 255 faded to 215
    for (int key : {31, 73, 50, 54}) EXPECT_TRUE(KeyIs(keys, key, fixed, 0));
    Run(light);
    for (int key : {50, 54}) EXPECT_TRUE(KeyIs(keys, key, fixed, 214));
    for (int key : {51, 52, 53}) EXPECT_TRUE(KeyIs(keys, key, fixed, 174));
    EXPECT_TRUE(KeyIs(keys, 31, fixed, 0));
}

TEST_F(KeyboardEffectsTest, ReactiveModesChooseTheirKeyEventAndSpread) {
    struct Case {
        uint8_t mode;
        KeyAction action;
        std::vector<int> lit;
        std::vector<int> dark;
    };
    const Case cases[] = {
        {kModeReactiveFade, KeyAction::Press, {52}, {51, 53, 31, 73}},
        {kModeReactiveFade, KeyAction::Release, {}, {52}},
        {kModeReactiveRelease, KeyAction::Release, {52}, {51, 53}},
        {kModeReactiveRelease, KeyAction::Press, {}, {52}},
        {kModeReactiveHueSpread, KeyAction::Press, {52, 51, 53, 31, 73}, {50, 10}},
    };
    for (const Case& c : cases) {
        KeyboardEffects fresh(1);
        std::vector<KeyColour> frame(kKeyPositions);
        fresh.SelectMode(c.mode);
        fresh.OnKeyHit(52, c.action);
        fresh.OnKeyHit(200, c.action);  // no such position: ignored
        fresh.Step(Light(c.mode, 0, 1), 0, frame);
        for (int key : c.lit) EXPECT_GT(frame[key].brightness, 0) << int(c.mode) << " " << key;
        for (int key : c.dark) EXPECT_EQ(frame[key].brightness, 0) << int(c.mode) << " " << key;
    }
}

TEST_F(KeyboardEffectsTest, PulseModesStartWithoutAKeyHit) {
    effects.SelectMode(kModeReactivePulse);
    Run(Light(kModeReactivePulse, 0, 1));
    // The centre column's lights have moved one column out on either side.
    for (int key : {7, 30, 51, 72, 92, 109, 9, 32, 53, 74, 94, 110}) {
        EXPECT_GT(keys[key].brightness, 0) << key;
    }
    EXPECT_EQ(keys[0].brightness, 0);
}

TEST_F(KeyboardEffectsTest, HueScrollStartsPositionsAThirdOfTheWheelApart) {
    effects.SelectMode(kModeHueScroll);
    Run(Light(kModeHueScroll, 0, 1));
    // Starting hues 0, 33, 66, 99, 132, 165, then 165 + 97 wraps to 6; each step adds 1.
    const int expected[] = {1, 34, 67, 100, 133, 166, 7};
    for (int key = 0; key < 7; ++key) EXPECT_TRUE(KeyIs(keys, key, kHueWheel[expected[key]], 255));
}

TEST_F(KeyboardEffectsTest, PresetStaticPicksItsHueByTheAreaMode) {
    const std::pair<uint8_t, int> cases[] = {{1, 25}, {2, 70}, {3, 95}, {0, 174}, {9, 174}};
    for (auto [areaMode, hue] : cases) {
        LightInfoRecord light = Light(kModePresetStatic, 0, 1);
        light.zzccLedMode = areaMode;
        light.light = 1;
        Run(light);
        EXPECT_TRUE(KeyIs(keys, 60, kHueWheel[hue], 80)) << int(areaMode);
    }
}

TEST_F(KeyboardEffectsTest, CustomColoursKeepTheirColourAndTakeTheLevel) {
    keys[3] = {9, 8, 7, 255};
    keys[169] = {1, 2, 3, 0};
    LightInfoRecord light = Light(kModeCustomColours, 0, 1);
    light.light = 0;
    Run(light);
    EXPECT_TRUE(KeyIs(keys, 3, {9, 8, 7}, 30));
    EXPECT_TRUE(KeyIs(keys, 169, {1, 2, 3}, 30));
}

TEST_F(KeyboardEffectsTest, RippleRingsStartAtTheirOwnHuesAndPhases) {
    effects.SelectMode(kModeRipple);
    Run(Light(kModeRipple, 1, 1));
    // Ring 1 starts at hue 184 and phase 7; the step takes it to twinkle entry 8.
    EXPECT_TRUE(KeyIs(keys, kRippleGrid[1][0], kHueWheel[184], 255 * kTwinkleCurve[8] / 256));
    EXPECT_TRUE(KeyIs(keys, kRippleGrid[1][1], kHueWheel[149], 255 * kTwinkleCurve[8] / 256));
    // Ring 3: 168, 133, 98, 63, 28, then 28 - 98 wraps to 186.
    EXPECT_EQ(keys[kRippleGrid[3][5]].red, kHueWheel[186].red);
    EXPECT_EQ(keys[kRippleGrid[3][5]].blue, kHueWheel[186].blue);
}

TEST_F(KeyboardEffectsTest, AudioLevelBarsRiseFromTheBottomRow) {
    AudioLightRecord audio{};
    audio.audioMode = static_cast<uint8_t>(AudioMode::LevelBarsRising);
    audio.backBlue = 10;
    audio.foreRed = 200;
    effects.SetAudioLight(audio);
    std::vector<int32_t> levels(500, 0);
    levels[3] = 2000;   // full scale: the whole column
    levels[4] = 1000;   // half scale: the bottom three rows
    levels[5] = 99999;  // beyond full scale counts as full
    effects.FeedAudioLevels(levels);
    LightInfoRecord light = Light(kModeAudio, 0, 1);
    light.light = 2;
    Run(light);
    for (int key : {1, 23, 44, 65, 85, 20, 66, 86, 107, 3, 126}) {
        EXPECT_TRUE(KeyIs(keys, key, {200, 0, 0}, 135)) << key;
    }
    for (int key : {2, 24, 45, 0}) EXPECT_TRUE(KeyIs(keys, key, {0, 0, 10}, 135)) << key;
}

TEST_F(KeyboardEffectsTest, ExternalColourShowsOnEveryKey) {
    effects.SetExternalColour({1, 2, 3});
    Run(Light(kModeExternalColour, 0, 1));
    EXPECT_TRUE(KeyIs(keys, 0, {1, 2, 3}, 255));
    EXPECT_TRUE(KeyIs(keys, 169, {1, 2, 3}, 255));
}

TEST_F(KeyboardEffectsTest, RandomEffectsRepeatForTheSameRandomStart) {
    KeyboardEffects a(42), b(42);
    std::vector<KeyColour> frameA(kKeyPositions), frameB(kKeyPositions);
    for (uint8_t mode : {kModeSparkle, kModeTwinkle}) {
        a.SelectMode(mode);
        b.SelectMode(mode);
        for (int i = 0; i < 50; ++i) {
            a.Step(Light(mode, 1, 1), 0, frameA);
            b.Step(Light(mode, 1, 1), 0, frameB);
        }
        for (size_t key = 0; key < kKeyPositions; ++key) {
            ASSERT_EQ(frameA[key].red, frameB[key].red) << int(mode) << " " << key;
            ASSERT_EQ(frameA[key].brightness, frameB[key].brightness) << int(mode) << " " << key;
        }
    }
}

TEST(KeyboardEffectsTimingTest, StepIntervalsByModeAndSpeed) {
    EXPECT_EQ(KeyboardEffects::StepInterval(kModeHorizontalWave, 0), 20u);
    EXPECT_EQ(KeyboardEffects::StepInterval(kModeHorizontalWave, 4), 2u);
    EXPECT_EQ(KeyboardEffects::StepInterval(kModeRain, 2), 8u);
    EXPECT_EQ(KeyboardEffects::StepInterval(kModeRain, 77), 2u);
    EXPECT_EQ(KeyboardEffects::StepInterval(kModeAudio, 0), 2u);
    EXPECT_EQ(KeyboardEffects::StepInterval(kModeExternalColour, 0), 2u);
    EXPECT_EQ(KeyboardEffects::StepInterval(kModeExternalColour, 3), 1u);
    for (uint8_t idle : {0, 19, 31, 255}) EXPECT_EQ(KeyboardEffects::StepInterval(idle, 2), 0u);
}

// Every mode, with odd settings and a buffer shorter than the keyboard, stays inside its
// buffers; modes without a generator leave the colours alone.
TEST(KeyboardEffectsRobustnessTest, EveryModeRunsOnAnyBufferWithAnySettings) {
    for (size_t size : {size_t{0}, size_t{15}, kKeyPositions, size_t{300}}) {
        for (int mode = 0; mode <= 40; ++mode) {
            KeyboardEffects effects(static_cast<uint32_t>(mode));
            effects.SelectMode(static_cast<uint8_t>(mode));
            std::vector<KeyColour> keys(size, KeyColour{1, 1, 1, 1});
            AudioLightRecord audio{};
            audio.audioMode = static_cast<uint8_t>(mode % 9);
            audio.sevenColors = 1;
            effects.SetAudioLight(audio);
            const int32_t levels[] = {-5, 700, 2000, 123456, 1500, 3};
            effects.FeedAudioLevels(levels);
            effects.FeedAudioBands(levels);
            for (int i = 0; i < 400; ++i) {
                LightInfoRecord light = Light(static_cast<uint8_t>(mode), i & 1, (i / 50) & 1);
                light.light = static_cast<uint8_t>(i % 7);
                light.speed = static_cast<uint8_t>(i % 9);
                light.zzccLedMode = static_cast<uint8_t>(i % 5);
                effects.OnKeyHit(static_cast<uint8_t>(i * 37 % 256),
                                 i % 3 ? KeyAction::Press : KeyAction::Release);
                effects.Step(light, static_cast<uint64_t>(i) * 500, keys);
            }
            if (!KeyboardEffects::HasGenerator(static_cast<uint8_t>(mode))) {
                for (const KeyColour& key : keys) ASSERT_EQ(key.brightness, 1) << mode;
            }
        }
    }
}

}  // namespace
}  // namespace vestra
