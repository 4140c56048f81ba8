// Renders an effect recipe: each layer sample by sample into one buffer, then the room, the DC
// blocker, the cut of the silent tail and the peak.

#include "tools/assetgen/audio/Dsp.h"
#include "tools/assetgen/sounds/EffectRecipe.h"

#include <algorithm>
#include <cmath>

namespace Vuro::AssetGen {

namespace {

// A swept value at progress 0..1: geometric for pitches and cutoffs, so an octave takes as long
// at the top as at the bottom.
double SweepAt(const Sweep& sweep, double progress) {
    if (sweep.mFrom == sweep.mTo || sweep.mFrom <= 0.0 || sweep.mTo <= 0.0) {
        return sweep.mFrom + (sweep.mTo - sweep.mFrom) * progress;
    }
    return sweep.mFrom * std::pow(sweep.mTo / sweep.mFrom, progress);
}

double EnvelopeAt(const EffectLayer& layer, double t) {
    double level = layer.mAttack > 0.0 && t < layer.mAttack ? t / layer.mAttack : 1.0;
    if (layer.mDecay > 0.0 && t > layer.mAttack) {
        level *= std::exp(-(t - layer.mAttack) / layer.mDecay);
    }
    const double untilEnd = layer.mLength - t;
    if (layer.mRelease > 0.0 && untilEnd < layer.mRelease) {
        level *= std::max(untilEnd, 0.0) / layer.mRelease;
    }
    if (layer.mTremoloDepth > 0.0) {
        level *=
            1.0 - layer.mTremoloDepth * (0.5 - 0.5 * std::cos(2.0 * M_PI * layer.mTremoloRate * t));
    }
    return level;
}

// One of the layer's filters, following its cutoff sweep; a layer without it passes through.
class SweptFilter {
public:
    SweptFilter(const Sweep& cutoff, double q, double rate) : mCutoff(cutoff), mQ(q), mRate(rate) {}
    double Low(double input, double progress) { return Run(input, progress).mLow; }
    double High(double input, double progress) { return Run(input, progress).mHigh; }
    double Band(double input, double progress) { return Run(input, progress).mBand; }
    bool Active() const { return mCutoff.Active(); }

private:
    StateVariableFilter::Outputs Run(double input, double progress) {
        mFilter.Set(SweepAt(mCutoff, progress), mQ, mRate);
        return mFilter.Process(input);
    }
    Sweep mCutoff;
    double mQ;
    double mRate;
    StateVariableFilter mFilter;
};

// One repeat of one voice of a layer, added into the buffer from startFrame on.
void RenderVoice(const EffectLayer& layer, const Sweep& pitch, double gain, double detune,
                 size_t startFrame, uint32_t rate, Noise& noise, Wave& out) {
    const auto frames = static_cast<size_t>(layer.mLength * rate);
    float panLeft = 1.0f;
    float panRight = 1.0f;
    if (out.mChannels == 2) {
        PanGains(layer.mPan, panLeft, panRight);
    }
    SweptFilter lowpass(layer.mLowpass, layer.mQ, rate);
    SweptFilter highpass(layer.mHighpass, layer.mQ, rate);
    SweptFilter bandpass(layer.mBandpass, layer.mQ, rate);
    // Detuned copies start at random phases so they do not cancel at the onset.
    double phase = detune == 1.0 ? 0.0 : noise.Uniform();
    double modPhase = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double progress = t / layer.mLength;
        const double glide = layer.mGlide > 0.0 ? std::min(t / layer.mGlide, 1.0) : progress;
        double frequency = SweepAt(pitch, glide) * detune;
        if (layer.mVibratoDepth > 0.0) {
            frequency *= std::pow(2.0, layer.mVibratoDepth / 12.0 *
                                           std::sin(2.0 * M_PI * layer.mVibratoRate * t));
        }
        const double increment = frequency / rate;
        double modulation = 0.0;
        if (layer.mFmRatio > 0.0) {
            modulation = SweepAt(layer.mFmIndex, progress) * SineAt(modPhase) / (2.0 * M_PI);
            modPhase += increment * layer.mFmRatio;
        }
        const double at = phase + modulation;
        double sample = 0.0;
        switch (layer.mWave) {
        case Waveform::Sine:
            sample = SineAt(at);
            break;
        case Waveform::Triangle:
            sample = TriangleAt(at);
            break;
        case Waveform::Square:
            sample = SquareAt(at, increment, layer.mWidth);
            break;
        case Waveform::Saw:
            sample = SawAt(at, increment);
            break;
        case Waveform::Noise:
            sample = noise.Next();
            break;
        case Waveform::Dust:
            sample = noise.Uniform() < increment ? noise.Next() : 0.0;
            break;
        }
        phase += increment;
        phase -= std::floor(phase);
        if (highpass.Active()) {
            sample = highpass.High(sample, progress);
        }
        if (lowpass.Active()) {
            sample = lowpass.Low(sample, progress);
        }
        if (bandpass.Active()) {
            sample = bandpass.Band(sample, progress);
        }
        const auto value = static_cast<float>(sample * gain * EnvelopeAt(layer, t));
        const size_t frame = startFrame + i;
        if (out.mChannels == 2) {
            out.mSamples[frame * 2] += value * panLeft;
            out.mSamples[frame * 2 + 1] += value * panRight;
        } else {
            out.mSamples[frame] += value;
        }
    }
}

double LayerEnd(const EffectLayer& layer) {
    return layer.mAt + layer.mEvery * (layer.mRepeat - 1) + layer.mLength;
}

void AddRoom(const EffectRecipe& recipe, Wave& wave) {
    Reverb room(wave.mRate, recipe.mReverbSize, 0.5);
    const auto mix = static_cast<float>(recipe.mReverbMix);
    for (size_t frame = 0; frame < wave.Frames(); ++frame) {
        float left = wave.mSamples[frame * wave.mChannels];
        float right = wave.mSamples[frame * wave.mChannels + wave.mChannels - 1];
        float wetLeft = 0.0f;
        float wetRight = 0.0f;
        room.Process(left, right, wetLeft, wetRight);
        if (wave.mChannels == 2) {
            wave.mSamples[frame * 2] = left + mix * wetLeft;
            wave.mSamples[frame * 2 + 1] = right + mix * wetRight;
        } else {
            wave.mSamples[frame] = left + mix * 0.5f * (wetLeft + wetRight);
        }
    }
}

} // namespace

