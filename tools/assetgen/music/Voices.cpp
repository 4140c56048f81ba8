// The pitched instruments. Times are in seconds, levels near 1 at full velocity; the song
// scales each instrument by its gain.

#include "tools/assetgen/music/Voices.h"

#include <algorithm>
#include <cmath>

namespace Vuro::AssetGen {

namespace {

constexpr double kTwoPi = 2.0 * M_PI;

// Attack, exponential fall toward a sustain level, release after the note is let go (a squared
// ramp, which ends softer than a straight one).
struct Envelope {
    double mAttack;
    double mDecay; // time constant; 0 holds
    double mSustain;
    double mRelease;

    double At(double t, double held) const {
        double level = 1.0;
        if (t < mAttack) {
            level = t / mAttack;
        } else if (mDecay > 0.0) {
            level = mSustain + (1.0 - mSustain) * std::exp(-(t - mAttack) / mDecay);
        }
        if (t > held) {
            const double left = std::max(0.0, 1.0 - (t - held) / mRelease);
            level *= left * left;
        }
        return level;
    }
};

double Setting(double value, double fallback) {
    return value >= 0.0 ? value : fallback;
}

// The envelope of an instrument: its own settings where given, else the kind's.
Envelope EnvelopeOf(const VoiceSettings& voice, Envelope fallback) {
    return {Setting(voice.mAttack, fallback.mAttack), Setting(voice.mDecay, fallback.mDecay),
            fallback.mSustain, std::max(0.005, Setting(voice.mRelease, fallback.mRelease))};
}

std::vector<float> Buffer(double seconds, uint32_t rate) {
    return std::vector<float>(static_cast<size_t>(std::max(seconds, 0.0) * rate) + 1, 0.0f);
}

// A plucked string: a burst of filtered noise circulating in a delay line one period long. The
// loop filter leans on the previous sample, so high partials die first, as on a real string;
// an all-pass makes up the fraction of a sample the period needs, which keeps high notes in
// tune without dulling them. Letting go damps the string quickly.
std::vector<float> Pluck(const VoiceSettings& voice, double frequency, double held, float velocity,
                         uint32_t rate, Noise& noise) {
    const double ringing = Setting(voice.mDecay, 1.5);
    const double release = Setting(voice.mRelease, 0.12);
    const double bright = std::clamp(voice.mBright, 0.0, 1.0);
    std::vector<float> out = Buffer(held + release, rate);
    const double period = rate / frequency;
    // The burst: the string's shape where the finger pulled it (a triangle peaking a third of
    // the way along), roughened with noise through two low-passes that open for bright strings
    // and hard plucks. The shape keeps the attack's peaks moderate; the noise keeps every
    // pluck a little different.
    const auto burstLength = static_cast<size_t>(period);
    std::vector<double> burst(burstLength);
    const double smoothing = 0.08 + 0.6 * bright * (0.6 + 0.4 * velocity);
    double low1 = 0.0;
    double low2 = 0.0;
    double mean = 0.0;
    for (size_t i = 0; i < burstLength; ++i) {
        low1 += smoothing * (noise.Next() - low1);
        low2 += smoothing * (low1 - low2);
        const double along = static_cast<double>(i) / static_cast<double>(burstLength);
        const double shape = along < 0.3 ? along / 0.3 : (1.0 - along) / 0.7;
        burst[i] = shape + 1.5 * low2;
        mean += burst[i];
    }
    mean /= static_cast<double>(burstLength);
    double power = 0.0;
    for (double& sample : burst) {
        sample -= mean;
        power += sample * sample;
    }
    const double scale = velocity * 0.45 / std::sqrt(std::max(power / burstLength, 1e-12));
    const double lean = 0.5 - 0.3 * bright; // the loop filter's weight on the previous sample
    const double delay = period - lean;
    const auto whole = static_cast<long>(std::floor(delay - 0.1));
    const double fraction = delay - static_cast<double>(whole);
    const double allPass = (1.0 - fraction) / (1.0 + fraction);
    const double heldGain = std::pow(0.001, 1.0 / (frequency * ringing));
    const double releasedGain = std::pow(0.001, 1.0 / (frequency * release * 0.7));
    const auto heldFrames = static_cast<long>(held * rate);
    auto at = [&](long index) { return index >= 0 ? static_cast<double>(out[index]) : 0.0; };
    double allPassIn = 0.0;
    double allPassOut = 0.0;
    for (long i = 0; i < static_cast<long>(out.size()); ++i) {
        // The burst rises over half a millisecond, so the note starts without a step.
        const double onset = std::min(1.0, static_cast<double>(i) / (0.0005 * rate));
        const double input = i < static_cast<long>(burstLength) ? burst[i] * scale * onset : 0.0;
        const double filtered = (1.0 - lean) * at(i - whole) + lean * at(i - whole - 1);
        const double shifted = allPass * filtered + allPassIn - allPass * allPassOut;
        allPassIn = filtered;
        allPassOut = shifted;
        const double gain = i < heldFrames ? heldGain : releasedGain;
        out[i] = static_cast<float>(input + gain * shifted);
    }
    return out;
}

// Electric piano: a sine modulated by a sine of the same pitch, the modulation dying fast
// (the bright strike), with a faint high tine.
std::vector<float> EPiano(const VoiceSettings& voice, double frequency, double held, float velocity,
                          uint32_t rate) {
    const double pitchFall = std::pow(261.6 / frequency, 0.3); // high notes die sooner
    const Envelope envelope = EnvelopeOf(voice, {0.002, 1.6 * pitchFall, 0.0, 0.25});
    std::vector<float> out = Buffer(held + envelope.mRelease, rate);
    const double strike = (0.5 + 2.5 * voice.mBright) * velocity;
    const bool tine = frequency * 14.0 < 0.45 * rate;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double index = 0.3 + strike * std::exp(-t / 0.35);
        double value = std::sin(kTwoPi * frequency * t + index * std::sin(kTwoPi * frequency * t));
        if (tine) {
            value +=
                0.12 * velocity * std::exp(-t / 0.03) * std::sin(kTwoPi * frequency * 14.0 * t);
        }
        out[i] = static_cast<float>(value * envelope.At(t, held) * velocity);
    }
    return out;
}

// Bell or celesta: an inharmonic modulator (3.5 times the pitch) that fades to a pure tone.
std::vector<float> Bell(const VoiceSettings& voice, double frequency, double held, float velocity,
                        uint32_t rate) {
    const Envelope envelope = EnvelopeOf(voice, {0.001, 1.2, 0.0, 0.6});
    std::vector<float> out = Buffer(held + envelope.mRelease, rate);
    const double strike = (0.8 + 2.0 * voice.mBright) * velocity;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double index = strike * std::exp(-t / 0.4);
        const double value =
            std::sin(kTwoPi * frequency * t + index * std::sin(kTwoPi * 3.5 * frequency * t));
        out[i] = static_cast<float>(value * envelope.At(t, held) * velocity * 0.65);
    }
    return out;
}

