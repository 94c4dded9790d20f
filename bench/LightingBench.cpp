// Cost of the host-computed lighting: one generator step, and the lighting thread's CPU share.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "device/model/KeyboardEffects.h"
#include "device/model/LightingThread.h"

namespace vestra {
namespace {

LightInfoRecord Light(uint8_t mode, uint8_t speed) {
    LightInfoRecord light{};
    light.selectItem = mode;
    light.light = 4;
    light.speed = speed;
    light.fx = 1;
    light.multiColor = 1;
    return light;
}

void BM_GeneratorStep(benchmark::State& state) {
    const auto mode = static_cast<uint8_t>(state.range(0));
    KeyboardEffects effects(1);
    effects.SelectMode(mode);
    std::vector<KeyColour> keys(kKeyPositions);
    const LightInfoRecord light = Light(mode, 4);
    uint64_t now = 0;
    for (auto _ : state) {
        if (now % 64 == 0)
            effects.OnKeyHit(static_cast<uint8_t>(now % kKeysOnGrid), KeyAction::Press);
        effects.Step(light, now += 4, keys);
        benchmark::DoNotOptimize(keys.data());
    }
}
BENCHMARK(BM_GeneratorStep)
    ->ArgName("mode")
    ->Arg(kModeHorizontalWave)
    ->Arg(kModeSpectrum)
    ->Arg(kModeReactiveHueSpread)
    ->Arg(kModeSparkle)
    ->Arg(kModeRipple)
    ->Arg(kModeAudio);

class BenchHost : public LightingHost {
public:
    explicit BenchHost(uint8_t mode, uint8_t speed) : m_light(Light(mode, speed)) {}
    bool IsChannelOpen() const override { return true; }
    bool IsLightingHeld() const override { return false; }
    LightInfoRecord CurrentLightInfo() const override { return m_light; }
    void OnFrameReady() override {
        // Runs on the lighting thread, so this is that thread's own CPU time.
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        m_threadCpuNs = now.tv_sec * 1'000'000'000LL + now.tv_nsec;
        ++m_frames;
    }

    std::atomic<long long> m_threadCpuNs{0};
    std::atomic<long> m_frames{0};

private:
    LightInfoRecord m_light;
};

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// One keyboard lighting thread animating for a real 10 s at speed 4 (a step every 4 ms), with
// an animated per-key overlay on a few keys when the second argument is 1. The main thread
// sleeps meanwhile, so the process CPU time is the lighting thread's.
void BM_LightingThreadCpu(benchmark::State& state) {
    const auto seconds = static_cast<int>(state.range(0));
    const bool withOverlay = state.range(1) != 0;
    for (auto _ : state) {
        BenchHost host(kModeHorizontalWave, 4);
        KeyColourBuffer colours(kKeyPositions);
        KeyboardEffects effects(1);
        PerKeyOverlay overlay;
        std::mutex effectLock;
        if (withOverlay) {
            std::vector<LightListEntry> entries(kKeyPositions);
            for (int i = 0; i < 10; ++i) {
                entries[i * 10].mode = static_cast<uint8_t>(PerKeyEffect::Breathing);
                entries[i * 10].present = 1;
                entries[i * 10].brightness = 4;
            }
            overlay.Load(entries, SteadyClock::Instance().NowMs());
        }
        LightingThread thread(host, {colours, effects, overlay, effectLock});
        const double cpuBefore = ProcessCpuSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        thread.Start();
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        thread.Stop();
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
        const double cpu = ProcessCpuSeconds() - cpuBefore;
        state.counters["process_cpu_percent"] = 100.0 * cpu / wall;
        state.counters["thread_cpu_percent"] = 100.0 * (host.m_threadCpuNs / 1e9) / wall;
        state.counters["frames_per_second"] = host.m_frames / wall;
    }
}
BENCHMARK(BM_LightingThreadCpu)
    ->Args({10, 0})
    ->Args({10, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace vestra

BENCHMARK_MAIN();
