// The bass.dll music back end over the built-in library, playing into a mixer the test pulls
// from. data/tone.ogg is 2205 mono frames at 22050 Hz, so the 44100 Hz output reads half a
// source frame per output frame and the whole tone lasts exactly 4410 output frames.

#include "SoundTestFiles.h"
#include "support/FakeAudioSystem.h"
#include "support/ModuleBytes.h"
#include "support/TempWorkingFolder.h"

#include "framework/sound/BassMusicInterface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace Vuro {
namespace {

const std::string kTone = VURO_SOURCE_DIR "/tests/framework/sound/data/tone.ogg";
constexpr size_t kToneFrames = 4410;

bool Silent(const std::vector<int16_t>& out) {
    return std::all_of(out.begin(), out.end(), [](int16_t s) { return s == 0; });
}

std::vector<int16_t> Slice(const std::vector<int16_t>& out, size_t fromFrame, size_t frames) {
    return {out.begin() + static_cast<long>(fromFrame * 2),
            out.begin() + static_cast<long>((fromFrame + frames) * 2)};
}

// What the mixer makes of a full-volume sample at an attenuation of `db` hundredths.
std::vector<int16_t> Scaled(const std::vector<int16_t>& full, int db) {
    std::vector<int16_t> out;
    const int64_t gain = Platform::Mixer::GainQ16(db);
    for (int16_t s : full) {
        out.push_back(static_cast<int16_t>((s * gain) >> 16));
    }
    return out;
}

class BassMusicInterfaceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(mMusic.LoadMusic(1, kTone)); }

    double Volume(int id) { return mMusic.Find(id)->mVolume; }
    double Step(int id) { return mMusic.Find(id)->mVolumeAdd; }

    Vuro::Test::FakeAudioSystem mAudio;
    BassMusicInterface mMusic{nullptr};
};

TEST_F(BassMusicInterfaceTest, LoadsOggAsAStreamAndRefusesWhatItCannotDecode) {
    const auto* song = mMusic.Find(1);
    ASSERT_NE(song, nullptr);
    EXPECT_NE(song->mHStream, 0u);
    EXPECT_EQ(song->mHMusic, 0u);
    EXPECT_EQ(song->mVolume, 0.0);
    EXPECT_EQ(song->mVolumeCap, 1.0);
    EXPECT_FALSE(mMusic.IsPlaying(1));

    // Missing files fail, and so does a stream that is a module or a module that is a stream
    // (the content decides what a file is); no record is left.
    Vuro::Test::TempWorkingFolder folder;
    Vuro::Test::WriteFile("tune.ogg", Vuro::Test::ModuleBytes({0}));
    EXPECT_FALSE(mMusic.LoadMusic(2, "tune.ogg"));
    EXPECT_FALSE(mMusic.LoadMusic(3, "sound/missing.ogg"));
    std::filesystem::copy_file(kTone, "song.xm");
    EXPECT_FALSE(mMusic.LoadMusic(4, "song.xm"));
    EXPECT_EQ(mMusic.Find(2), nullptr);
    EXPECT_EQ(mMusic.Find(3), nullptr);
    EXPECT_EQ(mMusic.Find(4), nullptr);

    // A second load under a taken id replaces the song and frees the first one.
    mMusic.PlayMusic(1, 0, false);
    const uint32_t first = song->mHStream;
    EXPECT_TRUE(mMusic.LoadMusic(1, kTone));
    EXPECT_NE(mMusic.Find(1)->mHStream, first);
    EXPECT_FALSE(mMusic.IsPlaying(1));
    EXPECT_TRUE(Silent(mAudio.Mix(64)));
}

