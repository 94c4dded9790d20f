#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <array>

#include "PageTestSkin.h"
#include "app/pages/CMpDevicePowerUI.h"

namespace vestra::app {
namespace {

constexpr int kMouse = 2;
constexpr int kMousePad = 3;

class PowerDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_power.Create(test::ShippedSkin(), "XML/CustomControlXML/MpDevicePower.xml"))
            << m_power.Error().toStdString();
        m_power.show();
    }
    QString Text(const char* name) { return Label(name)->text(); }
    QLabel* Label(const char* name) { return m_power.findChild<QLabel*>(name); }
    QString Image(const char* name) {
        return Label(name)->property(CMpDevicePowerUI::kImageProperty).toString();
    }
    QProgressBar* Progress() { return m_power.findChild<QProgressBar*>("device_Power_progress"); }

    QApplication& m_app = test::QtTestApp();  // before any widget
    CMpDevicePowerUI m_power;
};

TEST_F(PowerDisplayTest, PercentShowsAsTextAndTheUsedPartAsProgress) {
    m_power.SetKind(kMouse, 0);
    const std::array<uint8_t, 6> block = {80, 0, 0, 0, 0, 0};
    m_power.SetPowerStatus(block.data(), block.size());
    EXPECT_EQ(Text("device_power_value"), "80%");
    EXPECT_EQ(Progress()->value(), 20);
    EXPECT_TRUE(Progress()->isVisible());
    EXPECT_EQ(Image("device_power_status"), "file='power/powered.png'");
}

TEST_F(PowerDisplayTest, ChargingChoosesImageAndProgressByTheWirelessFlag) {
    struct Case {
        uint8_t charge;
        uint8_t wireless;
        bool progressShown;
        const char* image;
    };
    const Case cases[] = {
        {1, 1, false, "file='power/wuxian_powering.png'"},
        {1, 0, true, "file='power/powering.png'"},
        {2, 1, true, "file='power/power.png'"},
        {7, 0, true, "file='power/power.png'"},  // unknown state: both stay as they were
    };
    m_power.SetKind(kMouse, 0);
    for (const Case& c : cases) {
        const std::array<uint8_t, 6> block = {50, c.charge, 0, c.wireless, 0, 0};
        m_power.SetPowerStatus(block.data(), block.size());
        EXPECT_EQ(Progress()->isVisible(), c.progressShown) << int(c.charge) << int(c.wireless);
        EXPECT_EQ(Image("device_power_status"), c.image) << int(c.charge) << int(c.wireless);
        EXPECT_EQ(Label("device_wuxian_logo")->isVisible(), c.wireless != 0);
    }
}

TEST_F(PowerDisplayTest, ShortBlockReadsWirelessFlagAndPhoneAsZero) {
    m_power.SetKind(kMousePad, 0);
    const std::array<uint8_t, 6> phone = {100, 0, 0, 0, 0, 2};
    m_power.SetPowerStatus(phone.data(), phone.size());
    EXPECT_EQ(Label("device_phone_type")->property("tooltipid").toString(), "Phone_type_samsung");

    const std::array<uint8_t, 2> shortBlock = {40, 1};
    m_power.SetPowerStatus(shortBlock.data(), shortBlock.size());
    EXPECT_TRUE(Progress()->isVisible()) << "wireless flag read as 0";
    EXPECT_EQ(Image("device_power_status"), "file='power/powering.png'");
    EXPECT_EQ(Label("device_phone_type")->property("tooltipid").toString(), "Phone_type_no_device");
    EXPECT_EQ(Image("device_phone_type"), "file='power/Phone_type_no_device.png'");
}

TEST_F(PowerDisplayTest, PercentAboveHundredKeepsTheRingInRange) {
    const std::array<uint8_t, 6> block = {80, 0, 0, 0, 0, 0};
    m_power.SetPowerStatus(block.data(), block.size());
    const std::array<uint8_t, 6> odd = {200, 0, 0, 0, 0, 0};
    m_power.SetPowerStatus(odd.data(), odd.size());
    EXPECT_EQ(Text("device_power_value"), "200%");
    EXPECT_EQ(Progress()->value(), 0) << "not left at the previous level";
}

}  // namespace
}  // namespace vestra::app
