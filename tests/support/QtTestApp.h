// One QApplication for a widget test program, on the offscreen platform unless told otherwise.
#pragma once

#include <QApplication>
#include <cstdlib>

namespace vestra::test {

inline QApplication& QtTestApp() {
    static int argc = 1;
    static char name[] = "vestra-test";
    static char* argv[] = {name, nullptr};
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Never destroyed: a static QApplication would be torn down at exit after Qt's own registry
    // of input devices, and deleting the mouse device that input events create then crashes.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace vestra::test