TEST_F(BassMusicInterfaceTest, PlaysLoopsAndStops) {
    EXPECT_TRUE(Silent(mAudio.Mix(64)));
    mMusic.PlayMusic(1, 0, false);
    EXPECT_TRUE(mMusic.IsPlaying(1));
    EXPECT_EQ(Volume(1), 1.0);
    const auto pass = mAudio.Mix(kToneFrames + 300);
    EXPECT_FALSE(Silent(Slice(pass, 0, 300)));
    // The loop wraps exactly at the end of the tone and plays it again from the start.
    EXPECT_EQ(Slice(pass, kToneFrames, 300), Slice(pass, 0, 300));
    EXPECT_TRUE(mMusic.IsPlaying(1));

    mMusic.StopMusic(1);
    EXPECT_FALSE(mMusic.IsPlaying(1));
    EXPECT_EQ(Volume(1), 0.0);
    EXPECT_TRUE(Silent(mAudio.Mix(64)));

    // Played again it starts from the beginning.
    mMusic.PlayMusic(1, 0, false);
    EXPECT_EQ(mAudio.Mix(300), Slice(pass, 0, 300));
}

TEST_F(BassMusicInterfaceTest, WithoutLoopTheSongEndsByItself) {
    mMusic.PlayMusic(1, 0, true);
    const auto out = mAudio.Mix(kToneFrames + 100);
    EXPECT_FALSE(mMusic.IsPlaying(1));
    EXPECT_TRUE(Silent(Slice(out, kToneFrames, 100)));
}

TEST_F(BassMusicInterfaceTest, PauseAndResumeContinueWhereTheSongStood) {
    mMusic.PlayMusic(1, 0, false);
    const auto reference = mAudio.Mix(400);
    mMusic.PlayMusic(1, 0, false);
    EXPECT_EQ(mAudio.Mix(150), Slice(reference, 0, 150));
    mMusic.PauseMusic(1);
    EXPECT_FALSE(mMusic.IsPlaying(1));
    EXPECT_TRUE(Silent(mAudio.Mix(100)));
    mMusic.ResumeMusic(1);
    EXPECT_TRUE(mMusic.IsPlaying(1));
    EXPECT_EQ(mAudio.Mix(100), Slice(reference, 150, 100));

    mMusic.PauseAllMusic();
    EXPECT_TRUE(Silent(mAudio.Mix(100)));
    mMusic.ResumeAllMusic();
    EXPECT_EQ(mAudio.Mix(150), Slice(reference, 250, 150));
    // Resuming a song that is not paused changes nothing.
    mMusic.StopAllMusic();
    mMusic.ResumeMusic(1);
    EXPECT_FALSE(mMusic.IsPlaying(1));
}

TEST_F(BassMusicInterfaceTest, SongAndMusicVolumesScaleTheOutput) {
    mMusic.PlayMusic(1, 0, false);
    const auto full = mAudio.Mix(300);
    // Half amplitude is -6.02 dB: round(2000 x log10(0.5)) = -602.
    mMusic.PlayMusic(1, 0, false);
    mMusic.SetSongVolume(1, 0.5);
    EXPECT_EQ(mAudio.Mix(300), Scaled(full, -602));

    // The maximum volume lowers a louder song to it.
    mMusic.SetSongVolume(1, 1.0);
    mMusic.SetSongMaxVolume(1, 0.5);
    EXPECT_EQ(Volume(1), 0.5);
    mMusic.PlayMusic(1, 0, false);
    EXPECT_EQ(mAudio.Mix(300), Scaled(full, -602));

    // The music volume multiplies: 0.5 x 0.5 is -12.04 dB.
    mMusic.SetVolume(0.5);
    mMusic.PlayMusic(1, 0, false);
    EXPECT_EQ(mAudio.Mix(300), Scaled(full, -1204));
    mMusic.SetVolume(0.0);
    mMusic.PlayMusic(1, 0, false);
    EXPECT_TRUE(Silent(mAudio.Mix(300)));
    EXPECT_TRUE(mMusic.IsPlaying(1));
}

