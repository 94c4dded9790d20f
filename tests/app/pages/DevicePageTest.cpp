#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QStackedWidget>
#include <memory>
#include <thread>
#include <vector>

#include "PageTestSkin.h"
#include "app/pages/DevicePage.h"
#include "device/model/CHalvorinKeyboardDevice.h"
#include "device/model/CHalvorinMousePadDevice.h"
#include "emulator/EmulatedHidBackend.h"
#include "support/TempFolder.h"
#include "ui/controls/CDeviceKeyButtonUI.h"

namespace vestra::app {
namespace {

using ui::CDeviceKeyButtonUI;

class DevicePageTest : public ::testing::Test {
protected:
    QApplication& m_app = test::QtTestApp();  // before any widget
    test::ScopedDataHome m_home;
    std::shared_ptr<emulator::EmulatedHidBackend> m_backend =
        emulator::EmulatedHidBackend::Create();
};

int BoundCount(const DevicePage& page, bool lights) {
    int bound = 0;
    const int count = lights ? page.LightButtonCount() : page.KeyButtonCount();
    for (int n = 0; n < count; ++n)
        bound += (lights ? page.LightButton(n) : page.KeyButton(n)) != nullptr;
    return bound;
}

TEST_F(DevicePageTest, KeyboardPictureBindsEveryGridKeyLitWhite) {
    CHalvorinKeyboardDevice keyboard(*m_backend);
    DevicePage page(keyboard);
    ASSERT_TRUE(page.Create(test::ShippedSkin(), "XML/DeviceXml/keyboarddevice.xml"))
        << page.Error().toStdString();
    EXPECT_EQ(page.KeyButtonCount(), 170);
    EXPECT_EQ(BoundCount(page, false), 132);
    EXPECT_EQ(BoundCount(page, true), 132);
    CDeviceKeyButtonUI* a = page.KeyButton(64);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(), "A");
    EXPECT_EQ(page.LightButton(64), a);
    EXPECT_EQ(a->LightTint(), 0xFFFFFFu);
    EXPECT_EQ(a->LightAlpha(), 255);
    EXPECT_EQ(a->LightTintSwitch(), ui::TintSwitch::kOn);

    page.ShowFunctionPages({2, FunctionPages::kUnchanged});
    EXPECT_EQ(page.findChild<QStackedWidget*>("device_function_switch")->currentIndex(), 2);
    EXPECT_TRUE(page.findChild<QAbstractButton*>("system_Op_tab")->isChecked());
}

TEST_F(DevicePageTest, ButtonsNumberedBeyondTheDeviceAreSkipped) {
    test::TempFolder skin;
    skin.Write("res.xml", "<Resources><Resource id=\"page\" file=\"page.ui\"/></Resources>");
    skin.Write("page.ui", R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><class>page</class><widget class="QWidget" name="page">
 <widget class="SelectPanel" name="device_key_light">
  <widget class="DeviceKeyButton" name="key_5">
   <property name="userdata" stdset="0"><string>light_5</string></property></widget>
  <widget class="DeviceKeyButton" name="key_200">
   <property name="userdata" stdset="0"><string>light_200</string></property></widget>
  <widget class="DeviceKeyButton" name="key_x">
   <property name="userdata" stdset="0"><string>light</string></property></widget>
 </widget></widget></ui>)");
    test::QtTestApp();
    ui::ResourceIndex resources;
    ASSERT_TRUE(resources.Load(QString::fromStdString(skin.Path().string())));

    CHalvorinKeyboardDevice keyboard(*m_backend);
    DevicePage page(keyboard);
    ASSERT_TRUE(page.Create(resources, "page")) << page.Error().toStdString();
    EXPECT_EQ(BoundCount(page, false), 1);
    EXPECT_EQ(BoundCount(page, true), 1);
    ASSERT_NE(page.KeyButton(5), nullptr);
    EXPECT_EQ(page.KeyButton(5)->objectName(), "key_5");
    EXPECT_EQ(page.KeyButton(200), nullptr);
}

TEST_F(DevicePageTest, KeyColoursFromAWorkerThreadTintTheLightsOnThePageThread) {
    CHalvorinMousePadDevice pad(*m_backend);
    DevicePage page(pad);
    ASSERT_TRUE(page.Create(test::ShippedSkin(), "XML/DeviceXml/mousepaddevice.xml"))
        << page.Error().toStdString();
    ASSERT_EQ(page.LightButtonCount(), 15);
    ASSERT_EQ(BoundCount(page, true), 15);
    page.show();

    std::vector<protocol::KeyColour> colours(15);
    for (size_t i = 0; i < colours.size(); ++i) {
        colours[i] = {uint8_t(10 * i), 0x80, 0x20, uint8_t(100 + i)};
    }
    std::thread worker([&] {
        page.ShowKeyColours(std::vector<protocol::KeyColour>(15, {1, 2, 3, 4}));
        page.ShowKeyColours(colours);  // the newer frame replaces the one not yet shown
    });
    worker.join();
    EXPECT_EQ(page.LightButton(3)->LightTint(), 0xFFFFFFu) << "nothing touched off the page thread";

    QCoreApplication::processEvents();
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(page.LightButton(i)->LightTint(), CHalvorinUSBDevice::ButtonTint(colours[i]));
        EXPECT_EQ(page.LightButton(i)->LightAlpha(), colours[i].brightness);
    }

    // A hidden page paints nothing and shows the newest frame when it comes back.
    page.hide();
    std::thread([&] {
        page.ShowKeyColours(std::vector<protocol::KeyColour>(15, {9, 9, 9, 9}));
    }).join();
    QCoreApplication::processEvents();
    EXPECT_EQ(page.LightButton(0)->LightTint(), CHalvorinUSBDevice::ButtonTint(colours[0]));
    page.show();
    EXPECT_EQ(page.LightButton(0)->LightTint(), CHalvorinUSBDevice::ButtonTint({9, 9, 9, 9}));
}

}  // namespace
}  // namespace vestra::app
