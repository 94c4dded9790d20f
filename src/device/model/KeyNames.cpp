#include "device/model/KeyNames.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <charconv>
#include <utility>

namespace vestra {
namespace {

struct UsageNameRow {
    uint8_t usage;
    std::string_view name;
};

// The HID keyboard page (0x07) by usage; digits and letters are filled in by UsageName.
constexpr UsageNameRow kUsageNames[] = {
    {0x28, "Enter"},       {0x29, "Esc"},        {0x2A, "Backspace"},
    {0x2B, "Tab"},         {0x2C, "Space"},      {0x2D, "Minus"},
    {0x2E, "Equal"},       {0x2F, "LBracket"},   {0x30, "RBracket"},
    {0x31, "Backslash"},   {0x32, "NonUSHash"},  {0x33, "Semicolon"},
    {0x34, "Quote"},       {0x35, "Grave"},      {0x36, "Comma"},
    {0x37, "Period"},      {0x38, "Slash"},      {0x39, "CapsLock"},
    {0x46, "PrintScreen"}, {0x47, "ScrollLock"}, {0x48, "Pause"},
    {0x49, "Insert"},      {0x4A, "Home"},       {0x4B, "PageUp"},
    {0x4C, "Delete"},      {0x4D, "End"},        {0x4E, "PageDown"},
    {0x4F, "Right"},       {0x50, "Left"},       {0x51, "Down"},
    {0x52, "Up"},          {0x53, "NumLock"},    {0x54, "KPSlash"},
    {0x55, "KPAsterisk"},  {0x56, "KPMinus"},    {0x57, "KPPlus"},
    {0x58, "KPEnter"},     {0x63, "KPPeriod"},   {0x64, "NonUSBackslash"},
    {0x65, "Menu"},        {0x66, "Power"},      {0x67, "KPEqual"},
    {0x85, "KPComma"},     {0x87, "Intl1"},      {0x88, "Intl2"},
    {0x89, "Intl3"},       {0x8A, "Intl4"},      {0x8B, "Intl5"},
    {0x90, "Lang1"},       {0x91, "Lang2"},
};

constexpr std::pair<std::string_view, uint8_t> kUsageAliases[] = {
    {"Escape", 0x29}, {"Return", 0x28}, {"Del", 0x4C}, {"Ins", 0x49},
    {"PgUp", 0x4B},   {"PgDn", 0x4E},   {"App", 0x65}, {"PrtSc", 0x46},
};

// Bit n of the modifier mask, in mask order.
constexpr std::array<std::string_view, 8> kModifierNames = {
    "LCtrl", "LShift", "LAlt", "LWin", "RCtrl", "RShift", "RAlt", "RWin",
};

constexpr std::pair<std::string_view, uint8_t> kModifierAliases[] = {
    {"Ctrl", 0x01},
    {"Shift", 0x02},
    {"Alt", 0x04},
    {"Win", 0x08},
};

bool SameText(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// Letters, digits, function keys and keypad digits follow each other on the usage page.
std::string RunName(uint8_t usage) {
    if (usage >= 0x04 && usage <= 0x1D)
        return std::string(1, static_cast<char>('A' + usage - 0x04));
    if (usage >= 0x1E && usage <= 0x26)
        return std::string(1, static_cast<char>('1' + usage - 0x1E));
    if (usage == 0x27) return "0";
    if (usage >= 0x3A && usage <= 0x45) return "F" + std::to_string(usage - 0x3A + 1);
    if (usage >= 0x68 && usage <= 0x73) return "F" + std::to_string(usage - 0x68 + 13);
    if (usage >= 0x59 && usage <= 0x61) return "KP" + std::to_string(usage - 0x59 + 1);
    if (usage == 0x62) return "KP0";
    return {};
}

}  // namespace

std::string_view UsageName(uint8_t usage) {
    // Names of the runs are made once, so that a view into them stays valid.
    static const std::array<std::string, 256> kRunNames = [] {
        std::array<std::string, 256> names;
        for (int usage = 0; usage < 256; ++usage)
            names[usage] = RunName(static_cast<uint8_t>(usage));
        return names;
    }();
    if (!kRunNames[usage].empty()) return kRunNames[usage];
    for (const UsageNameRow& row : kUsageNames) {
        if (row.usage == usage) return row.name;
    }
    return {};
}

std::optional<uint8_t> UsageFromName(std::string_view name) {
    if (name.empty()) return std::nullopt;
    for (int usage = 1; usage < 256; ++usage) {
        if (SameText(UsageName(static_cast<uint8_t>(usage)), name)) {
            return static_cast<uint8_t>(usage);
        }
    }
    for (const auto& [alias, usage] : kUsageAliases) {
        if (SameText(alias, name)) return usage;
    }
    return std::nullopt;
}

std::string_view ModifierName(uint8_t bit) {
    if (!std::has_single_bit(bit)) return {};
    return kModifierNames[std::countr_zero(bit)];
}

std::optional<uint8_t> ModifierFromName(std::string_view name) {
    for (size_t i = 0; i < kModifierNames.size(); ++i) {
        if (SameText(kModifierNames[i], name)) return static_cast<uint8_t>(1u << i);
    }
    for (const auto& [alias, bit] : kModifierAliases) {
        if (SameText(alias, name)) return bit;
    }
    return std::nullopt;
}

std::string KeyCodeName(protocol::KeyCode code) {
    if (code.type != kKeyboardKeyType) return {};
    if (code.value1 == 0) return std::string(UsageName(code.value2));
    if (code.value2 == 0) return std::string(ModifierName(code.value1));
    return {};
}

std::string PositionName(std::span<const KeyAssignmentPair> keys, size_t position) {
    if (position >= keys.size()) return {};
    const uint8_t* code = keys[position].defaults.code;
    return KeyCodeName({code[0], code[1], code[2]});
}

std::optional<size_t> FindPosition(std::span<const KeyAssignmentPair> keys, std::string_view word) {
    size_t number = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    if (error == std::errc() && end == word.data() + word.size()) {
        if (number < keys.size()) return number;
        return std::nullopt;
    }
    // An alias ("Escape", "Ctrl") finds the key of the name it stands for.
    std::string name(word);
    if (const std::optional<uint8_t> usage = UsageFromName(word)) {
        name = UsageName(*usage);
    } else if (const std::optional<uint8_t> bit = ModifierFromName(word)) {
        name = ModifierName(*bit);
    }
    for (size_t position = 0; position < keys.size(); ++position) {
        const std::string own = PositionName(keys, position);
        if (!own.empty() && SameText(own, name)) return position;
    }
    return std::nullopt;
}

}  // namespace vestra
