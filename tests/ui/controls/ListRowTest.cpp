#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "ControlTestUtil.h"
#include "ui/controls/CCloudShareListItemUI.h"
#include "ui/controls/CComboEditContainerElementUI.h"

namespace vestra::ui {
namespace {

class ListRowTest : public test::ControlTest {};

TEST_F(ListRowTest, EnterInTheDelayFieldActivatesTheRowThenRaisesReturn) {
    CComboEditContainerElementUI row;
    ASSERT_NE(row.findChild<QLineEdit*>("delay_edit"), nullptr);
    EXPECT_NE(row.findChild<QWidget*>("text1"), nullptr);
    EXPECT_NE(row.findChild<QWidget*>("text2"), nullptr);
    test::NotifyLog log(row);

    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QCoreApplication::sendEvent(row.DelayEdit(), &enter);
    EXPECT_EQ(log.Types(), (std::vector<QString>{"itemactivate", "return"}));

    log.entries.clear();
    QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(&row, &other);
    row.setEnabled(false);
    QCoreApplication::sendEvent(&row, &enter);
    EXPECT_TRUE(log.entries.empty());
}

TEST_F(ListRowTest, CloudShareRowRaisesMenuOnlyWhenEnabledByTheLayout) {
    CCloudShareListItemUI row;
    row.resize(200, 30);
    test::NotifyLog log(row);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 6), QPoint(105, 206));
    QCoreApplication::sendEvent(&row, &menu);
    EXPECT_TRUE(log.entries.empty());

    row.setProperty("menu", "true");
    QCoreApplication::sendEvent(&row, &menu);
    ASSERT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(log.entries[0], std::make_tuple(QString("menu"), qintptr(105), qintptr(206)));

    test::SendMouse(row, QEvent::MouseButtonDblClick, {5, 5});
    EXPECT_EQ(log.Types().back(), "itemactivate");
}

TEST_F(ListRowTest, HotRowIsFramedUnlessSelected) {
    CCloudShareListItemUI row;
    row.resize(50, 20);
    QPalette palette = row.palette();
    palette.setColor(QPalette::Highlight, Qt::red);
    palette.setColor(QPalette::AlternateBase, Qt::blue);
    row.setPalette(palette);

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&row, &enter);
    ASSERT_TRUE(row.IsHot());
    QImage image = test::Render(row);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(10, 10), qRgb(0, 0, 255));

    row.SetSelected(true);
    image = test::Render(row);
    EXPECT_EQ(image.pixel(0, 0), image.pixel(10, 10)) << "selected: no frame";
}

}  // namespace
}  // namespace vestra::ui
