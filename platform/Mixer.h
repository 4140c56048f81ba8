#pragma once
// The software mixer behind the sound device: sums the playing voices into 44100 Hz stereo
// 16-bit output. Plain code without any output library, so tests call Mix directly.
//
// Per output frame and voice (all integer, so results are exact and repeatable):
// - the source is read at position + step, step = frequency * 65536 / output rate (16.16
//   fixed point), between two neighbouring frames by linear interpolation:
//   s0 + (((s1 - s0) * fraction) >> 16); past the loop's last frame s1 is the loop's first
//   frame when looping, past the last frame it is the last frame again;
// - a looping voice repeats its loop, frames loopStart up to loopEnd (the whole sound unless
//   set), after playing whatever lies before it once;
// - 8-bit samples become (b - 128) * 256; a mono voice feeds both sides;
// - each side is scaled by (sample * gain) >> 16, gain = round(65536 * 10^(dB / 2000)) with
//   dB = volume plus the pan attenuation of that side; -10000 and below are silence;
// - the sum of all voices is scaled by the wave-out volume, sum * volume / 65535 (toward
//   zero), and clamped to -32768..32767.
// Every voice field is guarded by Mutex(): the output thread mixes while others change voices.

#include "platform/SoundDevice.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace Vuro::Platform {

// One sound as the mixer plays it. The data may be shared with other voices.
struct MixerVoice {
    std::shared_ptr<std::vector<uint8_t>> data;
    WaveFormat format;
    int volume = 0;         // hundredths of a decibel, -10000..0
    int pan = 0;            // -10000..10000
    uint32_t frequency = 0; // source frames per second
    uint32_t frame = 0;     // next source frame
    uint32_t fraction = 0;  // 16-bit fraction of a frame beyond `frame`
    uint32_t loopStart = 0; // first frame a loop repeats
    uint32_t loopEnd = 0;   // frame after the loop's last one; 0: the end of the sound
    bool playing = false;
    bool looping = false;
};

class Mixer {
public:
    static constexpr uint32_t kOutputRate = 44100;
    static constexpr int kOutputChannels = 2;

    // The 16.16 gain of an attenuation in hundredths of a decibel; 0 at -10000 and below.
    static int32_t GainQ16(int hundredthsDb);

    std::mutex& Mutex() { return mMutex; }
    // Voices stay known to the mixer from Add to Remove; only playing ones are heard.
    void Add(const std::shared_ptr<MixerVoice>& voice);
    void Remove(const MixerVoice* voice);

    // Fills frames x 2 interleaved samples (left, right).
    void Mix(int16_t* out, size_t frames);

    uint32_t GetMasterVolume();
    void SetMasterVolume(uint32_t volume); // 0..65535

    // Sees every block of output as Mix makes it (on the output thread, under the mixer's
    // lock): a recording of what is heard. An empty tap removes it.
    using Tap = std::function<void(const int16_t* interleaved, size_t frames)>;
    void SetTap(Tap tap);

private:
    void MixVoice(MixerVoice& voice, int32_t* sums, size_t frames);

    std::mutex mMutex;
    std::vector<std::shared_ptr<MixerVoice>> mVoices;
    std::vector<int32_t> mSums;
    uint32_t mMasterVolume = 65535;
    Tap mTap;
};

} // namespace Vuro::Platform
