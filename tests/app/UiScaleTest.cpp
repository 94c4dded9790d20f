#include <gtest/gtest.h>

#include <QWidget>

#include "app/UiScale.h"
#include "support/QtTestApp.h"

namespace vestra::app {
namespace {

TEST(UiScaleTest, OnlyPixelSizesGrow) {
    const QString sheet =
        "QLabel[class=\"heading\"] { font-size: 17px; border: 1px solid #2a2e38; }\n"
        "QWidget#key_12 { padding: 4px 6.5px; margin: 0; opacity: 0.5; }";
    EXPECT_EQ(ScaleStyleSheet(sheet, 1.5),
              "QLabel[class=\"heading\"] { font-size: 26px; border: 2px solid #2a2e38; }\n"
              "QWidget#key_12 { padding: 6px 10px; margin: 0; opacity: 0.5; }");
    EXPECT_EQ(ScaleStyleSheet(sheet, 1.0), sheet);
}

TEST(UiScaleTest, FixedSizesGrowWithoutCompoundingAndOpenOnesStayOpen) {
    test::QtTestApp();
    QWidget root;
    auto* column = new QWidget(&root);
    column->setMaximumWidth(150);
    column->setMinimumHeight(40);
    ScaleWidgetSizes(&root, 1.5);
    ScaleWidgetSizes(&root, 1.5);
    EXPECT_EQ(column->maximumSize(), QSize(225, QWIDGETSIZE_MAX));
    EXPECT_EQ(column->minimumSize(), QSize(0, 60));
    ScaleWidgetSizes(&root, 1.0);
    EXPECT_EQ(column->maximumSize(), QSize(150, QWIDGETSIZE_MAX));
    EXPECT_EQ(column->minimumSize(), QSize(0, 40));
}

}  // namespace
}  // namespace vestra::app