TEST_F(BassMusicInterfaceTest, FadeInStepsOncePerUpdateUpToTheMaximum) {
    mMusic.FadeIn(1, 0, 0.25, false);
    EXPECT_TRUE(mMusic.IsPlaying(1));
    EXPECT_TRUE(Silent(mAudio.Mix(64))); // starts at volume 0
    for (double expected : {0.25, 0.5, 0.75, 1.0}) {
        mMusic.Update();
        EXPECT_DOUBLE_EQ(Volume(1), expected);
    }
    EXPECT_EQ(Step(1), 0.25); // 1.0 is not above the maximum yet
    mMusic.Update();
    EXPECT_EQ(Volume(1), 1.0);
    EXPECT_EQ(Step(1), 0.0);
    mMusic.Update();
    EXPECT_EQ(Volume(1), 1.0);

    // At 0.3 the fourth update clamps 1.2 to 1.0.
    mMusic.StopMusic(1);
    mMusic.FadeIn(1, 0, 0.3, false);
    for (int i = 0; i < 3; ++i) {
        mMusic.Update();
    }
    EXPECT_NEAR(Volume(1), 0.9, 1e-12);
    mMusic.Update();
    EXPECT_EQ(Volume(1), 1.0);
    EXPECT_EQ(Step(1), 0.0);
}

TEST_F(BassMusicInterfaceTest, FadeOutStopsTheSongOnlyWhenAsked) {
    mMusic.PlayMusic(1, 0, false);
    mMusic.FadeOut(1, true, 0.5);
    mMusic.Update();
    EXPECT_EQ(Volume(1), 0.5);
    mMusic.Update();
    EXPECT_EQ(Volume(1), 0.0); // not below 0 yet: still playing, silently
    EXPECT_TRUE(mMusic.IsPlaying(1));
    mMusic.Update();
    EXPECT_EQ(Volume(1), 0.0);
    EXPECT_EQ(Step(1), 0.0);
    EXPECT_FALSE(mMusic.IsPlaying(1));

    mMusic.PlayMusic(1, 0, false);
    mMusic.FadeOut(1, false, 0.6);
    mMusic.Update();
    mMusic.Update();
    EXPECT_EQ(Volume(1), 0.0);
    EXPECT_TRUE(mMusic.IsPlaying(1));
    EXPECT_TRUE(Silent(mAudio.Mix(64)));
}

TEST_F(BassMusicInterfaceTest, FadeOutOfASilentSongOnlyKeepsTheStopFlag) {
    mMusic.FadeOut(1, true, 0.5);
    EXPECT_EQ(Step(1), 0.0);
    EXPECT_TRUE(mMusic.Find(1)->mStopOnFade);
    // FadeOutAll sets the step even at volume 0.
    mMusic.FadeOutAll(false, 0.5);
    EXPECT_EQ(Step(1), -0.5);
    EXPECT_FALSE(mMusic.Find(1)->mStopOnFade);
}

TEST_F(BassMusicInterfaceTest, UnloadedAndUnknownSongsDoNothing) {
    mMusic.PlayMusic(9, 0, false);
    mMusic.FadeIn(9, 0, 0.5, false);
    mMusic.SetSongVolume(9, 1.0);
    EXPECT_FALSE(mMusic.IsPlaying(9));
    EXPECT_EQ(mMusic.Find(9), nullptr);

    mMusic.PlayMusic(1, 0, false);
    mMusic.UnloadMusic(1);
    EXPECT_EQ(mMusic.Find(1), nullptr);
    EXPECT_FALSE(mMusic.IsPlaying(1));
    EXPECT_TRUE(Silent(mAudio.Mix(64)));

    ASSERT_TRUE(mMusic.LoadMusic(2, kTone));
    ASSERT_TRUE(mMusic.LoadMusic(3, kTone));
    mMusic.PlayMusic(2, 0, false);
    mMusic.UnloadAllMusic();
    EXPECT_EQ(mMusic.Find(2), nullptr);
    EXPECT_EQ(mMusic.Find(3), nullptr);
    EXPECT_TRUE(Silent(mAudio.Mix(64)));
}

TEST(BassMusicInterfaceOutput, OpeningTheOutputKeepsTheWaveOutVolume) {
    Vuro::Test::FakeAudioSystem audio;
    audio.SetWaveOutVolume(12345);
    BassMusicInterface music(nullptr);
    EXPECT_EQ(audio.GetWaveOutVolume(), 12345u);
}

