#include "device/model/KeyFunctionText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <utility>
#include <vector>

#include "device/model/KeyNames.h"
#include "profile/MacroLibrary.h"

namespace vestra {
namespace {

using protocol::KeyCode;

struct NamedValue {
    std::string_view name;
    uint16_t value;
};

// Mouse button bits, as the mouse reports them.
constexpr NamedValue kMouseButtons[] = {
    {"left", 0x01}, {"right", 0x02}, {"middle", 0x04}, {"back", 0x08}, {"forward", 0x10},
};

// Consumer page usages the key panel offers.
constexpr NamedValue kMediaUsages[] = {
    {"media-player", 0x0183}, {"play-pause", 0x00CD},   {"stop", 0x00B7},
    {"previous", 0x00B6},     {"next", 0x00B5},         {"volume-down", 0x00EA},
    {"volume-up", 0x00E9},    {"mute", 0x00E2},         {"home", 0x0223},
    {"refresh", 0x0227},      {"browser-stop", 0x0226}, {"back", 0x0224},
    {"forward", 0x0225},      {"bookmarks", 0x022A},    {"search", 0x0221},
    {"computer", 0x0194},     {"calculator", 0x0192},   {"email", 0x018A},
};

constexpr int kMaxCount = 127;  // swing and wheel counts have 7 bits
constexpr int kMaxNibble = 15;  // delay and speed share value 1

bool SameText(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// A decimal number within [low, high].
std::optional<int> Number(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    if (value < low || value > high) return std::nullopt;
    return value;
}

// "0x" followed by hexadecimal digits, within [0, high].
std::optional<int> HexNumber(std::string_view text, int high) {
    if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
        return std::nullopt;
    }
    int value = 0;
    const auto [end, error] =
        std::from_chars(text.data() + 2, text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size() || value > high) {
        return std::nullopt;
    }
    return value;
}

std::string Hex(unsigned value, int digits) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%0*x", digits, value);
    return text;
}

KeyFunctionParse Fail(std::string error) {
    return {std::nullopt, std::move(error)};
}

KeyFunctionParse Done(KeyCode code) {
    return {code, {}};
}

std::string Range(std::string_view what, int low, int high) {
    return std::string(what) + " must be " + std::to_string(low) + "-" + std::to_string(high);
}

// "name=value" options after the fixed fields of a form.
struct Options {
    std::vector<std::pair<std::string_view, std::string_view>> items;

