// Monotonic millisecond time, the tick count that time-outs and animation steps are measured in.
#pragma once

#include <cstdint>

namespace vestra {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary fixed point; never goes backwards.
    virtual uint64_t NowMs() const = 0;
};

// The machine's monotonic clock.
class SteadyClock final : public Clock {
public:
    uint64_t NowMs() const override;
    static SteadyClock& Instance();
};

}  // namespace vestra
