#include "cli/MacroWrite.h"

#include "cli/DeviceSelection.h"
#include "device/protocol/ResultCode.h"

namespace vestra::cli {

bool WriteUsedMacros(const CliContext& context, CHalvorinUSBDevice& device) {
    const std::string word = KindWord(static_cast<hid::DeviceKind>(device.Kind()));
    const std::vector<int> used = device.CollectUsedMacros();
    const int result = device.WriteMacros(used);
    if (result == 0) return true;
    if (result > 0) {
        // The keyboard reports how many events are too many; the mouse the event count of a
        // macro over its 250-event limit, or the size of an image its memory cannot hold.
        const std::string reason =
            device.Kind() == static_cast<int>(hid::DeviceKind::Mouse)
                ? "a macro of more than 250 events, or more bytes than the memory holds: " +
                      std::to_string(result)
                : std::to_string(result) + " events too many";
        context.PrintError("the macros the keys use do not fit into the " + word +
                           "'s macro memory (" + reason +
                           "); shorten or unbind some macros. Nothing was written to the " + word +
                           "'s macros or key map");
    } else {
        context.PrintError("the macros could not be written to the " + word + " (" +
                           std::string(protocol::ResultText(result)) +
                           "); the key map was not written either");
    }
    return false;
}

}  // namespace vestra::cli
