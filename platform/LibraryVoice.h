#pragma once
// A sound of a built-in music library ("bass.dll", "fmod.dll"): one buffer on the library's
// sound device, decoded whole from a file, with what the buffer itself does not keep: whether
// it is paused, whether it loops, and where a module's orders begin. Not locked: each library
// guards its voices with its own mutex.

#include "platform/SoundDecoders.h"
#include "platform/SoundDevice.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Vuro::Platform {

struct LibraryVoice {
    std::unique_ptr<SoundBuffer> buffer;
    uint32_t dataSize = 0; // bytes in the buffer
    SoundFileKind kind = SoundFileKind::Unknown;
    std::vector<uint32_t> orderFrames; // modules: the frame where each order starts
    bool looping = false;
    bool paused = false;

    // From where it stands, with the voice's looping; clears the pause.
    bool Play();
    // Stops and rewinds to the start.
    void Stop();
    // Only a playing voice pauses; only a paused one resumes. False when nothing changed.
    bool Pause();
    bool Resume();
    bool IsPlaying() const;
    // Puts the play position at a module's order (a stream has only order 0); false when the
    // order does not exist.
    bool SetOrder(uint32_t order);
    // Linear amplitude 0..1 (above 1 counts as 1).
    void SetAmplitude(double amplitude);
};

// The device attenuation in hundredths of a decibel of a linear amplitude.
int AmplitudeToAttenuation(double amplitude);

// Decodes the file into a new buffer of the device; false when the file is of a kind that
// `accept` refuses, or cannot be decoded.
bool LoadLibraryVoice(SoundDevice& device, const std::string& file,
                      bool (*accept)(SoundFileKind kind), LibraryVoice& voice);

} // namespace Vuro::Platform
