// The fmod back end's sample songs over the built-in library: Ogg files decoded into
// "cached_" WAV files that are written, reused and refreshed, and an intro joined to a loop.

#include "SoundTestFiles.h"
#include "support/FakeAudioSystem.h"
#include "support/FakeWindowSystem.h"
#include "support/FileSizeLimit.h"
#include "support/TempWorkingFolder.h"

#include "framework/sound/DSoundManager.h"
#include "framework/sound/FModMusicInterface.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace Vuro {
namespace {

namespace fs = std::filesystem;
const std::string kTone = VURO_SOURCE_DIR "/tests/framework/sound/data/tone.ogg";

class FModSampleCacheTest : public ::testing::Test {
protected:
    static void Age(const std::string& path, int seconds) {
        fs::last_write_time(path, fs::last_write_time(path) - std::chrono::seconds(seconds));
    }

    Vuro::Test::TempWorkingFolder mFolder;
    Vuro::Test::FakeWindowSystem mWindows;
    std::unique_ptr<Platform::Window> mWindow = mWindows.CreateWindow({});
    Vuro::Test::FakeAudioSystem mAudio;
    DSoundManager mSounds{mWindow.get(), true};
    FModMusicInterface mMusic{mWindow.get()};
};

TEST_F(FModSampleCacheTest, TheCacheIsWrittenBesideTheSourceReusedAndRefreshed) {
    fs::create_directories("music");
    fs::copy_file(kTone, "music/theme.ogg");
    fs::copy_file(kTone, "theme.ogg");
    ASSERT_TRUE(mMusic.LoadSample(1, "music/theme", true));
    // A bare name gets "cached_" in front of the whole name.
    ASSERT_TRUE(mMusic.LoadSample(2, "theme", true));
    const auto cache = Vuro::Test::ReadFile("music/cached_theme.wav");
    ASSERT_EQ(cache.size(), 44u + 4410);
    EXPECT_EQ(Vuro::Test::ReadFile("cached_theme.wav"), cache);
    EXPECT_EQ(std::string(cache.begin(), cache.begin() + 4), "RIFF");
    EXPECT_EQ(cache[22], 1);                        // mono
    EXPECT_EQ(cache[24] | (cache[25] << 8), 22050); // rate
    EXPECT_EQ(std::string(cache.begin() + 36, cache.begin() + 40), "data");
    EXPECT_FALSE(fs::exists("music/cached_theme.wav.tmp"));

    // The next start reads the cache: the Ogg file is not decoded, even when it is gone or
    // broken, as long as it is not newer.
    Vuro::Test::WriteFile("music/theme.ogg", {'b', 'r', 'o', 'k', 'e', 'n'});
    Age("music/theme.ogg", 60);
    EXPECT_TRUE(mMusic.LoadSample(3, "music/theme", true));
    fs::remove("theme.ogg");
    EXPECT_TRUE(mMusic.LoadSample(4, "theme", true));

    // A newer source is decoded again and the cache rewritten.
    Vuro::Test::WriteFile("music/cached_theme.wav", {'o', 'l', 'd'});
    fs::remove("music/theme.ogg");
    fs::copy_file(kTone, "music/theme.ogg");
    Age("music/cached_theme.wav", 60);
    EXPECT_TRUE(mMusic.LoadSample(5, "music/theme", true));
    EXPECT_EQ(Vuro::Test::ReadFile("music/cached_theme.wav"), cache);

    // The cache is written beside the old one and renamed over it, so a write that
    // comes short (a full disk) leaves the old file whole; the song still loads.
    Vuro::Test::WriteFile("music/cached_theme.wav", {'o', 'l', 'd'});
    Age("music/cached_theme.wav", 60);
    {
        Vuro::Test::FileSizeLimit diskFull(100);
        EXPECT_TRUE(mMusic.LoadSample(7, "music/theme", true));
    }
    EXPECT_EQ(Vuro::Test::ReadFile("music/cached_theme.wav"),
              (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(std::distance(fs::directory_iterator("music"), fs::directory_iterator()), 2);

    // Nothing to decode: no song.
    EXPECT_FALSE(mMusic.LoadSample(6, "music/missing", true));
    EXPECT_EQ(mMusic.Find(6), nullptr);
}

TEST_F(FModSampleCacheTest, AnIntroPlaysOnceThenTheLoopRepeatsWithoutAGap) {
    // 44100 Hz mono: the output reads the samples as they stand.
    std::vector<int16_t> intro{100, 200, 300};
    std::vector<int16_t> loop{-1000, -2000, -3000, -4000};
    Vuro::Test::WriteFile("intro.wav", Vuro::Test::WavBytes(intro, 1, 44100).bytes);
    Vuro::Test::WriteFile("loop.wav", Vuro::Test::WavBytes(loop, 1, 44100).bytes);
    // The library tells files by content: WAVE data under the .ogg name decodes as well.
    fs::rename("intro.wav", "intro.ogg");
    fs::rename("loop.wav", "loop.ogg");
    ASSERT_TRUE(mMusic.LoadSampleWithIntro(1, "intro", "loop", true));
    mMusic.PlayMusic(1, 0, false);
    std::vector<int16_t> expected;
    for (int16_t s :
         {100, 200, 300, -1000, -2000, -3000, -4000, -1000, -2000, -3000, -4000, -1000}) {
        expected.insert(expected.end(), {s, s});
    }
    EXPECT_EQ(mAudio.Mix(12), expected);
    EXPECT_TRUE(mMusic.IsPlaying(1));

    // Parts of different rates cannot be joined.
    Vuro::Test::WriteFile("slow.ogg", Vuro::Test::WavBytes(loop, 1, 22050).bytes);
    EXPECT_FALSE(mMusic.LoadSampleWithIntro(2, "intro", "slow", true));
    EXPECT_FALSE(mMusic.LoadSampleWithIntro(3, "intro", "missing", true));
    EXPECT_EQ(mMusic.Find(2), nullptr);
}

} // namespace
} // namespace Vuro
