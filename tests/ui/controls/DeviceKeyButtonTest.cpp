#include <gtest/gtest.h>

#include "ControlTestUtil.h"
#include "support/TempFolder.h"
#include "ui/controls/CDeviceKeyButtonUI.h"

namespace vestra::ui {
namespace {

class DeviceKeyButtonTest : public test::ControlTest {
protected:
    DeviceKeyButtonTest() {
        m_key.resize(20, 20);
        // A white light mask and a blue key-set mark covering the lower half only.
        m_key.setProperty("lightimage",
                          test::WritePicture(m_folder.Path(), "light.png", {20, 20}, Qt::white));
        QImage mark(20, 20, QImage::Format_ARGB32);
        mark.fill(Qt::transparent);
        for (int y = 10; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) mark.setPixel(x, y, qRgb(0, 0, 255));
        }
        const QString markPath = QString::fromStdString((m_folder.Path() / "mark.png").string());
        mark.save(markPath);
        m_key.setProperty("keysetimage", markPath);
    }

    test::TempFolder m_folder;
    CDeviceKeyButtonUI m_key;
};

TEST_F(DeviceKeyButtonTest, StartsUnlitUnmarkedAndUnselected) {
    EXPECT_EQ(m_key.LightTint(), 255u);
    EXPECT_EQ(m_key.LightAlpha(), 200);
    EXPECT_EQ(m_key.LightTintSwitch(), TintSwitch::kOff);
    EXPECT_TRUE(m_key.IsKeySetHidden());
    EXPECT_FALSE(m_key.IsKeySelected());
    EXPECT_EQ(qAlpha(test::Render(m_key).pixel(5, 5)), 0) << "nothing drawn";
}

TEST_F(DeviceKeyButtonTest, TintWordCarriesRedBlueGreenFromTheLowByte) {
    struct Case {
        quint32 tint;
        QRgb colour;
    };
    for (const Case& c :
         {Case{0x0000FF, qRgb(255, 0, 0)}, Case{0x00FF00, qRgb(0, 0, 255)},
          Case{0xFF0000, qRgb(0, 255, 0)}, Case{0x804020, qRgb(0x20, 0x80, 0x40)}}) {
        m_key.SetLightTint(c.tint, 255, TintSwitch::kOn);
        EXPECT_EQ(test::Render(m_key).pixel(5, 5), c.colour) << std::hex << c.tint;
    }
}

TEST_F(DeviceKeyButtonTest, AlphaFadesTheLightAndTheSwitchTurnsItOff) {
    m_key.SetLightTint(0x0000FF, 100, TintSwitch::kOn);
    EXPECT_NEAR(qAlpha(test::Render(m_key).pixel(5, 5)), 100, 1);
    m_key.SetLightTint(0x0000FF, 255, TintSwitch::kOff);
    EXPECT_EQ(qAlpha(test::Render(m_key).pixel(5, 5)), 0);
}

TEST_F(DeviceKeyButtonTest, KeySetMarkShowsOnlyWhenNotHiddenOverTheLight) {
    m_key.SetLightTint(0x0000FF, 255, TintSwitch::kOn);
    EXPECT_EQ(test::Render(m_key).pixel(5, 15), qRgb(255, 0, 0));
    m_key.SetKeySetHidden(false);
    QImage image = test::Render(m_key);
    EXPECT_EQ(image.pixel(5, 15), qRgb(0, 0, 255)) << "mark over the light";
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0)) << "mark's clear part keeps the light";
}

TEST_F(DeviceKeyButtonTest, DoubleClickInsidePushesAndNotifies) {
    test::NotifyLog log(m_key);
    test::SendMouse(m_key, QEvent::MouseButtonDblClick, {30, 30});  // outside
    EXPECT_TRUE(log.entries.empty());
    EXPECT_FALSE(m_key.isDown());

    test::SendMouse(m_key, QEvent::MouseButtonDblClick, {5, 5});
    EXPECT_TRUE(m_key.isDown());
    test::SendMouse(m_key, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(log.Types(), (std::vector<QString>{"dbclick", "click"}));
}

}  // namespace
}  // namespace vestra::ui
