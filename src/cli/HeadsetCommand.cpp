// `headset`: the headset's audio half (equaliser, microphone, monitoring, voice changer)
// through its device object and the audio configuration library.
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "audio/AlsaAudioLibrary.h"
#include "audio/SimulatedAudioLibrary.h"
#include "cli/CommandTable.h"
#include "cli/DeviceSelection.h"
#include "cli/NumberArgument.h"
#include "cli/RecordFields.h"
#include "device/model/CHalvorinHS6533Device.h"
#include "device/model/DemoAudioState.h"

namespace vestra::cli {
namespace {


constexpr const char* kUsage =
    "usage: vestractl [--device SEL] [--json] headset get\n"
    "       vestractl headset eq get | preset 1-12 | band 0-9 VALUE | custom NAME | delete |\n"
    "                 save NAME [V0 ... V9]\n"
    "       vestractl headset mic level 0-100 | mute on|off\n"
    "       vestractl headset monitor level 0-100 | mute on|off\n"
    "       vestractl headset voice on|off | type 1-4";

constexpr int kBandLimit = 20;  // the band sliders run -20 to +20

std::optional<bool> OnOff(const std::string& text) {
    if (text == "on") return true;
    if (text == "off") return false;
    return std::nullopt;
}

struct HeadsetSession {
    SelectedDevice selected;
    std::unique_ptr<audio::AudioConfigLibrary> library;
    audio::SimulatedAudioLibrary* demoLibrary = nullptr;
    std::unique_ptr<CHalvorinHS6533Device> headset;  // uses library: destroyed first
};

std::unique_ptr<HeadsetSession> OpenHeadset(const CliContext& context, int& exitCode) {
    std::optional<SelectedDevice> selected = SelectDevice(context, exitCode);
    if (!selected) return nullptr;
    if (selected->kind != hid::DeviceKind::Headset) {
        context.PrintError(std::string("headset is for the headset, not for the ") +
                           KindWord(selected->kind));
        exitCode = 1;
        return nullptr;
    }
    auto session = std::make_unique<HeadsetSession>();
    session->selected = *selected;
    if (context.options.demo) {
        auto simulated = std::make_unique<audio::SimulatedAudioLibrary>();
        DemoAudioState::Load(*simulated);
        session->demoLibrary = simulated.get();
        session->library = std::move(simulated);
    } else {
        session->library = std::make_unique<audio::AlsaAudioLibrary>();
    }
    session->headset =
        std::make_unique<CHalvorinHS6533Device>(hid::HidBackend::Default(), session->library.get());
    CHalvorinHS6533Device& headset = *session->headset;
    headset.SetIdentity(selected->entry);
    // The audio half works without the HID channel; a channel that does not open is reported
    // by the lighting commands, not here.
    headset.LoadProfile();
    headset.LoadDeviceConfig();
    headset.AudioInit();
    return session;
}

std::string Bands(const EqBands& bands) {
    std::string text;
    for (int value : bands) text += (text.empty() ? "" : " ") + std::to_string(value);
    return text;
}

void PrintEqualiser(const CHalvorinHS6533Device& headset, RecordFields& fields) {
    const Equaliser& eq = headset.Eq();
    const int chosen = eq.ChosenName();
    fields.Add("eqType", "equaliser", eq.Type(),
               eq.Type() == kEqCustomType ? "custom" : "preset " + std::to_string(eq.Type()));
    fields.Add("customEq", "custom equaliser",
               chosen >= 0 ? Json::Value(eq.Names()[chosen]) : Json::Value(),
               chosen >= 0 ? eq.Names()[chosen] : "-");
    Json::Value bands(Json::arrayValue);
    for (int value : eq.Sliders()) bands.append(value);
    fields.Add("bands", "bands", bands, Bands(eq.Sliders()));
    Json::Value names(Json::arrayValue);
    std::string text;
    for (const std::string& name : eq.Names()) {
        names.append(name);
        text += (text.empty() ? "" : ", ") + name;
    }
    fields.Add("customNames", "custom names", names, text.empty() ? "-" : text);
}

void Print(const CliContext& context, const HeadsetSession& session, bool equaliserOnly) {
    const CHalvorinHS6533Device& headset = *session.headset;
    const HeadsetSystemSettings system = headset.SystemSettings();
    RecordFields fields;
    if (!equaliserOnly) {
        fields.Add("micOn", "microphone", system.micInSelect != 0,
                   system.micInSelect ? "on" : "muted");
        fields.Add("micLevel", "microphone level", system.micInValue);
        fields.Add("monitorOn", "monitoring", system.micMonitorSelect != 0,
                   system.micMonitorSelect ? "on" : "muted");
        fields.Add("monitorLevel", "monitoring level", system.micMonitorValue);
        fields.Add("voice", "voice changer", system.magicEnable != 0,
                   system.magicEnable ? "on" : "off");
        fields.Add("voiceType", "voice type", system.magicType);
    }
    PrintEqualiser(headset, fields);
    if (context.options.json) {
        Json::Value root(Json::objectValue);
        root["device"] = DeviceJson(session.selected);
        root["headset"] = fields.ToJson();
        context.PrintJson(root);
    } else {
        fields.Print(std::cout, "Audio of the " + DeviceTitle(session.selected));
    }
}

// The equaliser operations; 0, 1 refused, 2 bad usage.
int RunEqualiser(const CliContext& context, Equaliser& eq) {
    const std::vector<std::string>& args = context.args;
    const std::string operation = args.size() > 1 ? args[1] : "";
    if (operation == "get" && args.size() == 2) return 0;
    if (operation == "delete" && args.size() == 2) {
        if (eq.Delete()) return 0;
        context.PrintError("no custom equaliser is chosen");
        return 1;
    }
    if (operation == "preset" && args.size() == 3) {
        const std::optional<int> type = ParseNumber(args[2], 1, kEqPresetCount);
        if (!type) return 2;
        eq.Select(*type);
        return 0;
    }
    if (operation == "band" && args.size() == 4) {
        const std::optional<int> band = ParseNumber(args[2], 0, kEqBandCount - 1);
        const std::optional<int> value = ParseNumber(args[3], -kBandLimit, kBandLimit);
        if (!band || !value) return 2;
        eq.SetBand(*band, *value);
        return 0;
    }
    if (operation == "custom" && args.size() == 3) {
        const int index = eq.FindName(args[2]);
        if (index < 0 || !eq.SelectCustom(index)) {
            context.PrintError("no custom equaliser is named " + args[2]);
            return 1;
        }
        return 0;
    }
    // A curve moved band by band lives only as long as the command, so save can take it whole.
    if (operation == "save" && (args.size() == 3 || args.size() == 3 + kEqBandCount)) {
        for (int band = 0; args.size() > 3 && band < kEqBandCount; ++band) {
            const std::optional<int> value = ParseNumber(args[3 + band], -kBandLimit, kBandLimit);
            if (!value) return 2;
            eq.SetBand(band, *value);
        }
        switch (eq.Save(args[2])) {
            case EqSaveResult::Saved:
                return 0;
            case EqSaveResult::NameInUse:
                context.PrintError("a custom equaliser is already named " + args[2]);
                return 1;
            case EqSaveResult::Refused:
                context.PrintError("there are already " + std::to_string(kMaxCustomEqualisers) +
                                   " custom equalisers");
                return 1;
        }
    }
    return 2;
}

// mic, monitor and voice; 0, 1 refused, 2 bad usage.
int RunLevels(const CliContext& context, CHalvorinHS6533Device& headset) {
    const std::vector<std::string>& args = context.args;
    if (args.size() != 3 && !(args[0] == "voice" && args.size() == 2)) return 2;
    const std::string& what = args[0];
    if (what == "voice") {
        if (args.size() == 2) {
            const std::optional<bool> on = OnOff(args[1]);
            if (!on) return 2;
            headset.SetMagicVoice(*on);
            return 0;
        }
        const std::optional<int> type =
            args[1] == "type" ? ParseNumber(args[2], 1, 4) : std::nullopt;
        if (!type) return 2;
        headset.SetMagicVoiceType(*type);
        return 0;
    }
    bool done;
    if (args[1] == "level") {
        const std::optional<int> level = ParseNumber(args[2], 0, 100);
        if (!level) return 2;
        done = what == "mic" ? headset.SetMicLevel(*level) : headset.SetMonitorLevel(*level);
    } else if (args[1] == "mute") {
        const std::optional<bool> mute = OnOff(args[2]);
        if (!mute) return 2;
        done = what == "mic" ? headset.SetMicMute(*mute) : headset.SetMonitorMute(*mute);
    } else {
        return 2;
    }
    if (!done) context.PrintError("the headset's audio library refused the change");
    return done ? 0 : 1;
}

}  // namespace

int RunHeadset(CliContext& context) {
    const std::vector<std::string>& args = context.args;
    const std::string what = args.empty() ? "" : args[0];
    if (!(what == "get" && args.size() == 1) && what != "eq" && what != "mic" &&
        what != "monitor" && what != "voice") {
        std::cerr << kUsage << '\n';
        return 2;
    }
    int exitCode = 0;
    std::unique_ptr<HeadsetSession> session = OpenHeadset(context, exitCode);
    if (!session) return exitCode;
    CHalvorinHS6533Device& headset = *session->headset;

    int result = 0;
    if (what == "eq") {
        result = RunEqualiser(context, headset.Eq());
    } else if (what != "get") {
        result = RunLevels(context, headset);
    }
    if (result == 2) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    if (session->demoLibrary && !DemoAudioState::Save(*session->demoLibrary)) {
        context.PrintError("demo audio state not saved: " + DemoAudioState::File().string());
        result = 1;
    }
    if (result == 0) Print(context, *session, what == "eq");
    return result;
}

}  // namespace vestra::cli
