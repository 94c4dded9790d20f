#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

#include "device/model/LightingThread.h"
#include "platform/DebugLog.h"
#include "support/ManualClock.h"

namespace vestra {
namespace {

class FakeHost : public LightingHost {
public:
    bool IsChannelOpen() const override { return open; }
    bool IsLightingHeld() const override { return held; }
    LightInfoRecord CurrentLightInfo() const override { return light; }
    void OnFrameReady() override { ++frames; }

    std::atomic<bool> open{true};
    std::atomic<bool> held{false};
    LightInfoRecord light{};
    std::atomic<int> frames{0};
};

class LightingThreadTest : public ::testing::Test {
protected:
    void SetMode(uint8_t mode, uint8_t speed) {
        host.light.selectItem = mode;
        host.light.speed = speed;
        host.light.light = 4;
        host.light.fx = 1;
    }

    // Runs the loop from startMs for durationMs, waking as the thread asks when wakeEveryMs is
    // 0, else every wakeEveryMs; returns the frames drawn.
    int Drive(uint64_t startMs, uint64_t durationMs, uint64_t wakeEveryMs = 0) {
        int before = host.frames;
        uint64_t now = startMs;
        while (now <= startMs + durationMs) {
            int wait = thread.RunPass(now);
            now += wakeEveryMs ? wakeEveryMs : static_cast<uint64_t>(std::max(wait, 1));
        }
        return host.frames - before;
    }

