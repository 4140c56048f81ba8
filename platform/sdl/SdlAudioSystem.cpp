// Sound output through SDL: one output stream at 44100 Hz, stereo, 16 bits, fed from the
// software mixer on SDL's audio thread. The wave-out volume is the mixer's master gain; it is
// kept here so that it holds before a device exists and carries over to the next one.

#include "platform/MixerSoundDevice.h"
#include "platform/sdl/SdlVideo.h"

#include <SDL.h>

#include <atomic>
#include <mutex>

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

// The one SDL output and its mixer, shared by every device open at the same time (the sound
// effects and the music each make one): not every SDL driver can open its output twice.
class SdlOutput {
public:
    SdlOutput(std::shared_ptr<Mixer> mixer, SDL_AudioDeviceID id)
        : mMixer(std::move(mixer)), mId(id) {
        SDL_PauseAudioDevice(mId, 0);
    }
    ~SdlOutput() {
        // Waits for the audio thread to leave the mixer.
        SDL_CloseAudioDevice(mId);
        QuitAudio();
    }
    SdlOutput(const SdlOutput&) = delete;
    SdlOutput& operator=(const SdlOutput&) = delete;

    const std::shared_ptr<Mixer>& GetMixer() const { return mMixer; }

private:
    std::shared_ptr<Mixer> mMixer;
    SDL_AudioDeviceID mId;
};

class SdlSoundDevice : public MixerSoundDevice {
public:
    explicit SdlSoundDevice(std::shared_ptr<SdlOutput> output)
        : MixerSoundDevice(output->GetMixer()), mOutput(std::move(output)) {}

private:
    std::shared_ptr<SdlOutput> mOutput;
};

class SdlAudioSystem : public AudioSystem {
public:
    std::unique_ptr<SoundDevice> CreateSoundDevice() override {
        std::lock_guard lock(mMutex);
        if (auto output = mOutput.lock()) {
            return std::make_unique<SdlSoundDevice>(std::move(output));
        }
        LeaveSignalsToPlatform();
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
        auto output = std::make_shared<SdlOutput>(std::move(mixer), id);
        mOutput = output;
        return std::make_unique<SdlSoundDevice>(std::move(output));
    }

    uint32_t GetWaveOutVolume() override { return mWaveOutVolume.load(); }

    void SetWaveOutVolume(uint32_t volume) override {
        volume = volume > 65535 ? 65535 : volume;
        mWaveOutVolume.store(volume);
        std::lock_guard lock(mMutex);
        if (auto output = mOutput.lock()) {
            output->GetMixer()->SetMasterVolume(volume);
        }
    }

private:
    std::atomic<uint32_t> mWaveOutVolume{65535};
    std::mutex mMutex;
    std::weak_ptr<SdlOutput> mOutput;
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
