// A device's per-light colour buffer (red, green, blue, brightness) behind its colour lock.
#pragma once

#include <cstddef>
#include <mutex>
#include <span>
#include <vector>

#include "device/protocol/LightFrame.h"

namespace vestra {

using protocol::KeyColour;

class KeyColourBuffer {
public:
    explicit KeyColourBuffer(size_t count = 0) : m_colours(count) {}

    // Sets the number of entries; new entries are black.
    void Resize(size_t count);
    size_t Size() const;

    // Negative or out-of-range indexes are ignored.
    void Set(int index, KeyColour colour);
    // A zero entry for a bad index.
    KeyColour Get(int index) const;
    std::vector<KeyColour> Snapshot() const;

    // Runs update on all entries under the colour lock.
    template <typename Function>
    void Update(Function&& update) {
        std::lock_guard lock(m_lock);
        update(std::span<KeyColour>(m_colours));
    }

private:
    mutable std::mutex m_lock;
    std::vector<KeyColour> m_colours;
};

}  // namespace vestra
