// The cost of one discovery pass over 64 hidraw nodes in a fake sysfs: listing the paths and
// reading their identity, and the full pass that also opens and closes each path.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "hid/HidInterface.h"
#include "hid/HidrawBackend.h"
#include "support/FakeSysfs.h"
#include "support/SampleDescriptors.h"

namespace {

using namespace vestra;

constexpr int kNodes = 64;

// Keyboards (3 collections), mice (1) and headsets (2) in turn: 128 paths.
void Populate(test::FakeSysfs& sysfs) {
    const std::vector<uint8_t> descriptors[] = {test::KeyboardDescriptor(), test::MouseDescriptor(),
                                                test::HeadsetDescriptor()};
    for (int node = 0; node < kNodes; ++node) {
        sysfs.Add(node, {0x320F, static_cast<uint16_t>(0x1000 + node), 0x0100, node % 4,
                         descriptors[node % 3]});
    }
}

void BM_EnumerateAndParsePaths(benchmark::State& state) {
    test::FakeSysfs sysfs;
    Populate(sysfs);
    hid::HidrawBackend backend(sysfs.SysfsRoot(), sysfs.DevRoot());
    hid::HidInterface hid(backend);
    uint32_t paths = 0;
    for (auto _ : state) {
        if (!hid.Enumerate()) state.SkipWithError("enumeration failed");
        paths = 0;
        while (std::optional<std::string> path = hid.NextPath()) {
            benchmark::DoNotOptimize(hid::ParseVid(*path) + hid::ParsePid(*path) +
                                     hid::ParseInterface(*path) + hid::ParseCollection(*path));
            ++paths;
        }
        hid.FreePaths();
    }
    state.counters["paths"] = paths;
}
BENCHMARK(BM_EnumerateAndParsePaths)->Unit(benchmark::kMillisecond);

void BM_DiscoveryPassWithOpens(benchmark::State& state) {
    test::FakeSysfs sysfs;
    Populate(sysfs);
    hid::HidrawBackend backend(sysfs.SysfsRoot(), sysfs.DevRoot());
    hid::HidInterface list(backend);
    hid::HidInterface probe(backend);
    uint32_t opened = 0;
    for (auto _ : state) {
        if (!list.Enumerate()) state.SkipWithError("enumeration failed");
        opened = 0;
        while (std::optional<std::string> path = list.NextPath()) {
            if (probe.Open(*path, hid::HidAccess::Read, hid::HidSharing::Shared)) ++opened;
            benchmark::DoNotOptimize(probe.UsagePage());
            probe.Close();
        }
        list.FreePaths();
    }
    state.counters["opened"] = opened;
}
BENCHMARK(BM_DiscoveryPassWithOpens)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