// Marimba: a sine with the bar's fourth partial and a short mallet knock.
std::vector<float> Marimba(const VoiceSettings& voice, double frequency, double held,
                           float velocity, uint32_t rate, Noise& noise) {
    const double pitchFall = std::pow(261.6 / frequency, 0.4);
    const Envelope envelope = EnvelopeOf(voice, {0.001, 0.35 * pitchFall, 0.0, 0.12});
    std::vector<float> out = Buffer(held + envelope.mRelease, rate);
    const bool overtone = frequency * 4.0 < 0.45 * rate;
    StateVariableFilter knock;
    knock.Set(std::min(frequency * 6.0, 0.4 * rate), 2.0, rate);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        double value = std::sin(kTwoPi * frequency * t);
        if (overtone) {
            value += 0.3 * std::exp(-t / 0.05) * std::sin(kTwoPi * 4.0 * frequency * t);
        }
        value += 0.4 * std::exp(-t / 0.004) * knock.Process(noise.Next()).mBand;
        out[i] = static_cast<float>(value * envelope.At(t, held) * velocity);
    }
    return out;
}

// Vibrato that grows in after the note has begun, as a player's does.
double VibratoFactor(double depthSemitones, double rate, double t) {
    const double growth = std::clamp((t - 0.2) / 0.3, 0.0, 1.0);
    return std::pow(2.0, depthSemitones * growth * std::sin(kTwoPi * rate * t) / 12.0);
}

