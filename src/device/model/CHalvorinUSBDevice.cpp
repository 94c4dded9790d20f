#include "device/model/CHalvorinUSBDevice.h"

#include <system_error>

#include "platform/Paths.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "profile/MacroLibrary.h"
#include "profile/ProfileList.h"

namespace vestra {
namespace {

// Function page types as the main window names them.
enum FunctionPageType {
    kPageKeys = 1,
    kPageLighting = 3,
    kPageMacros = 4,
    kPageSystem = 5,
    kPageKeysAlt = 6,
    kPageHeadset = 7,
    kPageLightingAlt = 8,
};

const hid::DeviceKindRow* RowOf(hid::DeviceKind kind) {
    for (const hid::DeviceKindRow& row : hid::DeviceKinds()) {
        if (row.productCode == static_cast<hid::ProductCode>(kind)) return &row;
    }
    return nullptr;
}

}  // namespace

CHalvorinUSBDevice::CHalvorinUSBDevice(hid::DeviceKind kind, hid::HidBackend& backend)
    : m_channel(backend), m_listenChannel(backend) {
    if (const hid::DeviceKindRow* row = RowOf(kind)) {
        m_deviceName = std::string(row->kindName);
        m_folderName = std::string(row->kindName);
        m_configBaseName = std::string(row->lightSettingsName);
        m_kind = static_cast<int>(kind);
        m_keyButtonCount = row->keyButtonCount;
        m_lightButtonCount = row->lightingEntryCount;
        m_modelIndex = row->modelIndex;
    }
    m_keyColours.Resize(static_cast<size_t>(m_lightButtonCount));
}

CHalvorinUSBDevice::~CHalvorinUSBDevice() = default;

void CHalvorinUSBDevice::SetIdentity(const hid::InterfaceEntry& identity) {
    m_identity = identity;
    m_subType = identity.productId;
    if (std::optional<hid::DeviceKind> kind = hid::KindOf(identity.productCode)) {
        m_kind = static_cast<int>(*kind);
    }
}

std::filesystem::path CHalvorinUSBDevice::DataFolder() const {
    const std::filesystem::path folder = Paths::DataFolder() / m_folderName;
    std::error_code error;  // an unwritable folder shows later as files that do not save
    std::filesystem::create_directories(folder, error);
    return folder;
}

std::filesystem::path CHalvorinUSBDevice::DefaultProfilePath() const {
    const std::filesystem::path shipped = Paths::ShippedFolder("DefaultData");
    if (shipped.empty()) return {};
    return shipped / (m_folderName + ".Json");
}

std::filesystem::path CHalvorinUSBDevice::LightConfigPath() const {
    return DataFolder() / (m_configBaseName + ".config");
}

std::filesystem::path CHalvorinUSBDevice::ProfileFilePath() const {
    if (!m_profileBaseName.empty()) return DataFolder() / (m_profileBaseName + ".Json");
    ProfileList list(DataFolder(), DefaultProfilePath());
    list.EnsureProfileList();
    return list.ProfilePathAt(list.SelectedIndex());
}

void CHalvorinUSBDevice::SetProfilePaths() {
    CBasicProfiledata* profile = ProfileData();
    if (!profile) return;
    m_profilePath = ProfileFilePath();
    profile->SetProfilePath(m_profilePath);
    profile->SetDefaultPath(DefaultProfilePath());
    profile->SetLightConfigPath(LightConfigPath());
}

void CHalvorinUSBDevice::LoadProfile() {
    SetProfilePaths();
    if (CBasicProfiledata* profile = ProfileData()) profile->LoadEntry(m_profilePath);
    ApplyProfileEntry();
}

void CHalvorinUSBDevice::LoadDefaultProfile() {
    SetProfilePaths();
    if (CBasicProfiledata* profile = ProfileData()) profile->LoadEntry(DefaultProfilePath());
    ApplyProfileEntry();
    SaveProfile();
    RefreshPanels();
}

void CHalvorinUSBDevice::SaveProfile() {
    CBasicProfiledata* profile = ProfileData();
    if (profile && !m_profilePath.empty()) profile->SaveEntry();
}

int CHalvorinUSBDevice::SetHostLightControl(bool on) {
    m_hostLightControl = on;
    // Turning it off only stops the host: the keyboard goes back to its own effect by itself.
    if (on && m_kind == static_cast<int>(hid::DeviceKind::Keyboard)) {
        return m_channel.HostLightControl();
    }
    return protocol::RESULT_OK;
}

FunctionPages CHalvorinUSBDevice::FunctionPagesFor(int type, int kind) {
    const bool keysAndMacros = kind == static_cast<int>(hid::DeviceKind::Keyboard) ||
                               kind == static_cast<int>(hid::DeviceKind::Mouse);
    if (type == kPageMacros && !keysAndMacros) type = kPageHeadset;
    switch (type) {
        case kPageKeys:
        case kPageKeysAlt:
            return {0, 0};
        case kPageLighting:
        case kPageLightingAlt:
            return {1, FunctionPages::kUnchanged};
        case kPageSystem:
            return {2, FunctionPages::kUnchanged};
        case kPageMacros:
            return {3, FunctionPages::kUnchanged};
        case kPageHeadset:
            return {0, 2};
        default:
            return {0, 1};
    }
}

void CHalvorinUSBDevice::ShowFunctionPage(int type) {
    m_functionPage = type;
    if (DeviceView* view = View()) view->ShowFunctionPages(FunctionPagesFor(type, m_kind));
}

LightInfoRecord CHalvorinUSBDevice::LightInfo() const {
    std::lock_guard lock(m_stateLock);
    return m_lightInfo;
}

AudioLightRecord CHalvorinUSBDevice::AudioLightInfo() const {
    std::lock_guard lock(m_stateLock);
    return m_audioLight;
}

uint32_t CHalvorinUSBDevice::ButtonTint(const protocol::KeyColour& colour) {
    return colour.red | colour.blue << 8 | colour.green << 16;
}

void CHalvorinUSBDevice::RefreshKeyColours() {
    if (!m_hostLightControl) return;
    if (DeviceView* view = View()) {
        const std::vector<protocol::KeyColour> colours = m_keyColours.Snapshot();
        view->ShowKeyColours(colours);
    }
}

void CHalvorinUSBDevice::SetLightInfo(const LightInfoRecord& light) {
    std::lock_guard lock(m_stateLock);
    m_lightInfo = light;
}

void CHalvorinUSBDevice::SetAudioLightInfo(const AudioLightRecord& audio) {
    std::lock_guard lock(m_stateLock);
    m_audioLight = audio;
}

void CHalvorinUSBDevice::LoadModeTableAndLightNames() {
    const std::filesystem::path shipped = Paths::ShippedFolder("DefaultData");
    if (shipped.empty()) {
        m_modes = {};
    } else {
        m_modes.LoadFile(shipped / ModeTable::kFileName, m_modelIndex);
    }
    m_lightFileNames.clear();
    const Json::Value config = JsonFile::Read(LightConfigPath());
    const Json::Value& lights = json::Element(json::Member(config, "LightInfo"), m_modelIndex);
    for (int i = 0; i < json::ArraySize(lights); ++i) {
        m_lightFileNames.push_back(
            json::ToString(json::Member(json::Element(lights, i), "LightName")));
    }
}

void CHalvorinUSBDevice::LoadMacroNames() {
    MacroLibrary library(DataFolder());
    library.Load();
    m_macroNames = library.Names();
}

int CHalvorinUSBDevice::MacroCount() const {
    MacroLibrary library(DataFolder());
    library.Load();
    return library.Count();
}

int CHalvorinUSBDevice::ReadAndShowPowerStatus() {
    protocol::PowerStatus status{};
    const int result = m_channel.ReadStatus(status.Bytes(), 0);
    if (result != protocol::RESULT_OK) return result;
    status.MarkLink(m_channel.IsReceiverMode() ? protocol::LinkKind::Receiver
                                               : protocol::LinkKind::Cable);
    if (DeviceView* view = View()) view->ShowPowerStatus(status);
    return result;
}

}  // namespace vestra
