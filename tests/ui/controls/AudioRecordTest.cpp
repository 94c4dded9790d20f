#include <gtest/gtest.h>

#include <vector>

#include "ControlTestUtil.h"
#include "ui/controls/CAudioRecordUI.h"

namespace vestra::ui {
namespace {

class AudioRecordTest : public test::ControlTest {};

// Columns that hold any black pixel.
int DarkColumns(const QImage& image) {
    int columns = 0;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) == qRgb(0, 0, 0)) {
                ++columns;
                break;
            }
        }
    }
    return columns;
}

TEST_F(AudioRecordTest, StartsWithARampOverTheFirstSamples) {
    CAudioRecordUI graph;
    EXPECT_EQ(graph.Sample(0), 0);
    EXPECT_EQ(graph.Sample(255), 255);
    EXPECT_EQ(graph.Sample(256), 0);
}

TEST_F(AudioRecordTest, BarsAreTwoPixelsApartUpToOnePerSample) {
    CAudioRecordUI graph;
    graph.SetSamples(
        std::vector<std::int32_t>(CAudioRecordUI::kSampleCount, CAudioRecordUI::kFullScale));
    for (const auto& [width, bars] : {std::pair{300, 150}, {301, 151}, {1, 1}, {1200, 500}}) {
        graph.resize(width, 40);
        EXPECT_EQ(graph.BarCount(), bars) << width;
        EXPECT_EQ(DarkColumns(test::Render(graph)), bars) << width;
    }
}

TEST_F(AudioRecordTest, BarHeightScalesWithTheSampleAndStaysInside) {
    CAudioRecordUI graph;
    graph.resize(10, 64);
    // Full scale, half, below the first pixel, negative, above full scale.
    graph.SetSamples(std::vector<std::int32_t>{8192, 4096, 127, -5000, 1 << 30});
    const QImage image = test::Render(graph);
    auto barHeight = [&](int bar) {
        int height = 0;
        for (int y = 0; y < image.height(); ++y) height += image.pixel(2 * bar, y) == qRgb(0, 0, 0);
        return height;
    };
    EXPECT_EQ(barHeight(0), 64);
    EXPECT_EQ(barHeight(1), 32);
    EXPECT_EQ(barHeight(2), 0);
    EXPECT_EQ(barHeight(3), 0);
    EXPECT_EQ(barHeight(4), 64);
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 255, 255)) << "gaps stay white";
    EXPECT_EQ(image.pixel(2, 0), qRgb(255, 255, 255)) << "half bar rises from the bottom";
}

}  // namespace
}  // namespace vestra::ui
