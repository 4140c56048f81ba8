#include "tools/assetgen/audio/Wave.h"

#include <algorithm>
#include <cmath>
#include <deque>

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

namespace {

// The smallest value within radius frames of each frame (a sliding minimum, linear time).
std::vector<double> NearbyMinimum(const std::vector<double>& values, size_t radius, bool periodic) {
    const size_t count = values.size();
    auto valueAt = [&](long index) {
        if (periodic) {
            return values[static_cast<size_t>((index % static_cast<long>(count) + count) % count)];
        }
        return index < 0 || index >= static_cast<long>(count) ? 1.0 : values[index];
    };
    std::vector<double> out(count);
    std::deque<std::pair<long, double>> window; // increasing values
    const auto reach = static_cast<long>(radius);
    for (long index = -reach; index < static_cast<long>(count) + reach; ++index) {
        const double value = valueAt(index);
        while (!window.empty() && window.back().second >= value) {
            window.pop_back();
        }
        window.emplace_back(index, value);
        const long centre = index - reach;
        while (window.front().first < centre - reach) {
            window.pop_front();
        }
        if (centre >= 0) {
            out[centre] = window.front().second;
        }
    }
    return out;
}

} // namespace

void LimitPeaks(Wave& wave, double ceilingDb, bool periodic) {
    const size_t frames = wave.Frames();
    const size_t channels = static_cast<size_t>(wave.mChannels);
    if (frames == 0) {
        return;
    }
    const double ceiling = FromDecibels(ceilingDb);
    std::vector<double> needed(frames, 1.0);
    for (size_t frame = 0; frame < frames; ++frame) {
        for (size_t channel = 0; channel < channels; ++channel) {
            const double level = std::fabs(wave.mSamples[frame * channels + channel]);
            if (level > ceiling) {
                needed[frame] = std::min(needed[frame], ceiling / level);
            }
        }
    }
    // Every gain within the radius of a peak is at most the peak's, and their average over
    // that window therefore too: the average falls smoothly and reaches the need in time.
    const size_t radius = wave.mRate * 3 / 1000;
    const std::vector<double> lowest = NearbyMinimum(needed, radius, periodic);
    std::vector<double> gain(frames);
    double sum = 0.0;
    const long width = static_cast<long>(2 * radius + 1);
    auto lowestAt = [&](long index) {
        if (periodic) {
            return lowest[static_cast<size_t>((index % static_cast<long>(frames) + frames) %
                                              frames)];
        }
        return index < 0 || index >= static_cast<long>(frames) ? 1.0 : lowest[index];
    };
    for (long index = -static_cast<long>(radius); index <= static_cast<long>(radius); ++index) {
        sum += lowestAt(index);
    }
    for (size_t frame = 0; frame < frames; ++frame) {
        gain[frame] = sum / static_cast<double>(width);
        const auto at = static_cast<long>(frame);
        sum +=
            lowestAt(at + static_cast<long>(radius) + 1) - lowestAt(at - static_cast<long>(radius));
    }
    // Recovery: the gain follows a fall at once and a rise over about 100 ms; a loop goes
    // round twice so its start recovers from its end.
    const double recovery = 1.0 - std::exp(-1.0 / (0.1 * wave.mRate));
    double current = 1.0;
    for (int pass = periodic ? 0 : 1; pass < 2; ++pass) {
        for (size_t frame = 0; frame < frames; ++frame) {
            current =
                gain[frame] < current ? gain[frame] : current + (gain[frame] - current) * recovery;
            if (pass == 1) {
                for (size_t channel = 0; channel < channels; ++channel) {
                    wave.mSamples[frame * channels + channel] *= static_cast<float>(current);
                }
            }
        }
    }
}

} // namespace Vuro::AssetGen
