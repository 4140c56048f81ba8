// Entry of every test program. Tests never need a real display or sound device: SDL is pointed
// at its dummy drivers here (a CTest property cannot carry more than one variable reliably).
#include "platform/LinkOpener.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // No test ever starts a browser: links are refused unless a test installs its own opener.
    Vuro::Platform::SetLinkOpener([](const std::string&) { return false; });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
