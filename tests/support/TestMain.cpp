// Entry of every test program. Tests never need a real display or sound device: SDL is pointed
// at its dummy drivers here (a CTest property cannot carry more than one variable reliably).
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
