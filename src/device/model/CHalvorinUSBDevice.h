// The device object every peripheral kind derives from: channels, identity, folders, lighting
// state and key colours, the mode table, and the operations the program calls by name.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "device/model/DeviceView.h"
#include "device/model/KeyColourBuffer.h"
#include "device/model/ModeTable.h"
#include "device/protocol/DeviceChannel.h"
#include "hid/DeviceKind.h"
#include "hid/InterfaceEntry.h"
#include "profile/CBasicProfiledata.h"
#include "profile/ProfileRecords.h"

namespace vestra {

// The kind numbers device objects report; 0 is the base itself.
inline constexpr int kKindBase = 0;

// Operations returning int give a result code of the channel (1 success) unless noted. The
// base versions do nothing: the kinds override what their product has. All operations are
// meant to be called from one thread (the page's, or the CLI's); worker threads report
// through the view.
class CHalvorinUSBDevice {
public:
    // kind picks the row of the kind table: names, counts, model index. The channels use the
    // backend (the hidraw one in the program, the emulator for --demo and tests).
    explicit CHalvorinUSBDevice(hid::DeviceKind kind,
                                hid::HidBackend& backend = hid::HidBackend::Default());
    virtual ~CHalvorinUSBDevice();
    CHalvorinUSBDevice(const CHalvorinUSBDevice&) = delete;
    CHalvorinUSBDevice& operator=(const CHalvorinUSBDevice&) = delete;

    // The class name the page reports to the toolkit.
    virtual const char* ClassName() const { return "HalvorinUSBDevice"; }

    // The channel the device manager opens (cable and receiver handles) and the channel of the
    // notification interfaces.
    protocol::DeviceChannel& Channel() { return m_channel; }
    protocol::DeviceChannel& ListenChannel() { return m_listenChannel; }

    // Not owned; null detaches. Set it before the worker threads start.
    void AttachView(DeviceView* view) { m_view = view; }

    // Identity: a copy of the table row that claimed the device's interface.
    void SetIdentity(const hid::InterfaceEntry& identity);
    const hid::InterfaceEntry& Identity() const { return m_identity; }
    int Kind() const { return m_kind; }
    int SubType() const { return m_subType; }
    const std::string& DeviceName() const { return m_deviceName; }
    const std::string& FolderName() const { return m_folderName; }
    int KeyButtonCount() const { return m_keyButtonCount; }
    int LightButtonCount() const { return m_lightButtonCount; }

    // The profile file is the data folder + this name + ".Json"; the device manager sets it to
    // the selected profile's identifier. When it is empty the selected profile of the device's
    // profile list is used.
    void SetProfileBaseName(const std::string& name) { m_profileBaseName = name; }
    const std::string& ProfileBaseName() const { return m_profileBaseName; }
    // The per-user folder of the kind, created when missing.
    std::filesystem::path DataFolder() const;
    // The kind's factory profile in "DefaultData".
    std::filesystem::path DefaultProfilePath() const;

    // Effect of host light control: while off the key colours are neither shown nor streamed.
    // Switching it on tells a keyboard to take its colours from the host.
    int SetHostLightControl(bool on);
    bool HostLightControl() const { return m_hostLightControl; }

    // The tab entry repaints the device icon while this is set.
    bool IconRefresh() const { return m_iconRefresh; }
    void SetIconRefresh(bool refresh) { m_iconRefresh = refresh; }

    // The pages of the two tab controls that function page type shows for this kind.
    static FunctionPages FunctionPagesFor(int type, int kind);

    // Mode table and name lists, as the last LoadDeviceConfig left them.
    const ModeTable& Modes() const { return m_modes; }
    const std::vector<std::string>& LightFileNames() const { return m_lightFileNames; }
    const std::vector<std::string>& MacroNames() const { return m_macroNames; }

    LightInfoRecord LightInfo() const;
    AudioLightRecord AudioLightInfo() const;
    const std::map<int, int>& KeyMap2() const { return m_keyMap2; }
    int SelectedKey() const { return m_selectedKey; }
    std::vector<protocol::KeyColour> KeyColours() const { return m_keyColours.Snapshot(); }

    // The tint value of a light button for a key colour: red | blue << 8 | green << 16.
    static uint32_t ButtonTint(const protocol::KeyColour& colour);

