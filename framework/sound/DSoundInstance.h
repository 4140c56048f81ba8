#pragma once
// One playing copy of a loaded sound: a duplicate of the manager's static buffer with its own
// volume, pan, pitch and looping. Made and deleted only by DSoundManager; see SoundInstance for
// the caller's side. An instance made without a source buffer is silent: its setters only
// store, Play answers false.
//
// The volume sent to the buffer is LinearToDSoundVolume(effects volume x volume x base
// volume); the pan is pan + base pan, passed on unclamped (a sum out of range is refused by the
// buffer and the pan stays as it was).

#include "framework/sound/SoundInstance.h"
#include "platform/SoundDevice.h"

#include <cstdint>
#include <memory>

namespace Vuro {

class DSoundManager;

// A linear volume as an attenuation in hundredths of a decibel: (log10(9v + 1) - 1) x 2333,
// toward zero; anything below -2000 is silence (-10000).
int LinearToDSoundVolume(double volume);

class DSoundInstance : public SoundInstance {
public:
    // Ends the program when the source cannot be duplicated.
    DSoundInstance(DSoundManager* manager, Platform::SoundBuffer* sourceBuffer);
    ~DSoundInstance() override;

    void Release() override;
    void SetBaseVolume(double baseVolume) override;
    void SetBasePan(int basePan) override;
    void ShiftPitch(double semitones) override;
    void SetVolume(double volume) override;
    void SetPan(int pan) override;
    bool Play(bool looping, bool autoRelease) override;
    void Stop() override;
    bool IsPlaying() override;
    bool IsReleased() override;
    double GetVolume() override;

    void ApplyVolume();
    void ApplyPan();

    bool IsAutoRelease() const { return mAutoRelease; }
    void SetAutoRelease(bool autoRelease) { mAutoRelease = autoRelease; }
    // The instance's own buffer; null for a silent instance.
    Platform::SoundBuffer* Buffer() { return mSoundBuffer.get(); }

private:
    DSoundManager* mManager;
    Platform::SoundBuffer* mSourceBuffer; // the manager's, not owned
    std::unique_ptr<Platform::SoundBuffer> mSoundBuffer;
    bool mAutoRelease = false;
    bool mHasPlayed = false;
    bool mReleased = false;
    int mBasePan = 0;
    double mBaseVolume = 1.0;
    int mPan = 0;
    double mVolume = 1.0;
    uint32_t mDefaultFrequency = 44100;
};

} // namespace Vuro
