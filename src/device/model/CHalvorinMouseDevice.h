// The mouse's device object: four DPI stages, the settings block, the eleven-key table with
// its macros, the bullet patterns, the notification listeners and the preview effects.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "device/model/CHalvorinUSBDevice.h"
#include "device/model/LightingThread.h"
#include "device/model/LinkListeners.h"
#include "device/model/MouseDpi.h"
#include "device/model/MouseKeyMap.h"
#include "device/model/MousePreviewEffects.h"
#include "device/model/MousePreviewThread.h"
#include "device/model/NotificationListener.h"
#include "device/protocol/DeviceInfo.h"
#include "hid/InterfaceEntry.h"
#include "profile/CMouseProfiledata.h"

namespace vestra {

class CHalvorinMouseDevice final : public CHalvorinUSBDevice, private LightingHost {
public:
    // How long after a sync request the settings are read again.
    static constexpr int kSyncReadDelayMs = 50;
    // The mouse reports a button press for the reactive preview (cable only).
    static constexpr uint16_t kReactionUsage = 0x0403;
    // A stage edit the rules refuse: the selected stage, or the last enabled one, switched off.
    static constexpr int kStageLocked = -301;
    // A stage number outside 0-3 or a value the mouse cannot hold.
    static constexpr int kBadStage = -302;
    // The screen size sent when the page has not given the primary display's.
    static constexpr uint16_t kDefaultScreenWidth = 1920;
    static constexpr uint16_t kDefaultScreenHeight = 1080;

    explicit CHalvorinMouseDevice(hid::HidBackend& backend = hid::HidBackend::Default());
    // Stops the preview thread, then both listeners.
    ~CHalvorinMouseDevice() override;

    const char* ClassName() const override { return "HalvorinMouseDevice"; }

    // What the first synchronisation read: the information block, its DPI scale, the key table
    // and where each logical key sits in it.
    protocol::DeviceInfo Info() const { return m_info; }
    DpiScale Scale() const { return DpiScale::FromInfo(m_info); }
    const MouseSlotMap& SlotMap() const { return m_slotMap; }
    bool HasKeyTable() const { return m_keyCount != 0; }
    // The settings page the mouse uses, as the last read or notification gave it.
    uint8_t CurrentPage() const { return m_currentPage; }

    CMouseProfiledata& Profile() { return m_profile; }
    const std::vector<KeyAssignmentPair>& KeyList() const { return m_keyList; }
    // Replaces the list in memory and in the profile (not saved, not sent).
    void SetKeyList(std::vector<KeyAssignmentPair> keys);

    // The profile's view of the mouse settings.
    std::vector<DpiStage> Stages() const { return m_stages; }
    int SelectedStage() const { return m_profile.GetActiveStage(); }
    uint16_t PollingIndex() const { return m_system.reportRate; }
    uint8_t SensorHeight() const { return m_professional.sensorHeight; }
    MouseSystemSettings PointerSettings() const { return m_system; }

    // Settings edits: the profile is changed and saved first, then the settings block is
    // written. They return the write's result, kBadStage or kStageLocked (nothing changed).
    int SetStageDpi(int stage, uint16_t value);
    int SetStageEnabled(int stage, bool on);
    int SelectStage(int stage);
    int SetStageColour(int stage, uint8_t red, uint8_t green, uint8_t blue);
    // Out-of-range choices select the first option.
    int SetPollingIndex(int index);
    int SetSensorHeight(int item);
    // Pointer speed, precision, wheel lines and double-click time are kept in the profile only;
    // neither the mouse nor the host's own pointer settings change. The polling index stays.
    void SetPointerSettings(const MouseSystemSettings& pointer);

    // The primary display's size, sent in every settings write.
    void SetScreenSize(uint16_t width, uint16_t height);
    // The number of LEDs of the mouse picture that the preview colours.
    void SetPreviewLightCount(size_t count) { m_keyColours.Resize(count); }

