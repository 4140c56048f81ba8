// Every song of the data set: loaded and started through the music back end (the built-in bass
// library on SDL's dummy audio driver) as the game loads it, and decoded through the
// platform's Ogg decoder to check its length, channels, level, and that the loops join up.

#include "PcmCapture.h"

#include "framework/sound/BassMusicInterface.h"
#include "platform/SoundDecoders.h"
#include "tools/assetgen/audio/SoundTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace Vuro {
namespace {

std::string SongPath(const GameSong& song) {
    return (std::filesystem::path(VURO_DATA_DIR) / song.mFile).string();
}

// The largest change from one frame to the next over frames [from, to).
int LargestStep(const std::vector<int16_t>& samples, size_t from, size_t to) {
    int largest = 0;
    for (size_t frame = std::max<size_t>(from, 1); frame < to; ++frame) {
        for (size_t channel = 0; channel < 2; ++channel) {
            largest = std::max(largest, std::abs(samples[frame * 2 + channel] -
                                                 samples[(frame - 1) * 2 + channel]));
        }
    }
    return largest;
}

TEST(MusicTest, EverySongLoadsAndStartsThroughTheMusicBackEnd) {
    BassMusicInterface music(nullptr);
    for (const auto& song : AssetGen::GameSongs()) {
        SCOPED_TRACE(song.mFile);
        ASSERT_TRUE(music.LoadMusic(song.mId, SongPath(song)));
        ASSERT_NE(music.Find(song.mId), nullptr);
        EXPECT_NE(music.Find(song.mId)->mHStream, 0u);
        music.PlayMusic(song.mId, 0, !song.mLoops);
        EXPECT_TRUE(music.IsPlaying(song.mId));
        music.StopMusic(song.mId);
        EXPECT_FALSE(music.IsPlaying(song.mId));
    }
}

TEST(MusicTest, EverySongHasItsLengthAndLevelAndNeverClips) {
    for (const auto& song : AssetGen::GameSongs()) {
        SCOPED_TRACE(song.mFile);
        Vuro::Test::PcmCapture target;
        ASSERT_TRUE(Platform::DecodeOgg(std::fopen(SongPath(song).c_str(), "rb"), target));
        ASSERT_EQ(target.mFormat.channels, 2);
        ASSERT_EQ(target.mFormat.samplesPerSec, 44100u);
        const std::vector<int16_t> samples = target.Samples();
        const size_t frames = samples.size() / 2;
        const double seconds = static_cast<double>(frames) / 44100.0;
        if (song.mLoops) {
            EXPECT_GE(seconds, 20.0);
            EXPECT_LE(seconds, 60.0);
        } else {
            EXPECT_GE(seconds, 4.0);
            EXPECT_LE(seconds, 12.0);
        }

        int peak = 0;
        double squares = 0.0;
        double sums[2] = {0.0, 0.0};
        for (size_t i = 0; i < samples.size(); ++i) {
            peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
            squares += static_cast<double>(samples[i]) * samples[i];
            sums[i % 2] += samples[i];
        }
        // Below -1 dBFS after decoding, and loud enough to be heard beside the effects.
        EXPECT_LE(peak, 29204);
        EXPECT_GE(peak, 14636);
        const double rmsDb = 20.0 * std::log10(std::sqrt(squares / samples.size()) / 32768.0);
        EXPECT_GE(rmsDb, -23.0);
        EXPECT_LE(rmsDb, -16.0);
        for (double sum : sums) {
            EXPECT_LT(std::fabs(sum / static_cast<double>(frames)), 50.0);
        }

        const size_t nearby = 882; // 20 ms
        if (song.mLoops) {
            // The jump from the last frame back to the first is no larger than the steps the
            // song itself takes around that point: no click where it wraps.
            int seam = 0;
            for (size_t channel = 0; channel < 2; ++channel) {
                seam = std::max(seam,
                                std::abs(samples[channel] - samples[(frames - 1) * 2 + channel]));
            }
            const int around = std::max(LargestStep(samples, 1, nearby),
                                        LargestStep(samples, frames - nearby, frames));
            EXPECT_LE(seam, around);
        } else {
            // A one-shot ends in silence.
            EXPECT_LT(LargestStep(samples, frames - nearby, frames), 100);
            EXPECT_LT(std::abs(samples[samples.size() - 1]), 100);
        }
    }
}

} // namespace
} // namespace Vuro
