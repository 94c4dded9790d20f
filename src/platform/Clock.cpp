#include "platform/Clock.h"

#include <chrono>

namespace vestra {

uint64_t SteadyClock::NowMs() const {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

SteadyClock& SteadyClock::Instance() {
    static SteadyClock clock;
    return clock;
}

}  // namespace vestra
