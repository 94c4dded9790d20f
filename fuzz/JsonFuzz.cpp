// Fuzzes every reader of the program's stored JSON files. The input is the text of one file; it
// is stored as each kind of file in turn (profile, default profile, profile list, light
// configuration, custom effect, macro library, macro file, bullet pattern) and read by the code
// that reads that kind, which then changes what it read and saves it. Every file written must
// parse again, and a parsed document must survive its own styled form unchanged.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "profile/CHs6533Profiledata.h"
#include "profile/CKeyboardProfiledata.h"
#include "profile/CMouseProfiledata.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "profile/MacroEvent.h"
#include "profile/MacroLibrary.h"
#include "profile/ProfileList.h"

namespace {

namespace fs = std::filesystem;
using namespace vestra;

void Check(bool condition) {
    if (!condition) abort();
}

// A fresh folder for one input, in memory when the machine has one: every input writes several
// files. It is removed after the input, so only a crash leaves one behind.
fs::path MakeWorkspace() {
    std::string pattern = fs::is_directory("/dev/shm") ? "/dev/shm/vestra-json-fuzz-XXXXXX"
                                                       : "/tmp/vestra-json-fuzz-XXXXXX";
    Check(mkdtemp(pattern.data()) != nullptr);
    return pattern;
}

void WriteRaw(const fs::path& path, std::string_view text) {
    fs::create_directories(path.parent_path());
    FILE* file = std::fopen(path.c_str(), "wb");
    Check(file != nullptr);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

void ExpectParsesIfPresent(const fs::path& path) {
    Json::Value document;
    Check(JsonFile::Read(path, document) != JsonFile::ReadStatus::Invalid);
}

// Strict UTF-8: no overlong forms, surrogates or code points above U+10FFFF.
bool IsValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80                   ? 0
                          : lead >= 0xC2 && lead < 0xE0 ? 1
                          : lead >= 0xE0 && lead < 0xF0 ? 2
                          : lead >= 0xF0 && lead < 0xF5 ? 3
                                                        : -1;
        if (extra < 0 || i + extra >= text.size() + (extra == 0)) return false;
        uint32_t code = lead & (0x7F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = code << 6 | (next & 0x3F);
        }
        static constexpr uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
            return false;
        }
        i += extra + 1;
    }
    return true;
}

// The styled form escapes text outside ASCII; text that is not UTF-8 has no escape and comes
// back with U+FFFD in its place. UTF-8 documents must come back unchanged.
void RoundTrip(std::string_view text) {
    Json::Value first, second;
    if (!JsonFile::Parse(text, first)) return;
    Check(JsonFile::Parse(JsonFile::Styled(first), second));
    Check(first == second || !IsValidUtf8(text));
}

