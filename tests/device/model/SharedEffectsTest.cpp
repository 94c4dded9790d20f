#include <gtest/gtest.h>

#include <vector>

#include "device/model/SharedEffects.h"

namespace vestra {
namespace {

LightInfoRecord Light(uint8_t brightness, uint8_t speed, uint8_t fx, uint8_t multiColor,
                      Rgb colour = {10, 20, 30}) {
    LightInfoRecord light{};
    light.light = brightness;
    light.speed = speed;
    light.fx = fx;
    light.multiColor = multiColor;
    light.red = colour.red;
    light.green = colour.green;
    light.blue = colour.blue;
    return light;
}

bool AllEqual(const std::vector<KeyColour>& keys, KeyColour expected) {
    for (const KeyColour& key : keys) {
        if (key.red != expected.red || key.green != expected.green || key.blue != expected.blue ||
            key.brightness != expected.brightness) {
            return false;
        }
    }
    return true;
}

TEST(SharedEffectsTest, StepPhaseWrapsWithinThePeriod) {
    struct Case {
        uint8_t direction, period, phase, step, expected;
    };
    const Case cases[] = {
        {0, 128, 0, 1, 127},                                              // backwards from 0
        {0, 128, 5, 1, 4},   {1, 128, 126, 1, 127}, {1, 128, 127, 1, 0},  // forwards past the end
        {1, 192, 191, 1, 0}, {0, 52, 1, 2, 50},  // backwards past 0 restarts at period - step
        {1, 96, 150, 1, 0},                      // a phase left over from a longer period restarts
        {0, 96, 150, 1, 95}, {1, 250, 255, 2, 1},  // byte arithmetic wraps at 256
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StepPhase(c.direction, c.period, c.phase, c.step), c.expected)
            << int(c.direction) << " " << int(c.period) << " " << int(c.phase);
    }
}

TEST(SharedEffectsTest, FadeRulesDimByBandsOfIntensity) {
    struct Case {
        uint8_t rule, intensity, expected;
    };
    const Case cases[] = {
        {0, 255, 215},
        {0, 128, 88},
        {0, 127, 97},
        {0, 64, 34},
        {0, 63, 48},
        {0, 32, 17},
        {0, 31, 23},
        {0, 17, 9},
        {0, 16, 15},
        {0, 1, 0},
        {0, 0, 0},
        // Every other rule but 29 loses 10 instead of 15 between 32 and 63.
        {7, 63, 53},
        {7, 32, 22},
        {21, 255, 215},
        {10, 20, 12},
        {25, 1, 0},
        // The audio rule loses 5 to 45.
        {29, 255, 210},
        {29, 191, 161},
        {29, 100, 80},
        {29, 40, 30},
        {29, 3, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FadeIntensity(c.rule, c.intensity), c.expected)
            << "rule " << int(c.rule) << " at " << int(c.intensity);
    }
}

TEST(SharedEffectsTest, BreathingWithFixedColourFollowsTheCurve) {
    LightInfoRecord light = Light(2, 4, 1, 0);  // level 2 = 135
    EffectState state;
    std::vector<KeyColour> keys(5);
    for (int step = 1; step <= 130; ++step) {
        RunSharedEffect(SharedEffect::Breathing, light, state, 0, keys);
        uint8_t phase = step % 128;
        ASSERT_EQ(state.phase, phase);
        ASSERT_TRUE(AllEqual(keys, {10, 20, 30, uint8_t(135 * kBreathingCurve[phase] / 256)}))
            << "step " << step;
    }
}

TEST(SharedEffectsTest, BreathingWithMultiColourMovesAlongTheWheelEachBreath) {
    LightInfoRecord light = Light(4, 4, 0, 1);
    EffectState state;
    std::vector<KeyColour> keys(3);
    RunSharedEffect(SharedEffect::Breathing, light, state, 0, keys);  // backwards: 0 -> 127
    EXPECT_EQ(state.phase, 127);
    EXPECT_EQ(state.colourIndex, 0);
    for (int i = 0; i < 127; ++i) RunSharedEffect(SharedEffect::Breathing, light, state, 0, keys);
    EXPECT_EQ(state.phase, 0);
    EXPECT_EQ(state.colourIndex, 16);
    EXPECT_EQ(keys[0].red, kHueWheel[16].red);
    EXPECT_EQ(keys[0].green, kHueWheel[16].green);
    EXPECT_EQ(keys[0].brightness, 0);

    // The index reaches 192 (red again, from the wheel's copy) and only then restarts.
    state.colourIndex = 176;
    state.phase = 1;
    RunSharedEffect(SharedEffect::Breathing, light, state, 0, keys);
    EXPECT_EQ(state.colourIndex, 192);
    state.phase = 1;
    RunSharedEffect(SharedEffect::Breathing, light, state, 0, keys);
    EXPECT_EQ(state.colourIndex, 0);
}

TEST(SharedEffectsTest, BasicColourEffectsCycleThroughFourColours) {
    LightInfoRecord light = Light(4, 0, 1, 1);
    EffectState state;
    state.phase = 127;
    state.colourIndex = 3;
    std::vector<KeyColour> keys(2);
    RunSharedEffect(SharedEffect::BasicBreathing, light, state, 0, keys);
    EXPECT_EQ(state.colourIndex, 0);
    EXPECT_TRUE(AllEqual(keys, {0, 255, 180, 0}));

    // An index left over from a hue effect is no basic colour: it shows the first one.
    state.colourIndex = 100;
    state.phase = 10;
    RunSharedEffect(SharedEffect::BasicBreathing, light, state, 0, keys);
    EXPECT_EQ(keys[0].blue, 180);
}

TEST(SharedEffectsTest, BlinkAtSpeedTwoTogglesEvery3600Ms) {
    LightInfoRecord light = Light(1, 2, 1, 0);
    EffectState state;
    state.lastBlinkMs = 10000;
    std::vector<KeyColour> keys(4);
    RunSharedEffect(SharedEffect::Blink, light, state, 13599, keys);
    EXPECT_FALSE(state.blinkOn);
    EXPECT_TRUE(AllEqual(keys, {0, 0, 0, 0}));
    RunSharedEffect(SharedEffect::Blink, light, state, 13600, keys);
    EXPECT_TRUE(state.blinkOn);
    EXPECT_EQ(state.phase, 16);
    EXPECT_TRUE(AllEqual(keys, {10, 20, 30, 80}));
    RunSharedEffect(SharedEffect::Blink, light, state, 17199, keys);
    EXPECT_TRUE(state.blinkOn);
    RunSharedEffect(SharedEffect::Blink, light, state, 17200, keys);
    EXPECT_FALSE(state.blinkOn);
    EXPECT_TRUE(AllEqual(keys, {0, 0, 0, 0}));

    // With multi-colour the lit phase shows the hue the toggle moved to.
    light.multiColor = 1;
    state.phase = 176;
    RunSharedEffect(SharedEffect::Blink, light, state, 20800, keys);
    EXPECT_EQ(state.phase, 0);
    EXPECT_TRUE(AllEqual(keys, {255, 1, 0, 80}));
}

TEST(SharedEffectsTest, StaticSpectrumAndOffFillEveryLight) {
    LightInfoRecord light = Light(3, 0, 1, 0, {1, 2, 3});
    EffectState state;
    std::vector<KeyColour> keys(6);
    RunSharedEffect(SharedEffect::Static, light, state, 0, keys);
    EXPECT_TRUE(AllEqual(keys, {1, 2, 3, 195}));

    state.phase = 95;
    RunSharedEffect(SharedEffect::Spectrum, light, state, 0, keys);
    EXPECT_TRUE(AllEqual(keys, {0, 248, 255, 195}));

    RunSharedEffect(SharedEffect::Off, light, state, 0, keys);
    EXPECT_TRUE(AllEqual(keys, {0, 0, 0, 0}));
}

}  // namespace
}  // namespace vestra
