#include "profile/MacroEvent.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "platform/DebugLog.h"
#include "profile/JsonAccess.h"

namespace vestra {
namespace {

constexpr int64_t kMaxDelay = 0xFFFF;

uint16_t ClampDelay(int64_t delay) {
    if (delay < 0) return 0;
    return static_cast<uint16_t>(delay > kMaxDelay ? kMaxDelay : delay);
}

// "Type" and "Button" are single bytes on the device.
std::optional<uint8_t> ByteMember(const Json::Value& object, const char* key) {
    const int64_t value = json::ToInt(json::Member(object, key));
    if (value < 0 || value > 0xFF) return std::nullopt;
    return static_cast<uint8_t>(value);
}

}  // namespace

uint16_t ParseMacroDelay(std::string_view text) {
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return 0;
    text.remove_prefix(start);
    uint64_t value = 0;
    const std::errc error = std::from_chars(text.data(), text.data() + text.size(), value).ec;
    if (error == std::errc::result_out_of_range) return kMaxDelay;
    if (error != std::errc()) return 0;
    return static_cast<uint16_t>(std::min<uint64_t>(value, kMaxDelay));
}

Json::Value MacroEventToJson(const MacroEvent& event) {
    Json::Value object(Json::objectValue);
    object["Action"] = event.action == MacroEvent::Action::Down ? "down" : "up";
    object["Button"] = int{event.button};
    object["Type"] = int{event.type};
    object["Delay"] = std::to_string(event.delayMs);
    return object;
}

std::optional<MacroEvent> MacroEventFromJson(const Json::Value& value) {
    if (!value.isObject()) return std::nullopt;
    const std::optional<uint8_t> type = ByteMember(value, "Type");
    const std::optional<uint8_t> button = ByteMember(value, "Button");
    if (!type || !button) return std::nullopt;

    MacroEvent event;
    event.action = json::ToString(json::Member(value, "Action")) == "down"
                       ? MacroEvent::Action::Down
                       : MacroEvent::Action::Up;
    event.type = *type;
    event.button = *button;
    // Written as text; a hand-edited file may hold a number.
    const Json::Value& delay = json::Member(value, "Delay");
    event.delayMs =
        delay.isString() ? ParseMacroDelay(delay.asString()) : ClampDelay(json::ToInt(delay));
    return event;
}

std::vector<MacroEvent> MacroEventsFromJson(const Json::Value& events) {
    std::vector<MacroEvent> result;
    for (int i = 0; i < json::ArraySize(events); ++i) {
        if (std::optional<MacroEvent> event = MacroEventFromJson(json::Element(events, i))) {
            result.push_back(*event);
        } else {
            DebugLog::Printf("macro event %d is malformed; skipped", i);
        }
    }
    return result;
}

Json::Value MacroEventsToJson(std::span<const MacroEvent> events) {
    Json::Value array(Json::arrayValue);
    for (const MacroEvent& event : events) array.append(MacroEventToJson(event));
    return array;
}

}  // namespace vestra
