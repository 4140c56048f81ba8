// The system's sounds: its media folder is the data set's, a WAVE file plays once on an output
// of its own, and what is missing or no WAVE file plays nothing.

#include "platform/SystemSound.h"
#include "support/FakeAudioSystem.h"
#include "support/SoundFileBytes.h"
#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace Vuro::Platform {
namespace {

TEST(SystemSoundTest, TheSystemMediaFolderIsTheDataSetsMediaFolder) {
    struct Case {
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"c:\\windows\\media\\Windows XP Menu Command.wav", "media/Windows XP Menu Command.wav"},
        {"C:/WINDOWS/Media\\ding.wav", "media/ding.wav"},
        {"c:\\windows\\media\\", "c:\\windows\\media\\"}, // the folder itself is no sound
        {"c:\\windows\\mediaplayer.wav", "c:\\windows\\mediaplayer.wav"},
        {"d:\\windows\\media\\ding.wav", "d:\\windows\\media\\ding.wav"},
        {"sound/ding.wav", "sound/ding.wav"},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(SystemMediaPath(test.path), test.expected) << test.path;
    }
}

TEST(SystemSoundTest, AWaveFilePlaysOnceAndNothingElsePlays) {
    Vuro::Test::TempWorkingFolder folder;
    Vuro::Test::FakeAudioSystem audio;
    std::filesystem::create_directory("media");
    Vuro::Test::SoundBytes::MonoWave({8000, -8000, 4000}).Save("media/click.wav");
    std::ofstream("media/song.wav") << "OggS and more";

    SystemSoundPlayer player;
    EXPECT_FALSE(player.Play("c:\\windows\\media\\missing.wav"));
    EXPECT_FALSE(player.Play("c:\\windows\\media\\song.wav"));
    EXPECT_EQ(audio.Mix(2), std::vector<int16_t>(4, 0));

    // Mono at the output's rate and full volume: each sample on both sides, then silence.
    EXPECT_TRUE(player.Play("C:\\Windows\\Media\\click.wav"));
    EXPECT_EQ(audio.Mix(4), (std::vector<int16_t>{8000, 8000, -8000, -8000, 4000, 4000, 0, 0}));
    EXPECT_EQ(audio.Mix(2), std::vector<int16_t>(4, 0));

    audio.mCanCreate = false;
    SystemSoundPlayer silent;
    EXPECT_FALSE(silent.Play("c:\\windows\\media\\click.wav")) << "no output";
}

} // namespace
} // namespace Vuro::Platform
