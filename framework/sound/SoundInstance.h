#pragma once
// One playing (or playable) copy of a loaded sound, handed out by SoundManager::MakeSoundInstance.
// The manager owns every instance: a caller gives one up through Release, or asks Play for
// auto-release and forgets the pointer (the instance then goes when it has finished). The order
// of the operations is fixed.
//
// Pan is in hundredths of a decibel, -10000 (left) to 10000 (right); volumes are 0..1.

namespace Vuro {

class SoundInstance {
public:
    SoundInstance() = default;
    virtual ~SoundInstance() = default;
    SoundInstance(const SoundInstance&) = delete;
    SoundInstance& operator=(const SoundInstance&) = delete;

    virtual void Release() = 0;
    virtual void SetBaseVolume(double baseVolume) = 0;
    virtual void SetBasePan(int basePan) = 0;
    virtual void ShiftPitch(double semitones) = 0;
    virtual void SetVolume(double volume) = 0;
    virtual void SetPan(int pan) = 0;
    // False when nothing can be played.
    virtual bool Play(bool looping, bool autoRelease) = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying() = 0;
    virtual bool IsReleased() = 0;
    virtual double GetVolume() = 0;
};

} // namespace Vuro
