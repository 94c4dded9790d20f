#include "device/model/CZoneLightDevice.h"

#include "platform/DebugLog.h"

namespace vestra {

CZoneLightDevice::CZoneLightDevice(hid::DeviceKind kind, hid::HidBackend& backend,
                                   const Clock& clock)
    : CHalvorinUSBDevice(kind, backend),
      m_clock(clock),
      m_lightingThread(*this, {m_keyColours, m_effects, m_overlay, m_effectLock},
                       "MS灯光线程设定退出", clock) {}

CZoneLightDevice::~CZoneLightDevice() {
    StopLighting();
    StopListener();
}

void CZoneLightDevice::StopLighting() {
    if (!m_lightingThread.IsRunning()) return;
    m_lightingThread.Stop();
    DebugLog::Write("线程退出：：对象处于激发状态");
}

LightSettingsRecord CZoneLightDevice::Settings() const {
    std::lock_guard lock(m_stateLock);
    return m_settings;
}

LightSettingsRecord CZoneLightDevice::PreviousSettings() const {
    std::lock_guard lock(m_stateLock);
    return m_previousSettings;
}

uint8_t CZoneLightDevice::ActiveSlot() const {
    std::lock_guard lock(m_stateLock);
    return m_activeSlot;
}

size_t CZoneLightDevice::CurrentCustomStep() {
    std::lock_guard lock(m_effectLock);
    return m_effects.CurrentStep();
}

LightInfoRecord CZoneLightDevice::CurrentLightInfo() const {
    std::lock_guard lock(m_stateLock);
    LightInfoRecord light = m_lightInfo;
    light.selectItem = m_settings.mode;
    light.light = m_settings.brightness;
    light.speed = m_settings.speed;
    light.fx = m_settings.direction;
    light.multiColor = m_settings.multiColor;
    light.red = m_settings.red;
    light.green = m_settings.green;
    light.blue = m_settings.blue;
    return light;
}

void CZoneLightDevice::CopyLightIntoMirror(const LightInfoRecord& light) {
    std::lock_guard lock(m_stateLock);
    m_lightInfo = light;
    m_settings.mode = light.selectItem;
    m_settings.brightness = light.light;
    m_settings.speed = light.speed;
    // The direction goes with the rest, so a direction chosen on the page reaches the device.
    m_settings.direction = light.fx;
    m_settings.multiColor = light.multiColor;
    m_settings.red = light.red;
    m_settings.green = light.green;
    m_settings.blue = light.blue;
}

// --- Profile ---

void CZoneLightDevice::RefreshView() {
    CBasicProfiledata& profile = *ProfileData();
    profile.LoadLightConfig(LightConfigPath());
    CopyLightIntoMirror(profile.GetLightInfo());
    const std::vector<LightListEntry> entries = profile.GetLightList();
    std::vector<LightStep> steps = profile.GetCustomLightSteps();
    const uint64_t now = m_clock.NowMs();
    std::lock_guard lock(m_effectLock);
    m_overlay.Load(entries, now);
    m_effects.SetSteps(std::move(steps), now);
}

void CZoneLightDevice::SetLightInfo(const LightInfoRecord& light) {
    CBasicProfiledata& profile = *ProfileData();
    profile.SetLightInfo(light);
    CopyLightIntoMirror(light);
    // The custom effect follows the mode: the profile names one per mode index.
    std::vector<LightStep> steps = profile.GetCustomLightSteps();
    std::lock_guard lock(m_effectLock);
    m_effects.SetSteps(std::move(steps), m_clock.NowMs());
}

void CZoneLightDevice::LoadDeviceConfig() {
    LoadMacroNames();
    LoadModeTableAndLightNames();
}

void CZoneLightDevice::RefreshPanels() {
    LoadDeviceConfig();
    if (DeviceView* view = View()) view->RefreshPanels();
}

// --- Device traffic ---

int CZoneLightDevice::ReadSettingsFromDevice() {
    // Whatever held the lighting (synchronised lighting) lets go when the device is read.
    m_channel.SetLightingHold(false);
    if (m_modes.Codes().empty()) LoadDeviceConfig();
    LightSettingsRecord mirror = Settings();
    uint8_t slot = ActiveSlot();
    {
        std::lock_guard lock(m_stateLock);
        m_previousSettings = m_settings;
    }
    const int result = ReadLightSettings(m_channel, m_modes, mirror, slot);
    if (result != protocol::RESULT_OK) return result;
    {
        std::lock_guard lock(m_stateLock);
        m_settings = mirror;
        m_activeSlot = slot;
    }
    // The light state shows what the device has until the page or the profile changes it.
    CHalvorinUSBDevice::SetLightInfo(CurrentLightInfo());
    if (DeviceView* view = View()) view->RefreshPanels();
    return result;
}

int CZoneLightDevice::WriteSettings(int slot, int /*activeProfile*/) {
    if (m_modes.Codes().empty()) LoadDeviceConfig();
    // The mirror keeps the mode index: the lighting thread goes on choosing its effect by it.
    return WriteLightSettings(m_channel, m_modes, Settings(), slot);
}

// --- Notifications ---

bool CZoneLightDevice::StartListener(const std::string& path) {
    m_listener.Stop();
    hid::HidInterface& hid = m_listenChannel.WiredHandle();
    {
        std::lock_guard lock(m_listenChannel.IoLock());
        hid.Close();
        if (!hid.Open(path, hid::HidAccess::ReadWrite, hid::HidSharing::Shared)) return false;
    }
    m_listener.Start(hid, [this](uint16_t usage) { OnNotification(usage); });
    return true;
}

void CZoneLightDevice::StopListener() {
    m_listener.Stop();
    std::lock_guard lock(m_listenChannel.IoLock());
    m_listenChannel.WiredHandle().Close();
}

void CZoneLightDevice::OnNotification(uint16_t usage) {
    DebugLog::Write("接收到自动添加设备的同步信息要求  TEST");
    if (usage != kSyncRequestUsage) return;
    DebugLog::Write("接收到自动添加设备的同步信息要求");
    if (DeviceView* view = View()) view->ScheduleSettingsRead(kSyncReadDelayMs);
}

}  // namespace vestra
