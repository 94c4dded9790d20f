// The fixed records the profile data hands to the device objects, one per group of profile keys.
#pragma once

#include <bit>
#include <cstdint>
#include <string>

namespace vestra {

// The records are passed to the device objects as little-endian words (see LightInfoRecord).
static_assert(std::endian::native == std::endian::little);

// Each record is laid out without padding (the size checks below hold that), so no packing is
// needed and every multi-byte field stays naturally aligned.

// "LightInfo". Passed as three 32-bit words (bytes 0-3, 4-7, 8-11) and a 16-bit half (12-13).
struct LightInfoRecord {
    uint8_t selectItem;   // "SelectItem": effect index; also picks the custom effect
    uint8_t light;        // "Light"
    uint8_t speed;        // "Speed"
    uint8_t fx;           // "Fx"
    uint8_t multiColor;   // "MultiColor": a boolean, read as 0/1
    uint8_t red;          // "Red"
    uint8_t green;        // "Green"
    uint8_t blue;         // "Blue"
    uint8_t reserved[3];  // not stored; always 0 after a read
    uint8_t zzccLedMode;  // "ZZCCLedMode"
    uint8_t customGroup;  // "CustomGroup"
    uint8_t oldLedMode;   // "OldLedmode"
};
static_assert(sizeof(LightInfoRecord) == 14);

// "AudioLightInfo". Passed as two 32-bit words (bytes 0-3, 4-7) and byte 8.
struct AudioLightRecord {
    uint8_t audioMode;       // "AudioMode"
    uint8_t backRed;         // "BkColorR"
    uint8_t backGreen;       // "BkColorG"
    uint8_t backBlue;        // "BkColorB"
    uint8_t foreRed;         // "FgColorR"
    uint8_t foreGreen;       // "FgColorG"
    uint8_t foreBlue;        // "FgColorB"
    uint8_t sevenColors;     // "7ColorFlags": a boolean
    uint8_t colorTypeFlags;  // "ColorTypeFlags": a boolean
};
static_assert(sizeof(AudioLightRecord) == 9);

// One element of "LightList" (read only; it comes from the default profile).
struct LightListEntry {
    uint8_t mode;        // "LEDREGMode"
    uint8_t brightness;  // "LEDBrightness"
    uint8_t speed;       // "LEDSpeed"
    uint8_t direction;   // "LEDDirection": a boolean
    uint8_t multiColor;  // "LEDMultiColor": a boolean
    uint8_t red;         // "red"
    uint8_t green;       // "green"
    uint8_t blue;        // "blue"
    uint8_t reserved[2];
    uint8_t present;  // 1 when the array element is an object, 0 when it is null
    uint8_t reserved2[3];
};
static_assert(sizeof(LightListEntry) == 14);

// One step of a custom effect (the "LEDEffectList" of a ".light" file).
struct LightStep {
    uint8_t mode;        // "LEDREGMode"
    uint8_t brightness;  // "LEDBrightness"
    uint8_t speed;       // "LEDSpeed"
    uint8_t direction;   // "LEDDirection", read as an integer
    uint8_t multiColor;  // "LEDMultiColor", read as an integer
    uint8_t red;         // "red"
    uint8_t green;       // "green"
    uint8_t blue;        // "blue"
    uint8_t reserved[8];
    int32_t time;   // "Time"
    int32_t cycle;  // "Cyle"
};
static_assert(sizeof(LightStep) == 24);

// A key slot's assignment: the key's position in "KeyList" and its 3-byte function code.
struct KeyAssignment {
    uint16_t keyIndex;
    uint8_t code[3];  // type, value 1, value 2; in JSON one integer (A << 16) | (B << 8) | C
    uint8_t reserved;
};
static_assert(sizeof(KeyAssignment) == 6);

// One element of "KeyList": "Assignment" and "DefaultAssignment".
struct KeyAssignmentPair {
    KeyAssignment current;
    KeyAssignment defaults;
};
static_assert(sizeof(KeyAssignmentPair) == 12);

// "SystemSetStages" of the headset.
struct HeadsetSystemSettings {
    int32_t magicEnable;          // "MagicEnable"
    int32_t magicType;            // "MagicType"
    int32_t eqType;               // "EqType": 13 is a custom equaliser
    int32_t customEqSelectIndex;  // "CustomEqSeletIndex"
    int32_t micInSelect;          // "MicInSelect"
    int32_t micInValue;           // "MicInValue"
    int32_t micMonitorSelect;     // "MicMoniterSelect"
    int32_t micMonitorValue;      // "MicMoniterValue"
};
static_assert(sizeof(HeadsetSystemSettings) == 32);

// "SystemStages" of the keyboard: three 32-bit words of (low, high) 16-bit halves.
struct KeyboardSystemSettings {
    uint16_t repeat;       // word 0 low: "Repeat"
    uint16_t repeatDelay;  // word 0 high: "RepeatDelay"
    uint16_t key6Flag;     // word 1 low: "Key6Flag"
    uint16_t pollingRate;  // word 1 high: "PollingRate"
    uint16_t wFlag;        // word 2 low: "WFlag"
    uint16_t winFlag;      // word 2 high: "WinFlag"
};
static_assert(sizeof(KeyboardSystemSettings) == 12);

// One colour of a keyboard custom light group ("CustomLightMode"."LightColorInfo"[group][i]).
struct CustomColor {
    uint8_t red;    // "Red"
    uint8_t green;  // "Green"
    uint8_t blue;   // "Blue"
    uint8_t alpha;  // "Alpha"
};
static_assert(sizeof(CustomColor) == 4);

// One element of "DPIStages"."StageDPIs". The two 16-bit values sit at odd-sized strides in a
// list of stages, so they are byte pairs (little-endian) with accessors.
struct DpiStage {
    uint8_t active;      // "StageActive"
    uint8_t xy;          // "StageXY"
    uint8_t dpiX[2];     // "StageDPIX"
    uint8_t dpiY[2];     // "StageDPIY"
    uint8_t colorRed;    // "StageColorR"
    uint8_t colorGreen;  // "StageColorG"
    uint8_t colorBlue;   // "StageColorB"

