#include "device/model/KeyColourBuffer.h"

namespace vestra {

void KeyColourBuffer::Resize(size_t count) {
    std::lock_guard lock(m_lock);
    m_colours.resize(count);
}

size_t KeyColourBuffer::Size() const {
    std::lock_guard lock(m_lock);
    return m_colours.size();
}

void KeyColourBuffer::Set(int index, KeyColour colour) {
    std::lock_guard lock(m_lock);
    if (index < 0 || static_cast<size_t>(index) >= m_colours.size()) return;
    m_colours[index] = colour;
}

KeyColour KeyColourBuffer::Get(int index) const {
    std::lock_guard lock(m_lock);
    if (index < 0 || static_cast<size_t>(index) >= m_colours.size()) return {};
    return m_colours[index];
}

std::vector<KeyColour> KeyColourBuffer::Snapshot() const {
    std::lock_guard lock(m_lock);
    return m_colours;
}

}  // namespace vestra
