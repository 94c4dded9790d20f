// The headset's profile data: audio settings, equaliser curves and the custom equalisers.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "profile/CBasicProfiledata.h"

namespace vestra {

class CHs6533Profiledata : public CBasicProfiledata {
public:
    static constexpr int kEqBands = 10;
    static constexpr int kCustomEqType = 13;  // the custom equaliser; it has no preset slot
    using EqBands = std::array<int, kEqBands>;

    HeadsetSystemSettings GetSystemSetStages() const;
    void SetSystemSetStages(const HeadsetSystemSettings& settings);

    // The last curve of an equaliser type: types 1-12 have their own slot, 0 and anything else
    // but 13 use slot 1. Type 13 returns an empty list. A slot without values is written into
    // the entry as ten zeros and read as ten zeros.
    std::vector<int> GetEq(int eqType);
    // Type 13 writes nothing.
    void SetEq(int eqType, const EqBands& bands);

    std::vector<std::string> GetCustomEqNames() const;
    void SetCustomEqNames(const std::vector<std::string>& names);

    // The curve of a custom equaliser by its position; one without values reads (and is
    // written) as ten zeros.
    std::vector<int> GetCustomEq(int index);
    void SetCustomEq(int index, const EqBands& bands);

private:
    std::vector<int> ReadBands(const char* key, int slot);
    void WriteBands(const char* key, int slot, const EqBands& bands);
};

}  // namespace vestra
