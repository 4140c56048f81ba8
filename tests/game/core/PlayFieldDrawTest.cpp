// The play field's drawing: the cels of the sheets that object frames run past.

#include "game/core/PlayFieldPictures.h"

#include <gtest/gtest.h>

namespace Vuro::Testing {
namespace {

// A frame past the end of its sheet shows a cel inside it, the one the look intends.
TEST(PlayFieldDrawTest, FramesPastTheirSheetShowTheCelTheLookIntends) {
    namespace Pictures = PlayFieldPictures;
    // The shot picture's two cels face right and left, as the flight frames' two halves do.
    struct ShotCase {
        int flightCels;
        int frame;
        int cel;
    };
    for (const ShotCase& c :
         {ShotCase{10, 0, 0}, ShotCase{10, 4, 0}, ShotCase{10, 5, 1}, ShotCase{10, 9, 1},
          ShotCase{8, 3, 0}, ShotCase{8, 4, 1}, ShotCase{8, 7, 1}, ShotCase{4, 1, 0},
          ShotCase{4, 2, 1}, ShotCase{4, 3, 1}}) {
        EXPECT_EQ(Pictures::ShotCel(c.frame, c.flightCels), c.cel)
            << c.flightCels << " flight cels, frame " << c.frame;
    }
    // Smoke frames 0..8 on eight cels: the last frame holds the last cel.
    for (int frame = 0; frame <= 7; ++frame) {
        EXPECT_EQ(Pictures::SmokeCel(frame, 8), frame);
    }
    EXPECT_EQ(Pictures::SmokeCel(8, 8), 7);
    // The flies' frames 0..3 on three cels go round.
    const int flyCels[] = {0, 1, 2, 0};
    for (int frame = 0; frame <= 3; ++frame) {
        EXPECT_EQ(Pictures::FruitFlyCel(frame, 3), flyCels[frame]);
    }
}

} // namespace
} // namespace Vuro::Testing
