// Checks the factory data shipped in DefaultData against what the program reads from it.
#include <gtest/gtest.h>
#include <json/json.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Paths.h"

namespace vestra {
namespace {

namespace fs = std::filesystem;

// The source tree's copy when the test runs under CTest, so a stale copy elsewhere is not checked.
fs::path DefaultDataFolder() {
    if (const char* source = std::getenv("VESTRA_SOURCE_DIR")) {
        return fs::path(source) / "DefaultData";
    }
    return Paths::ShippedFolder("DefaultData");
}

Json::Value Load(const std::string& name) {
    std::ifstream in(DefaultDataFolder() / name, std::ios::binary);
    EXPECT_TRUE(in) << name << " is missing";
    std::stringstream text;
    text << in.rdbuf();
    Json::CharReaderBuilder builder;
    Json::Value root;
    std::string errors;
    EXPECT_TRUE(Json::parseFromStream(builder, text, &root, &errors)) << name << ": " << errors;
    return root;
}

// Fails unless value is an integer within [low, high]; returns it (0 when it is not).
int IntIn(const Json::Value& value, int low, int high, const std::string& what) {
    if (!value.isInt()) {
        ADD_FAILURE() << what << " is not an integer";
        return 0;
    }
    EXPECT_GE(value.asInt(), low) << what;
    EXPECT_LE(value.asInt(), high) << what;
    return value.asInt();
}

void ExpectKeys(const Json::Value& object, const std::vector<std::string>& keys,
                const std::string& what) {
    ASSERT_TRUE(object.isObject()) << what;
    for (const auto& key : keys) {
        EXPECT_TRUE(object.isMember(key)) << what << " lacks \"" << key << "\"";
    }
}

// The program writes booleans as 0/1 and every number as an integer.
void ExpectOnlyIntegerScalars(const Json::Value& value, const std::string& where) {
    EXPECT_NE(value.type(), Json::booleanValue) << where << " is a JSON boolean";
    EXPECT_NE(value.type(), Json::realValue) << where << " is a real number";
    if (value.isObject()) {
        for (const auto& key : value.getMemberNames()) {
            ExpectOnlyIntegerScalars(value[key], where + "." + key);
        }
    } else if (value.isArray()) {
        for (Json::ArrayIndex i = 0; i < value.size(); ++i) {
            ExpectOnlyIntegerScalars(value[i], where + "[" + std::to_string(i) + "]");
        }
    }
}

struct ProfileCase {
    const char* file;
    int modelIndex;  // index into the per-model lists of default_light.json
};
constexpr ProfileCase kProfiles[] = {
    {"keyboard.Json", 0}, {"mouse.Json", 1}, {"MousePad.Json", 2}, {"HD.Json", 3}};

const Json::Value& Entry(const Json::Value& profile) {
    return profile["Device"][0];
}

TEST(DefaultDataTest, EveryShippedFileParsesWithIntegerFlags) {
    const std::set<std::string> expected = {
        "keyboard.Json",      "mouse.Json",        "MousePad.Json",     "HD.Json",
        "default_light.json", "Language.config",   "AudioFile.json",    "color_option_info.config",
        "ShootData_0.Shoot",  "ShootData_1.Shoot", "ShootData_2.Shoot", "ShootData_3.Shoot"};
    std::set<std::string> found;
    for (const auto& item : fs::directory_iterator(DefaultDataFolder())) {
        const std::string name = item.path().filename().string();
        found.insert(name);
        const Json::Value root = Load(name);
        EXPECT_TRUE(root.isObject()) << name;
        ExpectOnlyIntegerScalars(root, name);
    }
    for (const auto& name : expected) {
        EXPECT_TRUE(found.count(name)) << name << " is not shipped";
    }
}

TEST(DefaultDataTest, ProfilesCarryRootKeysAndLightingWithinTheModeTable) {
    const Json::Value modes = Load("default_light.json")["DefaultLightName"];
    for (const auto& c : kProfiles) {
        SCOPED_TRACE(c.file);
        const Json::Value profile = Load(c.file);
        // An imported profile needs both root keys, and a factory file may be imported.
        EXPECT_TRUE(profile["profilename"].isString());
        EXPECT_TRUE(profile["profileUUID"].isString());
        const Json::Value& entry = Entry(profile);
        ASSERT_TRUE(entry.isObject());

        const Json::Value& light = entry["LightInfo"];
        ExpectKeys(light,
                   {"SelectItem", "Light", "Speed", "Fx", "MultiColor", "Red", "Green", "Blue",
                    "ZZCCLedMode", "CustomGroup", "OldLedmode"},
                   "LightInfo");
        const Json::Value& table = modes[c.modelIndex];
        const int mode = IntIn(light["SelectItem"], 0, int(table.size()) - 1, "SelectItem");
        EXPECT_EQ(table[mode]["visible"].asInt(), 1) << "factory mode is hidden in the list";
        IntIn(light["Light"], 0, 4, "Light");
        IntIn(light["Speed"], 0, 4, "Speed");
        IntIn(light["MultiColor"], 0, 1, "MultiColor");
        for (const char* key : {"Fx", "Red", "Green", "Blue", "ZZCCLedMode", "OldLedmode"}) {
            IntIn(light[key], 0, 255, key);
        }

        // Every object in "LightList" becomes an enabled per-light effect that overrides the
        // device's own effect, so the factory list must not carry any.
        ASSERT_TRUE(entry["LightList"].isArray());
        for (const auto& element : entry["LightList"]) {
            EXPECT_TRUE(element.isNull()) << "LightList holds an enabled per-light effect";
        }
    }
}

TEST(DefaultDataTest, KeyboardKeyListHoldsTheFixedKeyCodes) {
    const Json::Value entry = Entry(Load("keyboard.Json"));
    const Json::Value& keys = entry["KeyList"];
    ASSERT_EQ(keys.size(), 170u);

    constexpr int kBlank = 0x200000;
    std::set<int> seen;
    for (Json::ArrayIndex i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE("key " + std::to_string(i));
        const int code = IntIn(keys[i]["DefaultAssignment"], 0, 0xFFFFFF, "DefaultAssignment");
        EXPECT_EQ(keys[i]["Assignment"].asInt(), code) << "factory keys carry their default";
        const int type = code >> 16;
        EXPECT_TRUE(type == 0x20 || type == 0xA0 || type == 0xD0);
        // Slots are matched to positions by code: two positions with one code share a slot.
        if (code != kBlank) {
            EXPECT_TRUE(seen.insert(code).second) << "code used twice";
        }
    }

    struct Anchor {
        int position, code;
    };
    const Anchor anchors[] = {{0, 0x200029},   {1, 0x20003A},   {12, 0x200045},  {15, 0x200048},
                              {16, 0xA01B00},  {17, 0xA02400},  {18, 0x200000},  {22, 0x20001E},
                              {30, 0x200026},  {64, 0x200004},  {84, 0x200200},  {95, 0x202000},
                              {104, 0x200000}, {105, 0x200100}, {110, 0xA00100}, {112, 0x201000},
                              {119, 0x200057}, {120, 0xD0A201}, {124, 0xD0A205}, {125, 0x208000},
                              {126, 0x200000}, {169, 0x200000}};
    for (const auto& a : anchors) {
        EXPECT_EQ(keys[a.position]["DefaultAssignment"].asInt(), a.code) << "key " << a.position;
    }
}

TEST(DefaultDataTest, KeyboardSettingsAndCustomColourGroups) {
    const Json::Value entry = Entry(Load("keyboard.Json"));
    const Json::Value& system = entry["SystemStages"];
    ExpectKeys(system, {"Repeat", "RepeatDelay", "Key6Flag", "PollingRate", "WFlag", "WinFlag"},
               "SystemStages");
    IntIn(system["RepeatDelay"], 0, 3, "RepeatDelay");
    IntIn(system["PollingRate"], 0, 3, "PollingRate");
    IntIn(system["Repeat"], 0, 0xFFFF, "Repeat");
    for (const char* flag : {"Key6Flag", "WFlag", "WinFlag"}) {
        IntIn(system[flag], 0, 1, flag);
    }

    ExpectKeys(entry["AudioLightInfo"],
               {"AudioMode", "BkColorR", "BkColorG", "BkColorB", "FgColorR", "FgColorG", "FgColorB",
                "7ColorFlags", "ColorTypeFlags"},
               "AudioLightInfo");
    IntIn(entry["AudioLightInfo"]["AudioMode"], 0, 6, "AudioMode");

    const Json::Value& groups = entry["CustomLightMode"]["LightColorInfo"];
    ASSERT_TRUE(groups.isArray());
    ASSERT_GE(groups.size(), 1u);
    const int count = int(groups.size());
    IntIn(entry["CustomLightMode"]["CustomLightModeGroupIndex"], 0, count - 1, "group index");
    IntIn(entry["LightInfo"]["CustomGroup"], 0, count - 1, "CustomGroup");
    for (const auto& group : groups) {
        ASSERT_EQ(group.size(), 170u);
        for (const auto& colour : group) {
            for (const char* channel : {"Red", "Green", "Blue", "Alpha"}) {
                IntIn(colour[channel], 0, 255, channel);
            }
        }
    }
}

TEST(DefaultDataTest, MouseKeysStagesAndSettings) {
    const Json::Value entry = Entry(Load("mouse.Json"));

    const int defaults[] = {0x100100, 0x100200, 0x100400, 0x101000, 0x100800, 0x130100,
                            0x130200, 0x130300, 0xA01B00, 0x169001, 0x147802};
    const Json::Value& keys = entry["KeyList"];
    ASSERT_EQ(keys.size(), std::size(defaults));
    for (Json::ArrayIndex i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i]["DefaultAssignment"].asInt(), defaults[i]) << "mouse key " << i;
        EXPECT_EQ(keys[i]["Assignment"].asInt(), defaults[i]) << "mouse key " << i;
    }

