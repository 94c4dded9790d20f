#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "device/model/SyncLighting.h"
#include "platform/DebugLog.h"
#include "support/ManualClock.h"

namespace vestra {
namespace {

class FakeTarget : public SyncLightingTarget {
public:
    bool IsSyncActive() override { return active; }
    void SendSyncColour(uint32_t colour) override { sent.push_back(colour); }

    std::atomic<bool> active{true};
    std::vector<uint32_t> sent;
};

SyncLightSettings Settings(uint8_t mode, uint8_t brightness, uint8_t speed, uint8_t direction,
                           uint8_t multiColor) {
    SyncLightSettings settings;
    settings.mode = mode;
    settings.brightness = brightness;
    settings.speed = speed;
    settings.direction = direction;
    settings.multiColor = multiColor;
    settings.colour = {10, 20, 30};
    return settings;
}

uint32_t Pack(Rgb colour, int brightness) {
    return SyncLighting::PackColour(colour, static_cast<uint8_t>(brightness));
}

class SyncLightingTest : public ::testing::Test {
protected:
    // Runs the loop as it asks to be woken, from startMs for durationMs.
    void Drive(uint64_t startMs, uint64_t durationMs) {
        for (uint64_t now = startMs; now <= startMs + durationMs;) {
            now += static_cast<uint64_t>(std::max(sync.RunPass(now), 1));
        }
    }

    FakeTarget target;
    test::ManualClock clock;
    SyncLighting sync{target, clock};
};

TEST_F(SyncLightingTest, ColourPacksRedGreenBlueAndBrightnessIntoOneWord) {
    EXPECT_EQ(SyncLighting::PackColour({0x01, 0x02, 0x03}, 0x04), 0x04030201u);
    EXPECT_EQ(SyncLighting::PackColour({255, 0, 0}, 255), 0xFF0000FFu);
}

TEST_F(SyncLightingTest, BreathingWithFixedColourKeepsTheColourAndFollowsTheCurve) {
    sync.SetSettings(Settings(kSyncBreathing, 2, 4, 1, 0));  // level 135, a step per 7 ticks
    EXPECT_EQ(sync.RunPass(1000), 14);
    EXPECT_TRUE(target.sent.empty());
    EXPECT_EQ(sync.RunPass(1014), 14);
    ASSERT_EQ(target.sent.size(), 1u);
    Drive(1028, 14 * 130);
    ASSERT_GE(target.sent.size(), 131u);
    for (size_t i = 0; i < 131; ++i) {
        int position = (i + 1) % 128;
        ASSERT_EQ(target.sent[i], Pack({10, 20, 30}, 135 * kBreathingCurve[position] / 256))
            << "step " << i + 1;
    }
}

TEST_F(SyncLightingTest, BreathingBackwardsGoesFromZeroToTheEndOfTheCurve) {
    SyncLightSettings settings = Settings(kSyncBreathing, 4, 0, 0, 0);
    for (int i = 0; i < 10; ++i) sync.Step(settings, 0);  // 127, 126, … 118
    EXPECT_EQ(sync.Step(settings, 0), Pack({10, 20, 30}, 255 * kBreathingCurve[117] / 256));
    EXPECT_EQ(kBreathingCurve[117], 10);
}

TEST_F(SyncLightingTest, MultiColourBreathingMovesAlongTheWheelOncePerBreath) {
    SyncLightSettings settings = Settings(kSyncBreathing, 4, 0, 1, 1);
    uint32_t colour = 0;
    for (int i = 0; i < 127; ++i) colour = sync.Step(settings, 0);
    EXPECT_EQ(colour, Pack(kHueWheel[0], 0));                   // position 127
    EXPECT_EQ(sync.Step(settings, 0), Pack(kHueWheel[16], 0));  // position 0
    EXPECT_EQ(sync.Step(settings, 0), Pack(kHueWheel[16], 0));  // position 1: still the same
    for (int i = 0; i < 126; ++i) sync.Step(settings, 0);
    EXPECT_EQ(sync.Step(settings, 0), Pack(kHueWheel[32], 0));
}

TEST_F(SyncLightingTest, SteadyCycleAndOffModes) {
    EXPECT_EQ(sync.Step(Settings(kSyncSteady, 1, 0, 0, 1), 0), Pack({10, 20, 30}, 80));
    SyncLightSettings cycle = Settings(kSyncColourCycle, 3, 0, 0, 0);
    EXPECT_EQ(sync.Step(cycle, 0), Pack(kHueWheel[1], 195));
    for (int i = 0; i < 190; ++i) sync.Step(cycle, 0);
    EXPECT_EQ(sync.Step(cycle, 0), Pack(kHueWheel[0], 195));  // 191, then back to 0
    EXPECT_EQ(sync.Step(Settings(kSyncOff, 4, 0, 0, 0), 0), 0u);
}

TEST_F(SyncLightingTest, BlinkingTogglesAfterTheSpeedThresholdTimesTwoHundredMs) {
    SyncLightSettings settings = Settings(kSyncBlinking, 4, 2, 1, 1);  // 18 × 200 ms
    EXPECT_EQ(sync.Step(settings, 3599), 0u);
    EXPECT_EQ(sync.Step(settings, 3600), Pack(kHueWheel[14], 255));
    EXPECT_EQ(sync.Step(settings, 7199), Pack(kHueWheel[14], 255));
    EXPECT_EQ(sync.Step(settings, 7200), 0u);
    settings.multiColor = 0;
    EXPECT_EQ(sync.Step(settings, 10800), Pack({10, 20, 30}, 255));
}

TEST_F(SyncLightingTest, SendsNothingWhileInactiveOrInAModeThatRunsNothing) {
    sync.SetSettings(Settings(kSyncSteady, 4, 4, 1, 0));
    target.active = false;
    EXPECT_EQ(sync.RunPass(1000), SyncLighting::kInactiveWaitMs);
    EXPECT_TRUE(target.sent.empty());

    target.active = true;
    sync.SetSettings(Settings(9, 4, 4, 1, 0));
    Drive(2000, 500);
    EXPECT_TRUE(target.sent.empty());

    // The count kept growing, so a valid mode steps at once.
    sync.SetSettings(Settings(kSyncSteady, 4, 4, 1, 0));
    sync.RunPass(2600);
    ASSERT_EQ(target.sent.size(), 1u);
    EXPECT_EQ(target.sent[0], Pack({10, 20, 30}, 255));
}

TEST_F(SyncLightingTest, StopsPromptlyOnItsSignal) {
    std::mutex linesLock;
    std::vector<std::string> lines;
    DebugLog::SetObserver([&](std::string_view line) {
        std::lock_guard lock(linesLock);
        lines.emplace_back(line);
    });
    target.active = false;  // the loop waits a second at a time
    sync.Start();
    EXPECT_TRUE(sync.IsRunning());
    sync.Stop();
    EXPECT_FALSE(sync.IsRunning());
    DebugLog::SetObserver(nullptr);
    std::lock_guard lock(linesLock);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "同步灯光线程设定退出"), 1);
}

}  // namespace
}  // namespace vestra