// Flute: a few soft harmonics, breath noise around the pitch, a chiff at the start.
std::vector<float> Flute(const VoiceSettings& voice, double frequency, double held, float velocity,
                         uint32_t rate, Noise& noise) {
    const Envelope envelope = EnvelopeOf(voice, {0.06, 3.0, 0.8, 0.12});
    std::vector<float> out = Buffer(held + envelope.mRelease, rate);
    const double depth = voice.mVibrato > 0.0 ? voice.mVibrato : 0.12;
    StateVariableFilter breath;
    breath.Set(std::min(frequency * 2.0, 0.4 * rate), 3.0, rate);
    StateVariableFilter chiff;
    chiff.Set(std::min(frequency * 4.0, 0.4 * rate), 1.0, rate);
    // The breath swells in along a quarter sine; the envelope does the rest.
    Envelope sustain = envelope;
    sustain.mAttack = 0.0;
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        phase += frequency * VibratoFactor(depth, 5.0, t) / rate;
        double value = std::sin(kTwoPi * phase) + 0.22 * std::sin(2.0 * kTwoPi * phase) +
                       0.07 * std::sin(3.0 * kTwoPi * phase);
        const double air = noise.Next();
        value += 0.12 * breath.Process(air).mBand;
        value += 0.2 * std::exp(-t / 0.02) * chiff.Process(air).mBand;
        const double attack = std::sin(0.5 * M_PI * std::min(t / envelope.mAttack, 1.0));
        out[i] = static_cast<float>(value * attack * sustain.At(t, held) * velocity * 0.55);
    }
    return out;
}

// Reed: two pulse waves a few cents apart (an accordion's beating reeds; one reed with vibrato
// makes a harmonica) through a gentle low-pass.
std::vector<float> Reed(const VoiceSettings& voice, double frequency, double held, float velocity,
                        uint32_t rate) {
    const Envelope envelope = EnvelopeOf(voice, {0.025, 4.0, 0.85, 0.07});
    std::vector<float> out = Buffer(held + envelope.mRelease, rate);
    const double spread = std::pow(2.0, voice.mDetuneCents / 1200.0);
    StateVariableFilter tone;
    tone.Set(voice.mCutoff > 0.0 ? voice.mCutoff : 2800.0, 0.7, rate);
    double phaseA = 0.0;
    double phaseB = 0.37;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double f = frequency * VibratoFactor(voice.mVibrato, 5.5, t);
        const double stepA = f * spread / rate;
        const double stepB = f / spread / rate;
        phaseA += stepA;
        phaseB += stepB;
        const double value = 0.5 * (SquareAt(phaseA, stepA, 0.4) + SquareAt(phaseB, stepB, 0.4));
        out[i] =
            static_cast<float>(tone.Process(value).mLow * envelope.At(t, held) * velocity * 0.8);
    }
    return out;
}

// Bass: a saw and a sine an octave's weight below it, the filter closing after the pluck.
std::vector<float> Bass(const VoiceSettings& voice, double frequency, double held, float velocity,
                        uint32_t rate) {
    const Envelope envelope = EnvelopeOf(voice, {0.004, 1.5, 0.55, 0.07});
    std::vector<float> out = Buffer(held + envelope.mRelease, rate);
    const double base = voice.mCutoff > 0.0 ? voice.mCutoff : 260.0;
    StateVariableFilter filter;
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double step = frequency / rate;
        phase += step;
        if (i % 16 == 0) {
            filter.Set(base + 1600.0 * voice.mBright * velocity * std::exp(-t / 0.09), 1.1, rate);
        }
        const double value = filter.Process(SawAt(phase, step)).mLow + 0.7 * SineAt(phase);
        out[i] = static_cast<float>(value * envelope.At(t, held) * velocity * 1.05);
    }
    return out;
}

