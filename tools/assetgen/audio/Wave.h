#pragma once
// A sound as the synthesisers make it: floating-point samples, -1..1 at full scale, with the
// channels interleaved. The writers turn it into the files the game reads.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Vuro::AssetGen {

struct Wave {
    uint32_t mRate = 44100;
    int mChannels = 1;
    std::vector<float> mSamples; // interleaved frames

    size_t Frames() const { return mSamples.size() / static_cast<size_t>(mChannels); }
    double Seconds() const { return static_cast<double>(Frames()) / mRate; }
};

// The largest magnitude of any sample.
float PeakOf(const Wave& wave);
// Root mean square over all samples.
double RmsOf(const Wave& wave);
// Decibels relative to full scale of a linear level (-200 for silence).
double ToDecibels(double level);
double FromDecibels(double decibels);

// Scales the wave so that its peak lies at peakDb; a silent wave stays silent.
void ScaleToPeak(Wave& wave, double peakDb);
// Subtracts each channel's mean, which keeps a loop's ends joined.
void RemoveMean(Wave& wave);
// A 10 Hz one-pole high-pass per channel: takes away the slow drift a one-shot sound may build
// up; it starts from rest, so a sound that starts from silence keeps its start.
void BlockDc(Wave& wave);
// Cuts the silence after the last sample above thresholdDb and fades the last fadeSeconds to
// zero, so a one-shot sound ends without a click.
void TrimTail(Wave& wave, double thresholdDb, double fadeSeconds);

// Keeps every sample at or below ceilingDb with a smooth gain: it falls over a few
// milliseconds before a peak (it looks ahead) and recovers over a tenth of a second, so the
// limiting is heard as nothing. A periodic wave is treated as a loop: the gain at its end
// carries on into its start.
void LimitPeaks(Wave& wave, double ceilingDb, bool periodic);

} // namespace Vuro::AssetGen
