#include "device/model/CHalvorinMousePadDevice.h"

#include "platform/DebugLog.h"

namespace vestra {

CHalvorinMousePadDevice::CHalvorinMousePadDevice(hid::HidBackend& backend, const Clock& clock)
    : CHalvorinUSBDevice(hid::DeviceKind::MousePad, backend),
      m_clock(clock),
      m_lightingThread(*this, {m_keyColours, m_effects, m_overlay, m_effectLock},
                       "MS灯光线程设定退出", clock) {
    m_profile.SetDefaultPath(DefaultProfilePath());
    m_profile.SetDeviceIndex(0);
}

CHalvorinMousePadDevice::~CHalvorinMousePadDevice() {
    StopLighting();
    StopListener();
}

void CHalvorinMousePadDevice::StopLighting() {
    if (!m_lightingThread.IsRunning()) return;
    m_lightingThread.Stop();
    DebugLog::Write("线程退出：：对象处于激发状态");
}

protocol::DeviceInfo CHalvorinMousePadDevice::Info() const {
    std::lock_guard lock(m_stateLock);
    return m_info;
}

LightSettingsRecord CHalvorinMousePadDevice::Settings() const {
    std::lock_guard lock(m_stateLock);
    return m_settings;
}

LightSettingsRecord CHalvorinMousePadDevice::PreviousSettings() const {
    std::lock_guard lock(m_stateLock);
    return m_previousSettings;
}

uint8_t CHalvorinMousePadDevice::ActiveSlot() const {
    std::lock_guard lock(m_stateLock);
    return m_activeSlot;
}

size_t CHalvorinMousePadDevice::CurrentCustomStep() {
    std::lock_guard lock(m_effectLock);
    return m_effects.CurrentStep();
}

LightInfoRecord CHalvorinMousePadDevice::CurrentLightInfo() const {
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

void CHalvorinMousePadDevice::CopyLightIntoMirror(const LightInfoRecord& light) {
    std::lock_guard lock(m_stateLock);
    m_lightInfo = light;
    m_settings.mode = light.selectItem;
    m_settings.brightness = light.light;
    m_settings.speed = light.speed;
    m_settings.direction = light.fx;
    m_settings.multiColor = light.multiColor;
    m_settings.red = light.red;
    m_settings.green = light.green;
    m_settings.blue = light.blue;
}

// --- Profile ---

void CHalvorinMousePadDevice::ApplyProfileEntry() { RefreshView(); }

void CHalvorinMousePadDevice::RefreshView() {
    m_profile.LoadLightConfig(LightConfigPath());
    const LightInfoRecord light = m_profile.GetLightInfo();
    CopyLightIntoMirror(light);
    const std::vector<LightListEntry> entries = m_profile.GetLightList();
    std::vector<LightStep> steps = m_profile.GetCustomLightSteps();
    const uint64_t now = m_clock.NowMs();
    std::lock_guard lock(m_effectLock);
    m_overlay.Load(entries, now);
    m_effects.SetSteps(std::move(steps), now);
}

void CHalvorinMousePadDevice::SetLightInfo(const LightInfoRecord& light) {
    m_profile.SetLightInfo(light);
    CopyLightIntoMirror(light);
    // The custom effect follows the mode: the profile names one per mode index.
    std::vector<LightStep> steps = m_profile.GetCustomLightSteps();
    std::lock_guard lock(m_effectLock);
    m_effects.SetSteps(std::move(steps), m_clock.NowMs());
}

void CHalvorinMousePadDevice::LoadDeviceConfig() {
    LoadMacroNames();
    LoadModeTableAndLightNames();
}

void CHalvorinMousePadDevice::RefreshPanels() {
    LoadDeviceConfig();
    if (DeviceView* view = View()) view->RefreshPanels();
}

// --- Device traffic ---

int CHalvorinMousePadDevice::OnConnected() {
    int result = protocol::RESULT_CLOSED;
    if (m_channel.IsOpen()) {
        m_channel.BeginConfig();
        protocol::DeviceInfo info{};
        result = m_channel.ReadInfo(info);
        if (result == protocol::RESULT_OK) {
            std::lock_guard lock(m_stateLock);
            m_info = info;
        }
        m_channel.EndConfig();
    }
    LoadProfile();
    RefreshPanels();
    m_lightingThread.Start();
    return result;
}

int CHalvorinMousePadDevice::ReadSettingsFromDevice() {
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
    const LightInfoRecord light = CurrentLightInfo();
    CHalvorinUSBDevice::SetLightInfo(light);
    if (DeviceView* view = View()) view->RefreshPanels();
    return result;
}

int CHalvorinMousePadDevice::WriteSettings(int slot, int /*activeProfile*/) {
    if (m_modes.Codes().empty()) LoadDeviceConfig();
    // The mirror keeps the mode index: the lighting thread goes on choosing its effect by it.
    return WriteLightSettings(m_channel, m_modes, Settings(), slot);
}

// --- Notifications ---

bool CHalvorinMousePadDevice::StartListener(const std::string& path) {
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

void CHalvorinMousePadDevice::StopListener() {
    m_listener.Stop();
    std::lock_guard lock(m_listenChannel.IoLock());
    m_listenChannel.WiredHandle().Close();
}

void CHalvorinMousePadDevice::OnNotification(uint16_t usage) {
    DebugLog::Write("接收到自动添加设备的同步信息要求  TEST");
    if (usage != kSyncRequestUsage) return;
    DebugLog::Write("接收到自动添加设备的同步信息要求");
    if (DeviceView* view = View()) view->ScheduleSettingsRead(kSyncReadDelayMs);
}

}  // namespace vestra
