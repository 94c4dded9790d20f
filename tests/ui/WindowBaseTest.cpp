#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "TestSkin.h"
#include "support/QtTestApp.h"
#include "ui/ResourceIndex.h"
#include "ui/WindowBase.h"
#include "ui/controls/CChartViewUI.h"
#include "ui/controls/CHandImgButtonUI.h"

namespace vestra::ui {
namespace {

class WindowBaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_resources.Load(test::TestSkinFolder()));
        ASSERT_TRUE(m_window.Create(m_resources, "XML_MAIN")) << m_window.Error().toStdString();
    }

    template <typename T>
    T* Control(const char* name) {
        auto* control = qobject_cast<T*>(m_window.FindControl(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    QApplication& m_app = test::QtTestApp();  // before any widget
    ResourceIndex m_resources;
    test::RecordingWindow m_window;
};

TEST_F(WindowBaseTest, BuildsLayoutByIdAndFindsControlsByName) {
    EXPECT_EQ(m_window.initCalls, 1);
    EXPECT_EQ(m_window.windowTitle(), "Main");
    EXPECT_NE(Control<QPushButton>("btnApply"), nullptr);
    // Custom controls come from the factory, their attributes reach SetAttribute.
    auto* chart = Control<CChartViewUI>("chartUse");
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->ShadowImage(), "shadow.png");
    EXPECT_NE(Control<CHandImgButtonUI>("btnHand"), nullptr);

    QWidget* page = m_window.FindControl("pageKeys");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(WindowBase::FindSubControlByName(page, "btnHand"), m_window.FindControl("btnHand"));
    EXPECT_EQ(WindowBase::FindSubControlByName(page, "btnApply"), nullptr);
    EXPECT_EQ(m_window.FindControl("noSuchControl"), nullptr);
    EXPECT_EQ(m_window.FindControl(""), nullptr);
}

TEST_F(WindowBaseTest, StandardSignalsArriveAsNotifications) {
    auto* apply = Control<QPushButton>("btnApply");
    QTest::mouseClick(apply, Qt::LeftButton);
    Control<QCheckBox>("chkLight")->click();
    Control<QComboBox>("comboMode")->setCurrentIndex(1);
    Control<QSlider>("sliderSpeed")->setValue(40);
    auto* edit = Control<QLineEdit>("editDpi");
    edit->setText("800");
    emit edit->returnPressed();
    Control<QListWidget>("listProfiles")->setCurrentRow(1);

    struct Case {
        const char* type;
        const char* sender;
        qintptr wParam;
        qintptr lParam;
    };
    const std::vector<Case> expected = {
        {"click", "btnApply", 0, 0},
        {"selectchanged", "chkLight", 1, 0},
        {"click", "chkLight", 0, 0},
        {"itemselect", "comboMode", 1, 0},
        {"valuechanged", "sliderSpeed", 40, 0},
        {"textchanged", "editDpi", 0, 0},
        {"return", "editDpi", 0, 0},
        {"itemselect", "listProfiles", 1, -1},
    };
    ASSERT_EQ(m_window.notifications.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Notification& n = m_window.notifications[i];
        EXPECT_EQ(n.type, expected[i].type) << i;
        EXPECT_EQ(n.sender, m_window.FindControl(expected[i].sender)) << i;
        EXPECT_EQ(n.wParam, expected[i].wParam) << i;
        EXPECT_EQ(n.lParam, expected[i].lParam) << i;
    }
}

TEST_F(WindowBaseTest, SliderDragNotifiesMovesThenTheReleasedValue) {
    auto* slider = Control<QSlider>("sliderSpeed");
    slider->setSliderDown(true);
    slider->setSliderPosition(10);
    slider->setSliderPosition(20);
    slider->setSliderDown(false);

    ASSERT_EQ(m_window.OfType("movevaluechanged").size(), 2u);
    EXPECT_EQ(m_window.OfType("movevaluechanged")[1].wParam, 20);
    const auto released = m_window.OfType("valuechanged");
    ASSERT_EQ(released.size(), 1u);
    EXPECT_EQ(released[0].wParam, 20);
}

TEST_F(WindowBaseTest, CustomControlNotificationsAreForwardedOnce) {
    auto* hand = Control<CHandImgButtonUI>("btnHand");
    hand->click();
    emit hand->Notify("click_select_end", 3, 4);

    const auto clicks = m_window.OfType("click");
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].sender, hand);
    const auto own = m_window.OfType("click_select_end");
    ASSERT_EQ(own.size(), 1u);
    EXPECT_EQ(own[0].sender, hand);
    EXPECT_EQ(own[0].wParam, 3);
    EXPECT_EQ(own[0].lParam, 4);
}

TEST_F(WindowBaseTest, BindingTwiceDoesNotDoubleNotifications) {
    m_window.BindNotifications(&m_window);
    Control<QPushButton>("btnApply")->click();
    EXPECT_EQ(m_window.OfType("click").size(), 1u);
}

TEST_F(WindowBaseTest, TimersNotifyWithTheirIdUntilKilled) {
    auto* apply = Control<QPushButton>("btnApply");
    auto* chart = Control<CChartViewUI>("chartUse");
    m_window.SetTimer(apply, 5, 1);
    m_window.SetTimer(chart, 9, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window.OfType("timer").size() >= 4; }, 5000));

    m_window.KillTimer(apply, 5);
    m_window.KillTimer(chart, 9);
    QCoreApplication::processEvents();
    m_window.notifications.clear();
    QTest::qWait(20);
    EXPECT_TRUE(m_window.OfType("timer").empty());
}

TEST_F(WindowBaseTest, TimerOfADeletedControlStops) {
    auto* chart = Control<CChartViewUI>("chartUse");
    m_window.SetTimer(chart, 1, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_window.OfType("timer").empty(); }, 5000));
    EXPECT_EQ(m_window.OfType("timer")[0].wParam, 1);
    EXPECT_EQ(m_window.OfType("timer")[0].sender, chart);
    delete chart;
    m_window.notifications.clear();
    QTest::qWait(20);
    EXPECT_TRUE(m_window.OfType("timer").empty());
}

TEST_F(WindowBaseTest, ShowModalReturnsTheCloseCode) {
    test::RecordingWindow dialog;
    ASSERT_TRUE(dialog.Create(m_resources, "msg.ui"));
    QTimer::singleShot(0, &dialog, [&] { dialog.Close(7); });
    EXPECT_EQ(dialog.ShowModal(), 7);
    EXPECT_FALSE(dialog.isVisible());

    QTimer::singleShot(0, &dialog, [&] { dialog.close(); });
    EXPECT_EQ(dialog.ShowModal(), WindowBase::kCloseCodeCancel);
}

TEST(WindowBaseCreateTest, UnknownLayoutFailsClearlyAndLeavesTheWindowEmpty) {
    test::QtTestApp();
    ResourceIndex resources;
    ASSERT_TRUE(resources.Load(test::TestSkinFolder()));
    for (const char* layout : {"XML_UNKNOWN", "XML_GONE", "lan_en.xml"}) {
        test::RecordingWindow window;
        EXPECT_FALSE(window.Create(resources, layout)) << layout;
        EXPECT_TRUE(window.Error().contains(layout == QString("XML_GONE") ? "missing.ui" : layout))
            << window.Error().toStdString();
        EXPECT_EQ(window.initCalls, 0);
        EXPECT_TRUE(window.findChildren<QWidget*>().isEmpty()) << layout;
    }
}

}  // namespace
}  // namespace vestra::ui