TEST(BassMusicInterfaceOutput, WithoutAnOutputDeviceNothingLoads) {
    Vuro::Test::FakeAudioSystem audio;
    audio.mCanCreate = false;
    BassMusicInterface music(nullptr);
    EXPECT_FALSE(music.LoadMusic(1, kTone));
    EXPECT_FALSE(music.IsPlaying(1));
}

// The library's global volumes end with it: the last user's silence is not the next one's.
TEST(BassMusicInterfaceOutput, FreeingTheLibraryPutsItsVolumesBack) {
    Vuro::Test::TempWorkingFolder folder;
    Vuro::Test::FakeAudioSystem audio;
    Vuro::Test::WriteFile("tune.mod", Vuro::Test::ModuleBytes({0}));
    auto playBoth = [&](BassMusicInterface& music) {
        EXPECT_TRUE(music.LoadMusic(1, kTone));
        EXPECT_TRUE(music.LoadMusic(2, "tune.mod"));
        music.PlayMusic(1, 0, true);
        music.PlayMusic(2, 0, true);
        return audio.Mix(300);
    };
    std::vector<int16_t> first;
    {
        BassMusicInterface music(nullptr);
        first = playBoth(music);
        music.SetVolume(0.0); // the stream and module volumes of the library
        EXPECT_TRUE(Silent(playBoth(music)));
    }
    BassMusicInterface music(nullptr);
    EXPECT_FALSE(Silent(first));
    EXPECT_EQ(playBoth(music), first);
}

TEST(BassMusicInterfaceWav, PlaysAWaveFileSampleForSample) {
    Vuro::Test::TempWorkingFolder folder;
    Vuro::Test::FakeAudioSystem audio;
    BassMusicInterface music(nullptr);
    // At the output's own rate a mono sample reaches both sides unchanged at full volume.
    const std::vector<int16_t> samples{1000, -2000, 3000, -4000, 5000, 32767, -32768, 7};
    Vuro::Test::WriteFile("sound/beep.WAV", Vuro::Test::WavBytes(samples, 1, 44100).bytes);
    ASSERT_TRUE(music.LoadMusic(5, "sound/beep.WAV"));
    music.PlayMusic(5, 0, true);
    std::vector<int16_t> expected;
    for (int16_t s : samples) {
        expected.insert(expected.end(), {s, s});
    }
    expected.insert(expected.end(), {0, 0, 0, 0});
    EXPECT_EQ(audio.Mix(samples.size() + 2), expected);
    EXPECT_FALSE(music.IsPlaying(5));

    // An offset is a byte of the decoded stream: 6 bytes are 3 mono samples, whether played
    // or faded in.
    const std::vector<int16_t> fromThird(expected.begin() + 6, expected.end());
    music.PlayMusic(5, 6, true);
    EXPECT_EQ(audio.Mix(samples.size() - 1), fromThird);
    music.FadeIn(5, 6, 0.0, true); // at the volume the song has, full
    EXPECT_EQ(audio.Mix(samples.size() - 1), fromThird);

    // Not a wave file, or one that is not PCM: nothing loads.
    Vuro::Test::WriteFile("sound/text.wav", {'h', 'e', 'l', 'l', 'o'});
    EXPECT_FALSE(music.LoadMusic(6, "sound/text.wav"));
    auto adpcm = Vuro::Test::SoundBytes::Riff().Fmt(2, 1, 44100, 16);
    adpcm.Text("data").LE32(4).LE32(0);
    Vuro::Test::WriteFile("sound/adpcm.wav", adpcm.bytes);
    EXPECT_FALSE(music.LoadMusic(7, "sound/adpcm.wav"));
}

// A module of three orders (patterns 0, 1, 2), each kFramesPerOrder frames long.
class BassModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        Vuro::Test::WriteFile("tune.mod", Vuro::Test::ModuleBytes({0, 1, 2}));
        ASSERT_TRUE(mMusic.LoadMusic(1, "tune.mod"));
        mMusic.PlayMusic(1, 0, true);
        mWhole = mAudio.Mix(3 * kOrder + 100);
        ASSERT_FALSE(mMusic.IsPlaying(1));
    }

    static constexpr size_t kOrder = Vuro::Test::kFramesPerOrder;
    Vuro::Test::TempWorkingFolder mFolder;
    Vuro::Test::FakeAudioSystem mAudio;
    BassMusicInterface mMusic{nullptr};
    std::vector<int16_t> mWhole; // the song played once, then silence
};