    FakeHost host;
    KeyColourBuffer colours{kKeyPositions};
    KeyboardEffects effects{1};
    PerKeyOverlay overlay;
    std::mutex effectLock;
    test::ManualClock clock;
    LightingThread thread{host, {colours, effects, overlay, effectLock}, clock};
};

TEST_F(LightingThreadTest, SpeedFourStepsEveryTwoTicksAndSpeedZeroEveryTwenty) {
    SetMode(kModeSpectrum, 4);
    EXPECT_EQ(thread.RunPass(1000), 4);  // counting starts; the step is two ticks away
    EXPECT_EQ(thread.RunPass(1003), 1);
    EXPECT_EQ(host.frames, 0);
    // The step runs; the next two are due sooner than a frame, so the loop sleeps a frame.
    EXPECT_EQ(thread.RunPass(1004), 16);
    EXPECT_EQ(host.frames, 1);
    EXPECT_EQ(colours.Get(0).green, kHueWheel[1].green);
    EXPECT_EQ(thread.RunPass(1020), 16);  // eight ticks: four steps in one frame
    EXPECT_EQ(host.frames, 2);
    EXPECT_EQ(colours.Get(0).green, kHueWheel[5].green);

    SetMode(kModeSpectrum, 0);
    EXPECT_EQ(thread.RunPass(1021), 39);
    EXPECT_EQ(thread.RunPass(1059), 1);
    EXPECT_EQ(host.frames, 2);
    EXPECT_EQ(thread.RunPass(1060), 40);
    EXPECT_EQ(host.frames, 3);
    EXPECT_EQ(colours.Get(0).green, kHueWheel[6].green);
}

// The spectrum moves one hue per step, so its colour tells how many steps ran.
int SpectrumSteps(const KeyColourBuffer& colours) {
    KeyColour key = colours.Get(0);
    for (int hue = 0; hue < static_cast<int>(kHueCount); ++hue) {
        const Rgb& c = kHueWheel[hue];
        if (c.red == key.red && c.green == key.green && c.blue == key.blue) return hue;
    }
    return -1;
}

TEST_F(LightingThreadTest, StepsPerSecondFollowTheTwoMillisecondTickHoweverTheLoopWakes) {
    struct Case {
        uint8_t speed;
        uint64_t wakeEveryMs;  // 0: when the thread asks
        int steps;             // in one second, modulo the 192 hues
    };
    const Case cases[] = {
        {0, 0, 25},        {4, 0, 250 % 192}, {2, 0, 62},   {0, 7, 25},
        {4, 7, 250 % 192}, {4, 1, 250 % 192}, {3, 33, 100},
    };
    for (const Case& c : cases) {
        FakeHost fresh;
        fresh.light.selectItem = kModeSpectrum;
        fresh.light.speed = c.speed;
        fresh.light.fx = 1;
        KeyColourBuffer frame(kKeyPositions);
        KeyboardEffects spectrum(1);
        LightingThread worker(fresh, {frame, spectrum, overlay, effectLock}, clock);
        uint64_t now = 5000;
        while (now < 6000) {
            int wait = worker.RunPass(now);
            now += c.wakeEveryMs ? c.wakeEveryMs : static_cast<uint64_t>(std::max(wait, 1));
        }
        worker.RunPass(6000);
        EXPECT_EQ(SpectrumSteps(frame), c.steps)
            << "speed " << int(c.speed) << " wake " << c.wakeEveryMs;
    }
}

TEST_F(LightingThreadTest, FastEffectsDrawAtMostOneFramePerFrameTime) {
    SetMode(kModeAudio, 0);  // a step every two ticks at any speed
    EXPECT_EQ(Drive(1000, 1000), 1000 / 16 + 1);
}

TEST_F(LightingThreadTest, StandsByWhileClosedHeldOrIdle) {
    SetMode(kModeSpectrum, 4);
    host.open = false;
    EXPECT_EQ(Drive(1000, 500), 0);
    EXPECT_EQ(thread.RunPass(2000), LightingThread::kStandbyMs);

    host.open = true;
    host.held = true;
    EXPECT_EQ(Drive(3000, 500), 0);

    // Counting resumes from the moment the hold ends: no burst of missed steps.
    host.held = false;
    EXPECT_EQ(thread.RunPass(9000), 4);
    EXPECT_EQ(host.frames, 0);
    thread.RunPass(9004);
    EXPECT_EQ(host.frames, 1);
    EXPECT_EQ(colours.Get(0).green, kHueWheel[1].green);

    SetMode(19, 4);  // no generator: nothing to draw, the mode is looked at again later
    EXPECT_EQ(thread.RunPass(9100), LightingThread::kStandbyMs);
    EXPECT_EQ(host.frames, 1);
}

TEST_F(LightingThreadTest, OverlayIsLaidOverEveryStepAndOverIdleModes) {
    LightListEntry entry{};
    entry.mode = static_cast<uint8_t>(PerKeyEffect::Static);
    entry.brightness = 0;
    entry.red = 9;
    std::vector<LightListEntry> entries(6);
    entries[5] = entry;
    overlay.Load(entries, 1000);

    SetMode(kModeSpectrum, 4);
    thread.RunPass(1000);
    thread.RunPass(1004);
    EXPECT_EQ(colours.Get(4).green, kHueWheel[1].green);
    EXPECT_EQ(colours.Get(5).red, 9);
    EXPECT_EQ(colours.Get(5).brightness, 30);

    SetMode(0, 4);
    colours.Set(5, {});
    int frames = host.frames;
    thread.RunPass(1100);
    EXPECT_EQ(host.frames, frames + 1);
    EXPECT_EQ(colours.Get(5).red, 9);
}

// The device's threads touch the buffers while the lighting thread draws: key hits and overlay
// loads under the effect lock, colour reads under the colour lock.
TEST_F(LightingThreadTest, RunsBesideTheDevicesOtherThreads) {
    SetMode(kModeReactiveHueSpread, 4);
    host.light.multiColor = 1;
    LightingThread live(host, {colours, effects, overlay, effectLock});  // the real clock
    live.Start();
    std::vector<LightListEntry> entries(kKeyPositions);
    entries[3].mode = static_cast<uint8_t>(PerKeyEffect::Breathing);
    entries[3].present = 1;
    for (int i = 0; host.frames < 20 && i < 5000; ++i) {
        {
            std::lock_guard lock(effectLock);
            effects.OnKeyHit(static_cast<uint8_t>(i % kKeysOnGrid), KeyAction::Press);
            if (i % 50 == 0) overlay.Load(entries, SteadyClock::Instance().NowMs());
        }
        colours.Snapshot();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    live.Stop();
    EXPECT_GE(host.frames, 20);
}

TEST_F(LightingThreadTest, StopsPromptlyOnItsSignal) {
    std::mutex linesLock;
    std::vector<std::string> lines;
    DebugLog::SetObserver([&](std::string_view line) {
        std::lock_guard lock(linesLock);
        lines.emplace_back(line);
    });
    host.open = false;  // the loop stands by for 100 ms at a time
    thread.Start();
    EXPECT_TRUE(thread.IsRunning());
    thread.Start();  // a restart replaces the running thread
    thread.Stop();
    EXPECT_FALSE(thread.IsRunning());
    thread.Stop();  // stopping again does nothing
    DebugLog::SetObserver(nullptr);
    std::lock_guard lock(linesLock);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "KB灯光线程设定退出"), 2);
}

}  // namespace
}  // namespace vestra
