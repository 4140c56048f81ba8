#include "game/rules/FruitBox.h"

#include <algorithm>
#include <iterator>

namespace Vuro {

FruitBox::FruitBox() {
    Reset();
}

void FruitBox::Reset() {
    std::fill(std::begin(mPlace), std::end(mPlace), -1);
    mKind = 0;
    mCount = 0;
    mFill = 0;
}

void FruitBox::Set(int kind, int a, int b, int c, int d) {
    mKind = kind;
    mPlace[0] = a;
    mPlace[1] = b;
    mPlace[2] = c;
    mPlace[3] = d;
}

void FruitBox::SetCount(int n, int capacity) {
    mCount = n;
    UpdateFill(capacity);
}

void FruitBox::UpdateFill(int capacity) {
    if (mCount < capacity) {
        mFill = static_cast<int>(static_cast<double>(mCount) * kFullFill / capacity);
        // A count below zero would give a gauge level below the gauge's first picture.
        mFill = std::max(mFill, 0);
    } else {
        mFill = kFullFill;
    }
    if (mFill == 0 && mCount > 0) {
        mFill = 1;
    }
}

} // namespace Vuro
