// The main window driven by control name over the emulator.
#include <QAbstractButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStackedWidget>
#include <QTimer>
#include <atomic>

#include "MainWindowFixture.h"
#include "app/pages/DevicePage.h"
#include "device/model/CHalvorinKeyboardDevice.h"
#include "platform/DebugLog.h"
#include "ui/MenuCommand.h"

namespace vestra::test {
namespace {

using emulator::Peripheral;
using emulator::Product;
using hid::DeviceKind;

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, TabsFollowDevicesAndTheNoticeShowsWhenNoneIsLeft) {
    StartWith({});
    // The mouse and keyboard pages exist before any device; the notice shows.
    EXPECT_GE(TabOf(DeviceKind::Mouse), 0);
    EXPECT_GE(TabOf(DeviceKind::Keyboard), 0);
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_TRUE(Control("No_device_Link")->isVisible());

    m_backend->Plug(Product::Keyboard);
    ASSERT_TRUE(WaitTabShown(DeviceKind::Keyboard, true));
    EXPECT_FALSE(Control("No_device_Link")->isVisible());
    EXPECT_EQ(Strip().CurrentDevice(), Strip().At(TabOf(DeviceKind::Keyboard)).device);

    m_backend->Plug(Product::Pad);
    ASSERT_TRUE(WaitTabShown(DeviceKind::MousePad, true));
    EXPECT_EQ(Strip().CurrentDevice(), Strip().At(TabOf(DeviceKind::Keyboard)).device)
        << "a second device does not take the selection";

    // The selected tab leaves: the other visible one is selected with its page.
    m_backend->Unplug(Product::Keyboard);
    ASSERT_TRUE(WaitTabShown(DeviceKind::Keyboard, false));
    const app::DeviceStrip::Entry& pad = Strip().At(TabOf(DeviceKind::MousePad));
    EXPECT_EQ(Strip().CurrentDevice(), pad.device);
    EXPECT_EQ(qobject_cast<QStackedWidget*>(Control("device_switch"))->currentWidget(),
              static_cast<QWidget*>(pad.page));
    EXPECT_FALSE(Control("No_device_Link")->isVisible());

    m_backend->Unplug(Product::Pad);
    ASSERT_TRUE(WaitTabShown(DeviceKind::MousePad, false));
    EXPECT_TRUE(Control("No_device_Link")->isVisible());
    EXPECT_EQ(qobject_cast<QStackedWidget*>(Control("device_switch"))->currentIndex(), 0);
}

TEST_F(MainWindowTest, ConnectionTimerMakesTheKeyboardReadItself) {
    StartWith({Product::Keyboard});
    ASSERT_TRUE(WaitTabShown(DeviceKind::Keyboard, true));
    const app::DeviceStrip::Entry& entry = Strip().At(TabOf(DeviceKind::Keyboard));
    auto* keyboard = dynamic_cast<CHalvorinKeyboardDevice*>(entry.device);
    ASSERT_NE(keyboard, nullptr);
    // The connection timer started at attach reads the keyboard once by itself.
    ASSERT_TRUE(QTest::qWaitFor([&] { return keyboard->Info().keyCount != 0; }, kWaitMs));

    std::atomic<int> infoReads{0};
    DebugLog::SetObserver([&](std::string_view line) {
        // The trace title is followed by the report; byte 3 of a request is its command.
        if (line.rfind("04 ", 0) == 0 && line.size() > 11 && line.substr(9, 2) == "03") ++infoReads;
    });
    entry.tab->OnTimer(1001);
    DebugLog::SetObserver({});
    EXPECT_GT(infoReads.load(), 0) << "the timer reads the information block again";
    EXPECT_TRUE(entry.tab->IsTimerActive(1000)) << "the icon refresh starts after a read";
}

TEST_F(MainWindowTest, LightStatusHandsTheLightingToTheKeyboardAndBack) {
    StartWith({Product::Keyboard});
    ASSERT_TRUE(WaitTabShown(DeviceKind::Keyboard, true));
    auto* button = qobject_cast<QAbstractButton*>(Control("control_light_status"));
    ASSERT_NE(button, nullptr);
    const QString owning = button->text();

    Click("control_light_status");
    EXPECT_FALSE(m_window->IsLightOwner());
    EXPECT_FALSE(m_backend->Memory(Peripheral::Keyboard).HostLightControl());
    EXPECT_NE(button->text(), owning);

    Click("control_light_status");
    EXPECT_TRUE(m_window->IsLightOwner());
    EXPECT_TRUE(m_backend->Memory(Peripheral::Keyboard).HostLightControl());
    EXPECT_EQ(button->text(), owning);
}

TEST_F(MainWindowTest, KeyRepeatControlsReachTheKeyboardAndResetToTheFactoryValues) {
    StartWith({Product::Keyboard});
    ASSERT_TRUE(WaitTabShown(DeviceKind::Keyboard, true));
    auto* keyboard =
        dynamic_cast<CHalvorinKeyboardDevice*>(Strip().At(TabOf(DeviceKind::Keyboard)).device);
    ASSERT_NE(keyboard, nullptr);
    auto* slider = qobject_cast<QSlider*>(Control("repeat_rate_slider"));
    ASSERT_NE(slider, nullptr);
    slider->setValue(slider->value() == 7 ? 8 : 7);
    EXPECT_EQ(keyboard->SystemSettings().repeat, slider->value());
    Click("repeat_delay_check_3");
    EXPECT_EQ(keyboard->SystemSettings().repeatDelay, 3);

    Click("reset_repeat_btn");
    EXPECT_EQ(keyboard->SystemSettings().repeat, 20);  // the factory profile's
    EXPECT_EQ(keyboard->SystemSettings().repeatDelay, 1);
    EXPECT_EQ(slider->value(), 20) << "the page shows what the keyboard took";
}

TEST_F(MainWindowTest, CloseButtonHidesWithoutEndingTheProgram) {
    StartWith({});
    QSignalSpy quitting(QCoreApplication::instance(), &QCoreApplication::aboutToQuit);
    // Into the tray, or to the task bar on a desktop without one (as here).
    auto gone = [&] { return !m_window->isVisible() || m_window->isMinimized(); };
    Click("closebtn");
    EXPECT_TRUE(gone());
    m_window->RestoreAndRaise();
    m_window->close();  // the window manager's close does the same
    EXPECT_TRUE(gone());
    QTest::qWait(50);
    EXPECT_EQ(quitting.count(), 0);
    m_window->ToggleFromTray();
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_FALSE(m_window->isMinimized());

    // "exit" in the tray menu ends the event loop although the window refuses to close.
    ui::MenuCommand exit;
    exit.name = "exit";
    QTimer::singleShot(0, m_window.get(), [this, exit] { m_window->OnMenuCommand(exit); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });  // a hung exit fails, not hangs
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

TEST(MainWindowDpiTest, LargeScaleOnlyAboveFifteenHundredByNineSixty) {
    struct Case {
        QSize monitor;
        int dpi;
    };
    for (const Case& c : {Case{{1500, 960}, 96}, Case{{1501, 961}, 144}, Case{{1920, 960}, 96},
                          Case{{2560, 1440}, 144}, Case{{1366, 768}, 96}}) {
        EXPECT_EQ(app::CMainWnd::ChooseDpi(c.monitor), c.dpi)
            << c.monitor.width() << "x" << c.monitor.height();
    }
}

}  // namespace
}  // namespace vestra::test
