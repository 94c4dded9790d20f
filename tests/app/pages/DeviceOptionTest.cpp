#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QSignalSpy>
#include <memory>
#include <string>

#include "PageTestSkin.h"
#include "app/pages/CDeviceOptionUI.h"
#include "device/model/CHalvorinMouseDevice.h"
#include "emulator/EmulatedHidBackend.h"
#include "support/TempFolder.h"

namespace vestra::app {
namespace {

const std::string kMouseReceiverPath = "emu:mouse-receiver#vid_320f&pid_223e&mi_01&col04";

// A mouse reached through its receiver, and its tab entry set up as the device manager does.
class DeviceOptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_backend->Plug(emulator::Product::MouseReceiver);
        protocol::DeviceChannel& channel = m_mouse.Channel();
        {
            std::lock_guard io(channel.IoLock());
            ASSERT_TRUE(channel.ReceiverHandle().Open(kMouseReceiverPath, hid::HidAccess::ReadWrite,
                                                      hid::HidSharing::Shared));
        }
        channel.SetOpen(true);
        channel.SetConnectionType(protocol::kConnectionReceiver);

        ASSERT_TRUE(m_tab.Create(test::ShippedSkin(), "XML/CustomControlXML/DeviceOption.xml"))
            << m_tab.Error().toStdString();
        m_tab.SetPowerDisplay("device_power_switch", 0);
        m_tab.SetKind(2, 0);
        m_tab.SetShown(false);
        m_tab.SetDevice(&m_mouse);
    }
    void TearDown() override { m_mouse.StopPreview(); }

    QApplication& m_app = test::QtTestApp();  // before any widget
    test::ScopedDataHome m_home;
    std::shared_ptr<emulator::EmulatedHidBackend> m_backend =
        emulator::EmulatedHidBackend::Create();
    CHalvorinMouseDevice m_mouse{*m_backend};
    CDeviceOptionUI m_tab;
};

TEST_F(DeviceOptionTest, KindPicksTheIconSetAndNameTip) {
    auto* select = m_tab.findChild<QAbstractButton*>("device_select");
    ASSERT_NE(select, nullptr);
    EXPECT_EQ(select->property("normalimage").toString(), "common/device_ico/ms_device_normal.png");
    EXPECT_EQ(select->property("tooltipid").toString(), "ms_device_name_text");
    m_tab.SetKind(3, 5);  // a pad of an unknown build keeps the icon it had
    EXPECT_EQ(m_tab.IconPrefix(), "ms");
    m_tab.SetKind(3, 1);
    m_tab.SetSynchro(true);
    EXPECT_EQ(select->property("selectedimage").toString(),
              "common/device_ico/soft_mp_device_synchro_selected.png");
}

TEST_F(DeviceOptionTest, ReceiverLinkDownKeepsTabHiddenAndRetriesThenConnectsOnce) {
    QSignalSpy linkChanges(&m_tab, &CDeviceOptionUI::LinkStateChanged);
    m_backend->SetAsleep(emulator::Peripheral::Mouse, true);

    m_tab.OnTimer(CDeviceOptionUI::kTimerConnect);
    EXPECT_FALSE(m_tab.IsShown());
    EXPECT_EQ(linkChanges.count(), 0) << "already hidden: nothing to tell";
    EXPECT_TRUE(m_tab.IsTimerActive(CDeviceOptionUI::kTimerConnect));
    EXPECT_EQ(m_tab.TimerInterval(CDeviceOptionUI::kTimerConnect), 3000);
    EXPECT_EQ(m_tab.LinkFailures(), 1);
    EXPECT_FALSE(m_mouse.HasKeyTable()) << "not connected while the link is down";

    m_backend->SetAsleep(emulator::Peripheral::Mouse, false);
    m_tab.OnTimer(CDeviceOptionUI::kTimerConnect);
    ASSERT_EQ(linkChanges.count(), 1);
    EXPECT_EQ(linkChanges[0][0].value<CDeviceOptionUI*>(), &m_tab);
    EXPECT_TRUE(linkChanges[0][1].toBool());
    EXPECT_TRUE(m_mouse.HasKeyTable()) << "OnConnected read the mouse";
    EXPECT_EQ(m_tab.LinkFailures(), 0);
    EXPECT_FALSE(m_tab.IsTimerActive(CDeviceOptionUI::kTimerConnect));
    EXPECT_EQ(m_tab.TimerInterval(CDeviceOptionUI::kTimerIconRefresh), 5);
    EXPECT_TRUE(m_tab.IsTimerActive(CDeviceOptionUI::kTimerPower));
    EXPECT_EQ(m_tab.TimerInterval(CDeviceOptionUI::kTimerPower), 50);
    EXPECT_EQ(m_tab.TimerInterval(CDeviceOptionUI::kTimerLinkPoll), 2000);
}

TEST_F(DeviceOptionTest, LinkPollHidesAShownTabWhenTheLinkDrops) {
    QSignalSpy linkChanges(&m_tab, &CDeviceOptionUI::LinkStateChanged);
    m_tab.SetShown(true);
    m_backend->SetAsleep(emulator::Peripheral::Mouse, true);
    m_tab.OnTimer(CDeviceOptionUI::kTimerLinkPoll);
    ASSERT_EQ(linkChanges.count(), 1);
    EXPECT_FALSE(linkChanges[0][1].toBool());
    EXPECT_EQ(m_tab.TimerInterval(CDeviceOptionUI::kTimerLinkPoll), 3000);
    EXPECT_TRUE(m_tab.IsTimerActive(CDeviceOptionUI::kTimerLinkPoll));
}

}  // namespace
}  // namespace vestra::app