    const Json::Value& stages = entry["DPIStages"]["StageDPIs"];
    ASSERT_EQ(stages.size(), 4u);
    const int active = IntIn(entry["DPIStages"]["StageActive"], 0, 3, "DPIStages.StageActive");
    EXPECT_EQ(stages[active]["StageActive"].asInt(), 1) << "selected stage is disabled";
    for (Json::ArrayIndex n = 0; n < stages.size(); ++n) {
        SCOPED_TRACE("stage " + std::to_string(n));
        ExpectKeys(stages[n],
                   {"StageActive", "StageXY", "StageDPIX", "StageDPIY", "StageColorR",
                    "StageColorG", "StageColorB"},
                   "stage");
        // The edit box keeps values up to 10000 on a 50-count grid; a value off the grid would
        // change the first time the user leaves the box.
        const int dpi = IntIn(stages[n]["StageDPIX"], 50, 10000, "StageDPIX");
        EXPECT_EQ(dpi % 50, 0);
        IntIn(stages[n]["StageActive"], 0, 1, "StageActive");
    }

    ExpectKeys(
        entry["SystemStages"],
        {"DoubleClickTime", "MouseSpeed", "PointerPrecision", "ScorllPage", "WheelScorlllinse"},
        "SystemStages");
    IntIn(entry["ReportStages"]["StageActive"], 0, 4, "polling index");
    ExpectKeys(entry["ProfessionalInfo"],
               {"line_correct", "delay_time", "sensor_height", "angle_set", "wave_correct"},
               "ProfessionalInfo");
    IntIn(entry["ProfessionalInfo"]["sensor_height"], 0, 2, "sensor_height");

