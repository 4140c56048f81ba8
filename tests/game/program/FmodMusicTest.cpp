// The game with use-fmod on, played by play_fmod on SDL's dummy drivers (the real game
// application; tests/game/fmod/PlayFmod.cpp): the intro's song sounds through the built-in
// "fmod.dll" on the software mixer exactly as its file decodes, at the game's music volume.

#include "ProgramRun.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

TEST(FmodMusic, TheIntroSongIsHeardAsItsFileDecodes) {
    TempFolder folder("fmodmusic");
    ProgramRun run(VURO_PLAY_FMOD, folder);
    ASSERT_TRUE(run.Start({}));
    const int status = run.WaitForExit(ProgramRun::Clock::now() + std::chrono::seconds(100));
    const std::string output = run.Output();
    EXPECT_EQ(status, 0) << output;
    EXPECT_NE(output.find("fmod: on\n"), std::string::npos) << output;
    EXPECT_NE(output.find("110250 of 110250 the same as sound/intro.ogg at volume 0.75"),
              std::string::npos)
        << output;
}

} // namespace
} // namespace Vuro::Test
