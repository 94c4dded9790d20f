#include "device/model/CHalvorinMouseDevice.h"

#include <algorithm>
#include <cstring>

#include "device/model/LearnedSlots.h"
#include "device/model/MacroBinding.h"
#include "device/model/MouseSettings.h"
#include "device/model/ShootImage.h"
#include "platform/DebugLog.h"
#include "platform/Paths.h"
#include "profile/BulletPattern.h"
#include "profile/MacroLibrary.h"

namespace vestra {
namespace {

using protocol::RESULT_OK;

bool ValidStage(int stage) {
    return stage >= 0 && stage < kMouseStageCount;
}

uint32_t Halves(uint16_t low, uint16_t high) {
    return low | uint32_t{high} << 16;
}

}  // namespace

CHalvorinMouseDevice::CHalvorinMouseDevice(hid::HidBackend& backend)
    : CHalvorinUSBDevice(hid::DeviceKind::Mouse, backend),
      m_previewThread(*this, m_keyColours, m_effects, m_effectLock) {
    m_slotMap.fill(kMouseNoSlot);
    m_profile.SetDefaultPath(DefaultProfilePath());
    m_profile.SetDeviceIndex(0);
}

CHalvorinMouseDevice::~CHalvorinMouseDevice() {
    StopPreview();
    StopListeners();
}

void CHalvorinMouseDevice::StopPreview() {
    if (!m_previewThread.IsRunning()) return;
    m_previewThread.Stop();
    DebugLog::Write("线程退出：：对象处于激发状态");
}

void CHalvorinMouseDevice::SetKeyList(std::vector<KeyAssignmentPair> keys) {
    m_keyList = std::move(keys);
    m_profile.SetKeyList(m_keyList);
}

void CHalvorinMouseDevice::SetScreenSize(uint16_t width, uint16_t height) {
    m_screenWidth = width;
    m_screenHeight = height;
}

// --- Profile ---

void CHalvorinMouseDevice::ApplyProfileEntry() {
    m_keyList = m_profile.GetKeyList();
    m_stages = m_profile.GetDpiStages();
    m_system = m_profile.GetMouseSystemStages();
    m_professional = m_profile.GetProfessional();
    RefreshView();
}

void CHalvorinMouseDevice::RefreshView() {
    const LightInfoRecord light = m_profile.GetLightInfo();
    CHalvorinUSBDevice::SetLightInfo(light);
    RestartPreviewEffects();
}

void CHalvorinMouseDevice::RestartPreviewEffects() {
    m_profile.LoadLightConfig(LightConfigPath());
    std::vector<LightStep> steps = m_profile.GetCustomLightSteps();
    std::lock_guard lock(m_effectLock);
    m_effects.Reset();
    m_effects.SetCustomSteps(std::move(steps));
}

void CHalvorinMouseDevice::SetLightInfo(const LightInfoRecord& light) {
    CHalvorinUSBDevice::SetLightInfo(light);
    m_profile.SetLightInfo(light);
    RestartPreviewEffects();
}

void CHalvorinMouseDevice::LoadDeviceConfig() {
    LoadMacroNames();
    LoadModeTableAndLightNames();
}

void CHalvorinMouseDevice::RefreshPanels() {
    LoadDeviceConfig();
    const int reported = m_reportedStage.exchange(-1);
    if (ValidStage(reported)) {
        m_profile.SetActiveStage(reported);
        SaveProfile();
    }
    if (DeviceView* view = View()) view->RefreshPanels();
}

void CHalvorinMouseDevice::SelectKey(int key) {
    CHalvorinUSBDevice::SelectKey(key);
    if (DeviceView* view = View()) view->ShowSelectedKey(key);
}

// --- Settings edits ---

DpiStage& CHalvorinMouseDevice::StageForEdit(int stage) {
    if (m_stages.size() < static_cast<size_t>(stage) + 1) m_stages.resize(stage + 1, DpiStage{});
    return m_stages[stage];
}

int CHalvorinMouseDevice::StoreStagesAndWrite() {
    m_profile.SetDpiStages(m_stages);
    return SaveAndWrite();
}

int CHalvorinMouseDevice::SaveAndWrite() {
    SaveProfile();
    return WriteSettings(0, 0);
}

int CHalvorinMouseDevice::SetStageDpi(int stage, uint16_t value) {
    if (!ValidStage(stage)) return kBadStage;
    StageForEdit(stage).SetDpiX(value);
    return StoreStagesAndWrite();
}

int CHalvorinMouseDevice::SetStageEnabled(int stage, bool on) {
    if (!ValidStage(stage)) return kBadStage;
    if (!on && !CanDisableStage(m_stages, SelectedStage(), stage)) return kStageLocked;
    StageForEdit(stage).active = on ? 1 : 0;
    return StoreStagesAndWrite();
}

int CHalvorinMouseDevice::SelectStage(int stage) {
    if (!ValidStage(stage)) return kBadStage;
    // The mouse switches to the stage, so it must be one that is on.
    if (static_cast<size_t>(stage) >= m_stages.size() || m_stages[stage].active == 0) {
        return kStageLocked;
    }
    m_profile.SetActiveStage(stage);
    return SaveAndWrite();
}

int CHalvorinMouseDevice::SetStageColour(int stage, uint8_t red, uint8_t green, uint8_t blue) {
    if (!ValidStage(stage)) return kBadStage;
    DpiStage& edited = StageForEdit(stage);
    edited.colorRed = red;
    edited.colorGreen = green;
    edited.colorBlue = blue;
    return StoreStagesAndWrite();
}

int CHalvorinMouseDevice::SetPollingIndex(int index) {
    m_system.reportRate = static_cast<uint16_t>(PollingOption(index));
    m_profile.SetMouseSystemStages(Halves(m_system.doubleClickTime, m_system.mouseSpeed),
                                   Halves(m_system.pointerPrecision, m_system.scrollPage),
                                   Halves(m_system.wheelScrollLines, m_system.reportRate));
    return SaveAndWrite();
}

int CHalvorinMouseDevice::SetSensorHeight(int item) {
    m_professional.sensorHeight = static_cast<uint8_t>(SensorHeightItem(item));
    uint32_t word0;
    std::memcpy(&word0, &m_professional, sizeof word0);
    m_profile.SetProfessional(word0, m_professional.waveCorrect);
    return SaveAndWrite();
}

void CHalvorinMouseDevice::SetPointerSettings(const MouseSystemSettings& pointer) {
    const uint16_t polling = m_system.reportRate;
    m_system = pointer;
    m_system.reportRate = polling;
    m_profile.SetMouseSystemStages(Halves(m_system.doubleClickTime, m_system.mouseSpeed),
                                   Halves(m_system.pointerPrecision, m_system.scrollPage),
                                   Halves(m_system.wheelScrollLines, m_system.reportRate));
    SaveProfile();
}

// --- Device traffic ---

int CHalvorinMouseDevice::ReadKeyTable() {
    if (!LinkUp()) return protocol::RESULT_CLOSED;
    m_channel.BeginConfig();
    protocol::DeviceInfo info{};
    int result = m_channel.ReadInfo(info);
    if (result == RESULT_OK) {
        const size_t keyCount = info.KeyCount();
        if (!m_channel.SetBlockSize(static_cast<uint16_t>(protocol::KeyTableSize(keyCount)))) {
            result = protocol::RESULT_WRITE_FAILED;
        } else {
            std::array<uint8_t, protocol::kMaxBlockSize> table{};
            result = m_channel.ReadKeyMap(table);
            if (result == RESULT_OK) {
                m_info = info;
                m_keyTable = table;
                m_keyCount = keyCount;
                MouseSlotMap map = BuildMouseSlotMap(table, keyCount);
                RememberSlots(DataFolder() / kLearnedSlotsFile, keyCount, map, kMouseNoSlot);
                m_slotMap = map;
            }
        }
    }
    // Closed also after a failed step: a bracket left open would hold back later writes.
    m_channel.EndConfig();
    return result;
}

int CHalvorinMouseDevice::OnConnected() {
    if (!m_channel.IsOpen()) return protocol::RESULT_CLOSED;
    const int result = ReadKeyTable();
    if (result != RESULT_OK) return result;
    LoadProfile();
    // A successful read refreshes the page itself.
    if (ReadSettingsFromDevice() != RESULT_OK) RefreshPanels();
    m_previewThread.Start();
    return result;
}

int CHalvorinMouseDevice::ReadSettingsFromDevice() {
    if (m_modes.Codes().empty()) LoadDeviceConfig();
    if (!LinkUp()) return protocol::RESULT_CLOSED;

    uint8_t page = 0;
    int result = m_channel.ReadSettings({&page, 1}, 0);
    protocol::MouseSettingsBlock block{};
    if (result == RESULT_OK) {
        result = m_channel.ReadSettings(
            block.Bytes(), static_cast<uint16_t>(page * protocol::kMouseSettingsSlotStride));
    }
    // A block that did not arrive must not put zeros into the profile.
    if (result != RESULT_OK) return result;
    m_currentPage = page;

    const DecodedMouseSettings decoded = DecodeMouseSettings(block, m_modes);
    LightInfoRecord light = m_profile.GetLightInfo();
    light.selectItem = decoded.light.selectItem;
    light.light = decoded.light.light;
    light.speed = decoded.light.speed;
    light.multiColor = decoded.light.multiColor;
    light.red = decoded.light.red;
    light.green = decoded.light.green;
    light.blue = decoded.light.blue;
    CHalvorinUSBDevice::SetLightInfo(light);
    m_profile.SetLightInfo(light);

    m_system.reportRate = decoded.pollingIndex;
    m_profile.SetMouseSystemStages(Halves(m_system.doubleClickTime, m_system.mouseSpeed),
                                   Halves(m_system.pointerPrecision, m_system.scrollPage),
                                   Halves(m_system.wheelScrollLines, m_system.reportRate));
    m_profile.SetActiveStage(decoded.selectedStage);
    m_professional.sensorHeight = decoded.sensorHeight;
    uint32_t word0;
    std::memcpy(&word0, &m_professional, sizeof word0);
    m_profile.SetProfessional(word0, m_professional.waveCorrect);
    SaveProfile();
    RestartPreviewEffects();
    RefreshPanels();
    return result;
}

int CHalvorinMouseDevice::WriteSettingsBlock(int page, uint8_t byte0, uint8_t byte50,
                                             uint16_t screenWidth, uint16_t screenHeight) {
    if (m_modes.Codes().empty()) LoadDeviceConfig();
    MouseSettingsSource source;
    source.light = m_profile.GetLightInfo();
    source.pollingIndex = m_system.reportRate;
    source.selectedStage = m_profile.GetActiveStage();
    source.sensorHeight = m_professional.sensorHeight;
    source.stages = m_stages;
    source.corrections = m_profile.GetCorrectPresets();
    const protocol::MouseSettingsBlock block =
        EncodeMouseSettings(source, {byte0, byte50, screenWidth, screenHeight}, m_modes);

    if (!LinkUp()) return protocol::RESULT_CLOSED;
    m_channel.BeginConfig();
    if (!LinkUp()) return protocol::RESULT_CLOSED;
    const int result =
        m_channel.WriteSettings(block.Bytes().first(protocol::kMouseSettingsWriteSize),
                                static_cast<uint16_t>(page * protocol::kMouseSettingsSlotStride));
    if (!LinkUp()) return protocol::RESULT_CLOSED;
    m_channel.EndConfig();
    return result;
}

int CHalvorinMouseDevice::WriteSettings(int slot, int activeProfile) {
    return WriteSettingsBlock(slot, static_cast<uint8_t>(activeProfile), 1, m_screenWidth,
                              m_screenHeight);
}

int CHalvorinMouseDevice::ReadPowerStatus() {
    if (!LinkUp()) return protocol::RESULT_CLOSED;
    return ReadAndShowPowerStatus();
}

bool CHalvorinMouseDevice::IsLinkUp() {
    return LinkUp();
}

// --- Key table and macros ---

void CHalvorinMouseDevice::SlottedKeys(std::span<const KeyAssignmentPair> keys,
                                       std::vector<KeyAssignmentPair>& out,
                                       std::vector<uint8_t>& slots) const {
    const size_t count = std::min(keys.size(), kMouseKeyCount);
    for (size_t key = 0; key < count; ++key) {
        if (m_slotMap[key] == kMouseNoSlot) continue;
        out.push_back(keys[key]);
        slots.push_back(m_slotMap[key]);
    }
}

std::vector<int> CHalvorinMouseDevice::CollectUsedMacros() {
    std::vector<KeyAssignmentPair> keys;
    std::vector<uint8_t> slots;
    SlottedKeys(m_keyList, keys, slots);
    return vestra::CollectUsedMacros(keys, MacroCount());
}

bool CHalvorinMouseDevice::ValidateMacroKeys() {
    LoadDeviceConfig();
    if (!vestra::ValidateMacroKeys(m_keyList, static_cast<int>(m_macroNames.size()))) return false;
    m_profile.SetKeyList(m_keyList);
    if (DeviceView* view = View()) view->RefreshPanels();
    return true;
}

int CHalvorinMouseDevice::WriteKeyMap(uint32_t page, std::span<const KeyAssignmentPair> keys) {
    // The keys are laid over the table as read; without it the other slots would be zeroed.
    if (m_keyCount == 0 || !LinkUp()) return protocol::RESULT_CLOSED;
    protocol::DeviceInfo info{};
    int result = m_channel.ReadInfo(info);
    if (result != RESULT_OK) return result;
    m_info = info;

    std::vector<KeyAssignmentPair> slotted;
    std::vector<uint8_t> slots;
    SlottedKeys(keys, slotted, slots);
    const MacroKeyMap renumbered = RenumberMacroKeys(slotted, MacroCount());
    std::array<uint8_t, protocol::kMaxBlockSize> image = m_keyTable;
    for (size_t i = 0; i < slots.size(); ++i) {
        protocol::SetKeyCode(image, slots[i], renumbered.codes[i]);
    }

    if (!LinkUp()) return protocol::RESULT_CLOSED;
    m_channel.BeginConfig();
    result = m_channel.WriteKeyMap(image, page);
    if (!LinkUp()) return protocol::RESULT_CLOSED;
    m_channel.EndConfig();
    if (result == RESULT_OK) m_keyTable = image;
    return result;
}

int CHalvorinMouseDevice::WriteCurrentKeyMap() {
    return WriteKeyMap(0, m_keyList);
}

int CHalvorinMouseDevice::WriteMacros(std::span<const int> usedMacros) {
    MacroLibrary library(DataFolder());
    library.Load();
    if (usedMacros.empty() || library.Count() == 0) return 0;
    const MacroImageBuild build =
        BuildMacroImage(library, usedMacros, m_info.MacroCapacityBytes(), MacroImageRules::Mouse);
    if (build.result != 0) return build.result;

    if (!LinkUp()) return protocol::RESULT_WRITE_FAILED;
    m_channel.BeginConfig();
    const int result = m_channel.WriteMacros(build.image);
    if (!LinkUp()) return protocol::RESULT_WRITE_FAILED;
    m_channel.EndConfig();
    if (result == RESULT_OK) return 0;
    // 0 means written here, so a closed channel must not read as success.
    return result < 0 ? result : protocol::RESULT_WRITE_FAILED;
}

int CHalvorinMouseDevice::WriteShootPatterns() {
    const std::filesystem::path dataFolder = DataFolder();
    BulletPattern::RestoreBroken(dataFolder, Paths::ShippedFolder("DefaultData"));
    const ShootImageBuild build = BuildShootImage(dataFolder);
    m_shootError = build.error;
    if (!build.error.empty()) return protocol::RESULT_WRITE_FAILED;

    if (!LinkUp()) return protocol::RESULT_CLOSED;
    m_channel.BeginConfig();
    if (!LinkUp()) return protocol::RESULT_CLOSED;
    const int result = m_channel.WriteShoot(build.image);
    if (!LinkUp()) return protocol::RESULT_CLOSED;
    m_channel.EndConfig();
    return result;
}

// --- Notifications ---

bool CHalvorinMouseDevice::StartListener(const std::string& path, hid::ProductCode type) {
    const bool receiver = type == hid::ProductCode::MouseReceiver;
    if (!receiver && type != hid::ProductCode::Mouse) return false;
    return m_listeners.Start(
        receiver ? DeviceLink::Receiver : DeviceLink::Cable, path,
        [this, receiver](uint16_t usage) { OnNotification(usage, !receiver); });
}

void CHalvorinMouseDevice::StopListeners() {
    m_listeners.StopAll();
}

bool CHalvorinMouseDevice::IsListening(hid::ProductCode type) const {
    return m_listeners.IsListening(type == hid::ProductCode::MouseReceiver ? DeviceLink::Receiver
                                                                           : DeviceLink::Cable);
}

// On the listener's thread: only the page, a reported stage and the reaction flag are touched;
// the page's thread does the rest.
void CHalvorinMouseDevice::OnNotification(uint16_t usage, bool cable) {
    DebugLog::Write("接收到自动添加设备的同步信息要求  TEST");
    DeviceView* view = View();
    if (usage == kSyncRequestUsage) {
        DebugLog::Write("接收到自动添加设备的同步信息要求");
        if (view) view->ScheduleSettingsRead(kSyncReadDelayMs);
        return;
    }
    if (usage == kReactionUsage) {
        if (cable) m_effects.RestartReaction();
        return;
    }
    const uint8_t high = static_cast<uint8_t>(usage >> 8);
    if ((high != kProfileSwitchPage && high != kProfileExtraPage) || !m_channel.IsOpen()) return;
    m_currentPage = usage & 0x0F;
    if (high == kProfileExtraPage) {
        const int stage = (usage >> 4) & 0x0F;
        // Only the four stages exist; another value is no stage to select.
        if (ValidStage(stage)) m_reportedStage = stage;
    }
    if (view) view->RefreshPanels();
}

}  // namespace vestra