TEST_F(BassModuleTest, PlaysFromAnOrderLoopsAndGoesOnWhereItStood) {
    EXPECT_FALSE(Silent(Slice(mWhole, 0, kOrder)));
    EXPECT_TRUE(Silent(Slice(mWhole, 3 * kOrder, 100)));
    // The offset is an order of the song.
    mMusic.PlayMusic(1, 2, true);
    EXPECT_EQ(mAudio.Mix(kOrder), Slice(mWhole, 2 * kOrder, kOrder));
    // Looping, the song starts again at its end.
    mMusic.PlayMusic(1, 1, false);
    const auto looped = mAudio.Mix(2 * kOrder + 200);
    EXPECT_EQ(Slice(looped, 0, 2 * kOrder), Slice(mWhole, kOrder, 2 * kOrder));
    EXPECT_EQ(Slice(looped, 2 * kOrder, 200), Slice(mWhole, 0, 200));
    // A fade-in from offset -1 goes on where the stopped song stood.
    mMusic.StopMusic(1);
    mMusic.FadeIn(1, -1, 1.0, false);
    mMusic.Update();
    EXPECT_EQ(mAudio.Mix(300), Slice(mWhole, 200, 300));
}

TEST_F(BassModuleTest, AmplificationAndTheMusicVolumeScaleModulesOnly) {
    ASSERT_TRUE(mMusic.LoadMusic(2, kTone));
    mMusic.PlayMusic(2, 0, true);
    const auto tone = mAudio.Mix(300);
    mMusic.StopMusic(2);
    mMusic.SetMusicAmplify(1, 0.5);
    mMusic.PlayMusic(1, 0, true);
    EXPECT_EQ(mAudio.Mix(300), Scaled(Slice(mWhole, 0, 300), -602));

    // The library's global music volume reaches modules, its stream volume streams.
    Platform::Bass::SetConfigFn setConfig = reinterpret_cast<Platform::Bass::SetConfigFn>(
        Platform::GetProcAddress(&Platform::BassModule(), "BASS_SetConfig"));
    setConfig(Platform::Bass::kConfigMusicVolume, 50);
    mMusic.PlayMusic(1, 0, true);
    EXPECT_EQ(mAudio.Mix(300), Scaled(Slice(mWhole, 0, 300), -1204));
    mMusic.StopMusic(1);
    mMusic.PlayMusic(2, 0, true);
    EXPECT_EQ(mAudio.Mix(300), tone);
}

TEST(BassMusicInterfaceMp3, PlaysAnMp3Stream) {
    Vuro::Test::FakeAudioSystem audio;
    BassMusicInterface music(nullptr);
    ASSERT_TRUE(music.LoadMusic(3, VURO_SOURCE_DIR "/tests/framework/sound/data/tone.mp3"));
    music.PlayMusic(3, 0, true);
    EXPECT_TRUE(music.IsPlaying(3));
    // 11025 frames at the output's rate, then the end.
    const auto out = audio.Mix(11025 + 100);
    EXPECT_FALSE(Silent(Slice(out, 0, 11025)));
    EXPECT_TRUE(Silent(Slice(out, 11025, 100)));
    EXPECT_FALSE(music.IsPlaying(3));
}

TEST(SilentMusicInterface, AnswersFalseAndDoesNothing) {
    MusicInterface music;
    EXPECT_FALSE(music.LoadMusic(1, kTone));
    music.PlayMusic(1, 0, false);
    music.FadeIn(1, 0, 0.5, false);
    music.Update();
    EXPECT_FALSE(music.IsPlaying(1));
    EXPECT_FALSE(music.IsPlaying(0));
}

} // namespace
} // namespace Vuro
