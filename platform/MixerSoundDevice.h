#pragma once
// The sound device over the software mixer, without any output of its own: whoever owns the
// mixer pulls the sound from Mixer::Mix (the SDL output thread, or a test directly).

#include "platform/Mixer.h"
#include "platform/SoundDevice.h"

#include <memory>

namespace Vuro::Platform {

class MixerSoundDevice : public SoundDevice {
public:
    explicit MixerSoundDevice(std::shared_ptr<Mixer> mixer) : mMixer(std::move(mixer)) {}

    SoundResult SetCooperativeLevel(Window* window, int level) override;
    SoundResult CreateSoundBuffer(const BufferDesc& desc,
                                  std::unique_ptr<SoundBuffer>& buffer) override;
    SoundResult DuplicateSoundBuffer(SoundBuffer& source,
                                     std::unique_ptr<SoundBuffer>& duplicate) override;

    int CooperativeLevel() const { return mLevel; }
    Mixer& GetMixer() { return *mMixer; }

private:
    std::shared_ptr<Mixer> mMixer;
    int mLevel = 0;
};

} // namespace Vuro::Platform
