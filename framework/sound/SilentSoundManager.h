#pragma once
// A sound manager without output: loads nothing, plays nothing, hands out no instances. The
// application runs on it where no sound is wanted or none can be made.

#include "framework/sound/SoundManager.h"

namespace Vuro {

class SilentSoundManager : public SoundManager {
public:
    bool Initialized() override { return false; }
    int LoadSound(const std::string&) override { return -1; }
    bool LoadSoundAt(uint32_t, const std::string&) override { return false; }
    void ReleaseSound(uint32_t) override {}
    void SetVolume(double) override {}
    bool SetBaseVolume(uint32_t, double) override { return false; }
    bool SetBasePan(uint32_t, int) override { return false; }
    SoundInstance* MakeSoundInstance(uint32_t) override { return nullptr; }
    void ReleaseSounds() override {}
    void ReleaseInstances() override {}
    double GetMasterVolume() override { return mMasterVolume; }
    void SetMasterVolume(double volume) override { mMasterVolume = volume; }
    void NoOp() override {}
    void SetSoundWindow(Platform::Window*, int) override {}
    void StopAllSounds() override {}

private:
    double mMasterVolume = 1.0;
};

} // namespace Vuro
