// The fmod.dll calls of the sound manager and the music back end, as a stand-in installed
// under "fmod.dll" records them (it hands every call on to the built-in library), and the
// boxes that end the program when the library or an entry point is missing.

#include "support/FakeAudioSystem.h"
#include "support/FakeWindowSystem.h"
#include "support/LibraryBoxes.h"
#include "support/ModuleBytes.h"
#include "support/TempWorkingFolder.h"

#include "SoundTestFiles.h"

#include "framework/sound/DSoundManager.h"
#include "framework/sound/FModInstance.h"
#include "framework/sound/FModMusicInterface.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace Vuro {
namespace {

namespace Fmod = Platform::Fmod;

std::vector<std::string> gCalls;
bool gFailLocks = false;

void Log(const std::string& text) {
    gCalls.push_back(text);
}
std::string N(long long value) {
    return std::to_string(value);
}

template <typename Fn> Fn BuiltIn(const char* name) {
    return reinterpret_cast<Fn>(Platform::GetProcAddress(&Platform::FmodModule(), name));
}

int SetBufferSize(int ms) {
    Log("SetBufferSize " + N(ms));
    return BuiltIn<Fmod::SetBufferSizeFn>("_FSOUND_SetBufferSize@4")(ms);
}
int SetHWND(Platform::Window* window) {
    Log(window != nullptr ? "SetHWND window" : "SetHWND null");
    return 1;
}
int Init(int rate, int channels, uint32_t flags) {
    Log("Init " + N(rate) + " " + N(channels) + " " + N(flags));
    return BuiltIn<Fmod::InitFn>("_FSOUND_Init@12")(rate, channels, flags);
}
void Close() {
    Log("Close");
    BuiltIn<Fmod::CloseFn>("_FSOUND_Close@0")();
}
Fmod::Sample* SampleLoad(int index, const char* name, uint32_t mode, int offset) {
    Log("Sample_Load " + N(index) + " " + name);
    return BuiltIn<Fmod::SampleLoadFn>("_FSOUND_Sample_Load@16")(index, name, mode, offset);
}
int SampleLock(Fmod::Sample* sample, int offset, int length, void** p1, void** p2, uint32_t* l1,
               uint32_t* l2) {
    Log("Sample_Lock " + N(offset) + " " + N(length));
    return gFailLocks ? 0
                      : BuiltIn<Fmod::SampleLockFn>("_FSOUND_Sample_Lock@28")(
                            sample, offset, length, p1, p2, l1, l2);
}
void SampleFree(Fmod::Sample* sample) {
    Log("Sample_Free");
    BuiltIn<Fmod::SampleFreeFn>("_FSOUND_Sample_Free@4")(sample);
}
int PlaySound(int channel, Fmod::Sample* sample) {
    Log("PlaySound " + N(channel));
    return BuiltIn<Fmod::PlaySoundFn>("_FSOUND_PlaySound@8")(channel, sample);
}
int StopSound(int channel) {
    Log("StopSound " + N(channel));
    return BuiltIn<Fmod::ChannelFn>("_FSOUND_StopSound@4")(channel);
}
int SetVolume(int channel, int volume) {
    Log("SetVolume " + N(channel) + " " + N(volume));
    return BuiltIn<Fmod::ChannelValueFn>("_FSOUND_SetVolume@8")(channel, volume);
}
int SetPaused(int channel, int paused) {
    Log("SetPaused " + N(channel) + " " + N(paused));
    return BuiltIn<Fmod::ChannelValueFn>("_FSOUND_SetPaused@8")(channel, paused);
}
int SetLoopMode(int channel, uint32_t mode) {
    Log("SetLoopMode " + N(channel) + " " + N(mode));
    return BuiltIn<Fmod::SetLoopModeFn>("_FSOUND_SetLoopMode@8")(channel, mode);
}
Fmod::Module* LoadSong(const char* name) {
    Log(std::string("LoadSong ") + name);
    return BuiltIn<Fmod::LoadSongFn>("_FMUSIC_LoadSong@4")(name);
}
int PlaySong(Fmod::Module* module) {
    Log("PlaySong");
    return BuiltIn<Fmod::SongFn>("_FMUSIC_PlaySong@4")(module);
}
int StopSong(Fmod::Module* module) {
    Log("StopSong");
    return BuiltIn<Fmod::SongFn>("_FMUSIC_StopSong@4")(module);
}
int SetLooping(Fmod::Module* module, int mode) {
    Log("SetLooping " + N(mode));
    return BuiltIn<Fmod::SongValueFn>("_FMUSIC_SetLooping@8")(module, mode);
}
int SetOrder(Fmod::Module* module, int order) {
    Log("SetOrder " + N(order));
    return BuiltIn<Fmod::SongValueFn>("_FMUSIC_SetOrder@8")(module, order);
}
int SetSongPaused(Fmod::Module* module, int paused) {
    Log("SongPaused " + N(paused));
    return BuiltIn<Fmod::SongValueFn>("_FMUSIC_SetPaused@8")(module, paused);
}
int SetMasterVolume(Fmod::Module* module, int volume) {
    Log("SetMasterVolume " + N(volume));
    return BuiltIn<Fmod::SongValueFn>("_FMUSIC_SetMasterVolume@8")(module, volume);
}

template <typename Fn> Platform::ProcAddress P(Fn function) {
    return reinterpret_cast<Platform::ProcAddress>(function);
}

// The built-in library with the calls above in place of its own.
Platform::LibraryModule Recording() {
    Platform::LibraryModule module = Platform::FmodModule();
    const std::pair<const char*, Platform::ProcAddress> replaced[] = {
        {"_FSOUND_SetBufferSize@4", P(&SetBufferSize)},
        {"_FSOUND_SetHWND@4", P(&SetHWND)},
        {"_FSOUND_Init@12", P(&Init)},
        {"_FSOUND_Close@0", P(&Close)},
        {"_FSOUND_Sample_Load@16", P(&SampleLoad)},
        {"_FSOUND_Sample_Lock@28", P(&SampleLock)},
        {"_FSOUND_Sample_Free@4", P(&SampleFree)},
        {"_FSOUND_PlaySound@8", P(&PlaySound)},
        {"_FSOUND_StopSound@4", P(&StopSound)},
        {"_FSOUND_SetVolume@8", P(&SetVolume)},
        {"_FSOUND_SetPaused@8", P(&SetPaused)},
        {"_FSOUND_SetLoopMode@8", P(&SetLoopMode)},
        {"_FMUSIC_LoadSong@4", P(&LoadSong)},
        {"_FMUSIC_PlaySong@4", P(&PlaySong)},
        {"_FMUSIC_StopSong@4", P(&StopSong)},
        {"_FMUSIC_SetLooping@8", P(&SetLooping)},
        {"_FMUSIC_SetOrder@8", P(&SetOrder)},
        {"_FMUSIC_SetPaused@8", P(&SetSongPaused)},
        {"_FMUSIC_SetMasterVolume@8", P(&SetMasterVolume)},
    };
    for (auto& entry : module.exports) {
        for (const auto& [name, address] : replaced) {
            if (std::string(name) == entry.name) {
                entry.address = address;
            }
        }
    }
    return module;
}

using Calls = std::vector<std::string>;

class FModCallsTest : public ::testing::Test {
protected:
    FModCallsTest() {
        Platform::InstallLibrary("fmod.dll", &mModule);
        gCalls.clear();
        gFailLocks = false;
    }
    ~FModCallsTest() override { Platform::InstallLibrary("fmod.dll", nullptr); }

