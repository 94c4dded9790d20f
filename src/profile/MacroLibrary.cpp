#include "profile/MacroLibrary.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <system_error>
#include <utility>

#include "platform/DebugLog.h"
#include "profile/JsonAccess.h"
#include "profile/ProfileList.h"
#include "profile/ProfileNames.h"
#include "profile/SafeFileName.h"
#include "profile/Timestamp.h"

namespace vestra {
namespace fs = std::filesystem;
namespace {

constexpr const char* kMacroFileExtension = ".mac";

const Json::Value& MacroInfo(const Json::Value& library) {
    return json::Member(library, "MacroInfo");
}

std::string NameIn(const Json::Value& library, int index) {
    return json::ToString(json::Member(json::Element(MacroInfo(library), index), "MacroName"));
}

std::string GuidIn(const Json::Value& library, int index) {
    return json::ToString(json::Member(json::Element(MacroInfo(library), index), "Guid"));
}

bool GuidInLibrary(const Json::Value& library, const std::string& guid) {
    for (int i = 0; i < json::ArraySize(MacroInfo(library)); ++i) {
        if (GuidIn(library, i) == guid) return true;
    }
    return false;
}

// "macro_1", "macro_2", ...: the first one not taken.
std::string NextMacroName(const std::vector<std::string>& names) {
    for (int n = 1;; ++n) {
        std::string name = "macro_" + std::to_string(n);
        if (!IsNameTaken(name, names)) return name;
    }
}

// The key list of a profile document; every device uses entry 0 of "Device".
const Json::Value& KeyListOf(const Json::Value& profile) {
    return json::Member(json::Element(json::Member(profile, "Device"), 0), "KeyList");
}

// A 3-byte key function code, stored in JSON as (A << 16) | (B << 8) | C.
KeyAssignment KeyFromJson(int index, const Json::Value& code) {
    const auto value = static_cast<uint32_t>(json::ToInt(code));
    return {static_cast<uint16_t>(index),
            {uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)},
            0};
}

int KeyToJson(const KeyAssignment& key) {
    return (key.code[0] << 16) | (key.code[1] << 8) | key.code[2];
}

KeyAssignmentPair PairFromJson(int index, const Json::Value& element) {
    return {KeyFromJson(index, json::Member(element, "Assignment")),
            KeyFromJson(index, json::Member(element, "DefaultAssignment"))};
}

std::vector<KeyAssignmentPair> KeysOf(const Json::Value& profile) {
    const Json::Value& list = KeyListOf(profile);
    std::vector<KeyAssignmentPair> keys;
    for (int i = 0; i < json::ArraySize(list); ++i) {
        keys.push_back(PairFromJson(i, json::Element(list, i)));
    }
    return keys;
}

// Renumbers the "Assignment" of each key of a profile document; true when any changed.
bool RenumberProfile(Json::Value& profile, int deleted) {
    const int size = json::ArraySize(KeyListOf(profile));
    if (size == 0) return false;
    // Device, its entry 0 and the key list all exist with the right types here.
    Json::Value& list = profile["Device"][0]["KeyList"];
    bool changed = false;
    for (int i = 0; i < size; ++i) {
        Json::Value& element = list[static_cast<Json::ArrayIndex>(i)];
        KeyAssignmentPair key = PairFromJson(i, element);
        if (RenumberKeysAfterMacroDelete(std::span(&key, 1), deleted)) {
            element["Assignment"] = KeyToJson(key.current);
            changed = true;
        }
    }
    return changed;
}

Json::Value EmptyMacroFile() {
    Json::Value file(Json::objectValue);
    file["Events"] = Json::Value(Json::arrayValue);
    file["Version"] = MacroLibrary::kMacroFileVersion;
    return file;
}

}  // namespace

bool IsMacroBinding(const KeyAssignment& key) {
    return key.code[0] == kMacroPlayType || key.code[0] == kMacroRepeatType;
}

bool KeysUseMacro(std::span<const KeyAssignmentPair> keys, int macro) {
    for (const KeyAssignmentPair& key : keys) {
        if (IsMacroBinding(key.current) && key.current.code[1] == macro) return true;
    }
    return false;
}

bool RenumberKeysAfterMacroDelete(std::span<KeyAssignmentPair> keys, int deleted) {
    bool changed = false;
    for (KeyAssignmentPair& key : keys) {
        if (!IsMacroBinding(key.current)) continue;
        const int macro = key.current.code[1];
        if (macro == deleted) {
            std::copy(std::begin(key.defaults.code), std::end(key.defaults.code), key.current.code);
            changed = true;
        } else if (macro > deleted) {
            key.current.code[1] = static_cast<uint8_t>(macro - 1);
            changed = true;
        }
    }
    return changed;
}

