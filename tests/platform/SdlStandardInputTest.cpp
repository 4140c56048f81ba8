// On SDL's headless video driver the event source takes the standard input's characters as
// typed characters (the playback keys of a headless demo run), skips line ends, and stops
// looking once the input has ended.

#include "platform/EventSource.h"
#include "platform/sdl/SdlVideo.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

namespace Vuro::Platform {
namespace {

std::string TypedCharacters() {
    std::string typed;
    Message message;
    while (GetEventSource().PeekMessage(message)) {
        if (message.message == kWmChar) {
            typed += static_cast<char>(message.wParam);
        }
    }
    return typed;
}

// In a child process: the event source's state and the standard input are the child's own.
void TypeThroughAPipe() {
    SdlVideoUser video;
    int ends[2];
    if (!video.IsReady() || pipe(ends) != 0 || dup2(ends[0], STDIN_FILENO) < 0) {
        std::_Exit(2);
    }
    bool ok = write(ends[1], "0\n+\r", 4) == 4 && TypedCharacters() == "0+" &&
              write(ends[1], "m", 1) == 1 && TypedCharacters() == "m";
    close(ends[1]);
    ok = ok && TypedCharacters().empty();
    // Once ended, new input on the same descriptor is not looked at.
    ok = ok && pipe(ends) == 0 && dup2(ends[0], STDIN_FILENO) >= 0 && write(ends[1], "5", 1) == 1 &&
         TypedCharacters().empty();
    std::_Exit(ok ? 0 : 1);
}

TEST(SdlStandardInputTest, CharactersOfTheStandardInputAreTypedUntilItEnds) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(TypeThroughAPipe(), ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace Vuro::Platform
