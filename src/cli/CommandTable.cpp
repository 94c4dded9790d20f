#include "cli/CommandTable.h"

namespace vestra::cli {

std::span<const CommandEntry> Commands() {
    static const CommandEntry kCommands[] = {
        {"list", RunList, "list                  supported devices present, with slot, link and role"},
    };
    return kCommands;
}

}  // namespace vestra::cli
