#include <gtest/gtest.h>

#include <QIcon>
#include <QSystemTrayIcon>

#include "TestSkin.h"
#include "support/QtTestApp.h"
#include "ui/TrayIcon.h"

namespace vestra::ui {
namespace {

// The offscreen platform has no tray, as some desktops have none.
TEST(TrayIconTest, WithoutATrayCreateFailsAndTheWindowCarriesOn) {
    test::QtTestApp();
    test::RecordingWindow window;
    TrayIcon tray(&window);
    EXPECT_EQ(tray.Create(QIcon(), "Vestra"), QSystemTrayIcon::isSystemTrayAvailable());
    EXPECT_EQ(tray.IsShown(), QSystemTrayIcon::isSystemTrayAvailable());
    tray.Delete();
    EXPECT_FALSE(tray.IsShown());
}

}  // namespace
}  // namespace vestra::ui