    const Json::Value& presets = entry["CorrectInfo"];
    ASSERT_GE(presets.size(), 1u);
    int selected = 0;
    for (const auto& preset : presets) {
        ExpectKeys(preset, {"CorrectPixThresh", "CorrectMinSq", "CorrectSelect", "CorrectName"},
                   "CorrectInfo");
        EXPECT_FALSE(preset["CorrectName"].asString().empty());
        selected += preset["CorrectSelect"].asInt() != 0;
    }
    EXPECT_EQ(selected, 1) << "exactly one correction preset is sent";
}

TEST(DefaultDataTest, HeadsetCarriesTheTwelveEqualiserPresets) {
    const int kPresets[12][10] = {
        {7, 11, 2, -3, -1, 4, 9, 12, 9, 5},   {7, 11, 6, -3, -11, -1, 6, 13, 6, 13},
        {10, 4, 0, -3, -4, -3, -2, -1, 0, 0}, {2, 1, -2, -3, -5, -7, 0, 4, 9, 8},
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},       {7, 14, -13, -6, -1, 8, 13, 7, 2, 6},
        {14, 10, 4, 0, -4, -3, -1, 1, 2, 3},  {2, 1, -2, -3, -5, -1, 7, 11, 15, 13},
        {8, 2, -4, -8, 1, 3, 8, 11, 14, 16},  {-3, 4, 10, 0, -11, 3, 9, 13, 6, 0},
        {18, 14, 8, 2, -3, -6, -1, 2, 5, 6},  {2, 1, -2, -4, -8, 4, 12, 16, 18, 15}};
    const Json::Value entry = Entry(Load("HD.Json"));

    // Equaliser types 1-12 address "EQHzValueInfo" slots 1-12 directly.
    const Json::Value& slots = entry["EQHzValueInfo"];
    ASSERT_EQ(slots.size(), 13u);
    for (int type = 1; type <= 12; ++type) {
        ASSERT_EQ(slots[type].size(), 10u) << "type " << type;
        for (int band = 0; band < 10; ++band) {
            EXPECT_EQ(slots[type][band]["value"].asInt(), kPresets[type - 1][band])
                << "type " << type << " band " << band;
        }
    }

    const Json::Value& system = entry["SystemSetStages"];
    ExpectKeys(system,
               {"MagicEnable", "MagicType", "EqType", "CustomEqSeletIndex", "MicInSelect",
                "MicInValue", "MicMoniterSelect", "MicMoniterValue"},
               "SystemSetStages");
    IntIn(system["EqType"], 1, 12, "EqType");  // custom (13) needs a custom equaliser
    IntIn(system["MagicType"], 1, 4, "MagicType");
    IntIn(system["MicInValue"], 0, 100, "MicInValue");
    IntIn(system["MicMoniterValue"], 0, 100, "MicMoniterValue");

    EXPECT_TRUE(entry["CustomEQNameInfo"].isArray());
    EXPECT_TRUE(entry["CustomEQHzValueInfo"].isArray());
    EXPECT_LE(entry["CustomEQNameInfo"].size(), 20u);
}

