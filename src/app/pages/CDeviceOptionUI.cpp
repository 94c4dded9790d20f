#include "app/pages/CDeviceOptionUI.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QIcon>
#include <QLabel>
#include <QTimer>

#include "device/model/CHalvorinUSBDevice.h"
#include "hid/DeviceKind.h"
#include "platform/DebugLog.h"
#include "ui/Language.h"
#include "ui/LayoutLoader.h"
#include "ui/ResourceIndex.h"

namespace vestra::app {
namespace {

constexpr int kConnectDelayMs = 500;
constexpr int kFirstIconRefreshMs = 5;
// The icon only needs to follow state changes a person can see; a 5 ms period woke the UI thread
// 200 times a second for nothing.
constexpr int kIconRefreshCableMs = 250;
constexpr int kIconRefreshReceiverMs = 500;
constexpr int kFirstPowerPollMs = 50;
constexpr int kPowerPollMs = 5000;
constexpr int kLinkPollMs = 2000;

constexpr int kTimerIds[] = {
    CDeviceOptionUI::kTimerIconRefresh,  CDeviceOptionUI::kTimerConnect,
    CDeviceOptionUI::kTimerReadSettings, CDeviceOptionUI::kTimerReserved1,
    CDeviceOptionUI::kTimerReserved2,    CDeviceOptionUI::kTimerPower,
    CDeviceOptionUI::kTimerLinkPoll,
};

// The icon files and name text of a kind share this prefix.
QString IconPrefixFor(int kind, int subType, const QString& current) {
    switch (kind) {
        case static_cast<int>(hid::DeviceKind::Keyboard):
            return "kb";
        case static_cast<int>(hid::DeviceKind::Mouse):
            return "ms";
        case static_cast<int>(hid::DeviceKind::MousePad):
            // A pad of an unknown build keeps whatever icon it had.
            if (subType == 0) return "hard_mp";
            if (subType == 1) return "soft_mp";
            return current;
        case 4:
        case static_cast<int>(hid::DeviceKind::Headset):
            return "hd";
        case 5:
            return "hub";
        default:
            return "unknow";
    }
}

const char* EnglishKindName(const QString& prefix) {
    if (prefix == "kb") return "Keyboard";
    if (prefix == "ms") return "Mouse";
    if (prefix == "hard_mp" || prefix == "soft_mp") return "Mouse pad";
    if (prefix == "hd") return "Headset";
    if (prefix == "hub") return "Hub";
    return "Unknown device";
}

}  // namespace

CDeviceOptionUI::CDeviceOptionUI(QWidget* parent) : QWidget(parent), m_iconPrefix("unknow") {
    for (int id : kTimerIds) {
        auto* timer = new QTimer(this);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [this, id] { OnTimer(id); });
        m_timers[id] = timer;
    }
}

CDeviceOptionUI::~CDeviceOptionUI() = default;

bool CDeviceOptionUI::Create(const ui::ResourceIndex& resources, const QString& layoutId) {
    if (!ui::LoadLayoutInto(this, resources, layoutId, m_error)) return false;
    m_skinFolder = resources.SkinFolder();
    m_synchroSelect = findChild<QAbstractButton*>("synchro_device_select");
    m_select = findChild<QAbstractButton*>("device_select");
    m_name = findChild<QLabel*>("device_select_name");
    ApplyIcons();
    return true;
}

void CDeviceOptionUI::SetKind(int kind, int subType) {
    m_kind = kind;
    m_subType = subType;
    m_iconPrefix = IconPrefixFor(kind, subType, m_iconPrefix);
    ApplyIcons();
}

void CDeviceOptionUI::ApplyIcons() {
    if (!m_select) return;
    const bool synchro = IsSynchro();
    const QString base =
        "common/device_ico/" + m_iconPrefix + (synchro ? "_device_synchro_" : "_device_");
    const QString normal = base + "normal.png";
    const QString selected = base + "selected.png";
    m_select->setProperty("normalimage", normal);
    m_select->setProperty("selectedimage", selected);
    m_select->setProperty("disabledimage", normal);

    QIcon icon;
    const QPixmap normalPicture = ui::SkinPixmap(m_skinFolder, normal);
    const QPixmap selectedPicture = ui::SkinPixmap(m_skinFolder, selected);
    icon.addPixmap(normalPicture, QIcon::Normal, QIcon::Off);
    icon.addPixmap(selectedPicture, QIcon::Normal, QIcon::On);
    icon.addPixmap(selectedPicture, QIcon::Active, QIcon::On);
    icon.addPixmap(normalPicture, QIcon::Disabled, QIcon::Off);
    m_select->setIcon(icon);

    const QString nameId = m_iconPrefix + "_device_name_text";
    m_select->setProperty("tooltipid", nameId);
    m_select->setToolTip(
        ui::TextOr(m_language, nameId, QString::fromUtf8(EnglishKindName(m_iconPrefix))));
}

void CDeviceOptionUI::SetSynchroVisible(bool shown) {
    if (m_synchroSelect) m_synchroSelect->setVisible(shown);
    ApplyIcons();
}

void CDeviceOptionUI::SetSynchro(bool on) {
    if (m_synchroSelect) m_synchroSelect->setChecked(on);
    ApplyIcons();
}

bool CDeviceOptionUI::IsSynchro() const {
    return m_synchroSelect && m_synchroSelect->isChecked();
}

