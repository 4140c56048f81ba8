// Sound output through SDL: one output stream at 44100 Hz, stereo, 16 bits, fed from the
// software mixer on SDL's audio thread. The wave-out volume is the mixer's master gain; it is
// kept here so that it holds before a device exists and carries over to the next one.

#include "platform/MixerSoundDevice.h"

#include <SDL.h>

#include <atomic>
#include <mutex>
#include <vector>

namespace Vuro::Platform {

namespace {

void QuitAudio() {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) {
        SDL_Quit();
    }
}

void FillOutput(void* userdata, Uint8* stream, int length) {
    auto* mixer = static_cast<Mixer*>(userdata);
    const size_t frames = static_cast<size_t>(length) / (sizeof(int16_t) * Mixer::kOutputChannels);
    mixer->Mix(reinterpret_cast<int16_t*>(stream), frames);
}

class SdlSoundDevice : public MixerSoundDevice {
public:
    SdlSoundDevice(std::shared_ptr<Mixer> mixer, SDL_AudioDeviceID id)
        : MixerSoundDevice(std::move(mixer)), mId(id) {
        SDL_PauseAudioDevice(mId, 0);
    }
    ~SdlSoundDevice() override {
        // Waits for the audio thread to leave the mixer.
        SDL_CloseAudioDevice(mId);
        QuitAudio();
    }
    SdlSoundDevice(const SdlSoundDevice&) = delete;
    SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

private:
    SDL_AudioDeviceID mId;
};

class SdlAudioSystem : public AudioSystem {
public:
    std::unique_ptr<SoundDevice> CreateSoundDevice() override {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            return nullptr;
        }
        auto mixer = std::make_shared<Mixer>();
        mixer->SetMasterVolume(mWaveOutVolume.load());
        SDL_AudioSpec want{};
        want.freq = static_cast<int>(Mixer::kOutputRate);
        want.format = AUDIO_S16SYS;
        want.channels = Mixer::kOutputChannels;
        want.samples = 1024;
        want.callback = &FillOutput;
        want.userdata = mixer.get();
        SDL_AudioSpec have{};
        SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (id == 0) {
            QuitAudio();
            return nullptr;
        }
        std::lock_guard lock(mMutex);
        std::erase_if(mMixers, [](const auto& entry) { return entry.expired(); });
        mMixers.push_back(mixer);
        return std::make_unique<SdlSoundDevice>(std::move(mixer), id);
    }

    uint32_t GetWaveOutVolume() override { return mWaveOutVolume.load(); }

    void SetWaveOutVolume(uint32_t volume) override {
        volume = volume > 65535 ? 65535 : volume;
        mWaveOutVolume.store(volume);
        std::lock_guard lock(mMutex);
        for (const auto& entry : mMixers) {
            if (auto mixer = entry.lock()) {
                mixer->SetMasterVolume(volume);
            }
        }
    }

private:
    std::atomic<uint32_t> mWaveOutVolume{65535};
    std::mutex mMutex;
    std::vector<std::weak_ptr<Mixer>> mMixers; // one per open device (sound effects, music)
};

SdlAudioSystem& TheSdlAudioSystem() {
    static SdlAudioSystem system;
    return system;
}

std::atomic<AudioSystem*> gAudioSystem{nullptr};

} // namespace

AudioSystem& GetAudioSystem() {
    AudioSystem* system = gAudioSystem.load(std::memory_order_acquire);
    return system ? *system : TheSdlAudioSystem();
}

void SetAudioSystem(AudioSystem* system) {
    gAudioSystem.store(system, std::memory_order_release);
}

} // namespace Vuro::Platform
