#include "tools/assetgen/audio/Wave.h"

#include <algorithm>
#include <cmath>

namespace Vuro::AssetGen {

float PeakOf(const Wave& wave) {
    float peak = 0.0f;
    for (float sample : wave.mSamples) {
        peak = std::max(peak, std::fabs(sample));
    }
    return peak;
}

double RmsOf(const Wave& wave) {
    if (wave.mSamples.empty()) {
        return 0.0;
    }
    double sum = 0.0;
    for (float sample : wave.mSamples) {
        sum += static_cast<double>(sample) * sample;
    }
    return std::sqrt(sum / static_cast<double>(wave.mSamples.size()));
}

double ToDecibels(double level) {
    return level > 1e-10 ? 20.0 * std::log10(level) : -200.0;
}

double FromDecibels(double decibels) {
    return std::pow(10.0, decibels / 20.0);
}

void ScaleToPeak(Wave& wave, double peakDb) {
    const float peak = PeakOf(wave);
    if (peak <= 0.0f) {
        return;
    }
    const auto gain = static_cast<float>(FromDecibels(peakDb) / peak);
    for (float& sample : wave.mSamples) {
        sample *= gain;
    }
}

void RemoveMean(Wave& wave) {
    const size_t frames = wave.Frames();
    if (frames == 0) {
        return;
    }
    for (int channel = 0; channel < wave.mChannels; ++channel) {
        double sum = 0.0;
        for (size_t i = 0; i < frames; ++i) {
            sum += wave.mSamples[i * wave.mChannels + channel];
        }
        const auto mean = static_cast<float>(sum / static_cast<double>(frames));
        for (size_t i = 0; i < frames; ++i) {
            wave.mSamples[i * wave.mChannels + channel] -= mean;
        }
    }
}

void BlockDc(Wave& wave) {
    const double pole = std::exp(-2.0 * M_PI * 10.0 / wave.mRate);
    for (int channel = 0; channel < wave.mChannels; ++channel) {
        double lastIn = 0.0;
        double lastOut = 0.0;
        for (size_t i = channel; i < wave.mSamples.size(); i += wave.mChannels) {
            const double in = wave.mSamples[i];
            lastOut = in - lastIn + pole * lastOut;
            lastIn = in;
            wave.mSamples[i] = static_cast<float>(lastOut);
        }
    }
}

void TrimTail(Wave& wave, double thresholdDb, double fadeSeconds) {
    const auto threshold = static_cast<float>(FromDecibels(thresholdDb) * PeakOf(wave));
    size_t end = wave.mSamples.size();
    while (end > 0 && std::fabs(wave.mSamples[end - 1]) <= threshold) {
        --end;
    }
    const size_t channels = static_cast<size_t>(wave.mChannels);
    const size_t frames = (end + channels - 1) / channels;
    wave.mSamples.resize(frames * channels);
    const size_t fadeFrames = std::min(frames, static_cast<size_t>(fadeSeconds * wave.mRate));
    for (size_t i = 0; i < fadeFrames; ++i) {
        const size_t frame = frames - fadeFrames + i;
        const auto gain = static_cast<float>(fadeFrames - i) / static_cast<float>(fadeFrames + 1);
        for (size_t channel = 0; channel < channels; ++channel) {
            wave.mSamples[frame * channels + channel] *= gain;
        }
    }
}

} // namespace Vuro::AssetGen