    // Builds the image of the four bullet-pattern files of the data folder (a missing or broken
    // file is first restored from its factory copy) and sends it. RESULT_WRITE_FAILED with
    // nothing sent when no image can be made (ShootImageError says why).
    int WriteShootPatterns();
    const std::string& ShootImageError() const { return m_shootError; }

    // The settings block: byte 0, byte 50 and the screen size besides the profile's values,
    // written at page × 128. The result of the block's write.
    int WriteSettingsBlock(int page, uint8_t byte0, uint8_t byte50, uint16_t screenWidth,
                           uint16_t screenHeight);

    // Listening on a notification interface: Mouse opens the cable handle of the listen
    // channel, MouseReceiver its receiver handle.
    bool StartListener(const std::string& path, hid::ProductCode type);
    void StopListeners();
    bool IsListening(hid::ProductCode type) const;

    void StartPreview() { m_previewThread.Start(); }
    void StopPreview();

    // --- The device interface. ---
    void RefreshView() override;
    int OnConnected() override;
    int ReadSettingsFromDevice() override;
    int ReadPowerStatus() override;
    bool IsLinkUp() override;
    // Takes a selected stage that the mouse reported into the profile, then refreshes the page.
    void RefreshPanels() override;
    bool ValidateMacroKeys() override;
    std::vector<int> CollectUsedMacros() override;
    // RESULT_CLOSED, nothing sent, until the key table has been read.
    int WriteKeyMap(uint32_t page, std::span<const KeyAssignmentPair> keys) override;
    int WriteCurrentKeyMap() override;
    // 0 when written (or nothing to write); the image size when it exceeds the macro memory,
    // a macro's event count when it has more than 250, nothing sent; negative when the link
    // is gone, no image can be made or the write failed.
    int WriteMacros(std::span<const int> usedMacros) override;
    // The block at page slot with byte 0 = activeProfile, byte 50 = 1 and the screen size.
    int WriteSettings(int slot = 0, int activeProfile = 0) override;
    void LoadDeviceConfig() override;
    void SetLightInfo(const LightInfoRecord& light) override;
    void SelectKey(int key) override;

private:
    CBasicProfiledata* ProfileData() override { return &m_profile; }
    void ApplyProfileEntry() override;
    // LightingHost, called on the preview thread.
    bool IsChannelOpen() const override { return m_channel.IsOpen(); }
    bool IsLightingHeld() const override { return m_channel.LightingHold(); }
    LightInfoRecord CurrentLightInfo() const override { return LightInfo(); }
    void OnFrameReady() override { RefreshKeyColours(); }

    // Open, and through the receiver the mouse answers.
    bool LinkUp() { return m_channel.IsOpen() && m_channel.QueryLink(); }
    int ReadKeyTable();
    void RestartPreviewEffects();
    // Stage n of the list, which is lengthened with zero stages to reach it.
    DpiStage& StageForEdit(int stage);
    int StoreStagesAndWrite();
    int SaveAndWrite();
    void SlottedKeys(std::span<const KeyAssignmentPair> keys, std::vector<KeyAssignmentPair>& out,
                     std::vector<uint8_t>& slots) const;
    void OnNotification(uint16_t usage, bool cable);

    CMouseProfiledata m_profile;
    protocol::DeviceInfo m_info{};
    std::array<uint8_t, protocol::kMaxBlockSize> m_keyTable{};
    size_t m_keyCount = 0;  // 0 until the key table has been read
    MouseSlotMap m_slotMap;
    std::vector<KeyAssignmentPair> m_keyList;
    std::vector<DpiStage> m_stages;
    MouseSystemSettings m_system{};
    ProfessionalSettings m_professional{};
    uint16_t m_screenWidth = kDefaultScreenWidth;
    uint16_t m_screenHeight = kDefaultScreenHeight;
    std::string m_shootError;
    // Written by the listeners.
    std::atomic<uint8_t> m_currentPage{0};
    std::atomic<int> m_reportedStage{-1};  // -1: none pending
    MousePreviewEffects m_effects;
    MousePreviewThread m_previewThread;
    LinkListeners m_listeners{m_listenChannel};
};

}  // namespace vestra
