#pragma once
// The sound manager over the platform's sound device: 256 sound ids, each holding one decoded
// sound in a static buffer, played through up to 32 instances at once that share the sound's
// data. Finished auto-release instances are reclaimed lazily: by the search for a free slot and
// by a sweep at most once a second, both driven by MakeSoundInstance.
//
// Without a device (no window given, or no output could be opened) the manager still answers
// every call: loads succeed without loading, LoadSound answers 255, instances are silent.
//
// With the use-fmod flag and a device, the manager takes a share of fmod.dll (a missing one
// ends the program), initialises the library and closes it again at the end; MP3 effects are
// decoded through it.
//
// Used from the main thread; LoadSoundAt also from the loading thread, for other ids.

#include "framework/sound/SoundManager.h"
#include "platform/SoundDevice.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace Vuro {

class DSoundInstance;
class FMOD_INSTANCE;

class DSoundManager : public SoundManager {
public:
    static constexpr uint32_t kMaxSounds = 256;
    static constexpr int kMaxInstances = 32;

    DSoundManager(Platform::Window* window, bool useFmod);
    ~DSoundManager() override;

    bool Initialized() override;
    int LoadSound(const std::string& fileName) override;
    bool LoadSoundAt(uint32_t id, const std::string& fileName) override;
    void ReleaseSound(uint32_t id) override;
    void SetVolume(double volume) override;
    bool SetBaseVolume(uint32_t id, double baseVolume) override;
    bool SetBasePan(uint32_t id, int basePan) override;
    SoundInstance* MakeSoundInstance(uint32_t id) override;
    void ReleaseSounds() override;
    void ReleaseInstances() override;
    double GetMasterVolume() override;
    void SetMasterVolume(double volume) override;
    void NoOp() override;
    void SetSoundWindow(Platform::Window* window, int unused) override;
    void StopAllSounds() override;

    // The readers, each filling the id's slot; a reader that fails leaves the slot empty.
    [[nodiscard]] bool LoadWAVSound(uint32_t id, const std::string& path);
    [[nodiscard]] bool LoadOGGSound(uint32_t id, const std::string& path);
    [[nodiscard]] bool LoadAUSound(uint32_t id, const std::string& path);
    // MP3 (any file fmod.dll loads as a sample), only with the use-fmod flag.
    // A sample that cannot be locked answers false and leaves the id empty.
    [[nodiscard]] bool LoadFModSound(uint32_t id, const std::string& path);
    // Writes the id's sound as a WAV file that names the source and its write time.
    bool WriteWAVCache(uint32_t id, const std::string& cachePath, const std::string& sourcePath);

    Platform::SoundDevice* Device() { return mDevice.get(); }
    double EffectsVolume() const { return mVolume; }
    // The id's static buffer (null when it holds no sound) and its data size in bytes.
    Platform::SoundBuffer* SoundBufferAt(uint32_t id) { return mSourceSounds.at(id).get(); }
    uint32_t DataSizeAt(uint32_t id) const { return mSourceDataSizes.at(id); }

private:
    friend class SlotTarget;

    int FindFreeInstanceSlot();
    void ReleaseFinishedInstances();
    void DeleteInstance(int slot);

    std::array<std::unique_ptr<Platform::SoundBuffer>, kMaxSounds> mSourceSounds;
    std::unique_ptr<Platform::SoundBuffer> mPrimaryBuffer;
    std::array<uint32_t, kMaxSounds> mSourceDataSizes{};
    std::array<double, kMaxSounds> mBaseVolumes{};
    std::array<int, kMaxSounds> mBasePans{};
    std::array<DSoundInstance*, kMaxInstances> mPlayingSounds{};
    double mVolume = 1.0;          // effects volume, multiplied into every instance's
    uint32_t mLastReleaseTick = 0; // last sweep of finished instances
    std::unique_ptr<Platform::SoundDevice> mDevice;
    bool mUseFmod;
    FMOD_INSTANCE* mFMod = nullptr; // set while the manager holds a share of fmod.dll
};

} // namespace Vuro
