#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QSettings>
#include <QStackedWidget>
#include <QTest>
#include <vector>

#include "WindowsTestSkin.h"
#include "app/windows/CSkinFrame.h"
#include "app/windows/SkinBackground.h"
#include "app/windows/SkinNoticeHub.h"
#include "platform/Paths.h"
#include "support/QtTestApp.h"

namespace vestra::app {
namespace {

class RecordingReceiver : public SkinNoticeReceiver {
public:
    std::vector<SkinChangedParam> notices;
    void OnSkinChanged(const SkinChangedParam& param) override { notices.push_back(param); }
};

// A frame whose file dialog answers with a fixed choice.
class ScriptedSkinFrame : public CSkinFrame {
public:
    ScriptedSkinFrame(const WindowContext& context, QWidget* anchor, QString answer)
        : CSkinFrame(context, anchor), m_answer(std::move(answer)) {}
    int asked = 0;

protected:
    QString AskForImageFile() override {
        ++asked;
        return m_answer;
    }

private:
    QString m_answer;
};

// Lets a frame that closed itself finish deleting itself.
void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class SkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_skin.Loaded());
        SkinNoticeHub::Instance().Register(&m_receiver);
        m_owner.resize(400, 300);
        m_owner.move(100, 100);
        m_anchor = new QWidget(&m_owner);
        m_anchor->setGeometry(300, 10, 40, 30);
        m_owner.show();
    }
    void TearDown() override {
        SkinNoticeHub::Instance().Unregister(&m_receiver);
        FlushDeletes();
    }

    void Click(QWidget* frame, const char* name) {
        auto* button = frame->findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    QString Ini(const char* key) const {
        const QSettings ini(QString::fromStdString((Paths::DataFolder() / "main.ini").string()),
                            QSettings::IniFormat);
        return ini.value(key).toString();
    }

    QApplication& m_app = test::QtTestApp();
    test::ScopedDataHome m_home;
    test::WindowsTestSkin m_skin;
    RecordingReceiver m_receiver;
    QWidget m_owner;
    QWidget* m_anchor = nullptr;
};

TEST_F(SkinTest, FrameHangsBelowItsAnchorAndSwitchesPages) {
    QPointer<CSkinFrame> frame = CSkinFrame::Open(m_skin.Context(), m_anchor);
    const QPoint corner = m_anchor->mapToGlobal(QPoint(m_anchor->width(), m_anchor->height()));
    EXPECT_EQ(frame->geometry().topRight() + QPoint(1, 0), corner);

    auto* tab = frame->findChild<QStackedWidget*>("skin_tab");
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->currentIndex(), 0);
    Click(frame, "skin_color");
    EXPECT_EQ(tab->currentIndex(), 1);
    Click(frame, "skin_image");
    EXPECT_EQ(tab->currentIndex(), 0);
    EXPECT_TRUE(m_receiver.notices.empty());
    frame->close();
}

TEST_F(SkinTest, PresetsResetAndColoursAreAnnouncedAndPresetsRemembered) {
    QPointer<CSkinFrame> frame = CSkinFrame::Open(m_skin.Context(), m_anchor);

    Click(frame, "skin_image_btn_2");
    ASSERT_EQ(m_receiver.notices.size(), 1u);
    EXPECT_EQ(m_receiver.notices.back(), (SkinChangedParam{false, 0, "common/skin_preset_2.png"}));
    EXPECT_EQ(Ini("SKINIMAGE/FLAGS"), "1");
    EXPECT_EQ(Ini("SKINIMAGE/IMAGE"), "common/skin_preset_2.png");

    // A colour is announced but not stored.
    Click(frame, "skin_color_btn_2");
    ASSERT_EQ(m_receiver.notices.size(), 2u);
    EXPECT_EQ(m_receiver.notices.back(), (SkinChangedParam{true, 0xFF0E2233u, ""}));
    EXPECT_EQ(Ini("SKINIMAGE/IMAGE"), "common/skin_preset_2.png");

    Click(frame, "skin_reset");
    ASSERT_EQ(m_receiver.notices.size(), 3u);
    EXPECT_EQ(m_receiver.notices.back(), (SkinChangedParam{false, 0, "common/background.png"}));
    EXPECT_EQ(Ini("SKINIMAGE/FLAGS"), "0");
    EXPECT_EQ(Ini("SKINIMAGE/IMAGE"), "common/background.png");
    EXPECT_EQ(RestoreSkin(), (SkinChangedParam{false, 0, "common/background.png"}));
    frame->close();
}

