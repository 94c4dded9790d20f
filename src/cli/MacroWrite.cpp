#include "cli/MacroWrite.h"

#include "device/protocol/ResultCode.h"

namespace vestra::cli {

bool WriteUsedMacros(const CliContext& context, CHalvorinKeyboardDevice& keyboard) {
    const std::vector<int> used = keyboard.CollectUsedMacros();
    const int result = keyboard.WriteMacros(used);
    if (result == 0) return true;
    if (result > 0) {
        context.PrintError("the macros the keys use do not fit into the keyboard's macro memory (" +
                           std::to_string(result) +
                           " events too many); shorten or unbind some macros. Nothing was "
                           "written to the keyboard's macros or key map");
    } else {
        context.PrintError("the macros could not be written to the keyboard (" +
                           std::string(protocol::ResultText(result)) +
                           "); the key map was not written either");
    }
    return false;
}

}  // namespace vestra::cli
