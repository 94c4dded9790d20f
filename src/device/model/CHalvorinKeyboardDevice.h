// The keyboard's device object: key table and key positions, settings record, key map and
// macro writes, custom key colours, the lighting thread and the notification listeners.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "device/model/CHalvorinUSBDevice.h"
#include "device/model/KeyboardEffects.h"
#include "device/model/KeyboardKeyMap.h"
#include "device/model/LightingThread.h"
#include "device/model/LinkListeners.h"
#include "device/model/NotificationListener.h"
#include "device/model/PerKeyOverlay.h"
#include "device/protocol/DeviceInfo.h"
#include "device/protocol/KeyboardSettingsRecord.h"
#include "profile/CKeyboardProfiledata.h"

namespace vestra {

class CHalvorinKeyboardDevice final : public CHalvorinUSBDevice, private LightingHost {
public:
    // The lighting mode whose key colours the user sets one by one.
    static constexpr uint8_t kCustomColourMode = kModeCustomColours;
    // How long after a sync request the settings are read again.
    static constexpr int kSyncReadDelayMs = 50;

    explicit CHalvorinKeyboardDevice(hid::HidBackend& backend = hid::HidBackend::Default());
    // Stops the lighting thread, then the cable listener, then the receiver listener.
    ~CHalvorinKeyboardDevice() override;

    const char* ClassName() const override { return "HalvorinKeyboardDevice"; }

    // Reads the key tables (bracketed: info, block size, key table, key LEDs) and maps the
    // key positions. RESULT_WRITE_FAILED when the key count is too large for a key table.
    int ReadKeyTables();
    KeyboardKeyMap KeyMap() const;
    protocol::DeviceInfo Info() const { return m_info; }

    // The settings mirror: the active profile slot and the record as last read.
    uint8_t ActiveProfileSlot() const;
    protocol::KeyboardSettingsRecord RawSettings() const;

    KeyboardSystemSettings SystemSettings() const { return m_system; }
    // Stores the system settings in the profile (not saved, not sent).
    void SetSystemSettings(const KeyboardSystemSettings& system);

    // The key assignment list of the loaded profile, one entry per key position.
    const std::vector<KeyAssignmentPair>& KeyList() const { return m_keyList; }
    // Replaces the list in memory and in the profile (not saved, not sent).
    void SetKeyList(std::vector<KeyAssignmentPair> keys);
    CKeyboardProfiledata& Profile() { return m_profile; }

    // In the custom colour mode: gives key position key the current colour, stores the group's
    // colours in the profile and sends them to a cabled keyboard. Does nothing (RESULT_OK) in
    // other modes or for a bad key.
    int SetCustomKeyColour(int key);

    // Starts listening on a notification interface: type Keyboard opens the cable handle of the
    // listen channel, KeyboardReceiver its receiver handle. False when the path cannot be
    // opened or the type is neither.
    bool StartListener(const std::string& path, hid::ProductCode type);
    // Stops both listeners and closes their handles.
    void StopListeners();
    bool IsListening(hid::ProductCode type) const;

    // The tab entry pauses the power queries while it switches links.
    void SetPowerQueryPaused(bool paused) { m_powerQueryPaused = paused; }

    // Restarts the lighting thread (OnConnected does it too).
    void StartLighting() { m_lightingThread.Start(); }
    void StopLighting();

    // --- The device interface. ---
    void RefreshView() override;
    // Also streams the frame to the keyboard in the modes whose colours only the host makes.
    void RefreshKeyColours() override;
    int OnConnected() override;
    // Reads the active slot and its record, takes the light fields and flags into the light
    // state and the profile, and saves it. A failed read changes nothing.
    int ReadSettingsFromDevice() override;
    int ReadPowerStatus() override;
    // Open, and reachable: on the cable always, through the receiver when it says so.
    bool IsLinkUp() override;
    void RefreshPanels() override;
    bool ValidateMacroKeys() override;
    // The macros the keys with a slot use, in position order, without repeats.
    std::vector<int> CollectUsedMacros() override;
    // Writes the key table with keys laid over the table last read: macro keys carry their
    // macro's place among the used macros, keys of a deleted macro their default code.
    // RESULT_CLOSED, with nothing sent, until the key tables have been read.
    int WriteKeyMap(uint32_t page, std::span<const KeyAssignmentPair> keys) override;
    int WriteCurrentKeyMap() override;
    // 0 when written; the events too many ((size - capacity) / 4 + 1) when the macros do not
    // fit, nothing sent; a negative number when no image can be made or the write failed.
    int WriteMacros(std::span<const int> usedMacros) override;
    int WriteSettings(int slot = 0, int activeProfile = 0) override;
    void LoadDeviceConfig() override;
    void SetModelIndex(int index) override;
    void SetLightInfo(const LightInfoRecord& light) override;
    void SetAudioLightInfo(const AudioLightRecord& audio) override;
    void SelectKey(int key) override;
    void FeedAudioLevels(std::span<const int32_t> levels) override;
    void FeedAudioBands(std::span<const int32_t> bands) override;

private:
    CBasicProfiledata* ProfileData() override { return &m_profile; }
    void ApplyProfileEntry() override;
    // LightingHost, called on the lighting thread.
    bool IsChannelOpen() const override { return m_channel.IsOpen(); }
    bool IsLightingHeld() const override { return m_channel.LightingHold(); }
    LightInfoRecord CurrentLightInfo() const override { return LightInfo(); }
    void OnFrameReady() override { RefreshKeyColours(); }

    // The slot map to use after a key table read; see the definition.
    KeyboardKeyMap RememberedKeyMap(std::span<const uint8_t> table, std::span<const uint8_t> leds,
                                    size_t keyCount) const;
    // Clears the effect buffers and runs the entry action of mode.
    void EnterMode(uint8_t mode);
    // The custom colours of the current group into the key colours, sent to the keyboard.
    void LoadCustomColours();
    // Sends a frame of the key colours as the custom colours of group, on the cable only.
    int WriteCustomColours(protocol::LightScaling scaling, uint8_t group);
    // Keys with a device slot, in position order, with their slots.
    void SlottedKeys(std::span<const KeyAssignmentPair> keys, std::vector<KeyAssignmentPair>& out,
                     std::vector<uint8_t>& slots) const;
    void OnNotification(uint16_t usage);

    CKeyboardProfiledata m_profile;
    protocol::DeviceInfo m_info{};
    std::array<uint8_t, protocol::kMaxBlockSize> m_keyTable{};
    std::array<uint8_t, protocol::kMaxBlockSize> m_keyLeds{};
    // Under the state lock: the lighting thread builds frames from them.
    KeyboardKeyMap m_keyMap;
    size_t m_keyCount = 0;  // 0 until the key tables have been read
    uint8_t m_activeSlot = 0;
    protocol::KeyboardSettingsRecord m_rawSettings{};
    KeyboardSystemSettings m_system{};
    std::vector<KeyAssignmentPair> m_keyList;
    std::atomic<bool> m_powerQueryPaused{false};
    KeyboardEffects m_effects;
    PerKeyOverlay m_overlay;
    LightingThread m_lightingThread;
    LinkListeners m_listeners{m_listenChannel};
};

}  // namespace vestra