TEST_F(SkinTest, CustomPictureIsAnnouncedOnlyWhenChosen) {
    for (const QString& answer : {QString("/home/user/pictures/wall.png"), QString()}) {
        m_receiver.notices.clear();
        QPointer<ScriptedSkinFrame> frame =
            new ScriptedSkinFrame(m_skin.Context(), m_anchor, answer);
        frame->show();
        Click(frame, "skin_Custom");
        EXPECT_EQ(frame->asked, 1);
        FlushDeletes();
        EXPECT_TRUE(frame.isNull()) << "the frame closes after the dialog";
        if (answer.isEmpty()) {
            EXPECT_TRUE(m_receiver.notices.empty());
        } else {
            ASSERT_EQ(m_receiver.notices.size(), 1u);
            EXPECT_EQ(m_receiver.notices[0], (SkinChangedParam{false, 0, answer}));
        }
    }
    EXPECT_FALSE(RestoreSkin().has_value()) << "a picture of the user's is not stored";
}

TEST_F(SkinTest, ClickingOutsideClosesWithoutAChange) {
    QPointer<CSkinFrame> frame = CSkinFrame::Open(m_skin.Context(), m_anchor);
    ASSERT_TRUE(frame->isVisible());
    QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(-20, frame->height() + 20));
    FlushDeletes();
    EXPECT_TRUE(frame.isNull());
    EXPECT_TRUE(m_receiver.notices.empty());
    EXPECT_FALSE(RestoreSkin().has_value());
}

TEST_F(SkinTest, AFrameWithoutItsLayoutStillCloses) {
    ui::ResourceIndex empty;
    QPointer<CSkinFrame> frame = CSkinFrame::Open({&empty, nullptr}, m_anchor);
    QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(-5, -5));
    FlushDeletes();
    EXPECT_TRUE(frame.isNull());
}

TEST(ApplySkinTest, ColourAfterImageRemovesTheImage) {
    test::QtTestApp();
    QWidget root;
    root.setObjectName("root");
    root.setStyleSheet("QLabel { color: white; }");

    ApplySkin(&root, {false, 0, "common/skin_preset_1.png"}, "/opt/vestra/skin");
    EXPECT_TRUE(root.styleSheet().contains("url(\"/opt/vestra/skin/common/skin_preset_1.png\")"));

    ApplySkin(&root, {true, 0x80102030u, ""}, "/opt/vestra/skin");
    EXPECT_FALSE(root.styleSheet().contains("url("));
    EXPECT_TRUE(root.styleSheet().contains("rgba(16, 32, 48, 128)"));
    EXPECT_TRUE(root.styleSheet().startsWith("QLabel { color: white; }"));

    // An absolute path is used as it is; the colour goes.
    ApplySkin(&root, {false, 0xFF000000u, "/home/user/wall.png"}, "/opt/vestra/skin");
    EXPECT_TRUE(root.styleSheet().contains("url(\"/home/user/wall.png\")"));
    EXPECT_FALSE(root.styleSheet().contains("rgba(16"));
    EXPECT_EQ(root.styleSheet().count("#root"), 1);
}

TEST(SkinNoticeHubTest, EachReceiverOnceAndUnregisteringDuringPublishIsSafe) {
    struct Unregistering : SkinNoticeReceiver {
        SkinNoticeReceiver* victim = nullptr;
        int calls = 0;
        void OnSkinChanged(const SkinChangedParam&) override {
            ++calls;
            SkinNoticeHub::Instance().Unregister(victim);
        }
    };
    RecordingReceiver later;
    Unregistering first;
    first.victim = &later;
    SkinNoticeHub& hub = SkinNoticeHub::Instance();
    hub.Register(&first);
    hub.Register(&first);
    hub.Register(&later);
    hub.Publish({true, 1, ""});
    EXPECT_EQ(first.calls, 1);
    EXPECT_TRUE(later.notices.empty());
    hub.Unregister(&first);
    hub.Publish({true, 2, ""});
    EXPECT_EQ(first.calls, 1);
}

}  // namespace
}  // namespace vestra::app
