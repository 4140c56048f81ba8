#include "game/rules/TargetWalker.h"

#include "game/rules/FieldGeometry.h"
#include "game/rules/GameSeconds.h"
#include "game/rules/RedrawFlag.h"

#include <algorithm>
#include <cstdlib>

namespace Vuro {

namespace {
constexpr int kFarAway = 1000;
constexpr int kReachLeft = 5;
constexpr int kReachRight = 60;
constexpr int kLastFrame = 2;
} // namespace

void TargetWalker::Reset() {
    mState = Absent;
    mX = -1;
    mY = -1;
    mTargetX = -1;
    mTargetId = 0;
    mFrame = 0;
    mSecondsLeft = 0;
    mWaiting.clear();
}

void TargetWalker::Start(int seconds) {
    mX = kHomeX;
    mY = kHomeY;
    mState = Choosing;
    mFrame = 0;
    mTargetX = kHomeX;
    mTargetId = 0;
    SetLifetime(seconds);
}

void TargetWalker::AddTarget(int fruitId, int x) {
    mWaiting[fruitId] = x;
}

void TargetWalker::RemoveTarget(int fruitId) {
    mWaiting.erase(fruitId);
    if (fruitId == mTargetId) {
        mTargetId = 0;
    }
}

bool TargetWalker::Reaches(int fruitX) const {
    return fruitX >= mX - kReachLeft && fruitX + kFruitSize <= mX + kReachRight;
}

void TargetWalker::Choose() {
    auto nearest = mWaiting.end();
    int best = kFarAway;
    for (auto it = mWaiting.begin(); it != mWaiting.end(); ++it) {
        const int distance = std::abs(it->second - mX);
        if (distance < best) {
            best = distance;
            nearest = it;
        }
    }
    if (nearest == mWaiting.end()) {
        mTargetX = kHomeX;
        mTargetId = 0;
        if (mX == kHomeX) {
            mState = Choosing;
        } else {
            mState = mX < kHomeX ? HomeRight : HomeLeft;
        }
        return;
    }
    mTargetId = nearest->first;
    mTargetX = nearest->second;
    mWaiting.erase(nearest);
    mState = mX > mTargetX ? DrivingLeft : DrivingRight;
}

bool TargetWalker::Move() {
    SetRedrawNeeded();
    mX = mX < mTargetX ? std::min(mX + kStep, mTargetX) : std::max(mX - kStep, mTargetX);
    mFrame = mFrame >= kLastFrame ? 0 : mFrame + 1;
    return mX == mTargetX;
}

void TargetWalker::Tick(int tick) {
    if (mState == Absent) {
        return;
    }
    if (mSecondsLeft < 1) {
        mState = Absent;
        SetRedrawNeeded();
        return;
    }
    if (mState == Choosing) {
        Choose();
    } else if (tick % kMovePeriod == 0) {
        switch (mState) {
        case DrivingLeft:
        case DrivingRight:
            if (mTargetId == 0) {
                Choose();
            } else if (Move()) {
                mState = Arrived;
            }
            break;
        case Arrived:
            if (mTargetId == 0) {
                Choose();
            }
            break;
        default: // driving home
            if (!mWaiting.empty()) {
                Choose();
            } else if (Move()) {
                mState = Arrived;
            }
            break;
        }
    }
    CountSecondDown(tick, mSecondsLeft);
}

} // namespace Vuro
