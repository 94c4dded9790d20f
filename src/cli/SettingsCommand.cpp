#include <iostream>
#include <vector>

#include "cli/CommandTable.h"
#include "cli/DeviceSelection.h"
#include "cli/NumberArgument.h"
#include "cli/RecordFields.h"
#include "device/protocol/DeviceChannel.h"
#include "device/protocol/KeyboardSettingsRecord.h"
#include "device/protocol/MouseSettingsBlock.h"

namespace vestra::cli {
namespace {

using hid::DeviceKind;
using namespace vestra::protocol;

// "#rrggbb", as `settings` has always shown colours.
std::string Colour(uint8_t red, uint8_t green, uint8_t blue) {
    return "#" + ColourHex(red, green, blue);
}

// Bytes 0-8 are laid out alike on the keyboard, the pad and the headset. Mode codes are the
// device's own; the mode table that names them belongs to the device model.
void AddLighting(RecordFields& fields, const KeyboardSettingsRecord& record) {
    fields.Add("modeCode", "mode code", record.modeCode);
    fields.Add("brightness", "brightness", record.brightness);
    fields.Add("speed", "speed", record.Speed());
    fields.Add("direction", "direction", record.direction);
    fields.Add("multiColor", "multi-colour", record.multiColor);
    fields.Add("red", "red", record.red);
    fields.Add("green", "green", record.green);
    fields.Add(
        "blue", "blue", record.blue,
        std::to_string(record.blue) + "  (" + Colour(record.red, record.green, record.blue) + ")");
}

RecordFields KeyboardFields(const KeyboardSettingsRecord& record) {
    RecordFields fields;
    AddLighting(fields, record);
    fields.Add("ledMode", "LED mode", record.ledMode);
    fields.Add("wFlag", "W flag", record.wFlag);
    fields.Add("key6Flag", "6-key flag", record.key6Flag);
    fields.Add("winLock", "Windows-key lock", record.winFlag);
    fields.Add("pollingRate", "polling rate", record.pollingRate);
    fields.Add("customGroup", "custom colour group", record.customGroup);
    return fields;
}

// The pad and the headset use bytes 0-20; bytes 9-20 are kept as the device has them.
RecordFields LightingRecordFields(const KeyboardSettingsRecord& record) {
    RecordFields fields;
    AddLighting(fields, record);
    fields.Add("extra", "bytes 9-20", HexText(record.Bytes().subspan(9, 12)));
    return fields;
}

RecordFields MouseFields(const MouseSettingsBlock& block) {
    RecordFields fields;
    fields.Add("modeCode", "mode code", block.modeCode);
    fields.Add("brightness", "brightness", block.brightness);
    fields.Add("speed", "speed", block.Speed());
    fields.Add("multiColor", "multi-colour", block.multiColor);
    fields.Add("red", "red", block.red);
    fields.Add("green", "green", block.green);
    fields.Add(
        "blue", "blue", block.blue,
        std::to_string(block.blue) + "  (" + Colour(block.red, block.green, block.blue) + ")");
    fields.Add("pollingIndex", "polling-rate index", block.pollingIndex);
    fields.Add("selectedStage", "selected DPI stage", block.selectedStage);
    fields.Add("sensorHeight", "sensor height", block.sensorHeight);
    fields.Add("screenWidth", "screen width", block.ScreenWidth());
    fields.Add("screenHeight", "screen height", block.ScreenHeight());
    return fields;
}

RecordFields StageFields(const MouseDpiStage& stage) {
    RecordFields fields;
    fields.Add("active", "enabled", stage.active);
    fields.Add("xy", "separate X/Y", stage.xy);
    fields.Add("dpiX", "DPI X", stage.DpiX());
    fields.Add("dpiY", "DPI Y", stage.DpiY());
    fields.Add("colour", "colour", Colour(stage.red, stage.green, stage.blue));
    return fields;
}

}  // namespace

int RunSettings(CliContext& context) {
    if (!context.args.empty()) {
        context.PrintError("settings takes no arguments");
        return 2;
    }
    int exitCode = 0;
    std::optional<SelectedDevice> device = SelectDevice(context, exitCode);
    if (!device) return exitCode;
    DeviceChannel channel;
    if (!OpenChannel(context, *device, channel)) return 1;

    // Byte 0 of the settings area is the active slot; its record follows at the slot's stride.
    uint8_t slot = 0;
    int result = channel.ReadSettings(std::span(&slot, 1), 0);
    RecordFields fields;
    std::vector<RecordFields> stages;
    KeyboardSettingsRecord record{};
    MouseSettingsBlock block{};
    if (result == RESULT_OK && device->kind == DeviceKind::Mouse) {
        result = channel.ReadSettings(block.Bytes(),
                                      static_cast<uint16_t>(slot * kMouseSettingsSlotStride));
        fields = MouseFields(block);
        for (const MouseDpiStage& stage : block.stages) stages.push_back(StageFields(stage));
        fields.Add("raw", "raw", HexText(block.Bytes()));
    } else if (result == RESULT_OK) {
        result =
            channel.ReadSettings(record.Bytes(), static_cast<uint16_t>(slot * kSettingsSlotStride));
        fields = device->kind == DeviceKind::Keyboard ? KeyboardFields(record)
                                                      : LightingRecordFields(record);
        fields.Add("raw", "raw", HexText(record.Bytes()));
    }
    if (result != RESULT_OK) {
        context.PrintError(std::string("cannot read the settings: ") + ResultText(result));
        return 1;
    }

    if (context.options.json) {
        Json::Value root(Json::objectValue);
        root["device"] = DeviceJson(*device);
        root["activeSlot"] = slot;
        root["settings"] = fields.ToJson();
        if (!stages.empty()) {
            Json::Value& list = root["settings"]["stages"] = Json::Value(Json::arrayValue);
            for (const RecordFields& stage : stages) list.append(stage.ToJson());
        }
        context.PrintJson(root);
    } else {
        std::cout << DeviceTitle(*device) << ", slot " << device->slot << ": "
                  << device->entry.devicePath << '\n'
                  << "Active profile slot " << int(slot) << '\n';
        fields.Print(std::cout, "Settings");
        for (size_t i = 0; i < stages.size(); ++i) {
            stages[i].Print(std::cout, "DPI stage " + std::to_string(i));
        }
    }
    return 0;
}

}  // namespace vestra::cli
