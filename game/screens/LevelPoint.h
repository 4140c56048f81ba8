#pragma once
// A level point of the stage map: the level's number, where its 20 x 20 marker stands and how
// the map shows it. The map keeps one per level of its mode, keyed by the number.

#include <cstdint>

namespace Vuro {

struct LevelPoint {
    enum State : int32_t {
        kLocked = 0,  // not reached yet
        kReached = 1, // played or playable
        kCurrent = 2, // the level the play button starts
    };
    static constexpr int kSize = 20; // the marker's box, for the hit test

    int32_t mNumber = 0; // equal to its key in the map
    int32_t mX = 0;      // top-left corner of the marker, screen pixels
    int32_t mY = 0;
    int32_t mState = kLocked;

    // The point's 20 x 20 box holds (x, y), edges included.
    bool Contains(int x, int y) const {
        return x >= mX && x < mX + kSize && y >= mY && y < mY + kSize;
    }
};

} // namespace Vuro
