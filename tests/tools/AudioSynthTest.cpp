// The asset tool's sound synthesisers, driven directly: the score and recipe readers (what they
// make of the text and how they report mistakes), the loop rules of the song renderer, the
// peak limiter, and the WAV and AU writers against the game's own readers. (The Ogg writer is
// checked through the data set's songs: it cannot share a program with the game's decoder.)

#include "PcmCapture.h"
#include "support/TempFolder.h"

#include "framework/sound/SoundFileReaders.h"
#include "tools/assetgen/audio/WaveWriters.h"
#include "tools/assetgen/music/SongRender.h"
#include "tools/assetgen/sounds/EffectRecipe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace Vuro::AssetGen {
namespace {

// The text as a source file; false when the reader refused it, with its message in `error`.
template <typename Result, typename Parse>
bool Read(const std::string& text, Result& result, Parse parse, std::string& error) {
    Vuro::Test::TempFolder folder("audiosynth");
    folder.Write("source.txt", text);
    SourceText source;
    EXPECT_TRUE(source.Load(folder.Path("source.txt")));
    ::testing::internal::CaptureStderr();
    const bool ok = parse(source, result);
    error = ::testing::internal::GetCapturedStderr();
    return ok;
}

const std::string kHead = "tempo 60\ninstrument a pluck\ninstrument k kick\nsection S\n";

TEST(ScoreReader, NotesChordsRestsRepeatsAndDrumSteps) {
    Score score;
    std::string error;
    ASSERT_TRUE(Read(kHead + "a C4:1 D4 E4+G4:2! | % |\nk x..X............ | o............... |\n",
                     score, ParseScore, error))
        << error;
    double beats = 0.0;
    const auto notes = Arrange(score, beats);
    EXPECT_EQ(beats, 8.0);
    // beat, length, note number, velocity
    const std::vector<std::tuple<double, double, double, float>> melody = {
        {0, 1, 60, 0.8f}, {1, 1, 62, 0.8f}, {2, 2, 64, 1.0f}, {2, 2, 67, 1.0f},
        {4, 1, 60, 0.8f}, {5, 1, 62, 0.8f}, {6, 2, 64, 1.0f}, {6, 2, 67, 1.0f}};
    ASSERT_EQ(notes[0].size(), melody.size());
    for (size_t i = 0; i < melody.size(); ++i) {
        const auto& [beat, length, number, velocity] = melody[i];
        EXPECT_EQ(notes[0][i].mBeat, beat);
        EXPECT_EQ(notes[0][i].mBeats, length);
        EXPECT_EQ(notes[0][i].mNumber, number);
        EXPECT_EQ(notes[0][i].mVelocity, velocity);
    }
    // Sixteen steps to a bar: hits on beats 0 and 0.75, then a soft one on beat 4.
    ASSERT_EQ(notes[1].size(), 3u);
    EXPECT_EQ(notes[1][1].mBeat, 0.75);
    EXPECT_EQ(notes[1][1].mVelocity, 1.0f);
    EXPECT_EQ(notes[1][2].mBeat, 4.0);
    EXPECT_EQ(notes[1][2].mVelocity, 0.5f);
}

TEST(ScoreReader, SectionsOfTheirOwnLengthsPlayInTheOrderGiven) {
    Score score;
    std::string error;
    ASSERT_TRUE(Read(kHead + "a C4:4 | D4:4 |\nsection T\na E4:4 |\norder S T S\n", score,
                     ParseScore, error))
        << error;
    double beats = 0.0;
    const auto notes = Arrange(score, beats);
    EXPECT_EQ(beats, 20.0);
    std::vector<std::pair<double, double>> played;
    for (const Note& note : notes[0]) {
        played.emplace_back(note.mBeat, note.mNumber);
    }
    EXPECT_EQ(played, (std::vector<std::pair<double, double>>{
                          {0, 60}, {4, 62}, {8, 64}, {12, 60}, {16, 62}}));
}

TEST(ScoreReader, SwingDelaysTheOffbeats) {
    Score score;
    std::string error;
    ASSERT_TRUE(Read("swing 0.25\n" + kHead + "a C4:0.5 D4 E4:1 F4:0.25 G4:1.75 |\n", score,
                     ParseScore, error));
    double beats = 0.0;
    const auto notes = Arrange(score, beats);
    ASSERT_EQ(notes[0].size(), 5u);
    EXPECT_EQ(notes[0][1].mBeat, 0.75);  // the offbeat eighth
    EXPECT_EQ(notes[0][4].mBeat, 2.375); // a sixteenth moves half as far
}

TEST(ScoreReader, MistakesAreReportedWithTheirLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {kHead + "a C4:2 D4:3 |\n", ":5: bar 1 of 'a' holds 5"},
        {kHead + "a C4:4\n", ":5: a bar of 'a' is not closed"},
        {kHead + "a C4:4 |\nk x............... | % |\n", ":6: 'k' is not as long"},
        {kHead + "a H4:4 |\n", ":5: cannot read 'H4:4'"},
        {kHead + "k x.y. |\n", ":5: cannot read 'x.y.'"},
        {kHead + "a % |\n", ":5: '%' stands alone"},
        {"instrument a kazoo\n", ":1: write 'instrument NAME KIND"},
        {kHead + "a C4:4 |\norder S T\n", ":6: no section 'T'"},
        {"tempo 500\n", ":1: cannot read 'tempo' line"},
    };
    for (const auto& [text, message] : cases) {
        Score score;
        std::string error;
        EXPECT_FALSE(Read(text, score, ParseScore, error)) << text;
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
}

TEST(EffectRecipeReader, ReadsLayersAndReportsMistakes) {
    EffectRecipe recipe;
    std::string error;
    ASSERT_TRUE(Read("format ogg\ntone sine notes C5 E5 every 0.1 len 0.2 pitch 440>880\n", recipe,
                     ParseEffectRecipe, error));
    EXPECT_EQ(recipe.mFormat, "ogg");
    ASSERT_EQ(recipe.mLayers.size(), 1u);
    EXPECT_EQ(recipe.mLayers[0].mRepeat, 2);
    EXPECT_EQ(recipe.mPeakDb, -3.0);
    const Wave wave = RenderEffect(recipe);
    EXPECT_NEAR(PeakOf(wave), FromDecibels(-3.0), 1e-6);
    EXPECT_NEAR(wave.Seconds(), 0.3, 0.01);

    const std::vector<std::pair<std::string, std::string>> cases = {
        {"tone wobble\n", ":1: 'tone' needs a wave"},
        {"tone sine len 0.1 pitch X5\n", ":1: bad value after 'pitch'"},
        {"\n\ntone sine loudness 3\n", ":3: unknown key 'loudness'"},
        {"format mp3\ntone sine\n", ":1: cannot read 'format' line"},
        {"format wav\n", "no 'tone' layer"},
    };
    for (const auto& [text, message] : cases) {
        EffectRecipe bad;
        EXPECT_FALSE(Read(text, bad, ParseEffectRecipe, error)) << text;
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
}

// One bar at 60 beats a minute, a bell struck on its last beat.
Wave RenderBell(bool loop) {
    Score score;
    std::string error;
    EXPECT_TRUE(Read(std::string("tempo 60\nloop ") + (loop ? "yes" : "no") +
                         "\ninstrument b bell\nsection S\nb -:3 A4:1 |\n",
                     score, ParseScore, error));
    return RenderSong(score);
}

TEST(SongRender, ALoopIsItsBarsLongWithTheRingLaidOverItsStart) {
    const Wave wave = RenderBell(true);
    ASSERT_EQ(wave.mChannels, 2);
    ASSERT_EQ(wave.Frames(), 4u * kSongRate);
    // The bell still rings when the bar ends: the ring goes on at the start.
    float start = 0.0f;
    for (size_t i = 0; i < kSongRate / 10 * 2; ++i) {
        start = std::max(start, std::fabs(wave.mSamples[i]));
    }
    EXPECT_GT(start, 0.05f);
    // And joins the end without a jump.
    float largestStep = 0.0f;
    for (size_t i = 2; i < wave.mSamples.size(); ++i) {
        largestStep = std::max(largestStep, std::fabs(wave.mSamples[i] - wave.mSamples[i - 2]));
    }
    for (size_t channel = 0; channel < 2; ++channel) {
        EXPECT_LT(
            std::fabs(wave.mSamples[channel] - wave.mSamples[wave.mSamples.size() - 2 + channel]),
            largestStep);
    }
    EXPECT_LE(PeakOf(wave), FromDecibels(-3.5) + 1e-6);
}

TEST(SongRender, AOneShotRingsOutAndEndsInSilence) {
    const Wave wave = RenderBell(false);
    EXPECT_GT(wave.Frames(), 4u * kSongRate);
    EXPECT_EQ(wave.mSamples[0], 0.0f);
    EXPECT_LT(std::fabs(wave.mSamples.back()), 1e-4f);
}

TEST(LimitPeaks, KeepsPeaksUnderTheCeilingAndLeavesTheRestAlone) {
    Wave wave;
    wave.mRate = 44100;
    wave.mSamples.assign(44100, 0.25f);
    wave.mSamples[44099] = 1.0f; // a loop's last frame: the cut reaches round to its start
    LimitPeaks(wave, -6.0, true);
    EXPECT_LE(PeakOf(wave), FromDecibels(-6.0) + 1e-6);
    EXPECT_LT(wave.mSamples[0], 0.25f);
    EXPECT_NEAR(wave.mSamples[22050], 0.25f, 1e-3f);
}

TEST(WaveWriters, TheGameReadsBackWhatEachWriterWrote) {
    Wave wave;
    wave.mRate = 22050;
    wave.mChannels = 2;
    for (int i = 0; i < 4410; ++i) {
        wave.mSamples.push_back(0.5f * std::sin(i * 0.05f));
        wave.mSamples.push_back(i == 100 ? 1.5f : -0.25f); // beyond full scale: clamped
    }
    Vuro::Test::TempFolder folder("audiowriters");
    ASSERT_TRUE(WriteWav(folder.Path("a.wav"), wave));
    ASSERT_TRUE(WriteAu(folder.Path("a.au"), wave));

    auto noFile = [](const std::string&, uint64_t&) { return false; };
    Vuro::Test::PcmCapture wav;
    ASSERT_TRUE(ReadWAVSound(std::fopen(folder.Path("a.wav").c_str(), "rb"), wav, noFile));
    Vuro::Test::PcmCapture au;
    ASSERT_TRUE(Platform::DecodeAu(std::fopen(folder.Path("a.au").c_str(), "rb"), au));
    for (const Vuro::Test::PcmCapture* copy : {&wav, &au}) {
        EXPECT_EQ(copy->mFormat.channels, 2);
        EXPECT_EQ(copy->mFormat.samplesPerSec, 22050u);
        EXPECT_EQ(copy->mFormat.bitsPerSample, 16);
        ASSERT_EQ(copy->mBytes.size(), wave.mSamples.size() * 2);
    }
    for (size_t i = 0; i < wave.mSamples.size(); ++i) {
        const int expected =
            static_cast<int>(std::round(std::clamp(wave.mSamples[i], -1.0f, 1.0f) * 32767.0f));
        ASSERT_EQ(wav.Sample(i), expected);
        // Mu-law keeps the level to about 3%, up to its loudest value.
        const int reachable = std::clamp(expected, -32124, 32124);
        ASSERT_NEAR(au.Sample(i), reachable, 4 + std::abs(reachable) / 30);
    }
}

TEST(MuLaw, TheWriterEncodesByTheStandardTheGameReaderExpands) {
    // The G.711 encoder's bytes for the extremes and the quietest steps (a negative sample by
    // its ones' complement, as the ITU's reference encoder takes it: -4 rounds to zero).
    const std::pair<int, uint8_t> table[] = {
        {0, 0xFF},     {-1, 0x7F},    {8, 0xFE},     {-8, 0x7E},    {32767, 0x80}, {-32768, 0x00},
        {32124, 0x80}, {31100, 0x81}, {16764, 0x8F}, {-1884, 0x40}, {4, 0xFE},     {-4, 0x7F}};
    for (auto [sample, byte] : table) {
        EXPECT_EQ(MuLawEncoded(sample), byte) << sample;
    }
    // Every byte the reader expands comes back as itself (0x7F, the negative zero, as 0xFF).
    for (int byte = 0; byte < 256; ++byte) {
        const int expanded = Platform::MuLawToSample(static_cast<uint8_t>(byte));
        EXPECT_EQ(MuLawEncoded(expanded), byte == 0x7F ? 0xFF : byte) << byte;
    }
    // Within the clip, every sample comes back within half a step of its segment: 4 in the
    // quietest segment up to 512 in the loudest.
    for (int sample = -32635; sample <= 32635; ++sample) {
        const int back = Platform::MuLawToSample(MuLawEncoded(sample));
        const int halfStep = 4 << ((MuLawEncoded(std::abs(sample)) ^ 0xFF) >> 4 & 0x07);
        ASSERT_LE(std::abs(back - sample), halfStep) << sample;
    }
}

} // namespace
} // namespace Vuro::AssetGen
