#include "game/rules/PlayField.h"

#include "framework/util/MersenneTwister.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/RedrawFlag.h"
#include "game/rules/Stages.h"

namespace Vuro {

namespace {

constexpr int kSunStopX = -133;

} // namespace

PlayField::PlayField() {
    ResetLevel();
}

void PlayField::ResetLevel() {
    static_cast<LevelState&>(*this) = LevelState{};
    mNightAnimation.Start(15, 10, true, 100, 2);
    mBob.Start(100, 350, 3, 0.1f);
    mSun.Start(Rand() % 400 + 100, 1, kSunStopX);
    SetRedrawNeeded(); // the next level is drawn from its start
}

void PlayField::SetImages(const PictureSizes& sizes, bool hasAmbientPicture) {
    mPictureSizes = sizes;
    if (hasAmbientPicture) {
        StartAmbient(GetStage(mSurvival, mLevel));
    }
    SetRedrawNeeded();
}

int PlayField::GetStage(bool survival, int level) {
    const int stage = StageOfLevel(level);
    return survival || stage == 0 ? level : stage;
}

void PlayField::StartAmbient(int stage) {
    switch (stage) {
    case 1:
        mAmbient.Start(397, 9, true, 35, 3);
        break;
    case 2:
        mAmbient.Start(504, 331, true, 150, 1);
        break;
    case 3:
        mAmbient.Start(173, 323, true, 190, 1);
        break;
    case 6:
        mAmbient.Start(174, 4, true, 70, 3);
        break;
    default:
        break;
    }
}

void PlayField::AddTimeLineEntry(int second, int code) {
    mTimeLine.push_back({second, code});
}

void PlayField::AddTree(const FruitTree& tree) {
    mTrees.push_back(tree);
    if (IsFruitKind(tree.GetKind())) {
        ++mTreesOfKind[tree.GetKind() - 1];
    }
    ++mTreeCount;
}

void PlayField::AddFruitBox(const FruitBox& box) {
    mBoxes.push_back(box);
    ++mBoxCount;
}

void PlayField::SetGoal(int kind, int n) {
    if (IsFruitKind(kind)) {
        mGoals[kind - 1] = n;
    }
}

int PlayField::GetGoal(int kind) const {
    return IsFruitKind(kind) ? mGoals[kind - 1] : -1;
}

int PlayField::GetTreesOfKind(int kind) const {
    return IsFruitKind(kind) ? mTreesOfKind[kind - 1] : 0;
}

void PlayField::SetSurvival(bool survival) {
    mSurvival = survival;
    if (survival) {
        mEffectActive = true;
        mEffectStep = 2;
    }
}

void PlayField::CheckGoals() {
    mGoalReached = true;
    for (int kind = 0; kind < kFruitKinds; ++kind) {
        // Collected counters sit at the even places: apples, pears, plums, oranges.
        if (mGoals[kind] >= 1 && mCounters[2 * kind] < mGoals[kind]) {
            mGoalReached = false;
        }
    }
}

bool PlayField::IsGoalReached() {
    CheckGoals();
    return mGoalReached;
}

void PlayField::GetStats(int out[kCounterCount]) const {
    for (int i = 0; i < kCounterCount; ++i) {
        out[i] = mCounters[i];
    }
    if (mSurvival) {
        for (int kind = 0; kind < kFruitKinds; ++kind) {
            out[2 * kind] = mOnTrees[kind];
        }
    }
}

void PlayField::SetMousePos(int x, int y) {
    mMouseX = x;
    mMouseY = y;
    SetRedrawNeeded();
}

} // namespace Vuro
