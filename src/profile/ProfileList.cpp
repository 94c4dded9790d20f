#include "profile/ProfileList.h"

#include <utility>

#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "profile/ProfileNames.h"
#include "profile/SafeFileName.h"
#include "profile/Timestamp.h"

namespace vestra {
namespace fs = std::filesystem;
namespace {

const Json::Value& Elements(const Json::Value& list) {
    return json::Member(list, "profilelist");
}

std::string NameAt(const Json::Value& list, int index) {
    return json::ToString(json::Member(json::Element(Elements(list), index), "profilename"));
}

std::string UuidAt(const Json::Value& list, int index) {
    return json::ToString(json::Member(json::Element(Elements(list), index), "profileUUID"));
}

std::vector<std::string> Names(const Json::Value& list) {
    std::vector<std::string> names;
    for (int i = 0; i < json::ArraySize(Elements(list)); ++i) names.push_back(NameAt(list, i));
    return names;
}

bool UuidInList(const Json::Value& list, const std::string& uuid) {
    for (int i = 0; i < json::ArraySize(Elements(list)); ++i) {
        if (UuidAt(list, i) == uuid) return true;
    }
    return false;
}

bool IsInList(const Json::Value& list, int index) {
    return index >= 0 && index < json::ArraySize(Elements(list));
}

// A list element as it is created; the two link fields are kept but never used.
Json::Value NewElement(const std::string& name, const std::string& uuid) {
    Json::Value element(Json::objectValue);
    element["profilename"] = name;
    element["profileUUID"] = uuid;
    element["profileislink"] = 0;
    element["profilelinkmame"] = "";
    return element;
}

void SetRootNames(Json::Value& document, const std::string& name, const std::string& uuid) {
    json::MemberForWrite(document, "profilename") = name;
    json::MemberForWrite(document, "profileUUID") = uuid;
}

}  // namespace

ProfileList::ProfileList(fs::path dataFolder, fs::path defaultFile, WallClock clock)
    : m_dataFolder(std::move(dataFolder)),
      m_defaultFile(std::move(defaultFile)),
      m_clock(std::move(clock)) {}

fs::path ProfileList::ListPath() const {
    return m_dataFolder / kListFileName;
}

fs::path ProfileList::FileOf(const std::string& uuid) const {
    return IsSafeFileStem(uuid) ? m_dataFolder / (uuid + ".Json") : fs::path();
}

Json::Value ProfileList::ReadList() const {
    Json::Value list = JsonFile::Read(ListPath());
    return list.isObject() ? list : Json::Value(Json::objectValue);
}

ProfileOutcome ProfileList::WriteList(const Json::Value& list) const {
    return JsonFile::Write(ListPath(), list) == JsonFile::WriteResult::Ok
               ? ProfileOutcome::Done
               : ProfileOutcome::WriteFailed;
}

// The creation time; when a profile of that millisecond exists already (two created within one
// millisecond), the next free millisecond, so that no two profiles share a file.
std::string ProfileList::MakeProfileUuid(const Json::Value& list) const {
    for (auto time = m_clock();; time += std::chrono::milliseconds(1)) {
        std::string uuid = FormatTimestamp(time);
        std::error_code ec;
        if (!UuidInList(list, uuid) && !fs::exists(FileOf(uuid), ec)) return uuid;
    }
}

ProfileOutcome ProfileList::EnsureProfileList() {
    std::error_code ec;
    fs::create_directories(m_dataFolder, ec);
    Json::Value list;
    if (JsonFile::Read(ListPath(), list) == JsonFile::ReadStatus::Invalid) {
        // The profile files stay; the broken list is kept so that their names can be recovered.
        fs::path kept = ListPath();
        kept += ".broken";
        fs::rename(ListPath(), kept, ec);
    }
    if (!list.isObject()) list = Json::Value(Json::objectValue);
    if (json::ArraySize(Elements(list)) > 0) return ProfileOutcome::Done;

    const std::string uuid = MakeProfileUuid(list);
    const std::string name = "profile1";
    Json::Value profile = JsonFile::Read(m_defaultFile);
    SetRootNames(profile, name, uuid);
    // The profile file goes first, so that a list never names a file a failure kept from being
    // written (a missing file would be recreated from the default file, but nothing is lost
    // this way either).
    if (JsonFile::Write(FileOf(uuid), profile) != JsonFile::WriteResult::Ok) {
        return ProfileOutcome::WriteFailed;
    }
    list["profilelist"] = Json::Value(Json::arrayValue);
    list["profilelist"].append(NewElement(name, uuid));
    list["profileselect"] = 0;
    return WriteList(list);
}

std::vector<ProfileEntry> ProfileList::Entries() const {
    const Json::Value list = ReadList();
    std::vector<ProfileEntry> entries;
    for (int i = 0; i < json::ArraySize(Elements(list)); ++i) {
        entries.push_back({NameAt(list, i), UuidAt(list, i)});
    }
    return entries;
}

int ProfileList::SelectedIndex() const {
    const Json::Value list = ReadList();
    const int64_t index = json::ToInt(json::Member(list, "profileselect"));
    return index >= 0 && index < json::ArraySize(Elements(list)) ? static_cast<int>(index) : 0;
}

int ProfileList::ProfileCount() const {
    return json::ArraySize(Elements(ReadList()));
}

fs::path ProfileList::ProfilePathAt(int index) const {
    const Json::Value list = ReadList();
    return IsInList(list, index) ? FileOf(UuidAt(list, index)) : fs::path();
}

ProfileOutcome ProfileList::SelectProfile(int index) {
    Json::Value list = ReadList();
    if (!IsInList(list, index)) return ProfileOutcome::NoSuchProfile;
    list["profileselect"] = index;
    return WriteList(list);
}

ProfileOutcome ProfileList::AppendProfile(Json::Value document, const std::string& name,
                                          bool selectNew) {
    Json::Value list = ReadList();
    const std::string uuid = MakeProfileUuid(list);
    SetRootNames(document, name, uuid);
    const fs::path file = FileOf(uuid);
    if (JsonFile::Write(file, document) != JsonFile::WriteResult::Ok) {
        return ProfileOutcome::WriteFailed;
    }
    Json::Value& elements = json::MemberForWrite(list, "profilelist");
    if (!elements.isArray()) elements = Json::Value(Json::arrayValue);
    elements.append(NewElement(name, uuid));
    if (selectNew) list["profileselect"] = static_cast<int>(elements.size()) - 1;
    const ProfileOutcome outcome = WriteList(list);
    if (outcome != ProfileOutcome::Done) {
        std::error_code ec;
        fs::remove(file, ec);
    }
    return outcome;
}

ProfileOutcome ProfileList::AddProfile() {
    const Json::Value list = ReadList();
    if (json::ArraySize(Elements(list)) >= kMaxProfiles) return ProfileOutcome::TooManyProfiles;
    return AppendProfile(JsonFile::Read(m_defaultFile), NextAddName(Names(list)), true);
}

ProfileOutcome ProfileList::CopyProfile(int source) {
    const Json::Value list = ReadList();
    if (!IsInList(list, source)) return ProfileOutcome::NoSuchProfile;
    const fs::path sourceFile = FileOf(UuidAt(list, source));
    Json::Value document = sourceFile.empty() ? Json::Value() : JsonFile::Read(sourceFile);
    return AppendProfile(std::move(document), NextCopyName(NameAt(list, source), Names(list)),
                         false);
}

ProfileOutcome ProfileList::ImportProfile(const fs::path& file) {
    Json::Value document;
    if (JsonFile::Read(file, document) != JsonFile::ReadStatus::Ok ||
        json::Member(document, "profilename").isNull() ||
        json::Member(document, "profileUUID").isNull()) {
        return ProfileOutcome::NotAProfileFile;
    }
    const std::string name = NextImportName(file.stem().string(), Names(ReadList()));
    const ProfileOutcome outcome = AppendProfile(std::move(document), name, false);
    // A profile file with an empty identifier, which older versions could leave behind.
    std::error_code ec;
    fs::remove(m_dataFolder / ".Json", ec);
    return outcome;
}

ProfileOutcome ProfileList::DeleteProfile(int index) {
    Json::Value list = ReadList();
    if (!IsInList(list, index)) return ProfileOutcome::NoSuchProfile;
    if (json::ArraySize(Elements(list)) <= 1) return ProfileOutcome::LastProfile;

    const std::string uuid = UuidAt(list, index);
    Json::Value removed;
    list["profilelist"].removeIndex(static_cast<Json::ArrayIndex>(index), &removed);
    list["profileselect"] = index == 0 ? 0 : index - 1;
    // The list goes first: a failure after it leaves an unused file, never a list entry whose
    // settings are gone.
    const ProfileOutcome outcome = WriteList(list);
    if (outcome != ProfileOutcome::Done) return outcome;
    // A hand-edited list may name one file twice; the file stays while anything names it.
    const fs::path file = FileOf(uuid);
    if (!file.empty() && !UuidInList(list, uuid)) {
        std::error_code ec;
        fs::remove(file, ec);
    }
    return ProfileOutcome::Done;
}

ProfileOutcome ProfileList::RenameProfile(int index, std::string_view name) {
    Json::Value list = ReadList();
    if (!IsInList(list, index)) return ProfileOutcome::NoSuchProfile;
    if (IsBlankName(name)) return ProfileOutcome::NameBlank;
    if (IsNameTaken(name, Names(list), index)) return ProfileOutcome::NameTaken;

    const std::string newName(name);
    json::MemberForWrite(list["profilelist"][static_cast<Json::ArrayIndex>(index)], "profilename") =
        newName;
    const ProfileOutcome outcome = WriteList(list);
    if (outcome != ProfileOutcome::Done) return outcome;

    // The file keeps a copy of the name. A missing file is recreated when the device loads it,
    // and a broken one is left for the load to set aside.
    const fs::path file = FileOf(UuidAt(list, index));
    Json::Value document;
    if (!file.empty() && JsonFile::Read(file, document) == JsonFile::ReadStatus::Ok &&
        document.isObject()) {
        document["profilename"] = newName;
        if (JsonFile::Write(file, document) != JsonFile::WriteResult::Ok) {
            return ProfileOutcome::WriteFailed;
        }
    }
    return ProfileOutcome::Done;
}

ProfileOutcome ProfileList::ResetProfile(int index, hid::DeviceKind kind) {
    const Json::Value list = ReadList();
    if (!IsInList(list, index)) return ProfileOutcome::NoSuchProfile;
    const std::string uuid = UuidAt(list, index);
    const fs::path file = FileOf(uuid);
    if (file.empty()) return ProfileOutcome::NoSuchProfile;

    Json::Value document = JsonFile::Read(m_defaultFile);
    SetRootNames(document, NameAt(list, index), uuid);
    if (kind == hid::DeviceKind::Headset) {
        // The user's custom equalisers are not factory settings; they survive a reset.
        const Json::Value current = JsonFile::Read(file);
        const Json::Value& oldEntry = json::Element(json::Member(current, "Device"), 0);
        Json::Value& newEntry = json::ElementForWrite(json::MemberForWrite(document, "Device"), 0);
        for (const char* key : {"CustomEQNameInfo", "CustomEQHzValueInfo"}) {
            const Json::Value& kept = json::Member(oldEntry, key);
            if (!kept.isNull()) json::MemberForWrite(newEntry, key) = kept;
        }
    }
    return JsonFile::Write(file, document) == JsonFile::WriteResult::Ok
               ? ProfileOutcome::Done
               : ProfileOutcome::WriteFailed;
}

ProfileOutcome ProfileList::ExportProfile(int index, const fs::path& target) const {
    const Json::Value list = ReadList();
    if (!IsInList(list, index)) return ProfileOutcome::NoSuchProfile;
    const fs::path file = FileOf(UuidAt(list, index));
    Json::Value document;
    if (file.empty() || JsonFile::Read(file, document) != JsonFile::ReadStatus::Ok) {
        return ProfileOutcome::ProfileUnreadable;
    }
    return JsonFile::Write(target, document) == JsonFile::WriteResult::Ok
               ? ProfileOutcome::Done
               : ProfileOutcome::WriteFailed;
}

}  // namespace vestra
