#include "audio/AlsaAudioLibrary.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>

#include "audio/AudioProperty.h"

namespace vestra::audio {
namespace {

constexpr int kNoChannel = -2;  // no channel buffer: the control as a whole
constexpr int kHeadphonesType = 1;
constexpr int kMicrophoneType = 2;

std::string Text(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// ALSA keeps dB values in hundredths.
double Decibels(long hundredths) {
    return static_cast<double>(hundredths) / 100.0;
}

snd_mixer_selem_channel_id_t ChannelId(int channel) {
    return channel == 1 ? SND_MIXER_SCHN_FRONT_RIGHT : SND_MIXER_SCHN_FRONT_LEFT;
}

int32_t RawValue(const PropertyBuffer& value) {
    int32_t raw;
    std::memcpy(&raw, value.data(), sizeof raw);
    return raw;
}

float FloatValue(const PropertyBuffer& value) {
    float scalar;
    std::memcpy(&scalar, value.data(), sizeof scalar);
    return scalar;
}

// The operations of one side of a mixer control, so that the capture and the side tone share
// their code.
struct SideOps {
    int (*hasVolume)(snd_mixer_elem_t*);
    int (*hasSwitch)(snd_mixer_elem_t*);
    int (*getRange)(snd_mixer_elem_t*, long*, long*);
    int (*getDbRange)(snd_mixer_elem_t*, long*, long*);
    int (*getVolume)(snd_mixer_elem_t*, snd_mixer_selem_channel_id_t, long*);
    int (*getDb)(snd_mixer_elem_t*, snd_mixer_selem_channel_id_t, long*);
    int (*setVolume)(snd_mixer_elem_t*, snd_mixer_selem_channel_id_t, long);
    int (*setVolumeAll)(snd_mixer_elem_t*, long);
    int (*setDbAll)(snd_mixer_elem_t*, long, int);
    int (*getSwitch)(snd_mixer_elem_t*, snd_mixer_selem_channel_id_t, int*);
    int (*setSwitchAll)(snd_mixer_elem_t*, int);
};

constexpr SideOps kCaptureOps = {
    snd_mixer_selem_has_capture_volume,       snd_mixer_selem_has_capture_switch,
    snd_mixer_selem_get_capture_volume_range, snd_mixer_selem_get_capture_dB_range,
    snd_mixer_selem_get_capture_volume,       snd_mixer_selem_get_capture_dB,
    snd_mixer_selem_set_capture_volume,       snd_mixer_selem_set_capture_volume_all,
    snd_mixer_selem_set_capture_dB_all,       snd_mixer_selem_get_capture_switch,
    snd_mixer_selem_set_capture_switch_all,
};
constexpr SideOps kPlaybackOps = {
    snd_mixer_selem_has_playback_volume,       snd_mixer_selem_has_playback_switch,
    snd_mixer_selem_get_playback_volume_range, snd_mixer_selem_get_playback_dB_range,
    snd_mixer_selem_get_playback_volume,       snd_mixer_selem_get_playback_dB,
    snd_mixer_selem_set_playback_volume,       snd_mixer_selem_set_playback_volume_all,
    snd_mixer_selem_set_playback_dB_all,       snd_mixer_selem_get_playback_switch,
    snd_mixer_selem_set_playback_switch_all,
};

// The property names of one side with the prefix ("AA" for the side tone) taken off.
enum class Property { Unknown, Db, Scalar, Mute, MaxDb, MinDb, StepDb };

Property PropertyOf(std::string_view name) {
    if (name == "VolumeControl") return Property::Db;
    if (name == "VolumeScalarControl") return Property::Scalar;
    if (name == "MuteControl") return Property::Mute;
    if (name == "GetMaxVol") return Property::MaxDb;
    if (name == "GetMinVol") return Property::MinDb;
    if (name == "GetVolStep") return Property::StepDb;
    return Property::Unknown;
}

}  // namespace

AlsaAudioLibrary::AlsaAudioLibrary(std::string usbId) : m_usbId(std::move(usbId)) {}

AlsaAudioLibrary::~AlsaAudioLibrary() {
    Close();
}

void AlsaAudioLibrary::Close() {
    if (m_mixer) snd_mixer_close(m_mixer);
    m_mixer = nullptr;
    m_capture = nullptr;
    m_monitor = nullptr;
}

int AlsaAudioLibrary::FindCard() const {
    int card = -1;
    while (snd_card_next(&card) == 0 && card >= 0) {
        std::ifstream file("/proc/asound/card" + std::to_string(card) + "/usbid");
        std::string id;
        if (file >> id && id == m_usbId) return card;
    }
    return -1;
}

int AlsaAudioLibrary::ConfLibInit() {
    return CreateDeviceList();
}

int AlsaAudioLibrary::CreateDeviceList() {
    Close();
    const int card = FindCard();
    if (card < 0) return kAudioNoDevice;
    const std::string name = "hw:" + std::to_string(card);
    if (snd_mixer_open(&m_mixer, 0) < 0) {
        m_mixer = nullptr;
        return kAudioNoDevice;
    }
    if (snd_mixer_attach(m_mixer, name.c_str()) < 0 ||
        snd_mixer_selem_register(m_mixer, nullptr, nullptr) < 0 || snd_mixer_load(m_mixer) < 0) {
        Close();
        return kAudioNoDevice;
    }
    for (snd_mixer_elem_t* elem = snd_mixer_first_elem(m_mixer); elem;
         elem = snd_mixer_elem_next(elem)) {
        if (!snd_mixer_selem_is_active(elem)) continue;
        const std::string_view elemName = snd_mixer_selem_get_name(elem);
        if (!m_capture && snd_mixer_selem_has_capture_volume(elem)) m_capture = elem;
        // USB audio cards show the microphone's loop to the headphones as the playback side of
        // the "Mic" control.
        if (!m_monitor && elemName == "Mic" && snd_mixer_selem_has_playback_volume(elem)) {
            m_monitor = elem;
        }
    }
    return kAudioOk;
}

int AlsaAudioLibrary::GetDeviceCount(AudioFlow flow, int& count) {
    count = 0;
    if (!m_mixer) return kAudioNoDevice;
    count = flow == AudioFlow::Playback || m_capture ? 1 : 0;
    return kAudioOk;
}

int AlsaAudioLibrary::GetDeviceById(AudioFlow flow, int index, AudioDeviceRecord& record) {
    int count = 0;
    if (GetDeviceCount(flow, count) != kAudioOk || index < 0 || index >= count) {
        return kAudioNoDevice;
    }
    record = {index, flow == AudioFlow::Playback ? kHeadphonesType : kMicrophoneType,
              static_cast<int32_t>(flow), 1};
    return kAudioOk;
}

int AlsaAudioLibrary::PropertyControl(const AudioDeviceRecord& device, std::u16string_view property,
                                      PropertyBuffer& value, const PropertyBuffer* channel,
                                      PropertyAccess access) {
    if (!m_mixer || device.id != 0) return kAudioNoDevice;
    // The headphones' own controls (equaliser, surround, room) are not on the mixer.
    if (device.flow != static_cast<int32_t>(AudioFlow::Capture)) return kAudioUnsupported;
    int channelNumber = kNoChannel;
    if (channel) std::memcpy(&channelNumber, channel->data(), sizeof channelNumber);
    std::string name = NarrowPropertyName(property);
    Side side = Side::Capture;
    if (name.starts_with("AA")) {
        side = Side::Monitor;
        name.erase(0, 2);
    } else if (name.starts_with("GetAA")) {
        side = Side::Monitor;
        name.erase(3, 2);
    }
    return Control(side, name, value, channelNumber, access);
}

int AlsaAudioLibrary::Control(Side side, std::string_view name, PropertyBuffer& value, int channel,
                              PropertyAccess access) {
    snd_mixer_elem_t* elem = side == Side::Capture ? m_capture : m_monitor;
    const SideOps& ops = side == Side::Capture ? kCaptureOps : kPlaybackOps;
    const Property property = PropertyOf(name);
    if (!elem || property == Property::Unknown) return kAudioUnsupported;
    const bool write = access == PropertyAccess::Write;
    const snd_mixer_selem_channel_id_t id = ChannelId(channel);
    const bool allChannels = channel == kNoChannel || channel == -1;

    long min = 0, max = 0, dbMin = 0, dbMax = 0;
    const bool haveRange = ops.hasVolume(elem) && ops.getRange(elem, &min, &max) == 0 && max > min;
    const bool haveDb = haveRange && ops.getDbRange(elem, &dbMin, &dbMax) == 0;
    switch (property) {
        case Property::Scalar: {
            if (!haveRange) return kAudioUnsupported;
            if (write) {
                const float scalar = FloatValue(value);
                if (!(scalar >= 0.0f && scalar <= 1.0f)) return kAudioBadValue;
                const long raw = min + std::lround(scalar * static_cast<double>(max - min));
                const int result =
                    allChannels ? ops.setVolumeAll(elem, raw) : ops.setVolume(elem, id, raw);
                return result == 0 ? kAudioOk : kAudioBadValue;
            }
            long raw = 0;
            if (ops.getVolume(elem, id, &raw) != 0) return kAudioNotSet;
            PutPropertyText(value,
                            Text(static_cast<double>(raw - min) / static_cast<double>(max - min)));
            return kAudioOk;
        }
        case Property::Db: {
            if (!haveDb) return kAudioUnsupported;
            if (write) {
                return ops.setDbAll(elem, static_cast<long>(RawValue(value)) * 100, 0) == 0
                           ? kAudioOk
                           : kAudioBadValue;
            }
            long db = 0;
            if (ops.getDb(elem, id, &db) != 0) return kAudioNotSet;
            PutPropertyText(value, Text(Decibels(db)));
            return kAudioOk;
        }
        case Property::Mute: {
            if (!ops.hasSwitch(elem)) return kAudioUnsupported;
            // The switch is on while the sound passes: mute is its inverse.
            if (write) {
                return ops.setSwitchAll(elem, RawValue(value) ? 0 : 1) == 0 ? kAudioOk
                                                                            : kAudioBadValue;
            }
            int on = 0;
            if (ops.getSwitch(elem, id, &on) != 0) return kAudioNotSet;
            PutPropertyText(value, on ? "0" : "1");
            return kAudioOk;
        }
        case Property::MaxDb:
        case Property::MinDb:
        case Property::StepDb: {
            if (write) return kAudioUnsupported;
            if (!haveDb) return kAudioUnsupported;
            const double result = property == Property::MaxDb ? Decibels(dbMax)
                                  : property == Property::MinDb
                                      ? Decibels(dbMin)
                                      : Decibels(dbMax - dbMin) / static_cast<double>(max - min);
            PutPropertyText(value, Text(result));
            return kAudioOk;
        }
        case Property::Unknown:
            break;
    }
    return kAudioUnsupported;
}

}  // namespace vestra::audio