    bool Parse(std::span<const std::string_view> parts, std::string& error) {
        for (std::string_view part : parts) {
            const size_t equals = part.find('=');
            if (equals == std::string_view::npos) {
                error = "expected name=value, not '" + std::string(part) + "'";
                return false;
            }
            items.emplace_back(part.substr(0, equals), part.substr(equals + 1));
        }
        return true;
    }
    // Takes an allowed option; an option outside the allowed names is an error.
    bool Only(std::initializer_list<std::string_view> names, std::string& error) const {
        for (const auto& [name, value] : items) {
            if (std::none_of(names.begin(), names.end(),
                             [&](std::string_view allowed) { return SameText(allowed, name); })) {
                error = "unknown option '" + std::string(name) + "'";
                return false;
            }
        }
        return true;
    }
    std::optional<std::string_view> Get(std::string_view name) const {
        for (const auto& [key, value] : items) {
            if (SameText(key, name)) return value;
        }
        return std::nullopt;
    }
};

KeyFunctionParse ParseKey(std::string_view body) {
    uint8_t mask = 0;
    std::optional<uint8_t> usage;
    if (SameText(body, "none")) return Done({kKeyboardKeyType, 0, 0});
    for (std::string_view name : Split(body, '+')) {
        if (const std::optional<uint8_t> bit = ModifierFromName(name)) {
            mask |= *bit;
            continue;
        }
        std::optional<uint8_t> found = UsageFromName(name);
        if (!found) {
            if (const std::optional<int> raw = HexNumber(name, 0xFF)) found = uint8_t(*raw);
        }
        if (!found) return Fail("unknown key name '" + std::string(name) + "'");
        if (usage) return Fail("a key function types one key, with modifiers");
        usage = found;
    }
    return Done({kKeyboardKeyType, mask, usage.value_or(0)});
}

// wheel:up|down:N and swing:0|1:N, with delay and speed options.
KeyFunctionParse ParseMotion(uint8_t type, std::span<const std::string_view> parts) {
    const bool wheel = type == kWheelType;
    const char* usage = wheel ? "wheel:up|down:COUNT" : "swing:0|1:COUNT";
    if (parts.size() < 2) return Fail(std::string("expected ") + usage);
    int direction;
    if (wheel && SameText(parts[0], "up")) {
        direction = 0;
    } else if (wheel && SameText(parts[0], "down")) {
        direction = 1;
    } else if (!wheel && (parts[0] == "0" || parts[0] == "1")) {
        direction = parts[0] == "1";
    } else {
        return Fail(std::string("expected ") + usage);
    }
    // The downward wheel count is stored as 128 - count, so 128 still fits.
    const int maxCount = wheel && direction == 1 ? kMaxCount + 1 : kMaxCount;
    const std::optional<int> count = Number(parts[1], wheel && direction == 1 ? 1 : 0, maxCount);
    if (!count) return Fail(Range("the count", wheel && direction == 1 ? 1 : 0, maxCount));
    Options options;
    std::string error;
    if (!options.Parse(parts.subspan(2), error) || !options.Only({"delay", "speed"}, error)) {
        return Fail(error);
    }
    // The panel would keep only the low 4 bits of a larger value; typed text is refused
    // instead, so the code written is the one asked for.
    int nibbles[2] = {0, 0};
    const char* names[2] = {"delay", "speed"};
    for (int i = 0; i < 2; ++i) {
        if (const std::optional<std::string_view> text = options.Get(names[i])) {
            const std::optional<int> value = Number(*text, 0, kMaxNibble);
            if (!value) return Fail(Range(names[i], 0, kMaxNibble));
            nibbles[i] = *value;
        }
    }
    return Done(wheel ? WheelCode(nibbles[0], nibbles[1], direction, *count)
                      : SwingCode(nibbles[0], nibbles[1], direction, *count));
}

KeyFunctionParse ParseMacro(std::span<const std::string_view> parts) {
    if (parts.empty()) return Fail("expected macro:N[:mode=0..3|:repeat=R]");
    const std::optional<int> macro = Number(parts[0], 0, MacroLibrary::kMaxMacros - 1);
    if (!macro) return Fail(Range("the macro number", 0, MacroLibrary::kMaxMacros - 1));
    Options options;
    std::string error;
    if (!options.Parse(parts.subspan(1), error) || !options.Only({"mode", "repeat"}, error)) {
        return Fail(error);
    }
    const std::optional<std::string_view> mode = options.Get("mode");
    const std::optional<std::string_view> repeat = options.Get("repeat");
    if (mode && repeat) return Fail("a macro key has a play mode or a repeat count, not both");
    if (repeat) {
        const std::optional<int> count = Number(*repeat, 0, 255);
        if (!count) return Fail(Range("the repeat count", 0, 255));
        return Done({kMacroRepeatType, uint8_t(*macro), uint8_t(*count)});
    }
    const std::optional<int> playMode = mode ? Number(*mode, 0, 3) : 0;
    if (!playMode) return Fail(Range("the play mode", 0, 3));
    return Done({kMacroPlayType, uint8_t(*macro), uint8_t(*playMode)});
}

std::optional<KeyCode> ParseRaw(std::string_view text) {
    const std::vector<std::string_view> parts = Split(text, ',');
    if (parts.size() != 3) return std::nullopt;
    uint8_t bytes[3];
    for (size_t i = 0; i < 3; ++i) {
        std::string_view part = parts[i];
        if (part.size() > 2 && part[0] == '0' && (part[1] == 'x' || part[1] == 'X')) {
            part.remove_prefix(2);
        }
        unsigned value = 0;
        const auto [end, error] =
            std::from_chars(part.data(), part.data() + part.size(), value, 16);
        if (part.empty() || part.size() > 2 || error != std::errc() ||
            end != part.data() + part.size()) {
            return std::nullopt;
        }
        bytes[i] = static_cast<uint8_t>(value);
    }
    return KeyCode{bytes[0], bytes[1], bytes[2]};
}

std::string RawText(KeyCode code) {
    char text[12];
    std::snprintf(text, sizeof text, "%02x,%02x,%02x", code.type, code.value1, code.value2);
    return text;
}

std::string Nibbles(uint8_t value1) {
    std::string text;
    if (value1 >> 4) text += ":delay=" + std::to_string(value1 >> 4);
    if (value1 & 0x0F) text += ":speed=" + std::to_string(value1 & 0x0F);
    return text;
}

std::string KeyText(KeyCode code) {
    std::string text;
    for (size_t bit = 0; bit < 8; ++bit) {
        const uint8_t mask = static_cast<uint8_t>(1u << bit);
        if (!(code.value1 & mask)) continue;
        if (!text.empty()) text += '+';
        text += ModifierName(mask);
    }
    if (code.value2 != 0) {
        if (!text.empty()) text += '+';
        const std::string_view name = UsageName(code.value2);
        text += name.empty() ? Hex(code.value2, 2) : std::string(name);
    }
    return "key:" + (text.empty() ? std::string("none") : text);
}

}  // namespace

