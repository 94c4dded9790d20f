#include "device/model/CHalvorinKeyboardDevice.h"

#include <algorithm>
#include <cstring>

#include "device/model/KeyboardSettings.h"
#include "device/model/LearnedSlots.h"
#include "device/model/MacroBinding.h"
#include "device/protocol/LightFrame.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "profile/MacroLibrary.h"

namespace vestra {
namespace {

using protocol::RESULT_OK;

// The host makes these modes' colours itself, so only they are streamed to the keyboard.
bool IsHostColourMode(uint8_t mode) {
    return mode == kModeAudio || mode == kModeExternalColour;
}

// The settings byte that a 0x11es notification carries the extra value e in.
constexpr size_t kExtraSettingsByte = 18;

uint32_t Word(const uint8_t* bytes) {
    uint32_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

}  // namespace

CHalvorinKeyboardDevice::CHalvorinKeyboardDevice(hid::HidBackend& backend)
    : CHalvorinUSBDevice(hid::DeviceKind::Keyboard, backend),
      m_lightingThread(*this, {m_keyColours, m_effects, m_overlay, m_effectLock}) {
    m_profile.SetDefaultPath(DefaultProfilePath());
    m_profile.SetDeviceIndex(0);
}

CHalvorinKeyboardDevice::~CHalvorinKeyboardDevice() {
    StopLighting();
    StopListeners();
}

void CHalvorinKeyboardDevice::StopLighting() {
    if (!m_lightingThread.IsRunning()) return;
    m_lightingThread.Stop();
    DebugLog::Write("线程退出：：对象处于激发状态");
}

int CHalvorinKeyboardDevice::ReadKeyTables() {
    if (!m_channel.IsOpen()) return protocol::RESULT_CLOSED;
    m_channel.BeginConfig();
    protocol::DeviceInfo info{};
    int result = m_channel.ReadInfo(info);
    if (result == RESULT_OK) {
        m_info = info;
        const size_t keyCount = info.KeyCount();
        if (!m_channel.SetBlockSize(static_cast<uint16_t>(protocol::KeyTableSize(keyCount)))) {
            result = protocol::RESULT_WRITE_FAILED;
        } else {
            std::array<uint8_t, protocol::kMaxBlockSize> table{};
            std::array<uint8_t, protocol::kMaxBlockSize> leds{};
            leds.fill(protocol::kNoLed);
            result = m_channel.ReadKeyMap(table);
            if (result == RESULT_OK) result = m_channel.ReadKeyLeds(leds);
            if (result == RESULT_OK) {
                m_keyTable = table;
                m_keyLeds = leds;
                const KeyboardKeyMap map = RememberedKeyMap(table, leds, keyCount);
                std::lock_guard lock(m_stateLock);
                m_keyMap = map;
                m_keyCount = keyCount;
            }
        }
    }
    m_channel.EndConfig();
    return result;
}

KeyboardKeyMap CHalvorinKeyboardDevice::RememberedKeyMap(std::span<const uint8_t> table,
                                                         std::span<const uint8_t> leds,
                                                         size_t keyCount) const {
    KeyboardKeyMap map = KeyboardKeyMap::Build(table, leds, keyCount);
    if (RememberSlots(DataFolder() / kLearnedSlotsFile, keyCount, map.slotOf, kNoSlot)) {
        map = KeyboardKeyMap::FromSlots(map.slotOf, leds, keyCount);
    }
    return map;
}

KeyboardKeyMap CHalvorinKeyboardDevice::KeyMap() const {
    std::lock_guard lock(m_stateLock);
    return m_keyMap;
}

uint8_t CHalvorinKeyboardDevice::ActiveProfileSlot() const {
    std::lock_guard lock(m_stateLock);
    return m_activeSlot;
}

protocol::KeyboardSettingsRecord CHalvorinKeyboardDevice::RawSettings() const {
    std::lock_guard lock(m_stateLock);
    return m_rawSettings;
}

void CHalvorinKeyboardDevice::SetSystemSettings(const KeyboardSystemSettings& system) {
    m_system = system;
    m_profile.SetSystemStages(system.repeat | uint32_t{system.repeatDelay} << 16,
                              system.key6Flag | uint32_t{system.pollingRate} << 16,
                              system.wFlag | uint32_t{system.winFlag} << 16);
}

void CHalvorinKeyboardDevice::SetKeyList(std::vector<KeyAssignmentPair> keys) {
    m_keyList = std::move(keys);
    m_profile.SetKeyList(m_keyList);
}

// --- Lighting ---

void CHalvorinKeyboardDevice::EnterMode(uint8_t mode) {
    {
        std::lock_guard lock(m_effectLock);
        m_effects.SelectMode(mode);
    }
    if (mode == kCustomColourMode) LoadCustomColours();
}

void CHalvorinKeyboardDevice::LoadCustomColours() {
    const uint8_t group = LightInfo().customGroup;
    const std::vector<CustomColor> colours = m_profile.GetCustomColors(group, kKeyPositions);
    m_keyColours.Update([&](std::span<protocol::KeyColour> keys) {
        for (size_t i = 0; i < keys.size() && i < colours.size(); ++i) {
            keys[i] = {colours[i].red, colours[i].green, colours[i].blue, colours[i].alpha};
        }
    });
    // The whole table is rewritten, so the keyboard gets the colours at their brightness.
    WriteCustomColours(protocol::LightScaling::ByBrightness, group);
}

int CHalvorinKeyboardDevice::WriteCustomColours(protocol::LightScaling scaling, uint8_t group) {
    KeyboardKeyMap map;
    size_t keyCount;
    {
        std::lock_guard lock(m_stateLock);
        map = m_keyMap;
        keyCount = m_keyCount;
    }
    // The receiver link is too slow for custom colour tables; the keyboard gets them on the
    // cable.
    if (!m_channel.IsOpen() || m_channel.IsReceiverMode() || keyCount == 0) {
        return protocol::RESULT_CLOSED;
    }
    const std::vector<protocol::KeyColour> colours = m_keyColours.Snapshot();
    const std::vector<uint8_t> frame =
        protocol::BuildLightFrame(colours, map.ledOf, keyCount, scaling);
    return m_channel.WriteCustomLight(frame, group, protocol::kCustomLightStride);
}

int CHalvorinKeyboardDevice::SetCustomKeyColour(int key) {
    const LightInfoRecord light = LightInfo();
    if (light.selectItem != kCustomColourMode || key < 0 ||
        static_cast<size_t>(key) >= m_keyColours.Size()) {
        return RESULT_OK;
    }
    const protocol::KeyColour old = m_keyColours.Get(key);
    m_keyColours.Set(key, {light.red, light.green, light.blue, old.brightness});

    std::vector<CustomColor> custom;
    for (const protocol::KeyColour& colour : m_keyColours.Snapshot()) {
        custom.push_back({colour.red, colour.green, colour.blue, colour.brightness});
    }
    m_profile.SetCustomColors(custom, light.customGroup);
    SaveProfile();
    return WriteCustomColours(protocol::LightScaling::Unscaled, light.customGroup);
}

void CHalvorinKeyboardDevice::RefreshKeyColours() {
    if (!m_hostLightControl) return;
    CHalvorinUSBDevice::RefreshKeyColours();
    if (!IsHostColourMode(LightInfo().selectItem) || !m_channel.IsOpen()) return;
    KeyboardKeyMap map;
    size_t keyCount;
    {
        std::lock_guard lock(m_stateLock);
        map = m_keyMap;
        keyCount = m_keyCount;
    }
    if (keyCount == 0) return;
    const std::vector<protocol::KeyColour> colours = m_keyColours.Snapshot();
    m_channel.StreamLight(protocol::BuildLightFrame(colours, map.ledOf, keyCount,
                                                    protocol::LightScaling::ByBrightness));
}

void CHalvorinKeyboardDevice::SetLightInfo(const LightInfoRecord& light) {
    const uint8_t oldMode = LightInfo().selectItem;
    CHalvorinUSBDevice::SetLightInfo(light);
    m_profile.SetLightInfo(light);
    if (light.selectItem != oldMode) EnterMode(light.selectItem);
}

void CHalvorinKeyboardDevice::SetAudioLightInfo(const AudioLightRecord& audio) {
    CHalvorinUSBDevice::SetAudioLightInfo(audio);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&audio);
    m_profile.SetAudioLightInfo(Word(bytes), Word(bytes + 4), bytes[8]);
    std::lock_guard lock(m_effectLock);
    m_effects.SetAudioLight(audio);
}

void CHalvorinKeyboardDevice::FeedAudioLevels(std::span<const int32_t> levels) {
    std::lock_guard lock(m_effectLock);
    m_effects.FeedAudioLevels(levels);
}

void CHalvorinKeyboardDevice::FeedAudioBands(std::span<const int32_t> bands) {
    std::lock_guard lock(m_effectLock);
    m_effects.FeedAudioBands(bands);
}

// --- Profile ---

void CHalvorinKeyboardDevice::ApplyProfileEntry() {
    m_keyList = m_profile.GetKeyList();
    RefreshView();
    m_system = m_profile.GetSystemStages();
}

void CHalvorinKeyboardDevice::RefreshView() {
    const LightInfoRecord light = m_profile.GetLightInfo();
    const AudioLightRecord audio = m_profile.GetAudioLightInfo();
    uint8_t oldMode;
    {
        std::lock_guard lock(m_stateLock);
        oldMode = m_lightInfo.selectItem;
        m_lightInfo = light;
        m_audioLight = audio;
    }
    {
        std::lock_guard lock(m_effectLock);
        m_effects.SetAudioLight(audio);
    }
    if (light.selectItem != oldMode) EnterMode(light.selectItem);
    const std::vector<LightListEntry> entries = m_profile.GetLightList();
    {
        std::lock_guard lock(m_effectLock);
        m_overlay.Load(entries, SteadyClock::Instance().NowMs());
    }
    SaveProfile();
}

void CHalvorinKeyboardDevice::SetModelIndex(int index) {
    CHalvorinUSBDevice::SetModelIndex(index);
    m_profile = CKeyboardProfiledata();
    m_profile.SetDefaultPath(DefaultProfilePath());
    m_profile.SetDeviceIndex(0);
    if (!GetProfilePath().empty()) m_profile.SetProfilePath(GetProfilePath());
}

void CHalvorinKeyboardDevice::LoadDeviceConfig() {
    LoadMacroNames();
    LoadModeTableAndLightNames();
}

void CHalvorinKeyboardDevice::RefreshPanels() {
    LoadDeviceConfig();
    if (DeviceView* view = View()) view->RefreshPanels();
}

void CHalvorinKeyboardDevice::SelectKey(int key) {
    CHalvorinUSBDevice::SelectKey(key);
    if (DeviceView* view = View()) view->ShowSelectedKey(key);
}

// --- Device traffic ---

int CHalvorinKeyboardDevice::OnConnected() {
    const int result = ReadKeyTables();
    LoadProfile();
    RefreshPanels();
    m_lightingThread.Start();
    return result;
}

int CHalvorinKeyboardDevice::ReadSettingsFromDevice() {
    // Whatever held the lighting (synchronised lighting) lets go when the device is read.
    m_channel.SetLightingHold(false);
    if (m_modes.Codes().empty()) LoadDeviceConfig();
    if (!m_channel.IsOpen()) return protocol::RESULT_CLOSED;

    uint8_t slot = 0;
    int result = m_channel.ReadSettings({&slot, 1}, 0);
    protocol::KeyboardSettingsRecord record{};
    if (result == RESULT_OK) {
        result = m_channel.ReadSettings(
            record.Bytes(), static_cast<uint16_t>(slot * protocol::kSettingsSlotStride));
    }
    // Decoding a record that did not arrive would put zeros or stale values into the profile.
    if (result != RESULT_OK) return result;

    const DecodedKeyboardSettings decoded = DecodeKeyboardSettings(record, m_modes);
    LightInfoRecord light = LightInfo();
    const uint8_t oldMode = light.selectItem;
    const uint8_t oldLedMode = light.oldLedMode;
    light = decoded.light;
    light.oldLedMode = oldLedMode;
    {
        std::lock_guard lock(m_stateLock);
        m_activeSlot = slot;
        m_rawSettings = record;
        m_lightInfo = light;
    }
    m_profile.SetLightInfo(light);
    KeyboardSystemSettings system = m_system;
    system.wFlag = decoded.wFlag;
    system.key6Flag = decoded.key6Flag;
    system.winFlag = decoded.winFlag;
    SetSystemSettings(system);
    SaveProfile();
    if (light.selectItem != oldMode) EnterMode(light.selectItem);
    RefreshPanels();
    return result;
}

int CHalvorinKeyboardDevice::ReadPowerStatus() {
    if (!m_channel.IsOpen() || m_powerQueryPaused || !m_channel.QueryLink()) {
        return protocol::RESULT_CLOSED;
    }
    return ReadAndShowPowerStatus();
}

bool CHalvorinKeyboardDevice::IsLinkUp() {
    return m_channel.IsOpen() && m_channel.QueryLink();
}

void CHalvorinKeyboardDevice::SlottedKeys(std::span<const KeyAssignmentPair> keys,
                                          std::vector<KeyAssignmentPair>& out,
                                          std::vector<uint8_t>& slots) const {
    const KeyboardKeyMap map = KeyMap();
    const size_t count = std::min(keys.size(), kKeyPositions);
    for (size_t position = 0; position < count; ++position) {
        if (map.slotOf[position] == kNoSlot) continue;
        out.push_back(keys[position]);
        slots.push_back(map.slotOf[position]);
    }
}

std::vector<int> CHalvorinKeyboardDevice::CollectUsedMacros() {
    std::vector<KeyAssignmentPair> keys;
    std::vector<uint8_t> slots;
    SlottedKeys(m_keyList, keys, slots);
    return vestra::CollectUsedMacros(keys, MacroCount());
}

bool CHalvorinKeyboardDevice::ValidateMacroKeys() {
    LoadDeviceConfig();
    if (!vestra::ValidateMacroKeys(m_keyList, static_cast<int>(m_macroNames.size()))) return false;
    m_profile.SetKeyList(m_keyList);
    if (DeviceView* view = View()) view->RefreshPanels();
    return true;
}

int CHalvorinKeyboardDevice::WriteKeyMap(uint32_t page, std::span<const KeyAssignmentPair> keys) {
    {
        // The keys are laid over the table as read: without it every other slot would be
        // overwritten with zeros.
        std::lock_guard lock(m_stateLock);
        if (m_keyCount == 0) return protocol::RESULT_CLOSED;
    }
    if (m_channel.IsOpen()) m_channel.ReadInfo(m_info);

    std::vector<KeyAssignmentPair> slotted;
    std::vector<uint8_t> slots;
    SlottedKeys(keys, slotted, slots);
    const MacroKeyMap renumbered = RenumberMacroKeys(slotted, MacroCount());
    std::array<uint8_t, protocol::kMaxBlockSize> image = m_keyTable;
    for (size_t i = 0; i < slots.size(); ++i) {
        protocol::SetKeyCode(image, slots[i], renumbered.codes[i]);
    }

    if (m_channel.IsOpen()) m_channel.BeginConfig();
    const int result = m_channel.WriteKeyMap(image, page);
    if (m_channel.IsOpen()) m_channel.EndConfig();
    if (result == RESULT_OK) m_keyTable = image;
    return result;
}

int CHalvorinKeyboardDevice::WriteCurrentKeyMap() {
    return WriteKeyMap(0, m_keyList);
}

int CHalvorinKeyboardDevice::WriteMacros(std::span<const int> usedMacros) {
    if (m_channel.IsOpen()) m_channel.ReadInfo(m_info);
    MacroLibrary library(DataFolder());
    library.Load();
    const MacroImageBuild build = BuildMacroImage(library, usedMacros, m_info.MacroCapacityBytes(),
                                                  MacroImageRules::Keyboard);
    if (build.result != 0) return build.result;

    if (m_channel.IsOpen()) m_channel.BeginConfig();
    const int result = m_channel.WriteMacros(build.image);
    if (m_channel.IsOpen()) m_channel.EndConfig();
    if (result == RESULT_OK) return 0;
    // 0 means written here, so a closed channel must not read as success.
    return result < 0 ? result : protocol::RESULT_WRITE_FAILED;
}

int CHalvorinKeyboardDevice::WriteSettings(int slot, int activeProfile) {
    if (m_modes.Codes().empty()) LoadDeviceConfig();
    const protocol::KeyboardSettingsRecord record =
        EncodeKeyboardSettings(m_profile.GetLightInfo(), m_profile.GetSystemStages(),
                               static_cast<uint8_t>(activeProfile), m_modes);
    if (m_channel.IsOpen()) m_channel.BeginConfig();
    const int result = m_channel.WriteSettings(
        record.Bytes(), static_cast<uint16_t>(slot * protocol::kSettingsSlotStride));
    if (m_channel.IsOpen()) m_channel.EndConfig();
    return result;
}

// --- Notifications ---

bool CHalvorinKeyboardDevice::StartListener(const std::string& path, hid::ProductCode type) {
    const bool receiver = type == hid::ProductCode::KeyboardReceiver;
    if (!receiver && type != hid::ProductCode::Keyboard) return false;
    return m_listeners.Start(receiver ? DeviceLink::Receiver : DeviceLink::Cable, path,
                             [this](uint16_t usage) { OnNotification(usage); });
}

void CHalvorinKeyboardDevice::StopListeners() {
    m_listeners.StopAll();
}

bool CHalvorinKeyboardDevice::IsListening(hid::ProductCode type) const {
    return m_listeners.IsListening(type == hid::ProductCode::KeyboardReceiver ? DeviceLink::Receiver
                                                                              : DeviceLink::Cable);
}

void CHalvorinKeyboardDevice::OnNotification(uint16_t usage) {
    DebugLog::Write("接收到自动添加设备的同步信息要求  TEST");
    DeviceView* view = View();
    if (usage == kSyncRequestUsage) {
        DebugLog::Write("接收到自动添加设备的同步信息要求");
        if (view) view->ScheduleSettingsRead(kSyncReadDelayMs);
        return;
    }
    const uint8_t page = static_cast<uint8_t>(usage >> 8);
    if (usage <= kSyncRequestUsage || (page != kProfileSwitchPage && page != kProfileExtraPage) ||
        !m_channel.IsOpen()) {
        return;
    }
    {
        std::lock_guard lock(m_stateLock);
        m_activeSlot = usage & 0x0F;
        if (page == kProfileExtraPage) {
            m_rawSettings.Bytes()[kExtraSettingsByte] = static_cast<uint8_t>((usage >> 4) & 0x0F);
        }
    }
    // The panels are rebuilt on the page's thread; nothing else of the device is touched here.
    if (view) view->RefreshPanels();
}

}  // namespace vestra
