#include <gtest/gtest.h>

#include "ControlTestUtil.h"
#include "support/TempFolder.h"
#include "ui/controls/CHandImgSelectButtonUI.h"

namespace vestra::ui {
namespace {

// A 400 x 300 picture in a 100 x 100 button.
class HandImgSelectButtonTest : public test::ControlTest {
protected:
    HandImgSelectButtonTest() {
        m_button.resize(100, 100);
        m_button.SetAttribute("HandImage",
                              test::WritePicture(m_folder.Path(), "map.png", {400, 300}, Qt::red));
    }

    // Drags by (dx, dy) starting from the middle of the button.
    void DragBy(int dx, int dy) { test::Drag(m_button, {50, 50}, {50 + dx, 50 + dy}); }

    test::TempFolder m_folder;
    CHandImgSelectButtonUI m_button;
};

// Source rectangles as (left, top, right, bottom).
QRect Ltrb(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

TEST_F(HandImgSelectButtonTest, PanningFollowsThePointerAndStopsAtTheNearEdge) {
    EXPECT_EQ(m_button.PictureSize(), QSize(400, 300));
    EXPECT_EQ(m_button.SourceRect(), Ltrb(0, 0, 100, 100));
    DragBy(-30, 0);
    EXPECT_EQ(m_button.SourceRect(), Ltrb(30, 0, 130, 100));
    DragBy(50, 0);
    EXPECT_EQ(m_button.SourceRect(), Ltrb(0, 0, 100, 100));
    DragBy(0, 20);  // already at the top
    EXPECT_EQ(m_button.SourceRect(), Ltrb(0, 0, 100, 100));
}

TEST_F(HandImgSelectButtonTest, PanningStopsAtTheFarEdge) {
    DragBy(-280, -150);
    EXPECT_EQ(m_button.SourceRect(), Ltrb(280, 150, 380, 250));
    DragBy(-50, -80);
    EXPECT_EQ(m_button.SourceRect(), Ltrb(300, 200, 400, 300));
    DragBy(-10, -10);
    EXPECT_EQ(m_button.SourceRect(), Ltrb(300, 200, 400, 300));
}

TEST_F(HandImgSelectButtonTest, MovesWithoutAPressDoNotPanAndReleaseDoesNotClick) {
    int clicks = 0;
    QObject::connect(&m_button, &QAbstractButton::clicked, [&] { ++clicks; });
    test::NotifyLog log(m_button);
    test::SendMouse(m_button, QEvent::MouseMove, {10, 10});
    EXPECT_EQ(m_button.SourceRect(), Ltrb(0, 0, 100, 100));

    test::SendMouse(m_button, QEvent::MouseButtonPress, {50, 50});
    EXPECT_TRUE(m_button.isDown());
    test::SendMouse(m_button, QEvent::MouseMove, {150, 50});  // outside: no longer pushed
    EXPECT_FALSE(m_button.isDown());
    test::SendMouse(m_button, QEvent::MouseButtonRelease, {60, 50});
    EXPECT_FALSE(m_button.isDown());
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(log.entries.empty());
}

TEST_F(HandImgSelectButtonTest, SizeGivenAfterThePictureStillShowsAWindowOfThatSize) {
    CHandImgSelectButtonUI button;
    button.SetAttribute("handimage",
                        test::WritePicture(m_folder.Path(), "late.png", {400, 300}, Qt::blue));
    button.resize(120, 80);
    EXPECT_EQ(button.SourceRect(), Ltrb(0, 0, 120, 80));
}

TEST_F(HandImgSelectButtonTest, CursorNamesMapToShapesInAnyCase) {
    EXPECT_EQ(CHandImgSelectButtonUI::CursorShapeByName("hand"), Qt::PointingHandCursor);
    EXPECT_EQ(CHandImgSelectButtonUI::CursorShapeByName("SizeAll"), Qt::SizeAllCursor);
    EXPECT_EQ(CHandImgSelectButtonUI::CursorShapeByName("IBEAM"), Qt::IBeamCursor);
    EXPECT_EQ(CHandImgSelectButtonUI::CursorShapeByName("pointer"), std::nullopt);

    m_button.SetAttribute("Cursor", "sizewe");
    EXPECT_EQ(m_button.cursor().shape(), Qt::SizeHorCursor);
    m_button.SetAttribute("cursor", "nonsense");
    m_button.SetAttribute("cursor", "");
    EXPECT_EQ(m_button.cursor().shape(), Qt::SizeHorCursor);
}

}  // namespace
}  // namespace vestra::ui
