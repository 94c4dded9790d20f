#include "app/AppOptions.h"

namespace vestra::app {

AppOptions ParseAppOptions(const QStringList& arguments) {
    AppOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == "--demo") {
            options.demo = true;
        } else if (argument.startsWith("--demo=")) {
            options.demo = true;
            options.demoProducts = argument.mid(7).split(',', Qt::SkipEmptyParts);
        } else if (argument == "--screenshot" || argument == "--tab") {
            if (i + 1 >= arguments.size()) {
                options.error = argument + " needs a value";
                return options;
            }
            (argument == "--tab" ? options.tab : options.screenshot) = arguments[++i];
        } else if (argument == "--tray") {
            options.tray = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else {
            options.error = "unknown option " + argument;
            return options;
        }
    }
    if (!options.tab.isEmpty() &&
        !QStringList{"keyboard", "mouse", "pad", "headset"}.contains(options.tab)) {
        options.error = "--tab takes keyboard, mouse, pad or headset";
    }
    return options;
}

QString AppUsage() {
    return "usage: vestra [--demo[=PRODUCT,...]] [--tray] [--screenshot FILE [--tab KIND]]\n"
           "  --demo          run against the built-in device emulator (products: keyboard,\n"
           "                  keyboard-receiver, mouse, mouse-receiver, pad, headset)\n"
           "  --tray          start in the tray; the window shows when the tray icon is clicked\n"
           "                  or the program is started again\n"
           "  --screenshot F  write the main window as a PNG once the devices are read, then exit\n"
           "  --tab KIND      with --screenshot: show this device's page (keyboard, mouse, pad,\n"
           "                  headset)\n";
}

}  // namespace vestra::app
