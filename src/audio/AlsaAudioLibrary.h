// The audio configuration library over the ALSA mixer of the headset's USB sound card: the
// microphone's capture volume and switch, and the side tone (monitoring) volume and switch.
#pragma once

#include <string>

#include "audio/AudioConfigLibrary.h"

struct _snd_mixer;
struct _snd_mixer_elem;

namespace vestra::audio {

// The headset's card as /proc/asound/card<N>/usbid names it.
inline constexpr const char* kHeadsetUsbId = "0c76:1630";

// Properties the card has no control for (the equaliser, surround, the voice changer, the
// feature list) fail with kAudioUnsupported; with no such card every call fails with
// kAudioNoDevice. Used from one thread.
class AlsaAudioLibrary final : public AudioConfigLibrary {
public:
    explicit AlsaAudioLibrary(std::string usbId = kHeadsetUsbId);
    ~AlsaAudioLibrary() override;
    AlsaAudioLibrary(const AlsaAudioLibrary&) = delete;
    AlsaAudioLibrary& operator=(const AlsaAudioLibrary&) = delete;

    // Finds the card and opens its mixer.
    int ConfLibInit() override;
    int CreateDeviceList() override;
    // One playback (type 1) and one capture (type 2) endpoint while the card is there.
    int GetDeviceCount(AudioFlow flow, int& count) override;
    int GetDeviceById(AudioFlow flow, int index, AudioDeviceRecord& record) override;
    int PropertyControl(const AudioDeviceRecord& device, std::u16string_view property,
                        PropertyBuffer& value, const PropertyBuffer* channel,
                        PropertyAccess access) override;

private:
    void Close();
    int FindCard() const;
    // What the microphone property names address: the capture side of the microphone
    // control, or the playback side of it (the side tone, the "AA" properties).
    enum class Side { Capture, Monitor };
    int Control(Side side, std::string_view name, PropertyBuffer& value, int channel,
                PropertyAccess access);

    std::string m_usbId;
    _snd_mixer* m_mixer = nullptr;
    _snd_mixer_elem* m_capture = nullptr;  // has a capture volume
    _snd_mixer_elem* m_monitor = nullptr;  // the microphone's playback volume: the side tone
};

}  // namespace vestra::audio
