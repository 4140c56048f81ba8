#pragma once
// The building blocks both synthesisers share: repeatable noise, band-limited oscillators, a
// state-variable filter, a stereo room reverb, equal-power panning and note pitches.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Vuro::AssetGen {

// xorshift32: the same sequence for the same seed on every machine, so the data set is the same
// on every build. Draw one value per statement: the evaluation order of a call's arguments or an
// operator's operands differs between compilers.
class Noise {
public:
    explicit Noise(uint32_t seed) : mState(seed != 0 ? seed : 0x9E3779B9u) {}
    uint32_t NextBits();
    // -1..1
    float Next() { return static_cast<float>(NextBits()) * (2.0f / 4294967296.0f) - 1.0f; }
    // 0..1
    double Uniform() { return NextBits() / 4294967296.0; }

private:
    uint32_t mState;
};

// One cycle of each shape at a phase in 0..1; increment is the phase step per sample, which the
// saw and square need to round off their jumps (PolyBLEP) so high notes do not alias.
float SineAt(double phase);
float TriangleAt(double phase);
float SawAt(double phase, double increment);
float SquareAt(double phase, double increment, double width = 0.5);

// A two-pole state-variable filter (trapezoidal, stable at every cutoff) with low-, band- and
// high-pass outputs at once. The band output is scaled to unity gain at the centre.
class StateVariableFilter {
public:
    void Set(double cutoffHz, double q, double rate);
    struct Outputs {
        double mLow;
        double mBand;
        double mHigh;
    };
    Outputs Process(double input);
    void Reset() { mState1 = mState2 = 0.0; }

private:
    double mA1 = 1.0, mA2 = 0.0, mA3 = 0.0, mK = 1.0;
    double mState1 = 0.0, mState2 = 0.0;
};

// A stereo room (parallel damped combs into series all-passes), wet signal only. roomSize and
// damping run 0..1; a size of 0.8 rings for about two seconds.
class Reverb {
public:
    Reverb(uint32_t rate, double roomSize, double damping);
    void Process(float inLeft, float inRight, float& outLeft, float& outRight);

private:
    struct Comb {
        std::vector<float> mBuffer;
        size_t mIndex = 0;
        float mStore = 0.0f;
    };
    struct AllPass {
        std::vector<float> mBuffer;
        size_t mIndex = 0;
    };
    static float RunComb(Comb& comb, float input, float feedback, float damping);
    static float RunAllPass(AllPass& allPass, float input);

    std::array<std::array<Comb, 8>, 2> mCombs;
    std::array<std::array<AllPass, 4>, 2> mAllPasses;
    float mFeedback;
    float mDamping;
};

// Equal-power gains of a pan position -1 (left) .. 1 (right); both 0.707 in the middle.
void PanGains(double pan, float& left, float& right);

// A pitch written as a note name ("C4" is middle C, "F#5", "Bb3") or as a number of hertz.
// False when the word is neither.
[[nodiscard]] bool ParsePitch(const std::string& word, double& hertz);
// The MIDI number of a note name (C4 = 60), or -1 when the word is not one.
int NoteNumberOf(const std::string& word);
double FrequencyOfNote(double noteNumber);

} // namespace Vuro::AssetGen