    uint16_t DpiX() const { return uint16_t(dpiX[0] | dpiX[1] << 8); }
    uint16_t DpiY() const { return uint16_t(dpiY[0] | dpiY[1] << 8); }
    void SetDpiX(uint16_t value) { dpiX[0] = uint8_t(value), dpiX[1] = uint8_t(value >> 8); }
    void SetDpiY(uint16_t value) { dpiY[0] = uint8_t(value), dpiY[1] = uint8_t(value >> 8); }
};
static_assert(sizeof(DpiStage) == 9);

// "SystemStages" and "ReportStages" of the mouse: three 32-bit words of (low, high) halves.
// The key spellings ("Scorll", "Scorlllinse") are those of the stored files.
struct MouseSystemSettings {
    uint16_t doubleClickTime;   // word 0 low: "SystemStages"."DoubleClickTime"
    uint16_t mouseSpeed;        // word 0 high: "SystemStages"."MouseSpeed"
    uint16_t pointerPrecision;  // word 1 low: "SystemStages"."PointerPrecision"
    uint16_t scrollPage;        // word 1 high: "SystemStages"."ScorllPage"
    uint16_t wheelScrollLines;  // word 2 low: "SystemStages"."WheelScorlllinse"
    uint16_t reportRate;        // word 2 high: "ReportStages"."StageActive"
};
static_assert(sizeof(MouseSystemSettings) == 12);

// "ProfessionalInfo" of the mouse. Passed as one 32-bit word (bytes 0-3) and byte 4.
struct ProfessionalSettings {
    uint8_t lineCorrect;   // "line_correct"
    uint8_t delayTime;     // "delay_time"
    uint8_t sensorHeight;  // "sensor_height"
    uint8_t angleSet;      // "angle_set"
    uint8_t waveCorrect;   // "wave_correct"
};
static_assert(sizeof(ProfessionalSettings) == 5);

// One element of the mouse's "CorrectInfo" (read only). Holds a name, so it is no wire record.
struct CorrectPreset {
    uint8_t pixThresh = 0;  // "CorrectPixThresh"
    uint8_t minSq = 0;      // "CorrectMinSq"
    uint8_t select = 0;     // "CorrectSelect"
    std::string name;       // "CorrectName"
};

}  // namespace vestra
