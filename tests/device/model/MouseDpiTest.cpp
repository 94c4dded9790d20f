#include <gtest/gtest.h>

#include <vector>

#include "device/model/MouseDpi.h"

namespace vestra::test {
namespace {

DpiScale Ordinary() {
    return DpiScale{0x0D43, 50, 50, 290};
}

DpiScale StepIndexSensor() {
    return DpiScale{protocol::kStepIndexSensor, 50, 100, 290};
}

TEST(MouseDpi, SliderScaleIsFineTo10000ThenCoarse) {
    struct Case {
        int position;
        uint16_t dpi;
    };
    for (Case c : {Case{0, 50}, Case{1, 100}, Case{199, 10000}, Case{200, 10000}, Case{201, 10100},
                   Case{290, 19000}}) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(SliderToDpi(c.position), c.dpi);
    }
}

TEST(MouseDpi, SliderPositionOfAStageValueRoundTripsTheScale) {
    const DpiScale scale = Ordinary();
    for (int position : {0, 15, 198, 199, 201, 250, 290}) {
        SCOPED_TRACE(position);
        EXPECT_EQ(DpiToSlider(SliderToDpi(position), scale), position);
    }
    EXPECT_EQ(DpiToSlider(10000, scale), 199);  // 10000 is shown on the fine part
    EXPECT_EQ(DpiToSlider(20, scale), 0);       // below the minimum
    EXPECT_EQ(DpiToSlider(30000, scale), 290);  // beyond the slider's end
}

TEST(MouseDpi, EditTextIsParsedRoundedAndRaisedToTheMinimum) {
    struct Case {
        const char* text;
        uint16_t minimum;
        uint16_t value;
    };
    for (Case c :
         {Case{"12345", 50, 12300}, Case{"9999", 50, 9950}, Case{"10000", 50, 10000},
          Case{"10099", 50, 10000}, Case{"", 50, 50}, Case{"", 100, 100}, Case{"30", 50, 50},
          Case{"abc", 50, 50}, Case{"800dpi", 50, 800}, Case{"99999999999", 50, 19000}}) {
        SCOPED_TRACE(c.text);
        DpiScale scale = Ordinary();
        scale.minimum = c.minimum;
        EXPECT_EQ(ParseStageEdit(c.text, scale), c.value);
        EXPECT_EQ(StageEditText(c.value, scale), std::to_string(c.value));
    }
}

TEST(MouseDpi, StepIndexSensorStoresStepIndexesAndShowsTheirDpi) {
    const DpiScale scale = StepIndexSensor();
    struct Case {
        const char* text;
        uint16_t index;
        const char* shown;
    };
    // Step 50 from 100 up to index 48 (2500 DPI), then 200 DPI per index.
    for (Case c : {Case{"100", 0, "100"}, Case{"1600", 30, "1600"}, Case{"2500", 48, "2500"},
                   Case{"2650", 48, "2500"}, Case{"2700", 49, "2700"}, Case{"5300", 62, "5300"},
                   Case{"", 0, "100"}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseStageEdit(c.text, scale), c.index);
        EXPECT_EQ(StageEditText(c.index, scale), c.shown);
    }
}

TEST(MouseDpi, OutOfRangeChoicesSelectTheFirstOption) {
    EXPECT_EQ(PollingOption(7), 0);
    EXPECT_EQ(PollingOption(-1), 0);
    EXPECT_EQ(PollingOption(4), 4);
    EXPECT_EQ(SensorHeightItem(3), 0);
    EXPECT_EQ(SensorHeightItem(2), 2);
}

TEST(MouseDpi, SwitchingStagesOffOneByOneKeepsTheLastOne) {
    std::vector<DpiStage> stages(4, DpiStage{1, 0, {}, {}, 0, 0, 0});
    const int selected = 3;
    EXPECT_FALSE(CanDisableStage(stages, selected, 3));  // the selected stage is locked
    for (int n = 0; n < 3; ++n) {
        ASSERT_TRUE(CanDisableStage(stages, selected, n));
        stages[n].active = 0;
    }
    stages[3].active = 1;
    // With only stage 1 left on and another stage selected, stage 1 is locked too.
    stages = std::vector<DpiStage>(4, DpiStage{0, 0, {}, {}, 0, 0, 0});
    stages[1].active = 1;
    EXPECT_FALSE(CanDisableStage(stages, 0, 1));
    EXPECT_TRUE(CanDisableStage(stages, 0, 2));  // already off
}

}  // namespace
}  // namespace vestra::test
