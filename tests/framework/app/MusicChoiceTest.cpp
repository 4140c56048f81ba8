// The application's choice of music back end: the silent one when all sound is off, fmod.dll
// with use-fmod, else bass.dll.

#include "TestApp.h"

#include "framework/sound/BassMusicInterface.h"
#include "framework/sound/FModMusicInterface.h"
#include "support/FakeAudioSystem.h"

#include <memory>

namespace Vuro::Test {
namespace {

bool IsBass(MusicInterface* music) {
    return dynamic_cast<BassMusicInterface*>(music) != nullptr;
}

TEST(MusicChoice, SilentWhenSoundIsOffFModWhenAskedForElseBass) {
    FakeClock clock;
    ScriptedEvents events;
    FakeWindowSystem windows;
    FakeAudioSystem audio;
    StackApp<TestApp> app;

    std::unique_ptr<MusicInterface> music(app.CreateMusicInterface(nullptr));
    EXPECT_TRUE(IsBass(music.get()));
    music.reset();

    app.mNoSoundNeeded = true;
    music.reset(app.CreateMusicInterface(nullptr));
    ASSERT_NE(music, nullptr);
    EXPECT_FALSE(IsBass(music.get()));
    EXPECT_FALSE(music->LoadMusic(1, VURO_SOURCE_DIR "/tests/framework/sound/data/tone.ogg"));

    app.mNoSoundNeeded = false;
    app.mUseFmod = true;
    music.reset(app.CreateMusicInterface(nullptr));
    EXPECT_NE(dynamic_cast<FModMusicInterface*>(music.get()), nullptr);
}

} // namespace
} // namespace Vuro::Test
