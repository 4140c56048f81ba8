// The drums: noise through filters and sines swept down, each a fixed length whatever the
// step it is written on. An instrument's "pitch" moves the drums that have one.

#include "tools/assetgen/music/Voices.h"

#include <algorithm>
#include <cmath>

namespace Vuro::AssetGen {

namespace {

constexpr double kTwoPi = 2.0 * M_PI;

// One drum: its length, and the value of each sample at time t.
template <typename Sample>
std::vector<float> Hit(double seconds, uint32_t rate, float velocity, Sample sample) {
    std::vector<float> out(static_cast<size_t>(seconds * rate));
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<float>(sample(static_cast<double>(i) / rate) * velocity);
    }
    // Fade the last 5 ms: a hit never stops on a step.
    const size_t fade = std::min<size_t>(out.size(), rate / 200);
    for (size_t i = 0; i < fade; ++i) {
        out[out.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
    }
    return out;
}

StateVariableFilter Filter(double cutoff, double q, uint32_t rate) {
    StateVariableFilter filter;
    filter.Set(cutoff, q, rate);
    return filter;
}

double PitchOr(const Instrument& instrument, double fallback) {
    return instrument.mVoice.mPitch > 0.0 ? instrument.mVoice.mPitch : fallback;
}

} // namespace

std::vector<float> RenderDrum(const Instrument& instrument, float velocity, uint32_t rate,
                              Noise& noise) {
    switch (instrument.mKind) {
    case VoiceKind::Kick: {
        // A sine falling from near three times its pitch, with a click on top.
        const double pitch = PitchOr(instrument, 52.0);
        double phase = 0.0;
        auto click = Filter(3000.0, 0.7, rate);
        return Hit(0.6, rate, velocity, [&](double t) {
            phase += (pitch + 1.8 * pitch * std::exp(-t / 0.04)) / rate;
            return std::sin(kTwoPi * phase) * std::exp(-t / 0.22) +
                   0.3 * std::exp(-t / 0.003) * click.Process(noise.Next()).mHigh;
        });
    }
    case VoiceKind::Snare: {
        const double pitch = PitchOr(instrument, 185.0);
        auto rattle = Filter(1200.0, 0.7, rate);
        return Hit(0.4, rate, velocity, [&](double t) {
            return 0.6 * std::sin(kTwoPi * pitch * t) * std::exp(-t / 0.06) +
                   0.3 * std::sin(kTwoPi * pitch * 1.78 * t) * std::exp(-t / 0.04) +
                   0.6 * rattle.Process(noise.Next()).mHigh * std::exp(-t / 0.08);
        });
    }
    case VoiceKind::Hat:
    case VoiceKind::OpenHat: {
        const double ring = instrument.mKind == VoiceKind::Hat ? 0.025 : 0.18;
        auto high = Filter(7000.0, 0.7, rate);
        auto shine = Filter(10000.0, 1.5, rate);
        return Hit(ring * 6.0, rate, velocity, [&](double t) {
            const double white = noise.Next();
            return (0.6 * high.Process(white).mHigh + 0.4 * shine.Process(white).mBand) *
                   std::exp(-t / ring);
        });
    }
    case VoiceKind::Shaker: {
        auto band = Filter(PitchOr(instrument, 6500.0), 1.2, rate);
        return Hit(0.15, rate, velocity, [&](double t) {
            const double rise = std::min(t / 0.01, 1.0);
            return band.Process(noise.Next()).mBand * rise *
                   std::exp(-std::max(t - 0.01, 0.0) / 0.045);
        });
    }
    case VoiceKind::Clap: {
        // Three quick slaps and a short tail.
        auto band = Filter(PitchOr(instrument, 1300.0), 1.5, rate);
        return Hit(0.35, rate, velocity, [&](double t) {
            double level = std::exp(-std::max(t - 0.025, 0.0) / 0.09) * 0.6;
            for (double slap : {0.0, 0.011, 0.022}) {
                if (t >= slap) {
                    level = std::max(level, std::exp(-(t - slap) / 0.004));
                }
            }
            return 1.5 * band.Process(noise.Next()).mBand * level;
        });
    }
    case VoiceKind::Wood: {
        // A woodblock or a clock's tick: a short tone with an inharmonic partial.
        const double pitch = PitchOr(instrument, 1800.0);
        auto knock = Filter(pitch * 1.6, 6.0, rate);
        return Hit(0.12, rate, velocity, [&](double t) {
            return std::sin(kTwoPi * pitch * t) * std::exp(-t / 0.018) +
                   0.5 * std::sin(kTwoPi * pitch * 2.76 * t) * std::exp(-t / 0.008) +
                   0.5 * knock.Process(noise.Next()).mBand * std::exp(-t / 0.004);
        });
    }
    case VoiceKind::Brush: {
        // A brush or a broom swept across: the noise swells, then dies away.
        auto low = Filter(PitchOr(instrument, 5000.0), 0.7, rate);
        auto high = Filter(600.0, 0.7, rate);
        return Hit(0.4, rate, velocity, [&](double t) {
            const double rise = std::min(t / 0.035, 1.0);
            const double swept = high.Process(low.Process(noise.Next()).mLow).mHigh;
            return 1.4 * swept * rise * std::exp(-std::max(t - 0.035, 0.0) / 0.09);
        });
    }
    case VoiceKind::Tom: {
        const double pitch = PitchOr(instrument, 130.0);
        double phase = 0.0;
        auto thump = Filter(pitch * 3.0, 1.0, rate);
        return Hit(0.7, rate, velocity, [&](double t) {
            phase += pitch * (1.0 + 0.5 * std::exp(-t / 0.05)) / rate;
            return std::sin(kTwoPi * phase) * std::exp(-t / 0.25) +
                   0.3 * thump.Process(noise.Next()).mBand * std::exp(-t / 0.02);
        });
    }
    case VoiceKind::Crash: {
        auto high = Filter(3500.0, 0.7, rate);
        auto shine = Filter(7000.0, 0.5, rate);
        return Hit(3.0, rate, velocity, [&](double t) {
            const double white = noise.Next();
            return (0.5 * high.Process(white).mHigh + 0.5 * shine.Process(white).mBand) *
                   std::min(t / 0.002, 1.0) * std::exp(-t / 0.9);
        });
    }
    case VoiceKind::Drip: {
        // A water drop: a sine that rises quickly, at a pitch of its own each time.
        const double pitch = PitchOr(instrument, 1400.0) * std::pow(2.0, 1.2 * noise.Next() * 0.5);
        double phase = 0.0;
        auto splash = Filter(4000.0, 1.0, rate);
        return Hit(0.12, rate, velocity, [&](double t) {
            phase += pitch * (1.0 + 0.8 * (1.0 - std::exp(-t / 0.012))) / rate;
            return std::sin(kTwoPi * phase) * std::min(t / 0.001, 1.0) * std::exp(-t / 0.025) +
                   0.1 * splash.Process(noise.Next()).mBand * std::exp(-t / 0.01);
        });
    }
    default:
        return {};
    }
}

} // namespace Vuro::AssetGen
