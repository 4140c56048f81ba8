#pragma once
// A sound manager that plays nothing and remembers everything: the volumes sent, the instances
// asked for and what was done with each. Ids listed in mLoaded give instances; others give
// null, as an id without a sound does. Sounds are loaded on the loading thread while the main
// thread plays others, so those calls take the lock; a test reads the records once the loading
// work has ended.

#include "framework/sound/MusicInterface.h"
#include "framework/sound/SoundInstance.h"
#include "framework/sound/SoundManager.h"

#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace Vuro::Test {

class RecordingSoundInstance : public SoundInstance {
public:
    explicit RecordingSoundInstance(uint32_t id) : mId(id) {}

    void Release() override { mReleased = true; }
    void SetBaseVolume(double) override {}
    void SetBasePan(int) override {}
    void ShiftPitch(double) override {}
    void SetVolume(double volume) override { mVolume = volume; }
    void SetPan(int pan) override {
        mPan = pan;
        mPanSetBeforePlay = mPlays == 0;
    }
    bool Play(bool looping, bool autoRelease) override {
        ++mPlays;
        mLooping = looping;
        mAutoRelease = autoRelease;
        return true;
    }
    void Stop() override {}
    bool IsPlaying() override { return mPlays > 0; }
    bool IsReleased() override { return mReleased; }
    double GetVolume() override { return mVolume; }

    uint32_t mId;
    int mPlays = 0;
    bool mLooping = false;
    bool mAutoRelease = false;
    bool mReleased = false;
    int mPan = 0;
    bool mPanSetBeforePlay = false;
    double mVolume = 1.0;
};

class RecordingSoundManager : public SoundManager {
public:
    bool Initialized() override { return true; }
    int LoadSound(const std::string&) override { return -1; }
    bool LoadSoundAt(uint32_t id, const std::string&) override {
        std::lock_guard<std::recursive_mutex> lock(mMutex);
        mLoaded.insert(id);
        return true;
    }
    void ReleaseSound(uint32_t id) override {
        std::lock_guard<std::recursive_mutex> lock(mMutex);
        mLoaded.erase(id);
    }
    void SetVolume(double volume) override { mVolumes.push_back(volume); }
    bool SetBaseVolume(uint32_t, double) override { return true; }
    bool SetBasePan(uint32_t, int) override { return true; }
    SoundInstance* MakeSoundInstance(uint32_t id) override {
        std::lock_guard<std::recursive_mutex> lock(mMutex);
        ++mInstancesAsked;
        if (mLoaded.count(id) == 0) {
            return nullptr;
        }
        mInstances.push_back(std::make_unique<RecordingSoundInstance>(id));
        return mInstances.back().get();
    }
    void ReleaseSounds() override {
        std::lock_guard<std::recursive_mutex> lock(mMutex);
        mLoaded.clear();
    }
    void ReleaseInstances() override {
        std::lock_guard<std::recursive_mutex> lock(mMutex);
        mInstances.clear();
    }
    double GetMasterVolume() override { return mMasterVolume; }
    void SetMasterVolume(double volume) override { mMasterVolume = volume; }
    void NoOp() override {}
    void SetSoundWindow(Platform::Window*, int) override {}
    void StopAllSounds() override {}

    // The volume sent last; -1 before any.
    double LastVolume() const { return mVolumes.empty() ? -1.0 : mVolumes.back(); }

    std::set<uint32_t> mLoaded;
    std::vector<double> mVolumes; // every SetVolume, in order
    double mMasterVolume = 1.0;
    int mInstancesAsked = 0;
    std::vector<std::unique_ptr<RecordingSoundInstance>> mInstances;

protected:
    std::recursive_mutex mMutex;
};

// Music that plays nothing and remembers the volumes it was sent.
class RecordingMusicInterface : public MusicInterface {
public:
    void SetVolume(double volume) override { mVolumes.push_back(volume); }
    double LastVolume() const { return mVolumes.empty() ? -1.0 : mVolumes.back(); }

    std::vector<double> mVolumes;
};

} // namespace Vuro::Test
