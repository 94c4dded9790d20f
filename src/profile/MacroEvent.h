// One input event of a macro or bullet pattern, and its JSON form in the macro files.
#pragma once

#include <json/value.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace vestra {

// In JSON: {"Action": "down" | "up", "Button": 0-255, "Type": kind, "Delay": "<0-65535>"}.
// Kinds: 1 mouse button (button bit), 4 horizontal move ("down" = left, distance in Button),
// 5 vertical move ("down" = up), 9 modifier key (modifier bit), 10 other key (HID usage).
struct MacroEvent {
    enum class Action { Up, Down };

    Action action = Action::Down;
    uint8_t button = 0;
    uint8_t type = 0;
    uint16_t delayMs = 0;  // the wait after this event

    bool operator==(const MacroEvent&) const = default;
};

// The delay text of the delay edit and the files: leading decimal digits, empty or non-numeric
// text as 0, values above 65535 as 65535.
uint16_t ParseMacroDelay(std::string_view text);

// The event object; the delay is written as decimal text.
Json::Value MacroEventToJson(const MacroEvent& event);
// Fields of the wrong JSON type read as 0 (and an action other than "down" as up). Nothing when
// the value is no object or "Type" or "Button" lies outside 0-255: guessing there would play a
// different key than the file names.
std::optional<MacroEvent> MacroEventFromJson(const Json::Value& value);

// An "Events" array. Malformed elements are left out with a debug line; a value that is no
// array gives no events.
std::vector<MacroEvent> MacroEventsFromJson(const Json::Value& events);
Json::Value MacroEventsToJson(std::span<const MacroEvent> events);

}  // namespace vestra