void ProfileData(const fs::path& folder, std::string_view text) {
    const fs::path profile = folder / "profile.Json";
    const fs::path other = folder / "other.Json";
    WriteRaw(folder / "default.Json", text);

    WriteRaw(profile, text);
    CKeyboardProfiledata keyboard;
    keyboard.SetDefaultPath(folder / "default.Json");
    keyboard.SetProfilePath(profile);
    keyboard.LoadEntry(profile);
    const LightInfoRecord light = keyboard.GetLightInfo();
    keyboard.SetLightInfo(light);
    keyboard.GetAudioLightInfo();
    keyboard.GetLightList();
    keyboard.SetKeyList(keyboard.GetKeyList());
    const KeyboardSystemSettings system = keyboard.GetSystemStages();
    keyboard.SetSystemStages(system.repeat | system.repeatDelay << 16, system.pollingRate << 16,
                             system.winFlag << 16);
    const int group = keyboard.GetCustomGroupIndex();
    keyboard.SetCustomColors(keyboard.GetCustomColors(group, 8), group);
    keyboard.SetCustomColors(keyboard.GetCustomColors(light.customGroup, 8), light.customGroup);
    Check(keyboard.SaveEntry() == JsonFile::WriteResult::Ok);
    ExpectParsesIfPresent(profile);

    WriteRaw(other, text);
    keyboard.LoadSideEntry(other);
    keyboard.SetSideKeyList(keyboard.GetSideKeyList());
    keyboard.SaveSideEntryTo(other);
    ExpectParsesIfPresent(other);

    WriteRaw(profile, text);
    CMouseProfiledata mouse;
    mouse.SetDefaultPath(folder / "default.Json");
    mouse.SetProfilePath(profile);
    mouse.LoadEntry(profile);
    mouse.SetDpiStages(mouse.GetDpiStages());
    mouse.SetActiveStage(mouse.GetActiveStage());
    const MouseSystemSettings mouseSystem = mouse.GetMouseSystemStages();
    mouse.SetMouseSystemStages(mouseSystem.doubleClickTime, mouseSystem.pointerPrecision,
                               mouseSystem.wheelScrollLines | mouseSystem.reportRate << 16);
    mouse.GetCorrectPresets();
    const ProfessionalSettings professional = mouse.GetProfessional();
    mouse.SetProfessional(professional.lineCorrect, professional.waveCorrect);
    mouse.SaveEntry();
    ExpectParsesIfPresent(profile);

    WriteRaw(profile, text);
    CHs6533Profiledata headset;
    headset.SetDefaultPath(folder / "default.Json");
    headset.SetProfilePath(profile);
    headset.LoadEntry(profile);
    const HeadsetSystemSettings audio = headset.GetSystemSetStages();
    headset.SetSystemSetStages(audio);
    // Both indexes come from the file.
    headset.GetEq(audio.eqType);
    headset.GetCustomEq(audio.customEqSelectIndex);
    headset.SetCustomEqNames(headset.GetCustomEqNames());
    headset.SetEq(audio.eqType, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    headset.SaveEntry();
    ExpectParsesIfPresent(profile);
}

void LightFiles(const fs::path& folder, std::string_view text) {
    CBasicProfiledata data;
    // The input as the light configuration, naming effects that may or may not exist.
    const fs::path config = folder / "kavro_light.config";
    WriteRaw(config, text);
    data.SetLightConfigPath(config);
    data.LoadLightConfig(config);
    for (uint8_t select = 0; select < 4; ++select) {
        LightInfoRecord light{};
        light.selectItem = select;
        data.SetLightInfo(light);
        data.GetCustomLightSteps();
    }
    // The input as a custom effect.
    WriteRaw(config, R"({"LightInfo": [[{"Guid": "effect"}]]})");
    WriteRaw(folder / "effect.light", text);
    data.LoadLightConfig(config);
    data.SetLightInfo(LightInfoRecord{});
    data.GetCustomLightSteps();
}

void ProfileListFile(const fs::path& folder, std::string_view text) {
    const fs::path data = folder / "list";
    WriteRaw(data / "ProfileList.ini", text);
    WriteRaw(folder / "import.json", text);
    const auto instant = std::chrono::system_clock::time_point(std::chrono::hours(24 * 365 * 50));
    ProfileList list(data, folder / "default.Json", [instant] { return instant; });
    list.Entries();
    list.SelectedIndex();
    for (int i = 0; i < list.ProfileCount() && i < 8; ++i) list.ProfilePathAt(i);

    list.EnsureProfileList();
    Check(list.ProfileCount() >= 1);
    list.SelectProfile(list.ProfileCount() - 1);
    list.RenameProfile(0, "renamed");
    list.CopyProfile(0);
    list.AddProfile();
    list.ImportProfile(folder / "import.json");
    list.ExportProfile(0, folder / "export.json");
    list.ResetProfile(0, hid::DeviceKind::Headset);
    list.DeleteProfile(0);
    Check(list.ProfileCount() >= 1);
    Check(list.SelectedIndex() < list.ProfileCount());
    ExpectParsesIfPresent(data / "ProfileList.ini");
    ExpectParsesIfPresent(folder / "export.json");
}

void MacroFiles(const fs::path& folder, std::string_view text) {
    // The input as the library.
    const fs::path libraryFolder = folder / "macros";
    WriteRaw(libraryFolder / MacroLibrary::kLibraryFileName, text);
    MacroLibrary library(libraryFolder);
    library.Load();
    library.Names();
    for (int i = 0; i < library.Count() && i < 8; ++i) {
        library.MacroFilePath(i);
        library.LoadEvents(i);
    }
    // The input as a macro file, read, saved back and imported.
    const fs::path macroFolder = folder / "macro";
    WriteRaw(macroFolder / MacroLibrary::kLibraryFileName,
             R"({"MacroInfo": [{"MacroName": "m", "Guid": "m"}]})");
    WriteRaw(macroFolder / "m.mac", text);
    WriteRaw(folder / "import.mac", text);
    MacroLibrary single(macroFolder);
    single.Load();
    const std::vector<MacroEvent> events = single.LoadEvents(0);
    single.SaveEvents(0, events);
    ExpectParsesIfPresent(macroFolder / "m.mac");
    single.Import(folder / "import.mac");
}

// The bullet pattern editor's reads and writes: bullet b is events 6b to 6b + 5.
void ShootFile(const fs::path& folder, std::string_view text) {
    const fs::path path = folder / "ShootData_0.Shoot";
    WriteRaw(path, text);
    Json::Value document = JsonFile::Read(path);
    const Json::Value& events = json::Member(document, "Events");
    MacroEventsFromJson(events);
    int64_t sum = 0;
    for (int bullet = 0; bullet < 30; ++bullet) {
        for (int offset : {2, 3}) {
            const Json::Value& event = json::Element(events, 6 * bullet + offset);
            sum += json::ToInt(json::Member(event, "Button")) +
                   json::ToInt(json::Member(event, "Delay"));
            sum += json::ToString(json::Member(event, "Action")).size();
        }
    }
    Json::Value& written = json::MemberForWrite(document, "Events");
    for (int i = 0; i < 6; ++i) {
        Json::Value& event = json::ElementForWrite(written, 18 + i);
        json::MemberForWrite(event, "Action") = i % 2 ? "up" : "down";
        json::MemberForWrite(event, "Button") = static_cast<int>(sum & 0xFF);
        json::MemberForWrite(event, "Delay") = 5;
        json::MemberForWrite(event, "Type") = 4 + i % 2;
    }
    Check(JsonFile::Write(path, document) == JsonFile::WriteResult::Ok);
    ExpectParsesIfPresent(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const fs::path folder = MakeWorkspace();

    RoundTrip(text);
    ProfileData(folder, text);
    LightFiles(folder, text);
    ProfileListFile(folder, text);
    MacroFiles(folder, text);
    ShootFile(folder, text);
    fs::remove_all(folder);
    return 0;
}
