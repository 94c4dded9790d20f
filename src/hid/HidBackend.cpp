#include "hid/HidBackend.h"

#include <atomic>

#include "hid/HidrawBackend.h"

namespace vestra::hid {
namespace {
std::atomic<HidBackend*> g_installed{nullptr};
}  // namespace

HidBackend& HidBackend::Default() {
    if (HidBackend* backend = g_installed.load()) return *backend;
    static HidrawBackend hidraw;
    return hidraw;
}

void HidBackend::SetDefault(HidBackend* backend) {
    g_installed.store(backend);
}

}  // namespace vestra::hid