KeyCode SwingCode(int delay, int speed, int direction, int count) {
    const uint8_t timing = static_cast<uint8_t>((delay & 0x0F) << 4 | (speed & 0x0F));
    const uint8_t steps =
        direction == 1 ? static_cast<uint8_t>(count | 0x80) : static_cast<uint8_t>(count & 0x7F);
    return {kSwingType, timing, steps};
}

KeyCode WheelCode(int delay, int speed, int direction, int count) {
    const uint8_t timing = static_cast<uint8_t>((delay & 0x0F) << 4 | (speed & 0x0F));
    const uint8_t steps = direction == 1 ? static_cast<uint8_t>((128 - count) | 0x80)
                                         : static_cast<uint8_t>(count & 0x7F);
    return {kWheelType, timing, steps};
}

KeyFunctionParse ParseKeyFunction(std::string_view text, KeyCode defaultCode) {
    if (SameText(text, "default")) return Done(defaultCode);
    if (const std::optional<KeyCode> raw = ParseRaw(text)) return Done(*raw);

    const std::vector<std::string_view> parts = Split(text, ':');
    const std::string_view form = parts[0];
    const std::span<const std::string_view> rest = std::span(parts).subspan(1);
    // The one field of a form such as mouse:NAME.
    const std::optional<std::string_view> single =
        rest.size() == 1 ? std::optional(rest[0]) : std::nullopt;

    if (SameText(form, "key")) {
        if (rest.size() != 1 || rest[0].empty()) return Fail("expected key:NAME[+NAME...]");
        return ParseKey(rest[0]);
    }
    if (SameText(form, "mouse")) {
        const std::optional<std::string_view> name = single;
        for (const NamedValue& button : kMouseButtons) {
            if (name && SameText(*name, button.name)) {
                return Done({kMouseKeyType, uint8_t(button.value), 0});
            }
        }
        return Fail("expected mouse:left|right|middle|back|forward");
    }
    if (SameText(form, "wheel")) return ParseMotion(kWheelType, rest);
    if (SameText(form, "swing")) return ParseMotion(kSwingType, rest);
    if (SameText(form, "dpi")) {
        const std::optional<int> stage = rest.size() == 1 ? Number(rest[0], 1, 3) : std::nullopt;
        if (!stage) return Fail("expected dpi:1, dpi:2 or dpi:3");
        return Done({kDpiType, uint8_t(*stage), 0});
    }
    if (SameText(form, "fire")) {
        if (rest.size() != 2) return Fail("expected fire:INTERVAL:COUNT");
        const std::optional<int> interval = Number(rest[0], 0, 255);
        const std::optional<int> count = Number(rest[1], 0, 255);
        if (!interval || !count) return Fail("interval and count must be 0-255");
        return Done({kFireType, uint8_t(*interval), uint8_t(*count)});
    }
    if (SameText(form, "media")) {
        const std::optional<std::string_view> name = single;
        if (name) {
            std::optional<int> usage = HexNumber(*name, 0xFFFF);
            for (const NamedValue& media : kMediaUsages) {
                if (SameText(*name, media.name)) usage = media.value;
            }
            if (usage) return Done({kMediaType, uint8_t(*usage & 0xFF), uint8_t(*usage >> 8)});
        }
        return Fail("unknown media function; use a name such as volume-up or a usage as 0xNNNN");
    }
    if (SameText(form, "system")) {
        const std::optional<int> n = rest.size() == 1 ? Number(rest[0], 1, 3) : std::nullopt;
        if (!n) return Fail("expected system:1, system:2 or system:3");
        return Done({kSystemType, uint8_t(1u << (*n - 1)), 0});
    }
    if (SameText(form, "macro")) return ParseMacro(rest);
    if (SameText(form, "gun")) {
        const std::optional<int> entry = rest.size() == 1 ? Number(rest[0], 0, 255) : std::nullopt;
        if (!entry) return Fail("expected gun:N with N 0-255");
        return Done({kGunKeyType, uint8_t(*entry), 0});
    }
    return Fail("unknown function '" + std::string(text) +
                "'; forms: default, key:, mouse:, wheel:, swing:, dpi:, fire:, media:, system:, "
                "macro:, gun: or three hex bytes like 20,00,05");
}

