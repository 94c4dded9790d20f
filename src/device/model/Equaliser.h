// The headset's equaliser: the twelve preset curves, the custom equalisers and the rules that
// select, adjust, save and delete them, with the state the voice panel shows.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "profile/CHs6533Profiledata.h"

namespace vestra {

inline constexpr int kEqBandCount = CHs6533Profiledata::kEqBands;
inline constexpr int kEqPresetCount = 12;                                // types 1-12
inline constexpr int kEqCustomType = CHs6533Profiledata::kCustomEqType;  // 13
inline constexpr int kMaxCustomEqualisers = 20;
using EqBands = CHs6533Profiledata::EqBands;

// The curve of preset type t is kEqPresets[t - 1].
extern const std::array<EqBands, kEqPresetCount> kEqPresets;

// "Enable_EQ_GFX" and "EQ_Slider1" ... "EQ_Slider10" of the playback endpoint.
inline constexpr std::string_view kEqEnableProperty = "Enable_EQ_GFX";
std::string EqBandProperty(int band);

// What the equaliser asks of its headset.
class EqualiserHost {
public:
    virtual ~EqualiserHost() = default;
    // A 32-bit integer to the playback endpoint, without a channel; the answer is not used.
    virtual void WriteEqualiserProperty(std::string_view property, int value) = 0;
    // Stores the headset's eight system settings (with Type and SelectedIndex) in the profile.
    virtual void StoreSettings() = 0;
    virtual void SaveProfile() = 0;
};

enum class EqSaveResult : int { Refused = -1, NameInUse = 0, Saved = 1 };

// Used from one thread. The band list is the curve in effect; the sliders are what the page
// shows, which a moved band changes alone until the curve is saved or another is chosen.
class Equaliser {
public:
    Equaliser(CHs6533Profiledata& profile, EqualiserHost& host);

    // Takes the type, the selected custom equaliser, the names and the curve of the type from
    // the profile, as after loading it; writes nothing to the headset.
    void Load(int type, int selectedIndex);

    int Type() const { return m_type; }
    // The stored selection ("CustomEqSeletIndex").
    int SelectedIndex() const { return m_selectedIndex; }
    // The name chosen on the page; -1 for none.
    int ChosenName() const { return m_chosen; }
    bool CustomLayoutEnabled() const { return m_type == kEqCustomType; }
    const EqBands& Bands() const { return m_bands; }
    const EqBands& Sliders() const { return m_sliders; }
    const std::vector<std::string>& Names() const { return m_names; }
    // The position of a name, compared without regard to letter case; -1 when absent.
    int FindName(std::string_view name) const;

    // Types 1-12 play and store their preset; 13 plays the chosen custom equaliser. False (and
    // nothing done) for other types.
    bool Select(int type);
    // Moves one band and plays it; a preset turns into an unnamed custom curve. False for a
    // band outside 0-9.
    bool SetBand(int band, int value);
    // Chooses a custom equaliser (the type becomes custom) and plays it; false for an index
    // with no name.
    bool SelectCustom(int index);
    // An empty name overwrites the chosen custom equaliser with the sliders; another name adds
    // a custom equaliser with the sliders' curve.
    EqSaveResult Save(std::string_view name);
    // Deletes the chosen custom equaliser; later ones move down with their curves. With none
    // left the page returns to preset 1. Nothing is played. False when none is chosen.
    bool Delete();

private:
    void Play(const EqBands& bands);
    EqBands CustomCurve(int index);

    CHs6533Profiledata& m_profile;
    EqualiserHost& m_host;
    int m_type = 1;
    int m_selectedIndex = 0;
    int m_chosen = -1;
    EqBands m_bands{};
    EqBands m_sliders{};
    std::vector<std::string> m_names;
};

}  // namespace vestra
