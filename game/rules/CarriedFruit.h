#pragma once
// What a bird or the hedgehog keeps of the fruit it aims at or carries off: enough to draw the
// fruit with the creature and to put it back on the field as a fruit again.

namespace Vuro {

struct CarriedFruit {
    int mKind = 0;
    int mState = 0;
    int mPicture = 0;
    int mCellId = 0; // the tree cell the fruit grew in (its id), 0 none
};

} // namespace Vuro