// Saws a few cents apart, starting at random phases, through a slowly breathing low-pass: the
// pad, and with an opening filter and vibrato, the brass.
std::vector<float> Saws(const VoiceSettings& voice, double frequency, double held, float velocity,
                        uint32_t rate, Noise& noise, bool brass) {
    const Envelope envelope =
        EnvelopeOf(voice, brass ? Envelope{0.03, 0.6, 0.8, 0.12} : Envelope{0.35, 0.0, 1.0, 0.7});
    std::vector<float> out = Buffer(held + envelope.mRelease, rate);
    const double cents = voice.mDetuneCents > 0.0 ? voice.mDetuneCents : (brass ? 4.0 : 8.0);
    const double cutoff = voice.mCutoff > 0.0 ? voice.mCutoff : (brass ? 2600.0 : 1100.0);
    const int count = brass ? 2 : 3;
    double phases[3] = {noise.Uniform(), noise.Uniform(), noise.Uniform()};
    double ratios[3];
    for (int k = 0; k < count; ++k) {
        const double spread = count == 1 ? 0.0 : 2.0 * k / (count - 1) - 1.0;
        ratios[k] = std::pow(2.0, spread * cents / 1200.0);
    }
    const double lfoPhase = noise.Uniform();
    StateVariableFilter filter;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double f = frequency * (brass ? VibratoFactor(0.1, 5.5, t) : 1.0);
        double value = 0.0;
        for (int k = 0; k < count; ++k) {
            const double step = f * ratios[k] / rate;
            phases[k] += step;
            value += SawAt(phases[k], step);
        }
        if (i % 16 == 0) {
            const double opening = brass ? 0.15 + 0.85 * velocity * (1.0 - std::exp(-t / 0.05))
                                         : 1.0 + 0.15 * std::sin(kTwoPi * (0.2 * t + lfoPhase));
            filter.Set(cutoff * opening, 0.8, rate);
        }
        out[i] = static_cast<float>(filter.Process(value / count).mLow * envelope.At(t, held) *
                                    velocity * (brass ? 1.2 : 1.6));
    }
    return out;
}

// Rain: a low hush and a high hiss, with a slow swell. Its ends rise and fall along a quarter
// sine and cosine, so the end of one bed laid over the start of the next keeps its power.
std::vector<float> Rainfall(const VoiceSettings& voice, double held, float velocity, uint32_t rate,
                            Noise& noise) {
    const double fade = Setting(voice.mAttack, 2.0);
    std::vector<float> out = Buffer(held + fade, rate);
    StateVariableFilter hush;
    hush.Set(700.0, 0.5, rate);
    StateVariableFilter hiss;
    hiss.Set(voice.mCutoff > 0.0 ? voice.mCutoff : 3500.0, 0.8, rate);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double white = noise.Next();
        double value = 0.8 * hush.Process(white).mBand + 0.2 * hiss.Process(white).mBand;
        value *= 1.0 + 0.15 * std::sin(kTwoPi * 0.13 * t);
        double level = 1.0;
        if (t < fade) {
            level = std::sin(0.5 * M_PI * t / fade);
        } else if (t > held) {
            level = std::cos(0.5 * M_PI * std::min((t - held) / fade, 1.0));
        }
        out[i] = static_cast<float>(value * level * velocity);
    }
    return out;
}

} // namespace

std::vector<float> RenderVoice(const Instrument& instrument, const Note& note, double heldSeconds,
                               uint32_t rate, Noise& noise) {
    const VoiceSettings& voice = instrument.mVoice;
    const double f = FrequencyOfNote(note.mNumber);
    const float velocity = note.mVelocity;
    std::vector<float> out;
    switch (instrument.mKind) {
    case VoiceKind::Pluck:
        out = Pluck(voice, f, heldSeconds, velocity, rate, noise);
        break;
    case VoiceKind::EPiano:
        out = EPiano(voice, f, heldSeconds, velocity, rate);
        break;
    case VoiceKind::Bell:
        out = Bell(voice, f, heldSeconds, velocity, rate);
        break;
    case VoiceKind::Marimba:
        out = Marimba(voice, f, heldSeconds, velocity, rate, noise);
        break;
    case VoiceKind::Flute:
        out = Flute(voice, f, heldSeconds, velocity, rate, noise);
        break;
    case VoiceKind::Reed:
        out = Reed(voice, f, heldSeconds, velocity, rate);
        break;
    case VoiceKind::Bass:
        out = Bass(voice, f, heldSeconds, velocity, rate);
        break;
    case VoiceKind::Pad:
    case VoiceKind::Brass:
        out = Saws(voice, f, heldSeconds, velocity, rate, noise,
                   instrument.mKind == VoiceKind::Brass);
        break;
    case VoiceKind::Rainfall:
        return Rainfall(voice, heldSeconds, velocity, rate, noise);
    default:
        return RenderDrum(instrument, velocity, rate, noise);
    }
    // A last few milliseconds of fade, so no voice stops on a step.
    const size_t fade = std::min<size_t>(out.size(), rate / 200);
    for (size_t i = 0; i < fade; ++i) {
        out[out.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
    }
    return out;
}

} // namespace Vuro::AssetGen
