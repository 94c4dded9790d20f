#include "device/model/Equaliser.h"

#include <algorithm>
#include <cctype>

namespace vestra {
namespace {

EqBands ToBands(const std::vector<int>& values) {
    EqBands bands{};
    std::copy_n(values.begin(), std::min<size_t>(values.size(), bands.size()), bands.begin());
    return bands;
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

const std::array<EqBands, kEqPresetCount> kEqPresets = {{
    {7, 11, 2, -3, -1, 4, 9, 12, 9, 5},
    {7, 11, 6, -3, -11, -1, 6, 13, 6, 13},
    {10, 4, 0, -3, -4, -3, -2, -1, 0, 0},
    {2, 1, -2, -3, -5, -7, 0, 4, 9, 8},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {7, 14, -13, -6, -1, 8, 13, 7, 2, 6},
    {14, 10, 4, 0, -4, -3, -1, 1, 2, 3},
    {2, 1, -2, -3, -5, -1, 7, 11, 15, 13},
    {8, 2, -4, -8, 1, 3, 8, 11, 14, 16},
    {-3, 4, 10, 0, -11, 3, 9, 13, 6, 0},
    {18, 14, 8, 2, -3, -6, -1, 2, 5, 6},
    {2, 1, -2, -4, -8, 4, 12, 16, 18, 15},
}};

std::string EqBandProperty(int band) {
    return "EQ_Slider" + std::to_string(band + 1);
}

Equaliser::Equaliser(CHs6533Profiledata& profile, EqualiserHost& host)
    : m_profile(profile), m_host(host) {}

void Equaliser::Load(int type, int selectedIndex) {
    m_type = type;
    m_selectedIndex = selectedIndex;
    m_names = m_profile.GetCustomEqNames();
    m_names.resize(std::min<size_t>(m_names.size(), kMaxCustomEqualisers));
    m_bands = type == kEqCustomType ? CustomCurve(selectedIndex) : ToBands(m_profile.GetEq(type));
    m_sliders = m_bands;
    m_chosen =
        selectedIndex >= 0 && selectedIndex < static_cast<int>(m_names.size()) ? selectedIndex : -1;
}

int Equaliser::FindName(std::string_view name) const {
    for (size_t i = 0; i < m_names.size(); ++i) {
        if (SameName(m_names[i], name)) return static_cast<int>(i);
    }
    return -1;
}

EqBands Equaliser::CustomCurve(int index) {
    // A position out of range (a damaged profile) reads as a flat curve.
    if (index < 0) return {};
    return ToBands(m_profile.GetCustomEq(index));
}

void Equaliser::Play(const EqBands& bands) {
    m_host.WriteEqualiserProperty(kEqEnableProperty, 1);
    m_sliders = bands;
    for (int band = 0; band < kEqBandCount; ++band) {
        m_host.WriteEqualiserProperty(EqBandProperty(band), bands[band]);
    }
}

bool Equaliser::Select(int type) {
    if (type < 1 || type > kEqCustomType) return false;
    if (type == kEqCustomType) {
        m_type = kEqCustomType;
        if (m_chosen >= 0) SelectCustom(m_chosen);
        m_host.SaveProfile();
        return true;
    }
    m_bands = kEqPresets[static_cast<size_t>(type - 1)];
    Play(m_bands);
    m_type = type;
    m_host.StoreSettings();
    m_profile.SetEq(type, m_bands);
    m_host.SaveProfile();
    return true;
}

bool Equaliser::SetBand(int band, int value) {
    if (band < 0 || band >= kEqBandCount) return false;
    if (m_type != kEqCustomType) {
        m_type = kEqCustomType;
        m_chosen = -1;
    }
    m_sliders[band] = value;
    m_host.WriteEqualiserProperty(EqBandProperty(band), value);
    return true;
}

bool Equaliser::SelectCustom(int index) {
    if (index < 0 || index >= static_cast<int>(m_names.size())) return false;
    // The names are only offered while the custom type is shown.
    m_type = kEqCustomType;
    m_chosen = index;
    m_bands = CustomCurve(index);
    Play(m_bands);
    m_selectedIndex = index;
    m_host.StoreSettings();
    m_host.SaveProfile();
    return true;
}

EqSaveResult Equaliser::Save(std::string_view name) {
    if (name.empty()) {
        if (m_chosen < 0) return EqSaveResult::Refused;
        m_bands = m_sliders;
        m_selectedIndex = m_chosen;
        m_host.StoreSettings();
        m_profile.SetCustomEq(m_chosen, m_bands);
        m_host.SaveProfile();
        return EqSaveResult::Saved;
    }
    if (m_names.size() >= kMaxCustomEqualisers) return EqSaveResult::Refused;
    if (FindName(name) >= 0) return EqSaveResult::NameInUse;
    m_names.emplace_back(name);
    m_bands = m_sliders;
    m_chosen = static_cast<int>(m_names.size()) - 1;
    m_selectedIndex = m_chosen;
    m_host.StoreSettings();
    m_profile.SetCustomEq(m_chosen, m_bands);
    m_profile.SetCustomEqNames(m_names);
    m_host.SaveProfile();
    return EqSaveResult::Saved;
}

bool Equaliser::Delete() {
    if (m_chosen < 0 || m_chosen >= static_cast<int>(m_names.size())) return false;
    const int removed = m_chosen;
    const int last = static_cast<int>(m_names.size()) - 1;
    // Curves are stored by position: move the later ones down so each name keeps its own.
    for (int i = removed; i < last; ++i) m_profile.SetCustomEq(i, CustomCurve(i + 1));
    m_profile.SetCustomEq(last, EqBands{});
    m_names.erase(m_names.begin() + removed);

    if (m_names.empty()) {
        m_type = 1;
        m_selectedIndex = 0;
        m_chosen = -1;
        m_host.StoreSettings();
        m_bands = ToBands(m_profile.GetEq(1));
        m_sliders = m_bands;
        m_profile.SetCustomEqNames(m_names);
        m_host.SaveProfile();
        return true;
    }
    m_selectedIndex = 0;
    m_chosen = 0;
    m_host.StoreSettings();
    m_bands = CustomCurve(0);
    m_sliders = m_bands;
    m_profile.SetCustomEqNames(m_names);
    m_host.SaveProfile();
    return true;
}

}  // namespace vestra
