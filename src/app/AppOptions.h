// The command line of the windowed program.
#pragma once

#include <QString>
#include <QStringList>

namespace vestra::app {

struct AppOptions {
    // --demo[=LIST]: the emulated products (every one when the list is empty) instead of real ones.
    bool demo = false;
    QStringList demoProducts;
    // --screenshot FILE: render the main window after start-up and the first discovery pass,
    // write a PNG and exit.
    QString screenshot;
    // --tab KIND: the device tab to select before the screenshot (keyboard, mouse, pad, headset).
    QString tab;
    // --tray: start in the tray without showing the window (for starting with the session).
    bool tray = false;
    bool help = false;
    QString error;  // not empty when the command line is wrong
};

AppOptions ParseAppOptions(const QStringList& arguments);
QString AppUsage();

}  // namespace vestra::app
