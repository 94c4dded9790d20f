#include "device/model/MacroBinding.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <optional>

#include "device/protocol/MacroImage.h"

namespace vestra {
namespace {

protocol::KeyCode CodeOf(const KeyAssignment& key) {
    return {key.code[0], key.code[1], key.code[2]};
}

// The macro a key plays if that macro exists.
std::optional<int> PlayedMacro(const KeyAssignment& key, int macroCount) {
    if (!IsMacroBinding(key) || key.code[1] >= macroCount) return std::nullopt;
    return key.code[1];
}

protocol::MacroImageEvent ToImageEvent(const MacroEvent& event) {
    return {event.action == MacroEvent::Action::Down ? protocol::MacroAction::Down
                                                     : protocol::MacroAction::Up,
            event.type, event.button, event.delayMs};
}

// Results are ints; a count that large is refused all the same.
int ClampToInt(size_t value) {
    return static_cast<int>(std::min<size_t>(value, std::numeric_limits<int>::max()));
}

}  // namespace

MacroKeyMap RenumberMacroKeys(std::span<const KeyAssignmentPair> keys, int macroCount) {
    MacroKeyMap map;
    for (const KeyAssignmentPair& key : keys) {
        protocol::KeyCode code = CodeOf(key.current);
        if (const std::optional<int> macro = PlayedMacro(key.current, macroCount)) {
            auto used = std::find(map.usedMacros.begin(), map.usedMacros.end(), *macro);
            if (used == map.usedMacros.end()) used = map.usedMacros.insert(used, *macro);
            code.value1 = static_cast<uint8_t>(used - map.usedMacros.begin());
        } else if (IsMacroBinding(key.current)) {
            code = CodeOf(key.defaults);
        }
        map.codes.push_back(code);
    }
    return map;
}

std::vector<int> CollectUsedMacros(std::span<const KeyAssignmentPair> keys, int macroCount) {
    return RenumberMacroKeys(keys, macroCount).usedMacros;
}

bool ValidateMacroKeys(std::span<KeyAssignmentPair> keys, int macroCount) {
    bool changed = false;
    for (KeyAssignmentPair& key : keys) {
        if (IsMacroBinding(key.current) && !PlayedMacro(key.current, macroCount)) {
            std::copy(std::begin(key.defaults.code), std::end(key.defaults.code), key.current.code);
            changed = true;
        }
    }
    return changed;
}

MacroImageBuild BuildMacroImage(const MacroLibrary& library, std::span<const int> usedMacros,
                                size_t capacityBytes, MacroImageRules rules) {
    std::vector<protocol::MacroImageMacro> macros;
    for (int index : usedMacros) {
        const std::vector<MacroEvent> events = library.LoadEvents(index);
        if (rules == MacroImageRules::Mouse && events.size() > kMaxMouseMacroEvents) {
            return {ClampToInt(events.size()), {}};
        }
        protocol::MacroImageMacro& macro = macros.emplace_back();
        std::transform(events.begin(), events.end(), std::back_inserter(macro), ToImageEvent);
    }

    const size_t excess = protocol::MacroCapacityExcess(
        protocol::MacroImageSize(macros), capacityBytes,
        rules == MacroImageRules::Mouse ? protocol::MacroOverflowReport::ImageSize
                                        : protocol::MacroOverflowReport::EventsOver);
    if (excess > 0) return {ClampToInt(excess), {}};

    std::optional<std::vector<uint8_t>> image = protocol::EncodeMacroImage(macros);
    if (!image) return {-1, {}};
    return {0, std::move(*image)};
}

}  // namespace vestra
