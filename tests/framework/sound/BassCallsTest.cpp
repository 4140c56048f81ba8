// The bass.dll back end's calls, as a stand-in library installed under "bass.dll" records
// them: both forms of the library, the flags and volumes sent, and the boxes that end the
// program when the library or an entry point is missing.

#include "support/FakeWindowSystem.h"
#include "support/LibraryBoxes.h"

#include "framework/sound/BassInstance.h"
#include "framework/sound/BassMusicInterface.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace Vuro {
namespace {

using Platform::ProcAddress;

std::vector<std::string> gCalls;
uint32_t gActive = 0;

void Log(const std::string& text) {
    gCalls.push_back(text);
}
std::string N(long long value) {
    return std::to_string(value);
}

int Init(int device, uint32_t frequency, uint32_t flags, Platform::Window*, const void*) {
    Log("Init " + N(device) + " " + N(frequency) + " " + N(flags));
    return 1;
}
int InitOld(int device, uint32_t frequency, uint32_t flags, Platform::Window*) {
    Log("InitOld " + N(device) + " " + N(frequency) + " " + N(flags));
    return 1;
}
int Free() {
    Log("Free");
    return 1;
}
int Stop() {
    Log("Stop");
    return 1;
}
int Start() {
    Log("Start");
    return 1;
}
int SetGlobalVolumes(int music, int sample, int stream) {
    Log("SetGlobalVolumes " + N(music) + " " + N(sample) + " " + N(stream));
    return 1;
}
int SetVolume(uint32_t volume) {
    Log("SetVolume " + N(volume));
    return 1;
}
uint32_t SetConfig(uint32_t option, uint32_t value) {
    Log("SetConfig " + N(option) + " " + N(value));
    return 1;
}
int MusicSetAmplify(uint32_t handle, uint32_t amplify) {
    Log("MusicSetAmplify " + N(handle) + " " + N(amplify));
    return 1;
}
int ChannelStop(uint32_t handle) {
    Log("ChannelStop " + N(handle));
    return 1;
}
int ChannelPause(uint32_t handle) {
    Log("ChannelPause " + N(handle));
    return 1;
}
int ChannelResume(uint32_t handle) {
    Log("ChannelResume " + N(handle));
    return 1;
}
int ChannelSetAttributes(uint32_t handle, int frequency, int volume, int pan) {
    Log("ChannelSetAttributes " + N(handle) + " " + N(frequency) + " " + N(volume) + " " + N(pan));
    return 1;
}
uint32_t ChannelIsActive(uint32_t) {
    return gActive;
}
// Modules get handle 20, streams 30.
uint32_t MusicLoad(int memory, const char* file, uint32_t, uint32_t, uint32_t flags,
                   uint32_t frequency) {
    Log("MusicLoad " + N(memory) + " " + file + " " + N(flags) + " " + N(frequency));
    return 20;
}
uint32_t MusicLoadOld(int memory, const char* file, uint32_t, uint32_t, uint32_t flags) {
    Log("MusicLoadOld " + N(memory) + " " + file + " " + N(flags));
    return 20;
}
int MusicPlay(uint32_t handle) {
    Log("MusicPlay " + N(handle));
    return 1;
}
int MusicPlayEx(uint32_t handle, uint32_t position, int flags, int reset) {
    Log("MusicPlayEx " + N(handle) + " " + N(position) + " " + N(flags) + " " + N(reset));
    return 1;
}
int MusicFree(uint32_t handle) {
    Log("MusicFree " + N(handle));
    return 1;
}
uint32_t StreamCreateFile(int memory, const char* file, uint32_t, uint32_t, uint32_t flags) {
    Log("StreamCreateFile " + N(memory) + " " + file + " " + N(flags));
    return 30;
}
int StreamFree(uint32_t handle) {
    Log("StreamFree " + N(handle));
    return 1;
}
int StreamPlay(uint32_t handle, int flush, uint32_t flags) {
    Log("StreamPlay " + N(handle) + " " + N(flush) + " " + N(flags));
    return 1;
}

template <typename Fn> ProcAddress P(Fn function) {
    return reinterpret_cast<ProcAddress>(function);
}

std::vector<Platform::LibraryExport> Common() {
    return {{"BASS_Free", P(&Free)},
            {"BASS_Stop", P(&Stop)},
            {"BASS_Start", P(&Start)},
            {"BASS_MusicSetAmplify", P(&MusicSetAmplify)},
            {"BASS_ChannelStop", P(&ChannelStop)},
            {"BASS_ChannelPause", P(&ChannelPause)},
            {"BASS_ChannelResume", P(&ChannelResume)},
            {"BASS_ChannelSetAttributes", P(&ChannelSetAttributes)},
            {"BASS_ChannelIsActive", P(&ChannelIsActive)},
            {"BASS_MusicPlay", P(&MusicPlay)},
            {"BASS_MusicPlayEx", P(&MusicPlayEx)},
            {"BASS_MusicFree", P(&MusicFree)},
            {"BASS_StreamCreateFile", P(&StreamCreateFile)},
            {"BASS_StreamFree", P(&StreamFree)},
            {"BASS_StreamPlay", P(&StreamPlay)}};
}

Platform::LibraryModule NewerForm() {
    Platform::LibraryModule module{"bass.dll", Common()};
    module.exports.push_back({"BASS_Init", P(&Init)});
    module.exports.push_back({"BASS_MusicLoad", P(&MusicLoad)});
    module.exports.push_back({"BASS_SetVolume", P(&SetVolume)});
    module.exports.push_back({"BASS_SetConfig", P(&SetConfig)});
    return module;
}

Platform::LibraryModule OlderForm() {
    Platform::LibraryModule module{"bass.dll", Common()};
    module.exports.push_back({"BASS_Init", P(&InitOld)});
    module.exports.push_back({"BASS_MusicLoad", P(&MusicLoadOld)});
    module.exports.push_back({"BASS_SetGlobalVolumes", P(&SetGlobalVolumes)});
    return module;
}

Platform::LibraryModule Without(Platform::LibraryModule module, const std::string& name) {
    std::erase_if(module.exports, [&](const auto& entry) { return name == entry.name; });
    return module;
}

// Installs the module as "bass.dll" for the life of the test and clears the record of calls.
class StandIn {
public:
    explicit StandIn(Platform::LibraryModule module) : mModule(std::move(module)) {
        Platform::InstallLibrary("bass.dll", &mModule);
        gCalls.clear();
        gActive = 0;
    }
    ~StandIn() { Platform::InstallLibrary("bass.dll", nullptr); }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

private:
    Platform::LibraryModule mModule;
};

using Calls = std::vector<std::string>;

TEST(BassCalls, NewerFormStartsUpLoadsAndPlays) {
    StandIn bass(NewerForm());
    {
        BassMusicInterface music(nullptr);
        EXPECT_EQ(gCalls, (Calls{"Init 1 44100 0", "SetConfig 0 2000", "Start"}));

        gCalls.clear();
        // Extensions compare in lower case; a name without a dot is a module.
        EXPECT_TRUE(music.LoadMusic(1, "sound/music.xm"));
        EXPECT_TRUE(music.LoadMusic(2, "sound/menu.OGG"));
        EXPECT_TRUE(music.LoadMusic(3, "sound/tune"));
        EXPECT_TRUE(music.LoadMusic(4, "a.b/c.Wav"));
        EXPECT_EQ(gCalls,
                  (Calls{"MusicLoad 0 sound/music.xm 516 0", "StreamCreateFile 0 sound/menu.OGG 0",
                         "MusicLoad 0 sound/tune 516 0", "StreamCreateFile 0 a.b/c.Wav 0"}));

        gCalls.clear();
        music.PlayMusic(1, 0, false);
        music.PlayMusic(1, 3, true);
        music.PlayMusic(2, 0, false);
        music.PlayMusic(2, -1, true);
        EXPECT_EQ(gCalls, (Calls{"ChannelSetAttributes 20 -1 100 -101", "ChannelStop 20",
                                 "MusicPlayEx 20 0 516 1", "ChannelSetAttributes 20 -1 100 -101",
                                 "ChannelStop 20", "MusicPlayEx 20 3 512 1",
                                 "ChannelSetAttributes 30 -1 100 -101", "ChannelStop 30",
                                 "StreamPlay 30 1 4", "ChannelSetAttributes 30 -1 100 -101",
                                 "ChannelStop 30", "StreamPlay 30 0 0"}));

        gCalls.clear();
        music.SetVolume(0.5);
        music.SetMusicAmplify(1, 0.5);
        music.SetSongMaxVolume(1, 0.5);
        EXPECT_EQ(gCalls, (Calls{"SetConfig 6 50", "SetConfig 5 50", "MusicSetAmplify 20 50",
                                 "ChannelSetAttributes 20 -1 50 -101"}));

        gActive = 1;
        EXPECT_TRUE(music.IsPlaying(1));
        gActive = 3; // paused is not playing
        EXPECT_FALSE(music.IsPlaying(1));

        gCalls.clear();
        music.FadeIn(1, -1, 0.5, false);
        music.FadeIn(2, 0, 0.5, true);
        EXPECT_EQ(gCalls, (Calls{"ChannelStop 20", "ChannelSetAttributes 20 -1 50 -101",
                                 "MusicPlay 20", "ChannelStop 30",
                                 "ChannelSetAttributes 30 -1 100 -101", "StreamPlay 30 1 0"}));

        gCalls.clear();
        music.StopMusic(1);
        music.StopMusic(2);
        music.PauseMusic(1);
        music.ResumeMusic(2);
        EXPECT_EQ(gCalls, (Calls{"ChannelStop 20", "ChannelStop 0", "ChannelStop 30",
                                 "ChannelPause 20", "ChannelPause 0", "ChannelResume 30"}));

        gCalls.clear();
        music.UnloadMusic(1);
        music.UnloadMusic(2);
        EXPECT_EQ(gCalls, (Calls{"ChannelStop 20", "ChannelStop 0", "MusicFree 20",
                                 "ChannelStop 30", "StreamFree 30"}));
        gCalls.clear();
    }
    EXPECT_EQ(gCalls, (Calls{"Stop", "Free"}));
    EXPECT_EQ(gBass, nullptr); // the last share freed the record
}

TEST(BassCalls, OlderFormUsesItsOwnInitLoadAndGlobalVolumes) {
    StandIn bass(OlderForm());
    BassMusicInterface music(nullptr);
    EXPECT_EQ(gCalls, (Calls{"InitOld -1 44100 0", "Start"}));
    gCalls.clear();
    EXPECT_TRUE(music.LoadMusic(1, "music.it"));
    music.PlayMusic(1, 0, false);
    music.SetVolume(0.5);
    music.SetVolume(1.0);
    EXPECT_EQ(gCalls, (Calls{"MusicLoadOld 0 music.it 4", "ChannelSetAttributes 20 -1 100 -101",
                             "ChannelStop 20", "MusicPlayEx 20 0 4 1", "SetGlobalVolumes 20 20 20",
                             "SetGlobalVolumes 40 40 40"}));
}

TEST(BassCalls, WithOnlySetVolumeTheMusicVolumeGoesThere) {
    Platform::LibraryModule module = OlderForm();
    module = Without(module, "BASS_SetGlobalVolumes");
    module.exports.push_back({"BASS_SetVolume", P(&SetVolume)});
    StandIn bass(std::move(module));
    BassMusicInterface music(nullptr);
    gCalls.clear();
    music.SetVolume(0.25);
    EXPECT_EQ(gCalls, (Calls{"SetVolume 25"}));
}

TEST(BassCalls, FadesSendTheVolumeEachUpdateAndStopWhenAsked) {
    StandIn bass(NewerForm());
    BassMusicInterface music(nullptr);
    ASSERT_TRUE(music.LoadMusic(2, "menu.ogg"));
    music.PlayMusic(2, 0, false);
    music.FadeOut(2, true, 0.4);
    gCalls.clear();
    for (int i = 0; i < 4; ++i) {
        music.Update();
    }
    // 1.0 - 0.4 = 0.6, 0.2 (0.19999... truncates to 19), then below 0: 0 and the stop.
    EXPECT_EQ(gCalls,
              (Calls{"ChannelSetAttributes 30 -1 60 -101", "ChannelSetAttributes 30 -1 19 -101",
                     "ChannelStop 30", "ChannelSetAttributes 30 -1 0 -101"}));
}

TEST(BassCalls, PauseAndResumeAllReachEverySong) {
    StandIn bass(NewerForm());
    BassMusicInterface music(nullptr);
    ASSERT_TRUE(music.LoadMusic(1, "a.mod"));
    ASSERT_TRUE(music.LoadMusic(2, "b.ogg"));
    gCalls.clear();
    music.PauseAllMusic();
    music.ResumeAllMusic();
    music.StopAllMusic();
    EXPECT_EQ(gCalls, (Calls{"ChannelPause 20", "ChannelPause 30", "ChannelResume 20",
                             "ChannelResume 30", "ChannelStop 20", "ChannelStop 30"}));
}

void ShowsBoxAndEnds(const Platform::LibraryModule* module) {
    Test::ShowsBoxAndEnds("bass.dll", module, &LoadBassDLL);
}

TEST(BassCallsDeathTest, AMissingEntryPointEndsTheProgramWithABox) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const Platform::LibraryModule noPlay = Without(NewerForm(), "BASS_StreamPlay");
    EXPECT_EXIT(ShowsBoxAndEnds(&noPlay), ::testing::ExitedWithCode(7),
                "\\[BASS_StreamPlay function not found in bass.dll\\|Error\\|16\\|1\\]");
    const Platform::LibraryModule noInit = Without(NewerForm(), "BASS_Init");
    EXPECT_EXIT(ShowsBoxAndEnds(&noInit), ::testing::ExitedWithCode(7),
                "\\[BASS_Init function not found in bass.dll\\|Error\\|16\\|1\\]");
    const Platform::LibraryModule noVolume =
        Without(Without(NewerForm(), "BASS_SetVolume"), "BASS_SetGlobalVolumes");
    EXPECT_EXIT(
        ShowsBoxAndEnds(&noVolume), ::testing::ExitedWithCode(7),
        "\\[Neither BASS_SetGlobalVolumes or BASS_SetVolume found in bass.dll\\|Error\\|16\\|"
        "1\\]");
    // The optional BASS_SetConfig only chooses the form.
    const Platform::LibraryModule noConfig = Without(NewerForm(), "BASS_SetConfig");
    EXPECT_EXIT(
        {
            Platform::InstallLibrary("bass.dll", &noConfig);
            std::_Exit(LoadBassDLL()->mVersion2 ? 1 : 7);
        },
        ::testing::ExitedWithCode(7), "");
}

TEST(BassCallsDeathTest, AMissingLibraryEndsTheProgramWithABox) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ShowsBoxAndEnds(nullptr), ::testing::ExitedWithCode(7),
                "\\[Can't find bass.dll.\\|Error\\|16\\|1\\]");
}

} // namespace
} // namespace Vuro
