// Command channel throughput: single exchanges and chunked writes, over a scripted device and
// over the emulated keyboard.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "device/protocol/DeviceChannel.h"
#include "emulator/EmulatedHidBackend.h"
#include "support/ScriptedHidDevice.h"

namespace {

using namespace vestra;
using namespace vestra::protocol;

const std::string kPath = "scripted:keyboard#vid_320f&pid_1000&mi_01";

// A device that acknowledges every command at once, as fast as a handle can go.
struct ScriptedSetup {
    test::ScriptedHidDevice device;
    test::ScriptedHidBackend backend;
    DeviceChannel channel{backend};

    explicit ScriptedSetup(int connectionType) {
        device.OnWrite(test::ScriptedHidDevice::Any(), [](std::span<const uint8_t> request) {
            std::vector<uint8_t> reply(request.begin(), request.end());
            reply.resize(kReportSize, 0);
            reply[kOffsetStatus] = 0;
            return std::vector<std::vector<uint8_t>>{reply};
        });
        backend.Add(kPath, device);
        hid::HidInterface& handle = connectionType == kConnectionReceiver ? channel.ReceiverHandle()
                                                                          : channel.WiredHandle();
        handle.Open(kPath, hid::HidAccess::ReadWrite, hid::HidSharing::Shared);
        channel.SetOpen(true);
        channel.SetConnectionType(connectionType);
    }
};

void BM_ScriptedExchange(benchmark::State& state) {
    ScriptedSetup setup(kConnectionCable);
    for (auto _ : state) {
        if (setup.channel.BeginConfig() != RESULT_OK) state.SkipWithError("exchange failed");
        setup.device.ClearRecords();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScriptedExchange);

void BM_ScriptedChunkedWrite(benchmark::State& state) {
    ScriptedSetup setup(static_cast<int>(state.range(0)));
    std::vector<uint8_t> image(static_cast<size_t>(state.range(1)), 0x5A);
    for (auto _ : state) {
        if (setup.channel.WriteMacros(image) != RESULT_OK) state.SkipWithError("write failed");
        setup.device.ClearRecords();
    }
    state.SetBytesProcessed(state.iterations() * state.range(1));
}
// Connection type (1 cable, 2 receiver) x image size (a key table, a full macro memory).
BENCHMARK(BM_ScriptedChunkedWrite)
    ->Args({1, 312})
    ->Args({1, 4096})
    ->Args({2, 312})
    ->Args({2, 4096});

// The emulated keyboard by cable or through its receiver: the firmware's own work included.
struct EmulatedSetup {
    std::shared_ptr<emulator::EmulatedHidBackend> backend = emulator::EmulatedHidBackend::Create();
    DeviceChannel channel{*backend};

    explicit EmulatedSetup(int connectionType) {
        const bool receiver = connectionType == kConnectionReceiver;
        backend->Plug(receiver ? emulator::Product::KeyboardReceiver : emulator::Product::Keyboard);
        hid::HidInterface& handle = receiver ? channel.ReceiverHandle() : channel.WiredHandle();
        handle.Open(receiver ? "emu:keyboard-receiver#vid_320f&pid_1100&mi_01&col04"
                             : "emu:keyboard#vid_320f&pid_1000&mi_01&col04",
                    hid::HidAccess::ReadWrite, hid::HidSharing::Shared);
        channel.SetOpen(true);
        channel.SetConnectionType(connectionType);
    }
};

void BM_EmulatedExchange(benchmark::State& state) {
    EmulatedSetup setup(static_cast<int>(state.range(0)));
    std::array<uint8_t, 1> slot{};
    for (auto _ : state) {
        if (setup.channel.ReadSettings(slot, 0) != RESULT_OK) state.SkipWithError("read failed");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EmulatedExchange)->Arg(1)->Arg(2);

void BM_EmulatedChunkedWrite(benchmark::State& state) {
    EmulatedSetup setup(static_cast<int>(state.range(0)));
    std::vector<uint8_t> image(static_cast<size_t>(state.range(1)), 0x5A);
    for (auto _ : state) {
        // The firmware stages a bracket's writes and applies them at its end; the bracket
        // (with its 10 ms pause) is not what is measured.
        state.PauseTiming();
        setup.channel.BeginConfig();
        state.ResumeTiming();
        if (setup.channel.WriteMacros(image) != RESULT_OK) state.SkipWithError("write failed");
        state.PauseTiming();
        setup.channel.EndConfig();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * state.range(1));
}
// Each iteration pays an untimed 10 ms bracket, so the count is fixed.
BENCHMARK(BM_EmulatedChunkedWrite)
    ->Args({1, 312})
    ->Args({1, 4096})
    ->Args({2, 4096})
    ->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