TEST(DefaultDataTest, ModeTablesGiveEachModelItsModesWithDistinctCodes) {
    const Json::Value doc = Load("default_light.json");
    const Json::ArrayIndex sizes[] = {31, 10, 9, 9};  // keyboard, mouse, mouse pad, headset
    ASSERT_EQ(doc["DefaultLightName"].size(), 4u);
    ASSERT_EQ(doc["AreaLightName"].size(), 4u);
    for (Json::ArrayIndex model = 0; model < 4; ++model) {
        SCOPED_TRACE("model " + std::to_string(model));
        const Json::Value& table = doc["DefaultLightName"][model];
        ASSERT_EQ(table.size(), sizes[model]);
        // A code read back from the device is turned into the first index with that code, so
        // a repeated code would send the user to another mode.
        std::set<int> codes;
        for (const auto& mode : table) {
            EXPECT_FALSE(mode["LightName"].asString().empty());
            IntIn(mode["visible"], 0, 1, "visible");
            EXPECT_TRUE(codes.insert(IntIn(mode["value"], 0, 255, "value")).second)
                << "code " << mode["value"].asInt() << " used twice";
        }
        const Json::Value& areas = doc["AreaLightName"][model];
        ASSERT_GE(areas.size(), 1u);
        for (const auto& area : areas) {
            EXPECT_FALSE(area["LightName"].asString().empty());
        }
    }
}