bool CDeviceOptionUI::IsSelectedTab() const {
    return m_select && m_select->isChecked();
}

void CDeviceOptionUI::SelectTab(bool on) {
    if (m_select) m_select->setChecked(on);
}

void CDeviceOptionUI::BindTab(const QString& name, int index) {
    m_tabName = name;
    m_tabIndex = index;
}

int CDeviceOptionUI::BoundTabIndex() const {
    return m_select ? m_tabIndex : -1;
}

QString CDeviceOptionUI::BoundTabName() const {
    return m_select ? m_tabName : QString();
}

void CDeviceOptionUI::SetGroup(QButtonGroup* group) {
    if (!m_select || !group) return;
    m_select->setCheckable(true);
    group->addButton(m_select);
}

void CDeviceOptionUI::SetName(const QString& text) {
    if (m_name) m_name->setText(text);
}

void CDeviceOptionUI::SetShown(bool shown) {
    m_shown = shown;
    setVisible(shown);
}

void CDeviceOptionUI::SetPowerDisplay(const QString& name, int index) {
    if (name.isEmpty()) return;
    m_powerName = name;
    if (index >= 0) m_powerIndex = index;
}

void CDeviceOptionUI::StartConnect() {
    StartTimer(kTimerConnect, kConnectDelayMs);
}

void CDeviceOptionUI::StartLinkPoll(int ms) {
    if (ChannelOpen()) StartTimer(kTimerLinkPoll, ms);
}

void CDeviceOptionUI::StartTimer(int id, int ms) {
    auto found = m_timers.find(id);
    if (found != m_timers.end()) found->second->start(ms);
}

void CDeviceOptionUI::KillTimer(int id) {
    auto found = m_timers.find(id);
    if (found != m_timers.end()) found->second->stop();
}

bool CDeviceOptionUI::IsTimerActive(int id) const {
    auto found = m_timers.find(id);
    return found != m_timers.end() && found->second->isActive();
}

int CDeviceOptionUI::TimerInterval(int id) const {
    auto found = m_timers.find(id);
    return found != m_timers.end() ? found->second->interval() : -1;
}

bool CDeviceOptionUI::ReceiverMode() const {
    return m_device && m_device->Channel().IsReceiverMode();
}

bool CDeviceOptionUI::ChannelOpen() const {
    return m_device && m_device->Channel().IsOpen();
}

void CDeviceOptionUI::OnTimer(int id) {
    KillTimer(id);
    switch (id) {
        case kTimerIconRefresh:
            OnIconRefresh();
            break;
        case kTimerConnect:
            OnConnect();
            break;
        case kTimerReadSettings:
            if (m_device) m_device->ReadSettingsFromDevice();
            break;
        case kTimerReserved1:
        case kTimerReserved2:
            // Hooks of the device interface that no kind implements.
            break;
        case kTimerPower:
            OnPowerPoll();
            break;
        case kTimerLinkPoll:
            OnLinkPoll();
            break;
        default:
            break;
    }
}

void CDeviceOptionUI::OnIconRefresh() {
    if (m_device && m_iconControl && IsSelectedTab() && m_device->IconRefresh()) {
        m_iconControl->update();
    }
    if (ChannelOpen()) {
        StartTimer(kTimerIconRefresh,
                   ReceiverMode() ? kIconRefreshReceiverMs : kIconRefreshCableMs);
    }
}

void CDeviceOptionUI::OnConnect() {
    if (!m_device) return;
    const bool receiver = ReceiverMode();
    if (receiver && ChannelOpen() && !m_device->IsLinkUp()) {
        m_linkFailures = (m_linkFailures + 1) % kLinkFailureWrap;
        if (m_shown) {
            SetShown(false);
            emit LinkStateChanged(this, false);
        }
        StartTimer(kTimerConnect, kLinkRetryMs);
        return;
    }
    if (receiver) emit LinkStateChanged(this, true);
    m_device->OnConnected();
    m_linkFailures = 0;
    StartTimer(kTimerIconRefresh, kFirstIconRefreshMs);
    if (HasPowerDisplay() && ChannelOpen()) StartTimer(kTimerPower, kFirstPowerPollMs);
    if (receiver) StartLinkPoll(kLinkPollMs);
}

void CDeviceOptionUI::OnPowerPoll() {
    if (!m_device) return;
    m_device->ReadPowerStatus();
    if (HasPowerDisplay()) StartTimer(kTimerPower, kPowerPollMs);
}

void CDeviceOptionUI::OnLinkPoll() {
    if (!m_device) return;
    if (!ReceiverMode()) {
        if (ChannelOpen()) DebugLog::Write("2.4gcesvdfherhue  12312423");
        return;
    }
    const bool linkUp = m_device->IsLinkUp();
    if (linkUp && !m_shown) {
        emit LinkStateChanged(this, true);
        if (HasPowerDisplay()) m_device->ReadPowerStatus();
        DebugLog::Write("2.4gcesvdfherhue  12312423 123342341");
    } else if (!linkUp && m_shown) {
        emit LinkStateChanged(this, false);
        DebugLog::Write("2.4gcesvdfherhue");
    }
    if (ChannelOpen()) StartTimer(kTimerLinkPoll, kLinkRetryMs);
}

}  // namespace vestra::app