std::string KeyFunctionText(KeyCode code) {
    switch (code.type) {
        case kKeyboardKeyType:
            return KeyText(code);
        case kMouseKeyType:
            for (const NamedValue& button : kMouseButtons) {
                if (code.value1 == button.value && code.value2 == 0) {
                    return "mouse:" + std::string(button.name);
                }
            }
            break;
        case kSwingType:
            return "swing:" + std::string(code.value2 & 0x80 ? "1:" : "0:") +
                   std::to_string(code.value2 & 0x7F) + Nibbles(code.value1);
        case kWheelType:
            if (code.value2 & 0x80) {
                return "wheel:down:" + std::to_string(128 - (code.value2 & 0x7F)) +
                       Nibbles(code.value1);
            }
            return "wheel:up:" + std::to_string(code.value2) + Nibbles(code.value1);
        case kDpiType:
            if (code.value1 >= 1 && code.value1 <= 3 && code.value2 == 0) {
                return "dpi:" + std::to_string(code.value1);
            }
            break;
        case kFireType:
            return "fire:" + std::to_string(code.value1) + ":" + std::to_string(code.value2);
        case kMediaType: {
            const uint16_t usage = static_cast<uint16_t>(code.value1 | code.value2 << 8);
            for (const NamedValue& media : kMediaUsages) {
                if (media.value == usage) return "media:" + std::string(media.name);
            }
            return "media:" + Hex(usage, 4);
        }
        case kSystemType:
            if (code.value2 == 0 && (code.value1 == 1 || code.value1 == 2 || code.value1 == 4)) {
                return "system:" + std::to_string(std::countr_zero(code.value1) + 1);
            }
            break;
        case kMacroPlayType:
            if (code.value2 == 0) return "macro:" + std::to_string(code.value1);
            if (code.value2 <= 3) {
                return "macro:" + std::to_string(code.value1) +
                       ":mode=" + std::to_string(code.value2);
            }
            break;
        case kMacroRepeatType:
            return "macro:" + std::to_string(code.value1) +
                   ":repeat=" + std::to_string(code.value2);
        case kGunKeyType:
            if (code.value2 == 0) return "gun:" + std::to_string(code.value1);
            break;
        default:
            break;
    }
    return RawText(code);
}

}  // namespace vestra