MacroLibrary::MacroLibrary(fs::path dataFolder, WallClock clock)
    : m_dataFolder(std::move(dataFolder)), m_clock(std::move(clock)) {}

fs::path MacroLibrary::LibraryPath() const {
    return m_dataFolder / kLibraryFileName;
}

fs::path MacroLibrary::FileOfGuid(const std::string& guid) const {
    return IsSafeFileStem(guid) ? m_dataFolder / (guid + kMacroFileExtension) : fs::path();
}

void MacroLibrary::Load() {
    Json::Value document;
    m_status = JsonFile::Read(LibraryPath(), document);
    if (m_status == JsonFile::ReadStatus::Ok && !document.isObject()) {
        m_status = JsonFile::ReadStatus::Invalid;
    }
    m_document = m_status == JsonFile::ReadStatus::Ok ? document : Json::Value(Json::objectValue);
}

int MacroLibrary::Count() const {
    return json::ArraySize(MacroInfo(m_document));
}

std::vector<std::string> MacroLibrary::Names() const {
    std::vector<std::string> names;
    for (int i = 0; i < Count(); ++i) names.push_back(NameIn(m_document, i));
    return names;
}

std::string MacroLibrary::GuidAt(int index) const {
    return GuidIn(m_document, index);
}

bool MacroLibrary::IsInLibrary(int index) const {
    return index >= 0 && index < Count();
}

fs::path MacroLibrary::MacroFilePath(int index) const {
    return IsInLibrary(index) ? FileOfGuid(GuidAt(index)) : fs::path();
}

MacroOutcome MacroLibrary::WriteLibrary(const Json::Value& document) {
    // A library file that does not parse may hold the user's macro list behind a typing
    // error; it is kept aside rather than overwritten.
    if (m_status == JsonFile::ReadStatus::Invalid) {
        fs::path kept = LibraryPath();
        kept += ".broken";
        std::error_code ec;
        fs::rename(LibraryPath(), kept, ec);
        DebugLog::Printf("macro library %s does not parse; kept as %s", LibraryPath().c_str(),
                         kept.c_str());
    }
    if (JsonFile::Write(LibraryPath(), document) != JsonFile::WriteResult::Ok) {
        return MacroOutcome::WriteFailed;
    }
    m_document = document;
    m_status = JsonFile::ReadStatus::Ok;
    return MacroOutcome::Done;
}

// The creation time; when a macro of that millisecond exists already (two added within one
// millisecond), the next free millisecond, so that no two macros share a file.
std::string MacroLibrary::MakeGuid() const {
    for (auto time = m_clock();; time += std::chrono::milliseconds(1)) {
        std::string guid = FormatTimestamp(time);
        std::error_code ec;
        if (!GuidInLibrary(m_document, guid) && !fs::exists(FileOfGuid(guid), ec)) return guid;
    }
}

MacroOutcome MacroLibrary::AddMacro(Json::Value macroFile) {
    Load();
    if (Count() >= kMaxMacros) return MacroOutcome::TooManyMacros;
    std::error_code ec;
    fs::create_directories(m_dataFolder, ec);

    const std::string name = NextMacroName(Names());
    const std::string guid = MakeGuid();
    json::MemberForWrite(macroFile, "MacroName") = name;
    json::MemberForWrite(macroFile, "Guid") = guid;
    // The macro file goes first, so that the library never names a file a failure kept from
    // being written.
    const fs::path file = FileOfGuid(guid);
    if (JsonFile::Write(file, macroFile) != JsonFile::WriteResult::Ok) {
        return MacroOutcome::WriteFailed;
    }
    Json::Value document = m_document;
    Json::Value& info = json::MemberForWrite(document, "MacroInfo");
    if (!info.isArray()) info = Json::Value(Json::arrayValue);
    Json::Value entry(Json::objectValue);
    entry["MacroName"] = name;
    entry["Guid"] = guid;
    info.append(entry);
    const MacroOutcome outcome = WriteLibrary(document);
    if (outcome != MacroOutcome::Done) fs::remove(file, ec);
    return outcome;
}

MacroOutcome MacroLibrary::Add() {
    return AddMacro(EmptyMacroFile());
}

MacroOutcome MacroLibrary::Import(const fs::path& file) {
    Json::Value content;
    if (JsonFile::Read(file, content) != JsonFile::ReadStatus::Ok ||
        !json::Member(content, "Events").isArray()) {
        return MacroOutcome::NotAMacroFile;
    }
    return AddMacro(std::move(content));
}

