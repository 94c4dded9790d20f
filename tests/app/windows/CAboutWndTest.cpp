#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <optional>

#include "WindowsTestSkin.h"
#include "app/windows/CAboutWnd.h"
#include "support/QtTestApp.h"

namespace vestra::app {
namespace {

class CAboutWndTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_skin.Loaded()); }

    static int OpenAboutWindows() {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<CAboutWnd*>(widget) && widget->isVisible()) ++count;
        }
        return count;
    }

    QApplication& m_app = test::QtTestApp();
    test::WindowsTestSkin m_skin;
};

TEST_F(CAboutWndTest, VersionLabelIsTheRevisionTextAndTheApplicationVersion) {
    struct Case {
        bool withLanguage;
        const char* label;
    };
    for (const Case& c : {Case{true, "版本 V1.0.0"}, Case{false, "Version V1.0.0"}}) {
        CAboutWnd window;
        ASSERT_TRUE(window.Prepare(m_skin.Context(c.withLanguage)));
        auto* label = qobject_cast<QLabel*>(window.FindControl("software_ver_label"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(c.label));
        EXPECT_EQ(window.size(), QSize(800, 572));
    }
}

TEST_F(CAboutWndTest, OpensOnlyOnceAtATime) {
    std::optional<int> second = 99;
    int openWhileShown = 0;
    QTimer::singleShot(0, [&] {
        openWhileShown = OpenAboutWindows();
        second = CAboutWnd::ShowAbout(m_skin.Context(), nullptr);
        EXPECT_EQ(OpenAboutWindows(), 1);
        qobject_cast<QAbstractButton*>(CAboutWnd::OpenWindow()->FindControl("closebtn"))->click();
    });
    EXPECT_EQ(CAboutWnd::ShowAbout(m_skin.Context(), nullptr), 0);
    EXPECT_EQ(openWhileShown, 1);
    EXPECT_EQ(second, std::nullopt);
    EXPECT_EQ(CAboutWnd::OpenWindow(), nullptr);
    EXPECT_EQ(OpenAboutWindows(), 0);

    // Once closed it opens again.
    QTimer::singleShot(0, [] {
        qobject_cast<QAbstractButton*>(CAboutWnd::OpenWindow()->FindControl("closebtn"))->click();
    });
    EXPECT_EQ(CAboutWnd::ShowAbout(m_skin.Context(), nullptr), 0);
}

TEST_F(CAboutWndTest, MaximiseAndRestoreButtonsSwap) {
    CAboutWnd window;
    ASSERT_TRUE(window.Prepare(m_skin.Context()));
    window.show();
    QWidget* max = window.FindControl("maxbtn");
    QWidget* restore = window.FindControl("restorebtn");
    ASSERT_TRUE(max && restore);
    EXPECT_FALSE(max->isHidden());
    EXPECT_TRUE(restore->isHidden());
    qobject_cast<QAbstractButton*>(max)->click();
    EXPECT_TRUE(max->isHidden());
    EXPECT_FALSE(restore->isHidden());
    qobject_cast<QAbstractButton*>(restore)->click();
    EXPECT_FALSE(max->isHidden());
    EXPECT_TRUE(restore->isHidden());
}

}  // namespace
}  // namespace vestra::app
