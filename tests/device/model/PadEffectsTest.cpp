#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "device/model/PadEffects.h"

namespace vestra::test {
namespace {

constexpr size_t kPadLights = 15;

LightInfoRecord Light(uint8_t mode, uint8_t speed, uint8_t multiColor = 0) {
    LightInfoRecord light{};
    light.selectItem = mode;
    light.light = 4;
    light.speed = speed;
    light.fx = 1;
    light.multiColor = multiColor;
    light.red = 200;
    light.green = 100;
    light.blue = 50;
    return light;
}

LightStep Step(uint8_t mode, int32_t timeMs) {
    LightStep step{};
    step.mode = mode;
    step.brightness = 4;
    step.speed = 4;
    step.red = 255;
    step.time = timeMs;
    return step;
}

TEST(PadEffectsTest, StepsComeAfterThePassesOfTheSpeed) {
    for (uint8_t speed = 0; speed < 5; ++speed) {
        PadEffects effects;
        std::array<KeyColour, kPadLights> lights{};
        int passes = 0;
        while (!effects.Pass(Light(kPadStatic, speed), 0, lights)) ++passes;
        EXPECT_EQ(passes + 1, kPadStepPasses[speed]) << "speed " << int(speed);
        EXPECT_EQ(lights[14], (KeyColour{200, 100, 50, 255}));
    }
}

// Light 3 and light 12 are one pair of the mirrored marquee; light 0 stands alone.
TEST(PadEffectsTest, MirroredMarqueeLightsPairsAlike) {
    for (uint8_t multiColor : {0, 1}) {
        PadEffects effects;
        std::array<KeyColour, kPadLights> lights{};
        bool litPairSeen = false;
        for (int run = 0; run < 40; ++run) {
            effects.RunMarquee(PadEffects::Marquee::Mirrored,
                               Light(kPadMirroredMarquee, 4, multiColor), lights);
            for (size_t k = 1; k <= 7; ++k) {
                ASSERT_EQ(lights[k], lights[kPadLights - k]) << "run " << run << " light " << k;
            }
            litPairSeen |= lights[3].brightness > 0;
        }
        EXPECT_TRUE(litPairSeen);
    }
}

TEST(PadEffectsTest, LightByLightMarqueeMovesOneLightAtATime) {
    PadEffects effects;
    std::array<KeyColour, kPadLights> lights{};
    // Every second run moves the head; the light it leaves fades.
    effects.RunMarquee(PadEffects::Marquee::LightByLight, Light(kPadMarquee, 4), lights);
    EXPECT_GT(lights[1].brightness, 0);
    EXPECT_EQ(lights[14].brightness, 0);
    effects.RunMarquee(PadEffects::Marquee::LightByLight, Light(kPadMarquee, 4), lights);
    effects.RunMarquee(PadEffects::Marquee::LightByLight, Light(kPadMarquee, 4), lights);
    EXPECT_GT(lights[2].brightness, lights[1].brightness);
}

TEST(PadEffectsTest, WaveStepsTheHueBySevenPerLightAroundTheWheel) {
    PadEffects effects;
    std::array<KeyColour, kPadLights> lights{};
    LightInfoRecord light = Light(kPadWave, 4, 1);
    for (int i = 0; i < 189; ++i) effects.Wave(light, lights);  // phase 189: light 0 at hue 190
    EXPECT_EQ(lights[0], MakeKeyColour(HueColour(190), 255));
    EXPECT_EQ(lights[1], MakeKeyColour(HueColour(5), 255));  // 197 wraps to 5
    EXPECT_EQ(lights[2], MakeKeyColour(HueColour(12), 255));

    // Without multi-colour the half curve is stepped; its last entry wraps to the first.
    light.multiColor = 0;
    PadEffects plain;
    for (int i = 0; i < 94; ++i) plain.Wave(light, lights);  // phase 94: light 0 at index 95
    EXPECT_EQ(lights[0].brightness, ScaleBrightness(255, kHalfBreathingCurve[95]));
    EXPECT_EQ(lights[1].brightness, ScaleBrightness(255, kHalfBreathingCurve[6]));
}

// Each step is shown for its own time, measured from when it became current, then the list
// starts again.
TEST(PadEffectsTest, CustomStepsAreShownForTheirTimes) {
    PadEffects effects;
    effects.SetSteps({Step(1, 1000), Step(1, 500), Step(1, 2000)}, 10'000);
    std::array<KeyColour, kPadLights> lights{};
    const LightInfoRecord custom = Light(kPadCustom, 0);
    std::vector<std::pair<uint64_t, size_t>> changes;
    size_t last = 0;
    for (uint64_t now = 10'000; now <= 10'000 + 7000; now += 2) {
        effects.Pass(custom, now, lights);
        if (effects.CurrentStep() != last) {
            last = effects.CurrentStep();
            changes.emplace_back(now - 10'000, last);
        }
    }
    const std::vector<std::pair<uint64_t, size_t>> expected = {{1000, 1}, {1500, 2}, {3500, 0},
                                                               {4500, 1}, {5000, 2}, {7000, 0}};
    EXPECT_EQ(changes, expected);
}

TEST(PadEffectsTest, ModesOutsideTheTableAndAnEmptyListPlayDark) {
    PadEffects effects;
    std::array<KeyColour, kPadLights> lights{};
    lights.fill({9, 9, 9, 9});
    EXPECT_TRUE(IsPadCustomMode(0x77));
    EXPECT_TRUE(effects.Pass(Light(0x77, 0), 0, lights));
    EXPECT_EQ(lights[7], KeyColour{});

    // Step mode 5 runs the spectrum at its own, faster periods.
    LightStep spectrumStep = Step(5, 100000);
    spectrumStep.direction = 1;
    effects.SetSteps({spectrumStep}, 0);
    std::array<KeyColour, kPadLights> spectrum{};
    int passes = 1;
    while (!effects.Pass(Light(kPadCustom, 0), passes, spectrum)) ++passes;
    EXPECT_EQ(passes, kPadSpectrumStepPasses[4]);
    EXPECT_EQ(spectrum[0], MakeKeyColour(HueColour(1), 255));
}

}  // namespace
}  // namespace vestra::test
