#pragma once
// Sound effects, loaded by file name into numbered ids below 256 and played through
// short-lived instances. The application and the game see only this interface; the order of
// the operations is fixed.

#include <cstdint>
#include <string>

namespace Vuro {

namespace Platform {
class Window;
}

class SoundInstance;

class SoundManager {
public:
    SoundManager() = default;
    virtual ~SoundManager() = default;
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    virtual bool Initialized() = 0;
    // The id given, or -1.
    virtual int LoadSound(const std::string& fileName) = 0;
    // False when no file could be read.
    virtual bool LoadSoundAt(uint32_t id, const std::string& fileName) = 0;
    virtual void ReleaseSound(uint32_t id) = 0;
    // 0..1: the effects volume.
    virtual void SetVolume(double volume) = 0;
    virtual bool SetBaseVolume(uint32_t id, double baseVolume) = 0;
    virtual bool SetBasePan(uint32_t id, int basePan) = 0;
    // Null when the id holds no sound or every instance is busy; the caller then plays nothing.
    virtual SoundInstance* MakeSoundInstance(uint32_t id) = 0;
    virtual void ReleaseSounds() = 0;
    virtual void ReleaseInstances() = 0;
    // The system's output volume, 0..1.
    virtual double GetMasterVolume() = 0;
    virtual void SetMasterVolume(double volume) = 0;
    virtual void NoOp() = 0;
    // Binds the manager to a new main window (after the window was made again).
    virtual void SetSoundWindow(Platform::Window* window, int unused) = 0;
    virtual void StopAllSounds() = 0;
};

} // namespace Vuro
