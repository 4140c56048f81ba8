#include "tools/assetgen/audio/Dsp.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Vuro::AssetGen {

uint32_t Noise::NextBits() {
    mState ^= mState << 13;
    mState ^= mState >> 17;
    mState ^= mState << 5;
    return mState;
}

namespace {

// The correction that turns a hard jump at phase 0 into a smooth one over one sample.
double PolyBlep(double phase, double increment) {
    if (phase < increment) {
        const double t = phase / increment;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - increment) {
        const double t = (phase - 1.0) / increment;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double Wrap(double phase) {
    return phase - std::floor(phase);
}

} // namespace

float SineAt(double phase) {
    return static_cast<float>(std::sin(2.0 * M_PI * phase));
}

float TriangleAt(double phase) {
    const double p = Wrap(phase);
    return static_cast<float>(p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p);
}

float SawAt(double phase, double increment) {
    const double p = Wrap(phase);
    return static_cast<float>(2.0 * p - 1.0 - PolyBlep(p, increment));
}

float SquareAt(double phase, double increment, double width) {
    const double p = Wrap(phase);
    double value = p < width ? 1.0 : -1.0;
    value += PolyBlep(p, increment);
    value -= PolyBlep(Wrap(p - width), increment);
    return static_cast<float>(value);
}

void StateVariableFilter::Set(double cutoffHz, double q, double rate) {
    const double cutoff = std::clamp(cutoffHz, 10.0, 0.45 * rate);
    const double g = std::tan(M_PI * cutoff / rate);
    mK = 1.0 / std::max(q, 0.05);
    mA1 = 1.0 / (1.0 + g * (g + mK));
    mA2 = g * mA1;
    mA3 = g * mA2;
}

StateVariableFilter::Outputs StateVariableFilter::Process(double input) {
    const double v3 = input - mState2;
    const double v1 = mA1 * mState1 + mA2 * v3;
    const double v2 = mState2 + mA2 * mState1 + mA3 * v3;
    mState1 = 2.0 * v1 - mState1;
    mState2 = 2.0 * v2 - mState2;
    return {v2, v1 * mK, input - mK * v1 - v2};
}

Reverb::Reverb(uint32_t rate, double roomSize, double damping)
    : mFeedback(static_cast<float>(0.7 + 0.28 * std::clamp(roomSize, 0.0, 1.0))),
      mDamping(static_cast<float>(0.4 * std::clamp(damping, 0.0, 1.0))) {
    // Delay lengths at 44100 Hz, mutually prime so the echoes do not line up; the right side
    // is a little longer for width.
    static constexpr std::array<int, 8> kCombs = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static constexpr std::array<int, 4> kAllPasses = {556, 441, 341, 225};
    constexpr int kSpread = 23;
    const double scale = rate / 44100.0;
    for (int side = 0; side < 2; ++side) {
        for (size_t i = 0; i < kCombs.size(); ++i) {
            mCombs[side][i].mBuffer.assign(
                static_cast<size_t>((kCombs[i] + side * kSpread) * scale), 0.0f);
        }
        for (size_t i = 0; i < kAllPasses.size(); ++i) {
            mAllPasses[side][i].mBuffer.assign(
                static_cast<size_t>((kAllPasses[i] + side * kSpread) * scale), 0.0f);
        }
    }
}

float Reverb::RunComb(Comb& comb, float input, float feedback, float damping) {
    const float output = comb.mBuffer[comb.mIndex];
    comb.mStore = output * (1.0f - damping) + comb.mStore * damping;
    comb.mBuffer[comb.mIndex] = input + comb.mStore * feedback;
    comb.mIndex = (comb.mIndex + 1) % comb.mBuffer.size();
    return output;
}

float Reverb::RunAllPass(AllPass& allPass, float input) {
    const float delayed = allPass.mBuffer[allPass.mIndex];
    allPass.mBuffer[allPass.mIndex] = input + delayed * 0.5f;
    allPass.mIndex = (allPass.mIndex + 1) % allPass.mBuffer.size();
    return delayed - input;
}

void Reverb::Process(float inLeft, float inRight, float& outLeft, float& outRight) {
    // The combs add up eight echoes of a sum of both sides; the small input gain keeps the
    // result near the input's level.
    const float input = (inLeft + inRight) * 0.06f;
    float out[2] = {0.0f, 0.0f};
    for (int side = 0; side < 2; ++side) {
        for (Comb& comb : mCombs[side]) {
            out[side] += RunComb(comb, input, mFeedback, mDamping);
        }
        for (AllPass& allPass : mAllPasses[side]) {
            out[side] = RunAllPass(allPass, out[side]);
        }
    }
    outLeft = out[0];
    outRight = out[1];
}

void PanGains(double pan, float& left, float& right) {
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * M_PI / 4.0;
    left = static_cast<float>(std::cos(angle));
    right = static_cast<float>(std::sin(angle));
}

int NoteNumberOf(const std::string& word) {
    static constexpr int kSteps[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (word.size() < 2 || word[0] < 'A' || word[0] > 'G') {
        return -1;
    }
    int note = kSteps[word[0] - 'A'];
    size_t pos = 1;
    if (word[pos] == '#') {
        ++note;
        ++pos;
    } else if (word[pos] == 'b') {
        --note;
        ++pos;
    }
    if (pos + 1 != word.size() || word[pos] < '0' || word[pos] > '8') {
        return -1;
    }
    return note + 12 * (word[pos] - '0' + 1);
}

double FrequencyOfNote(double noteNumber) {
    return 440.0 * std::pow(2.0, (noteNumber - 69.0) / 12.0);
}

bool ParsePitch(const std::string& word, double& hertz) {
    const int note = NoteNumberOf(word);
    if (note >= 0) {
        hertz = FrequencyOfNote(note);
        return true;
    }
    char* end = nullptr;
    hertz = std::strtod(word.c_str(), &end);
    return !word.empty() && *end == '\0' && hertz > 0.0 && hertz < 22000.0;
}

} // namespace Vuro::AssetGen
