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
         "keymap OP             a keyboard's or mouse's key functions: get [KEY], set KEY FUNCTION,\n"
         "                        reset KEY\n"
         "                        (`vestractl keymap` lists the FUNCTION forms)"},
        {"light", RunLight,
         "light OP              the lighting of a keyboard, pad or headset: get, set [--mode N]\n"
         "                        [--brightness 0-4] [--speed 0-4] [--direction forward|backward]\n"
         "                        [--color RRGGBB] [--multicolor on|off]"},
        {"macro", RunMacro,
         "macro OP              macros: list, add NAME, delete N [--force], rename N NAME, show N,\n"
         "                        import FILE, export N FILE"},
        {"headset", RunHeadset,
         "headset OP            the headset's audio: get; eq get|preset N|band B VALUE|custom NAME|\n"
         "                        save NAME [V0..V9]|delete; mic level N|mute on|off; monitor level N|\n"
         "                        mute on|off; voice on|off|type N"},
        {"dpi", RunDpi,
         "dpi OP                the mouse's DPI stages: get [STAGE], set STAGE VALUE, enable STAGE,\n"
         "                        disable STAGE, select STAGE, color STAGE RRGGBB"},
        {"polling", RunPolling, "polling get|set N     the mouse's polling-rate option (0-4)"},
        {"sensor-height", RunSensorHeight,
         "sensor-height get|set N  the mouse's sensor height (0-2)"},
        {"shoot", RunShoot,
         "shoot OP              the mouse's bullet patterns: get GUN BULLET, set GUN BULLET X Y DELAY\n"
         "                        [--left|--right] [--up|--down], restore GUN, write"},
        {"power", RunPower,
         "power                 the battery and charge state of a keyboard, mouse or headset"},
        {"watch", RunWatch,
         "watch [--for S]       prints arrivals, departures, link changes and notifications"},
    };
    return kCommands;
}

}  // namespace vestra::cli
