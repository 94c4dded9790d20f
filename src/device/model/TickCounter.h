// Counts the 2 ms ticks that pace the lighting effects, however rarely the clock is read.
#pragma once

#include <cstdint>

namespace vestra {

class TickCounter {
public:
    static constexpr uint64_t kTickMs = 2;

    // Counts from nowMs on; time before it is forgotten.
    void Restart(uint64_t nowMs) { m_lastTickMs = nowMs; }

    // Ticks elapsed since the last counted one: one per whole 2 ms, the rest carried over.
    uint64_t Advance(uint64_t nowMs) {
        if (nowMs < m_lastTickMs) {
            m_lastTickMs = nowMs;
            return 0;
        }
        uint64_t ticks = (nowMs - m_lastTickMs) / kTickMs;
        m_lastTickMs += ticks * kTickMs;
        return ticks;
    }

    // Clock time at which the given number of further ticks will have been counted.
    uint64_t TimeOfTick(uint64_t ticksAhead) const { return m_lastTickMs + ticksAhead * kTickMs; }

private:
    uint64_t m_lastTickMs = 0;
};

}  // namespace vestra
