// The keyboard's profile data: system settings and the custom light colour groups.
#pragma once

#include <vector>

#include "profile/CBasicProfiledata.h"

namespace vestra {

class CKeyboardProfiledata : public CBasicProfiledata {
public:
    KeyboardSystemSettings GetSystemStages() const;
    // Three words of (low, high) 16-bit halves: Repeat/RepeatDelay, Key6Flag/PollingRate,
    // WFlag/WinFlag.
    void SetSystemStages(uint32_t word0, uint32_t word1, uint32_t word2);

    // The first count colours of a group. Missing colours (or a missing group) are written into
    // the entry as zeros and read as zeros.
    std::vector<CustomColor> GetCustomColors(int group, int count);
    void SetCustomColors(const std::vector<CustomColor>& colors, int group);

    // The group last chosen; 0 when none is stored.
    int GetCustomGroupIndex() const;
    void SetCustomGroupIndex(int group);
};

}  // namespace vestra