    Platform::LibraryModule mModule = Recording();
    Vuro::Test::TempWorkingFolder mFolder;
    Vuro::Test::FakeWindowSystem mWindows;
    std::unique_ptr<Platform::Window> mWindow = mWindows.CreateWindow({});
    Vuro::Test::FakeAudioSystem mAudio;
};

TEST_F(FModCallsTest, TheSoundManagerOpensAndClosesTheLibrary) {
    {
        DSoundManager sounds(mWindow.get(), true);
        EXPECT_EQ(gCalls, (Calls{"SetHWND window", "SetBufferSize 200", "Init 44100 64 2"}));
        EXPECT_NE(gFMod, nullptr);
        gCalls.clear();
    }
    EXPECT_EQ(gCalls, (Calls{"Close"}));
    EXPECT_EQ(gFMod, nullptr); // the last share freed the record

    // Without use-fmod, or without a window, the library is not touched.
    gCalls.clear();
    { DSoundManager sounds(mWindow.get(), false); }
    { DSoundManager sounds(nullptr, true); }
    EXPECT_EQ(gCalls, Calls{});
}

TEST_F(FModCallsTest, Mp3EffectsLoadThroughTheLibraryAndAreCached) {
    std::filesystem::create_directories("sound");
    std::filesystem::copy_file(VURO_SOURCE_DIR "/tests/framework/sound/data/tone.mp3",
                               "sound/beep.mp3");
    DSoundManager sounds(mWindow.get(), true);
    gCalls.clear();
    ASSERT_TRUE(sounds.LoadSoundAt(1, "sound/beep"));
    EXPECT_EQ(gCalls,
              (Calls{"Sample_Load -1 sound/beep.mp3", "Sample_Lock 0 22050", "Sample_Free"}));
    EXPECT_EQ(sounds.DataSizeAt(1), 22050u);
    EXPECT_EQ(Vuro::Test::ReadFile("cached/sound/beep.wav").size(), 22050u + 62 + 14);
    // Without use-fmod an MP3 file is not tried.
    DSoundManager plain(mWindow.get(), false);
    std::filesystem::remove_all("cached");
    EXPECT_FALSE(plain.LoadSoundAt(1, "sound/beep"));

    // A sample that cannot be locked fails the load and leaves the id empty.
    gFailLocks = true;
    EXPECT_FALSE(sounds.LoadFModSound(2, "sound/beep.mp3"));
    EXPECT_EQ(sounds.SoundBufferAt(2), nullptr);
}

TEST_F(FModCallsTest, SongsAndSamplesGetTheirCallsAndVolumes) {
    DSoundManager sounds(mWindow.get(), true);
    FModMusicInterface music(mWindow.get());
    Vuro::Test::WriteFile("tune.mod", Vuro::Test::ModuleBytes({0, 1}));
    std::filesystem::copy_file(VURO_SOURCE_DIR "/tests/framework/sound/data/tone.ogg", "theme.ogg");
    gCalls.clear();
    ASSERT_TRUE(music.LoadMusic(1, "tune.mod"));
    ASSERT_TRUE(music.LoadSample(2, "theme", true));
    EXPECT_EQ(gCalls,
              (Calls{"LoadSong tune.mod", "Sample_Load -1 theme.ogg", "Sample_Lock 0 4410"}));

    gCalls.clear();
    music.SetVolume(0.5);
    music.PlayMusic(1, 1, true);
    music.PlayMusic(1, 0, false);
    music.PlayMusic(2, 0, true);
    EXPECT_EQ(gCalls, (Calls{"SetMasterVolume 0", "SetVolume 2 0", // stored volumes sent again
                             "SetMasterVolume 50", "SetLooping 1", "PlaySong", "SetOrder 1",
                             "SetMasterVolume 50", "SetLooping 2", "PlaySong", "SetOrder 0",
                             "PlaySound 2", "SetLoopMode 2 2", "SetVolume 2 50"}));
    // A playing sample song counts as playing.
    EXPECT_TRUE(music.IsPlaying(2));
    EXPECT_TRUE(music.IsPlaying(1));

    gCalls.clear();
    music.PauseMusic(1);
    music.PauseMusic(2);
    EXPECT_FALSE(music.IsPlaying(1));
    EXPECT_FALSE(music.IsPlaying(2));
    music.ResumeMusic(2);
    music.PauseAllMusic(); // nothing in this back end
    music.ResumeAllMusic();
    music.StopMusic(1);
    music.StopMusic(2);
    EXPECT_EQ(gCalls, (Calls{"SongPaused 1", "SetPaused 2 1", "SetPaused 2 0", "StopSong",
                             "StopSound 1", "StopSound 2"}));

    // FadeOutAll sets the fade on every song, also on silent ones.
    music.FadeOutAll(true, 0.25);
    EXPECT_EQ(music.Find(1)->mVolumeAdd, -0.25);
    EXPECT_EQ(music.Find(2)->mVolumeAdd, -0.25);
    EXPECT_TRUE(music.Find(2)->mStopOnFade);

    // A second load under a taken id stops and frees the old sample.
    gCalls.clear();
    ASSERT_TRUE(music.LoadSample(2, "theme", false));
    EXPECT_EQ(gCalls, (Calls{"Sample_Load -1 cached_theme.wav", "StopSound 2", "Sample_Free"}));
    EXPECT_FALSE(music.Find(2)->mRepeat);
}

void ShowsBoxAndEnds(const Platform::LibraryModule* module) {
    Test::ShowsBoxAndEnds("fmod.dll", module, &LoadFModDLL);
}

Platform::LibraryModule Without(const std::string& name) {
    Platform::LibraryModule module = Platform::FmodModule();
    std::erase_if(module.exports, [&](const auto& entry) { return name == entry.name; });
    return module;
}

TEST(FModCallsDeathTest, AMissingLibraryOrEntryPointEndsTheProgramWithABox) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ShowsBoxAndEnds(nullptr), ::testing::ExitedWithCode(7),
                "\\[Can't find fmod.dll.\\|Error\\|16\\|1\\]");
    for (const char* name :
         {"_FSOUND_SetBufferSize@4", "_FSOUND_Stream_Play@8", "_FMUSIC_IsPlaying@4"}) {
        const Platform::LibraryModule module = Without(name);
        EXPECT_EXIT(ShowsBoxAndEnds(&module), ::testing::ExitedWithCode(7),
                    "\\[\"" + std::string(name) +
                        "\" function not found in fmod.dll\\|Error\\|16\\|1\\]");
    }
}

} // namespace
} // namespace Vuro
