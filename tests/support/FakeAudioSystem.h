#pragma once
// An audio system without output: its devices play into one mixer that the test pulls from
// with Mix, so what a voice sounds like is checked sample by sample. Installed while it lives.

#include "platform/MixerSoundDevice.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Vuro::Test {

class FakeAudioSystem : public Platform::AudioSystem {
    // Duplicates answer what the test asks for.
    class Device : public Platform::MixerSoundDevice {
    public:
        explicit Device(FakeAudioSystem& system)
            : MixerSoundDevice(system.mMixer), mSystem(system) {}
        Platform::SoundResult
        DuplicateSoundBuffer(Platform::SoundBuffer& source,
                             std::unique_ptr<Platform::SoundBuffer>& duplicate) override {
            if (mSystem.mDuplicateResult != Platform::SoundResult::Ok) {
                return mSystem.mDuplicateResult;
            }
            return MixerSoundDevice::DuplicateSoundBuffer(source, duplicate);
        }

    private:
        FakeAudioSystem& mSystem;
    };

public:
    FakeAudioSystem() { Platform::SetAudioSystem(this); }
    ~FakeAudioSystem() override { Platform::SetAudioSystem(nullptr); }
    FakeAudioSystem(const FakeAudioSystem&) = delete;
    FakeAudioSystem& operator=(const FakeAudioSystem&) = delete;

    std::unique_ptr<Platform::SoundDevice> CreateSoundDevice() override {
        if (!mCanCreate) {
            return nullptr;
        }
        return std::make_unique<Device>(*this);
    }
    uint32_t GetWaveOutVolume() override { return mMixer->GetMasterVolume(); }
    void SetWaveOutVolume(uint32_t volume) override { mMixer->SetMasterVolume(volume); }

    // The next frames of output, interleaved left and right.
    std::vector<int16_t> Mix(size_t frames) {
        std::vector<int16_t> out(frames * 2);
        mMixer->Mix(out.data(), frames);
        return out;
    }

    bool mCanCreate = true;
    Platform::SoundResult mDuplicateResult = Platform::SoundResult::Ok;
    std::shared_ptr<Platform::Mixer> mMixer = std::make_shared<Platform::Mixer>();
};

} // namespace Vuro::Test
