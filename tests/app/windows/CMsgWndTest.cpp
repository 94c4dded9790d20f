#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <string>
#include <vector>

#include "WindowsTestSkin.h"
#include "app/windows/CMsgWnd.h"
#include "platform/DebugLog.h"
#include "support/QtTestApp.h"

namespace vestra::app {
namespace {

class CMsgWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_skin.Loaded());
        DebugLog::SetObserver([this](std::string_view line) { m_lines.emplace_back(line); });
    }
    void TearDown() override { DebugLog::SetObserver({}); }

    QString LabelText(const CMsgWnd& window, const char* name) const {
        auto* label = qobject_cast<QLabel*>(window.FindControl(name));
        return label ? label->text() : "<missing>";
    }
    bool Shown(const CMsgWnd& window, const char* name) const {
        QWidget* control = window.FindControl(name);
        return control && !control->isHidden();
    }

    QApplication& m_app = test::QtTestApp();
    test::WindowsTestSkin m_skin;
    std::vector<std::string> m_lines;
};

TEST_F(CMsgWndTest, UnsupportedDpiFallsBackTo96WithADebugLine) {
    CMsgWnd window;
    ASSERT_TRUE(
        window.Prepare(m_skin.Context(), "", "text", 110, TextKind::Literal, ButtonMode::Confirm));
    EXPECT_EQ(window.Dpi(), 96);
    EXPECT_EQ(m_lines, std::vector<std::string>{"MSG_WND DPI SET ERROR"});

    const QSize at96 = window.size();
    m_lines.clear();
    window.SetDpi(144);
    EXPECT_EQ(window.Dpi(), 144);
    EXPECT_EQ(window.size(), at96 * 1.5);
    window.SetDpi(144);  // unchanged: nothing happens
    EXPECT_EQ(window.size(), at96 * 1.5);
    EXPECT_TRUE(m_lines.empty());
}

TEST_F(CMsgWndTest, TitleAndTextAsGivenOrByLanguageId) {
    CMsgWnd keepsTitle;
    ASSERT_TRUE(keepsTitle.Prepare(m_skin.Context(), "", "message_text_5", 96, TextKind::LanguageId,
                                   ButtonMode::ConfirmCancel));
    EXPECT_EQ(LabelText(keepsTitle, "MessageTitle"), "Attention");  // the layout's title text
    EXPECT_EQ(LabelText(keepsTitle, "MessageText"), "Delete this profile?");
    EXPECT_EQ(keepsTitle.windowTitle(), "msgwnd");

    CMsgWnd literal;
    ASSERT_TRUE(literal.Prepare(m_skin.Context(), "Firmware", "message_text_5", 96,
                                TextKind::Literal, ButtonMode::Confirm));
    EXPECT_EQ(LabelText(literal, "MessageTitle"), "Firmware");
    EXPECT_EQ(LabelText(literal, "MessageText"), "message_text_5");
    // A later language refresh leaves the literal texts alone.
    test::WindowsTestSkin other;
    other.Context().language->ApplyLanguage(&literal);
    EXPECT_EQ(LabelText(literal, "MessageText"), "message_text_5");
    EXPECT_EQ(LabelText(literal, "MessageTitle"), "Firmware");

    // The layout's texts follow the language; an id the language lacks is shown as it is.
    CMsgWnd unknownId;
    ASSERT_TRUE(unknownId.Prepare(m_skin.Context(), "", "no_such_text", 96, TextKind::LanguageId,
                                  ButtonMode::Confirm));
    EXPECT_EQ(LabelText(unknownId, "MessageText"), "no_such_text");
    auto* confirm = qobject_cast<QAbstractButton*>(unknownId.FindControl("confirm_btn"));
    ASSERT_NE(confirm, nullptr);
    EXPECT_EQ(confirm->text(), "Yes");
}

TEST_F(CMsgWndTest, ButtonModesChooseTheVisibleButtons) {
    struct Case {
        ButtonMode mode;
        bool cancelShown;
    };
    for (const Case& c : {Case{ButtonMode::Confirm, false}, Case{ButtonMode::ConfirmCancel, true},
                          Case{ButtonMode::LayoutDefault, true}}) {
        CMsgWnd window;
        ASSERT_TRUE(window.Prepare(m_skin.Context(), "", "x", 96, TextKind::Literal, c.mode));
        EXPECT_TRUE(Shown(window, "confirm_btn")) << int(c.mode);
        EXPECT_EQ(Shown(window, "cancel_btn"), c.cancelShown) << int(c.mode);
    }
}

TEST_F(CMsgWndTest, ShowMessageReturnsTheButtonsCloseCode) {
    struct Case {
        const char* button;
        int code;
    };
    for (const Case& c : {Case{"confirm_btn", 1}, Case{"cancel_btn", 0}, Case{"closebtn", 0}}) {
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<CMsgWnd*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr);
            qobject_cast<QAbstractButton*>(window->FindControl(c.button))->click();
        });
        EXPECT_EQ(CMsgWnd::ShowMessage(m_skin.Context(), nullptr, "", "message_text_5", 96,
                                       TextKind::LanguageId, ButtonMode::ConfirmCancel),
                  c.code)
            << c.button;
    }
    // Nothing is left behind.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        EXPECT_EQ(qobject_cast<CMsgWnd*>(widget), nullptr);
    }
}

TEST_F(CMsgWndTest, ClosingTheWindowOtherwiseIsNoConsent) {
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(CMsgWnd::ShowMessage(m_skin.Context(), nullptr, "", "x", 96, TextKind::Literal,
                                   ButtonMode::Confirm),
              0);
    // Without a layout there is no window to confirm in.
    ui::ResourceIndex empty;
    EXPECT_EQ(CMsgWnd::ShowMessage({&empty, nullptr}, nullptr, "", "x", 96, TextKind::Literal,
                                   ButtonMode::Confirm),
              0);
}

}  // namespace
}  // namespace vestra::app
