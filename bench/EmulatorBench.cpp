// Cost of the emulator itself: one raw request/reply round trip on an endpoint, a chunked key
// table write in a bracket, and the enumerate-and-open pass that discovery makes.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "emulator/EmulatedHidBackend.h"

namespace {

using namespace vestra;
using namespace vestra::emulator;

using Packet = std::array<uint8_t, 64>;

Packet Request(uint8_t command, uint8_t length, uint16_t address) {
    Packet packet{};
    packet[0] = 4;
    packet[3] = command;
    packet[4] = length;
    packet[5] = static_cast<uint8_t>(address);
    packet[6] = static_cast<uint8_t>(address >> 8);
    uint16_t sum = 0;
    for (size_t i = 3; i < packet.size(); ++i) sum = static_cast<uint16_t>(sum + packet[i]);
    packet[1] = static_cast<uint8_t>(sum);
    packet[2] = static_cast<uint8_t>(sum >> 8);
    return packet;
}

bool RoundTrip(hid::HidDevice& device, const Packet& request) {
    size_t moved = 0;
    std::array<uint8_t, 64> reply;
    return device.Write(request, moved, 1000, -1) == hid::TransferResult::Ok &&
           device.Read(reply, moved, 1000, -1) == hid::TransferResult::Ok;
}

std::shared_ptr<hid::HidDevice> OpenKeyboard(EmulatedHidBackend& backend) {
    return backend.Open("emu:keyboard#vid_320f&pid_1000&mi_01&col04", hid::HidAccess::ReadWrite,
                        hid::HidSharing::Shared);
}

void BM_RoundTrip(benchmark::State& state) {
    auto backend = EmulatedHidBackend::Create();
    backend->Plug(Product::Keyboard);
    auto device = OpenKeyboard(*backend);
    const Packet request = Request(0x05, 27, 0);
    for (auto _ : state) {
        if (!RoundTrip(*device, request)) state.SkipWithError("exchange failed");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RoundTrip);

// 312 bytes (a 104-key table) in 56-byte chunks between the two brackets.
void BM_KeyTableWrite(benchmark::State& state) {
    auto backend = EmulatedHidBackend::Create();
    backend->Plug(Product::Keyboard);
    auto device = OpenKeyboard(*backend);
    std::vector<Packet> packets{Request(0x01, 0, 0)};
    for (uint16_t at = 0; at < 312; at += 56) {
        packets.push_back(Request(0x09, static_cast<uint8_t>(std::min(56, 312 - at)), at));
    }
    packets.push_back(Request(0x02, 0, 0));
    for (auto _ : state) {
        for (const Packet& packet : packets) {
            if (!RoundTrip(*device, packet)) state.SkipWithError("exchange failed");
        }
    }
    state.SetBytesProcessed(state.iterations() * 312);
}
BENCHMARK(BM_KeyTableWrite);

// Enumerate every product, then open and drop each path once.
void BM_EnumerateAndOpen(benchmark::State& state) {
    auto backend = EmulatedHidBackend::Create();
    for (Product product : kAllProducts) backend->Plug(product);
    std::vector<std::string> paths;
    for (auto _ : state) {
        backend->Enumerate(paths);
        for (const std::string& path : paths) {
            benchmark::DoNotOptimize(
                backend->Open(path, hid::HidAccess::Read, hid::HidSharing::Shared));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(paths.size()));
}
BENCHMARK(BM_EnumerateAndOpen);

}  // namespace

BENCHMARK_MAIN();
