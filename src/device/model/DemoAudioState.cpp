#include "device/model/DemoAudioState.h"

#include <system_error>

#include "platform/Paths.h"
#include "profile/JsonFile.h"

namespace vestra {
namespace {

using audio::AudioFlow;

const char* FlowKey(AudioFlow flow) {
    return flow == AudioFlow::Playback ? "playback" : "capture";
}

}  // namespace

std::filesystem::path DemoAudioState::File() {
    return Paths::DataFolder() / "demo" / "audio.json";
}

void DemoAudioState::Load(audio::SimulatedAudioLibrary& library) {
    const Json::Value state = JsonFile::Read(File());
    for (AudioFlow flow : {AudioFlow::Playback, AudioFlow::Capture}) {
        const Json::Value& values = state[FlowKey(flow)];
        if (!values.isObject()) continue;
        for (const std::string& name : values.getMemberNames()) {
            if (values[name].isString()) library.SetValue(flow, 0, name, values[name].asString());
        }
    }
}

bool DemoAudioState::Save(const audio::SimulatedAudioLibrary& library) {
    Json::Value state(Json::objectValue);
    for (AudioFlow flow : {AudioFlow::Playback, AudioFlow::Capture}) {
        Json::Value values(Json::objectValue);
        for (const auto& [name, text] : library.Values(flow, 0)) values[name] = text;
        state[FlowKey(flow)] = values;
    }
    std::error_code error;  // a folder that cannot be made shows as a failed write
    std::filesystem::create_directories(File().parent_path(), error);
    return JsonFile::Write(File(), state) == JsonFile::WriteResult::Ok;
}

}  // namespace vestra