    // --- The device interface. ---
    virtual void RefreshView() {}
    // Shows the key colours on the light buttons while host light control is on.
    virtual void RefreshKeyColours();
    // Bad indexes are ignored (set) or read as zero (get).
    void SetKeyColour(int index, protocol::KeyColour colour) { m_keyColours.Set(index, colour); }
    protocol::KeyColour GetKeyColour(int index) const { return m_keyColours.Get(index); }
    virtual int OnConnected() { return protocol::RESULT_OK; }
    virtual int ReadSettingsFromDevice() { return protocol::RESULT_OK; }
    virtual int ReadPowerStatus() { return protocol::RESULT_OK; }
    virtual bool IsLinkUp() { return true; }
    // Sets the paths, loads the selected profile and takes what the kind mirrors from it.
    virtual void LoadProfile();
    virtual void RefreshPanels() {}
    // True when a key lost a macro that no longer exists.
    virtual bool ValidateMacroKeys() { return false; }
    // As LoadProfile from the factory profile, which is then saved as the selected one.
    virtual void LoadDefaultProfile();
    virtual std::vector<int> CollectUsedMacros() { return {}; }
    virtual int WriteKeyMap(uint32_t /*page*/, std::span<const KeyAssignmentPair> /*keys*/) {
        return protocol::RESULT_CLOSED;
    }
    virtual int WriteCurrentKeyMap() { return protocol::RESULT_CLOSED; }
    // 0 when written; see the kinds for the other results.
    virtual int WriteMacros(std::span<const int> /*usedMacros*/) { return protocol::RESULT_CLOSED; }
    virtual int WriteSettings(int /*slot*/ = 0, int /*activeProfile*/ = 0) {
        return protocol::RESULT_CLOSED;
    }
    virtual void LoadDeviceConfig() {}
    void SetKeyMap2(std::map<int, int> map) { m_keyMap2 = std::move(map); }
    // Remembers the type and shows its pages.
    void ShowFunctionPage(int type);
    int GetFunctionPage() const { return m_functionPage; }
    virtual void SetProfilePaths();
    virtual std::filesystem::path GetProfilePath() const { return m_profilePath; }
    virtual void SaveProfile();
    virtual void SetModelIndex(int index) { m_modelIndex = index; }
    int GetModelIndex() const { return m_modelIndex; }
    virtual void SetLightInfo(const LightInfoRecord& light);
    virtual void SetAudioLightInfo(const AudioLightRecord& audio);
    virtual AudioLightRecord GetAudioLightInfo() { return AudioLightInfo(); }
    virtual void SelectKey(int key) { m_selectedKey = key; }
    virtual void FeedAudioLevels(std::span<const int32_t> /*levels*/) {}
    virtual void FeedAudioBands(std::span<const int32_t> /*bands*/) {}

protected:
    // The kind's profile data; null for a device without one.
    virtual CBasicProfiledata* ProfileData() { return nullptr; }
    // Takes what the kind mirrors from the profile entry just loaded.
    virtual void ApplyProfileEntry() {}

    DeviceView* View() const { return m_view; }
    // Loads the mode table of the model from "DefaultData" and the light file names from the
    // device's light configuration; missing files or entries leave the lists empty.
    void LoadModeTableAndLightNames();
    void LoadMacroNames();
    // The number of macros in the data folder's library.
    int MacroCount() const;
    // Reads the status block, marks the link it came over and shows it on the power display;
    // the kinds guard it with their own reachability test.
    int ReadAndShowPowerStatus();
    // The configuration file (configuration base name + ".config") in the data folder.
    std::filesystem::path LightConfigPath() const;
    // The profile file named by the profile base name, or the list's selected profile.
    std::filesystem::path ProfileFilePath() const;

    protocol::DeviceChannel m_channel;
    protocol::DeviceChannel m_listenChannel;
    std::string m_deviceName;
    std::string m_profileBaseName;
    std::string m_configBaseName;
    std::string m_folderName;
    int m_kind = kKindBase;
    int m_subType = 0;
    int m_keyButtonCount = 0;
    int m_lightButtonCount = 0;
    int m_selectedKey = -1;
    int m_functionPage = 1;
    std::map<int, int> m_keyMap2;
    KeyColourBuffer m_keyColours;
    // Guards the light state, which the lighting thread reads.
    mutable std::mutex m_stateLock;
    LightInfoRecord m_lightInfo{};
    AudioLightRecord m_audioLight{};
    // Guards the effect buffers and the per-key overlay; taken before the colour lock.
    std::mutex m_effectLock;
    std::atomic<bool> m_hostLightControl{true};
    std::atomic<bool> m_iconRefresh{true};
    ModeTable m_modes;
    std::vector<std::string> m_lightFileNames;
    std::vector<std::string> m_macroNames;
    hid::InterfaceEntry m_identity;
    int m_modelIndex = 0;

private:
    std::filesystem::path m_profilePath;
    std::atomic<DeviceView*> m_view{nullptr};
};

}  // namespace vestra
