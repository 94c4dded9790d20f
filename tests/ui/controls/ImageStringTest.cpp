#include <gtest/gtest.h>

#include <QPainter>

#include "ControlTestUtil.h"
#include "support/TempFolder.h"
#include "ui/controls/ImageString.h"

namespace vestra::ui {
namespace {

class ImageStringTest : public test::ControlTest {};

TEST_F(ImageStringTest, ParsesBareNamesAndAttributeForms) {
    EXPECT_EQ(ImageString::Parse("keys/a.png").file, "keys/a.png");

    const ImageString full =
        ImageString::Parse("file='a b.png' source=\"10,20,30,60\" dest='1,2,3,4' fade='300' x='y'");
    EXPECT_EQ(full.file, "a b.png");
    EXPECT_EQ(full.source, QRect(10, 20, 20, 40));
    EXPECT_EQ(full.dest, QRect(1, 2, 2, 2));
    EXPECT_EQ(full.fade, 255) << "clamped";

    const ImageString broken = ImageString::Parse("file='a.png' source='1,2,3");
    EXPECT_EQ(broken.file, "a.png");
    EXPECT_EQ(broken.source, std::nullopt);
    EXPECT_EQ(ImageString::Parse("file='a.png' source='1,2,x,4'").source, std::nullopt);
}

TEST_F(ImageStringTest, DrawsTheSourcePartAndReportsMissingPictures) {
    test::TempFolder folder;
    // Left half red, right half green.
    QImage picture(20, 10, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    for (int y = 0; y < 10; ++y) {
        for (int x = 10; x < 20; ++x) picture.setPixel(x, y, qRgb(0, 255, 0));
    }
    picture.save(QString::fromStdString((folder.Path() / "halves.png").string()));
    ImageString::SetSkinFolder(QString::fromStdString(folder.Path().string()));

    QImage target(4, 4, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::transparent);
    QPainter painter(&target);
    EXPECT_TRUE(ImageString::Draw(painter, target.rect(), "file='halves.png' source='10,0,20,10'"));
    EXPECT_FALSE(ImageString::Draw(painter, target.rect(), "nothing-here.png"));
    EXPECT_FALSE(ImageString::Draw(painter, target.rect(), ""));
    EXPECT_FALSE(ImageString::Draw(painter, target.rect(), "file='halves.png' source='50,0,60,10'"))
        << "source outside the picture";
    painter.end();
    EXPECT_EQ(target.pixel(1, 1), qRgb(0, 255, 0));
    ImageString::SetSkinFolder({});
}

}  // namespace
}  // namespace vestra::ui