Wave RenderEffect(const EffectRecipe& recipe) {
    double end = 0.0;
    for (const EffectLayer& layer : recipe.mLayers) {
        end = std::max(end, LayerEnd(layer));
    }
    if (recipe.mReverbMix > 0.0) {
        end += 0.5 + 2.5 * recipe.mReverbSize; // room for the ring to die away
    }
    Wave wave;
    wave.mRate = recipe.mRate;
    wave.mChannels = recipe.mChannels;
    wave.mSamples.assign(static_cast<size_t>(end * recipe.mRate + 1) * recipe.mChannels, 0.0f);
    for (const EffectLayer& layer : recipe.mLayers) {
        Noise noise(layer.mSeed * 7919u);
        for (int repeat = 0; repeat < layer.mRepeat; ++repeat) {
            Sweep pitch = layer.mPitch;
            if (!layer.mNotes.empty()) {
                // The sweep keeps its shape, moved to each note.
                pitch.mTo = layer.mNotes[repeat] * pitch.mTo / pitch.mFrom;
                pitch.mFrom = layer.mNotes[repeat];
            }
            const double gain =
                layer.mGain * std::pow(layer.mShrink, repeat) / std::sqrt(layer.mVoices);
            const auto start =
                static_cast<size_t>((layer.mAt + layer.mEvery * repeat) * recipe.mRate);
            for (int voice = 0; voice < layer.mVoices; ++voice) {
                const double spread =
                    layer.mVoices > 1 ? 2.0 * voice / (layer.mVoices - 1) - 1.0 : 0.0;
                const double detune = std::pow(2.0, spread * layer.mDetuneCents / 1200.0);
                RenderVoice(layer, pitch, gain, detune, start, recipe.mRate, noise, wave);
            }
        }
    }
    if (recipe.mReverbMix > 0.0) {
        AddRoom(recipe, wave);
    }
    BlockDc(wave);
    TrimTail(wave, -60.0, 0.01);
    ScaleToPeak(wave, recipe.mPeakDb);
    return wave;
}

} // namespace Vuro::AssetGen
