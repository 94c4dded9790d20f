#include <gtest/gtest.h>

#include "ControlTestUtil.h"
#include "ui/controls/CCircleProgressUI.h"

namespace vestra::ui {
namespace {

class CircleProgressTest : public test::ControlTest {};

TEST_F(CircleProgressTest, SweepFollowsValueWithinRange) {
    struct Case {
        int minimum, maximum, value, sweep;
    };
    for (const Case& c : {
             Case{0, 100, 25, 90},
             Case{0, 100, 0, 0},
             Case{0, 100, 100, 360},
             Case{50, 150, 75, 90},  // measured from the minimum, not from zero
             Case{0, 7, 1, 51},      // 51.43 degrees truncated
             Case{-100, 100, 0, 180},
         }) {
        CCircleProgressUI ring;
        ring.setRange(c.minimum, c.maximum);
        ring.setValue(c.value);
        EXPECT_EQ(ring.SweepDegrees(), c.sweep) << c.minimum << ".." << c.maximum << " " << c.value;
    }
}

TEST_F(CircleProgressTest, EmptyRangeAndUnsetValueDrawNoForeground) {
    CCircleProgressUI ring;
    ring.setRange(0, 100);
    EXPECT_EQ(ring.SweepDegrees(), 0);  // never given a value
    ring.setRange(5, 5);
    ring.setValue(5);
    EXPECT_EQ(ring.SweepDegrees(), 0);
}

TEST_F(CircleProgressTest, QuarterRingRunsClockwiseFromTheBottom) {
    CCircleProgressUI ring;
    ring.SetAttribute("bkcolor", "#FF0000FF");
    ring.SetAttribute("forecolor", "#FFFF0000");
    ring.resize(100, 100);
    ring.setRange(0, 100);
    ring.setValue(25);
    const QImage image = test::Render(ring);

    // Points on the ring (5 px in from the edge) and in the middle.
    EXPECT_EQ(image.pixel(30, 95 - 5), qRgb(255, 0, 0)) << "bottom-left: foreground";
    EXPECT_EQ(image.pixel(70, 5 + 5), qRgb(0, 0, 255)) << "top-right: background";
    EXPECT_EQ(image.pixel(95, 50), qRgb(0, 0, 255)) << "right: background";
    EXPECT_EQ(image.pixel(50, 50), qRgb(255, 255, 255)) << "inner disc";

    ring.setValue(0);
    EXPECT_EQ(test::Render(ring).pixel(30, 90), qRgb(0, 0, 255));
}

}  // namespace
}  // namespace vestra::ui
