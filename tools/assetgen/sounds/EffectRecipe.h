#pragma once
// A sound effect's recipe: layers of tones and noises, each with its own pitch sweep, envelope
// and filters, summed, given a little room and scaled to a common peak.
//
// The text form (assets/sounds/<name>.txt), one setting or layer per line:
//   format wav|ogg|au        the file the game gets (default wav)
//   channels 1|2             (default 1)    rate HZ   (default 44100)
//   reverb MIX SIZE          wet share 0..1 and room size 0..1 (default none)
//   peak DB                  the loudest sample, dB below full scale (default -3)
//   tone WAVE KEY VALUE ...  one layer; WAVE is sine, triangle, square, saw, noise or dust
//                            (random clicks, PITCH of them a second)
// Keys of a layer, times in seconds; "A>B" sweeps a value over the layer (pitches and filter
// cutoffs along a logarithmic path):
//   at T  len T  gain G  pitch P[>P]  glide T (sweep time, default the whole layer)
//   attack T  decay T (exponential time constant, 0 holds)  release T (fade at the end)
//   vibrato RATE SEMITONES  tremolo RATE DEPTH  fm RATIO INDEX[>INDEX]  width W (square)
//   lowpass HZ[>HZ]  highpass HZ[>HZ]  bandpass HZ[>HZ]  q Q  pan P (-1..1)
//   voices N CENTS (detuned copies)  repeat N  every T  shrink G (gain factor per repeat)
//   notes P P ... (one repeat per pitch, every T apart)  seed N
// Pitches are hertz or note names (A4 = 440 Hz).

#include "tools/assetgen/audio/SourceText.h"
#include "tools/assetgen/audio/Wave.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Vuro::AssetGen {

// A value that moves from mFrom to mTo over a layer; 0 means "off" for filters.
struct Sweep {
    double mFrom = 0.0;
    double mTo = 0.0;
    bool Active() const { return mFrom > 0.0; }
};

enum class Waveform { Sine, Triangle, Square, Saw, Noise, Dust };

struct EffectLayer {
    Waveform mWave = Waveform::Sine;
    double mAt = 0.0;
    double mLength = 0.1;
    double mGain = 1.0;
    Sweep mPitch{440.0, 440.0};
    double mGlide = 0.0; // 0: the whole layer
    double mAttack = 0.002;
    double mDecay = 0.0;
    double mRelease = 0.005;
    double mVibratoRate = 0.0, mVibratoDepth = 0.0; // depth in semitones
    double mTremoloRate = 0.0, mTremoloDepth = 0.0;
    double mFmRatio = 0.0;
    Sweep mFmIndex;
    double mWidth = 0.5;
    Sweep mLowpass, mHighpass, mBandpass;
    double mQ = 0.707;
    double mPan = 0.0;
    int mVoices = 1;
    double mDetuneCents = 0.0;
    int mRepeat = 1;
    double mEvery = 0.0;
    double mShrink = 1.0;
    std::vector<double> mNotes; // pitches of the repeats, when given
    uint32_t mSeed = 1;
};

struct EffectRecipe {
    std::string mFormat = "wav";
    uint32_t mRate = 44100;
    int mChannels = 1;
    double mReverbMix = 0.0;
    double mReverbSize = 0.5;
    double mPeakDb = -3.0;
    std::vector<EffectLayer> mLayers;
};

// False, after a message naming the line, on any word it does not understand.
[[nodiscard]] bool ParseEffectRecipe(const SourceText& source, EffectRecipe& recipe);

// The finished sound: layers summed, room added, DC removed, silence cut, peak set.
Wave RenderEffect(const EffectRecipe& recipe);

} // namespace Vuro::AssetGen