TEST(DefaultDataTest, LanguageListOffersChineseAndEnglish) {
    const Json::Value doc = Load("Language.config");
    const Json::Value& languages = doc["Language"];
    ASSERT_GE(languages.size(), 2u);
    std::set<int> ids;
    std::set<std::string> texts;
    for (const auto& language : languages) {
        ExpectKeys(language, {"Language_name", "Language_file", "Language_ID", "Language_text"},
                   "language");
        EXPECT_TRUE(ids.insert(language["Language_ID"].asInt()).second) << "ID used twice";
        texts.insert(language["Language_text"].asString());
        EXPECT_FALSE(language["Language_file"].asString().empty());
    }
    EXPECT_TRUE(texts.count("English"));
    EXPECT_TRUE(texts.count("简体中文"));
}

TEST(DefaultDataTest, AudioStylesAndColourSwatches) {
    const Json::Value audio = Load("AudioFile.json");
    const Json::Value& styles = audio["Device"]["AudioLightInfo"];
    IntIn(styles["nAudioStyle"], 0, 3, "nAudioStyle");
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(styles["nStyleName" + std::to_string(i + 1)].asString().empty());
        for (const char* channel : {"nStyleR", "nStyleG", "nStyleB"}) {
            const std::string key = channel + std::to_string(i);
            IntIn(styles[key], 0, 9, key);
        }
    }

    const Json::Value swatchFile = Load("color_option_info.config");
    const Json::Value& swatches = swatchFile["coloroptioninfo"];
    for (const char* list : {"palletDialogcoloroption", "palletDialogcollectcoloroption"}) {
        SCOPED_TRACE(list);
        ASSERT_EQ(swatches[list].size(), 20u);
        IntIn(swatches[std::string(list) + "_selectitem"], 0, 19, "selectitem");
        for (const auto& swatch : swatches[list]) {
            const std::string colour = swatch["color"].asString();
            // Read back with base 16 as 0xAARRGGBB; the picker only makes opaque colours.
            ASSERT_EQ(colour.size(), 8u) << colour;
            EXPECT_EQ(colour.find_first_not_of("0123456789ABCDEF"), std::string::npos) << colour;
            EXPECT_EQ(colour.substr(0, 2), "FF") << colour;
        }
    }
    for (const auto& swatch : swatches["palletDialogcollectcoloroption"]) {
        EXPECT_TRUE(swatch["UserData"].isString());
    }
}

TEST(DefaultDataTest, BulletPatternsHoldThirtyBulletsOfSixEvents) {
    // Each bullet is six events at fixed places, which the editor reads by position: click,
    // release, horizontal move, vertical move with the bullet's wait, two zero moves.
    // -1 / nullptr: the value is the bullet's own.
    struct Slot {
        int type;
        const char* action;
        int button, delay;
    };
    constexpr Slot kBullet[6] = {{1, "down", 1, 10},   {1, "up", 1, 0},    {4, nullptr, -1, 5},
                                 {5, nullptr, -1, -1}, {4, nullptr, 0, 0}, {5, nullptr, 0, 0}};
    for (int gun = 0; gun < 4; ++gun) {
        const std::string name = "ShootData_" + std::to_string(gun) + ".Shoot";
        SCOPED_TRACE(name);
        const Json::Value pattern = Load(name);
        const Json::Value& events = pattern["Events"];
        ASSERT_EQ(events.size(), 180u);
        const int wait = events[3]["Delay"].asInt();
        // A steady fire rate between 400 and 1200 rounds a minute.
        EXPECT_GE(10 + 5 + wait, 50);
        EXPECT_LE(10 + 5 + wait, 150);
        for (Json::ArrayIndex i = 0; i < events.size(); ++i) {
            SCOPED_TRACE("event " + std::to_string(i));
            const Json::Value& event = events[i];
            const Slot& slot = kBullet[i % 6];
            EXPECT_EQ(event["Type"].asInt(), slot.type);
            const std::string action = event["Action"].asString();
            EXPECT_TRUE(slot.action ? action == slot.action : action == "down" || action == "up")
                << action;
            // A move is one byte and a wait 16 bits in the device image.
            const int button = IntIn(event["Button"], 0, 255, "Button");
            const int delay = IntIn(event["Delay"], 0, 65535, "Delay");
            if (slot.button >= 0) {
                EXPECT_EQ(button, slot.button);
            }
            EXPECT_EQ(delay, slot.delay >= 0 ? slot.delay : wait);
        }
    }
}

}  // namespace
}  // namespace vestra
