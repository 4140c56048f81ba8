#include "game/rules/Caterpillar.h"

#include "framework/util/MersenneTwister.h"
#include "game/rules/FruitTree.h"
#include "game/rules/RedrawFlag.h"

namespace Vuro {

namespace {

struct TrunkFoot {
    int dx;
    int dy;
};

// Where the trunk of each tree kind meets the ground, from the tree's corner.
constexpr TrunkFoot kTrunkFeet[] = {{66, 124}, {66, 124}, {75, 112}, {71, 114}, {69, 114}};

int Alternate(int frame, int first, int second) {
    return frame == first ? second : first;
}

} // namespace

void Caterpillar::Reset() {
    mSmoked = false;
    mState = None;
    mX = -1;
    mY = -1;
    mTargetX = -1;
    mTargetY = -1;
    mFrame = 0;
}

void Caterpillar::Start(int x, int y) {
    Reset();
    mX = x;
    mY = y;
}

void Caterpillar::SetTarget(int targetX, int targetY) {
    mTargetX = targetX;
    mTargetY = targetY;
    mState = mX > targetX ? CrawlingLeft : CrawlingRight;
}

void Caterpillar::SetTargetTree(const FruitTree& tree) {
    const int kind = tree.GetKind();
    const TrunkFoot& foot = kTrunkFeet[kind >= 1 && kind <= 4 ? kind : 1];
    SetTarget(tree.GetX() + foot.dx, tree.GetY() + foot.dy);
}

bool Caterpillar::StartFromFruit(int fruitKind, int fruitX, const std::vector<FruitTree>& trees) {
    if (fruitKind < 1 || fruitKind > 4 || trees.empty()) {
        return false;
    }
    Start(fruitX, kGroundY);
    SetTargetTree(trees[Rand() % static_cast<int>(trees.size())]);
    return true;
}

void Caterpillar::Tick(int tick) {
    if (mState < CrawlingRight || mState >= Arrived || tick % kStepPeriod != 0) {
        return;
    }
    SetRedrawNeeded(); // a pixel and a frame on, or the next state (an arrived one is not drawn)
    switch (mState) {
    case CrawlingRight:
        if (mX < mTargetX) {
            ++mX;
            mFrame = Alternate(mFrame, 2, 3);
        } else {
            mState = ClimbingFromLeft;
        }
        break;
    case CrawlingLeft:
        if (mX > mTargetX) {
            --mX;
            mFrame = Alternate(mFrame, 0, 1);
        } else {
            mState = ClimbingFromRight;
        }
        break;
    case ClimbingFromRight:
        if (mY > mTargetY) {
            --mY;
            mFrame = Alternate(mFrame, 6, 7);
        } else {
            mState = Arrived;
        }
        break;
    default: // climbing after crawling right
        if (mY > mTargetY) {
            --mY;
            mFrame = Alternate(mFrame, 4, 5);
        } else {
            mState = Arrived;
        }
        break;
    }
}

} // namespace Vuro