MacroOutcome MacroLibrary::Rename(int index, std::string_view name) {
    Load();
    if (!IsInLibrary(index)) return MacroOutcome::NoSuchMacro;
    if (IsBlankName(name)) return MacroOutcome::NameBlank;
    if (IsNameTaken(name, Names(), index)) return MacroOutcome::NameTaken;
    Json::Value document = m_document;
    json::MemberForWrite(document["MacroInfo"][static_cast<Json::ArrayIndex>(index)], "MacroName") =
        std::string(name);
    return WriteLibrary(document);
}

MacroDeleteResult MacroLibrary::Delete(int index) {
    Load();
    if (!IsInLibrary(index)) return {MacroOutcome::NoSuchMacro, 0};

    struct ChangedProfile {
        fs::path path;
        Json::Value original;
    };
    std::vector<ChangedProfile> changed;
    const auto putBack = [&changed] {
        for (const ChangedProfile& profile : changed)
            JsonFile::Write(profile.path, profile.original);
    };

    const ProfileList profiles(m_dataFolder, fs::path());
    std::set<fs::path> visited;  // a hand-edited list may name one file twice
    const int profileCount = profiles.ProfileCount();
    for (int i = 0; i < profileCount; ++i) {
        const fs::path path = profiles.ProfilePathAt(i);
        if (path.empty() || !visited.insert(path).second) continue;
        Json::Value original;
        if (JsonFile::Read(path, original) != JsonFile::ReadStatus::Ok) continue;
        Json::Value renumbered = original;
        if (!RenumberProfile(renumbered, index)) continue;
        if (JsonFile::Write(path, renumbered) != JsonFile::WriteResult::Ok) {
            putBack();
            return {MacroOutcome::WriteFailed, 0};
        }
        changed.push_back({path, std::move(original)});
    }

    const std::string guid = GuidAt(index);
    Json::Value document = m_document;
    Json::Value removed;
    document["MacroInfo"].removeIndex(static_cast<Json::ArrayIndex>(index), &removed);
    if (WriteLibrary(document) != MacroOutcome::Done) {
        putBack();
        return {MacroOutcome::WriteFailed, 0};
    }
    // A hand-edited library may name one file twice; the file stays while anything names it.
    const fs::path file = FileOfGuid(guid);
    if (!file.empty() && !GuidInLibrary(m_document, guid)) {
        std::error_code ec;
        fs::remove(file, ec);
    }
    return {MacroOutcome::Done, static_cast<int>(changed.size())};
}

bool MacroLibrary::SelectedProfileUsesMacro(int index) const {
    const ProfileList profiles(m_dataFolder, fs::path());
    const fs::path path = profiles.ProfilePathAt(profiles.SelectedIndex());
    if (path.empty()) return false;
    return KeysUseMacro(KeysOf(JsonFile::Read(path)), index);
}

std::vector<MacroEvent> MacroLibrary::LoadEvents(int index) const {
    const fs::path file = MacroFilePath(index);
    if (file.empty()) return {};
    return MacroEventsFromJson(json::Member(JsonFile::Read(file), "Events"));
}

MacroOutcome MacroLibrary::SaveEvents(int index, std::span<const MacroEvent> events) {
    Load();
    const fs::path file = MacroFilePath(index);
    if (file.empty()) return MacroOutcome::NoSuchMacro;
    Json::Value document = JsonFile::Read(file);
    if (!document.isObject()) document = Json::Value(Json::objectValue);
    document["MacroName"] = NameIn(m_document, index);
    document["Guid"] = GuidAt(index);
    document["Events"] = MacroEventsToJson(events);
    document["Version"] = kMacroFileVersion;
    return JsonFile::Write(file, document) == JsonFile::WriteResult::Ok ? MacroOutcome::Done
                                                                        : MacroOutcome::WriteFailed;
}

MacroOutcome MacroLibrary::Export(int index, const fs::path& target) const {
    const fs::path file = MacroFilePath(index);
    if (file.empty()) return MacroOutcome::NoSuchMacro;
    Json::Value document;
    if (JsonFile::Read(file, document) != JsonFile::ReadStatus::Ok || !document.isObject()) {
        return MacroOutcome::MacroUnreadable;
    }
    return JsonFile::Write(target, document) == JsonFile::WriteResult::Ok
               ? MacroOutcome::Done
               : MacroOutcome::WriteFailed;
}

}  // namespace vestra
