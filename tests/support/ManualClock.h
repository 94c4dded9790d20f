// A clock that moves only when a test advances it.
#pragma once

#include <atomic>

#include "platform/Clock.h"

namespace vestra::test {

class ManualClock final : public Clock {
public:
    explicit ManualClock(uint64_t startMs = 1000) : m_now(startMs) {}
    uint64_t NowMs() const override { return m_now.load(); }
    void Advance(uint64_t ms) { m_now += ms; }

private:
    std::atomic<uint64_t> m_now;
};

}  // namespace vestra::test
