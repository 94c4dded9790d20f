#include "device/model/ShootImage.h"

#include <json/value.h>

#include <optional>

#include "device/protocol/MacroImage.h"
#include "profile/BulletPattern.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "profile/MacroEvent.h"

namespace vestra {
namespace {

std::optional<protocol::MacroImageEvent> ShootEvent(const Json::Value& value) {
    if (value.isNull()) return protocol::MacroImageEvent{protocol::MacroAction::Up, 0, 0, 0};
    const std::optional<MacroEvent> event = MacroEventFromJson(value);
    if (!event) return std::nullopt;
    return protocol::MacroImageEvent{event->action == MacroEvent::Action::Down
                                         ? protocol::MacroAction::Down
                                         : protocol::MacroAction::Up,
                                     event->type, event->button, event->delayMs};
}

}  // namespace

ShootImageBuild BuildShootImage(const std::filesystem::path& dataFolder) {
    std::vector<protocol::MacroImageMacro> guns;
    for (int gun = 0; gun < BulletPattern::kGunCount; ++gun) {
        const std::string name = BulletPattern::FileName(gun);
        Json::Value document;
        if (JsonFile::Read(dataFolder / name, document) != JsonFile::ReadStatus::Ok) {
            return {{}, name + " cannot be read"};
        }
        const Json::Value& events = json::Member(document, "Events");
        protocol::MacroImageMacro& macro = guns.emplace_back();
        for (int i = 0; i < json::ArraySize(events); ++i) {
            const std::optional<protocol::MacroImageEvent> event =
                ShootEvent(json::Element(events, i));
            if (!event) {
                return {{},
                        name + ": event " + std::to_string(i) +
                            " is not an event with a type and distance of 0-255"};
            }
            macro.push_back(*event);
        }
    }
    std::optional<std::vector<uint8_t>> image = protocol::EncodeMacroImage(guns);
    if (!image) return {{}, "the bullet patterns are too long for one image"};
    return {std::move(*image), {}};
}

}  // namespace vestra
