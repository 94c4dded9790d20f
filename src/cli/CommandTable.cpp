#include "cli/CommandTable.h"

namespace vestra::cli {

std::span<const CommandEntry> Commands() {
    static const CommandEntry kCommands[] = {
        {"list", RunList, "list                  supported devices present, with slot, link and role"},
        {"info", RunInfo, "info                  a device's information block and power status"},
        {"settings", RunSettings, "settings              a device's settings record (mode codes raw)"},
        {"profile", RunProfile,
         "profile --kind K OP   a device kind's profiles: list, add, copy N, rename N NAME, delete N,\n"
         "                        select N, export N FILE, import FILE, reset N (K: keyboard, mouse,\n"
         "                        pad, headset); apply N writes profile N to the connected keyboard"},
        {"keymap", RunKeymap,
         "keymap OP             a keyboard's key functions: get [KEY], set KEY FUNCTION, reset KEY\n"
         "                        (`vestractl keymap` lists the FUNCTION forms)"},
        {"light", RunLight,
         "light OP              a keyboard's lighting: get, set [--mode N] [--brightness 0-4]\n"
         "                        [--speed 0-4] [--direction forward|backward] [--color RRGGBB]\n"
         "                        [--multicolor on|off]"},
        {"macro", RunMacro,
         "macro OP              macros: list, add NAME, delete N [--force], rename N NAME, show N,\n"
         "                        import FILE, export N FILE"},
        {"watch", RunWatch,
         "watch [--for S]       prints arrivals, departures, link changes and notifications"},
    };
    return kCommands;
}

}  // namespace vestra::cli
