#pragma once
// What one level in play starts from: the state ResetLevel clears. The play field holds it as
// its private base, so that a reset is one assignment of a fresh LevelState (then the night
// animation, the bob and the sun are started). What lives outside it outlasts a level: the goals
// (the next level file sets them again), the banner and the combo sequence, the mouse, the
// current tick, the custom-cursors flag, the picture sizes, the host and the run's state.

#include "game/rules/Bird.h"
#include "game/rules/BobOffset.h"
#include "game/rules/Bouncer.h"
#include "game/rules/Caterpillar.h"
#include "game/rules/Countdown.h"
#include "game/rules/Drifter.h"
#include "game/rules/EdgeWalker.h"
#include "game/rules/EffectAnim.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/FrameAnim.h"
#include "game/rules/Fruit.h"
#include "game/rules/FruitBox.h"
#include "game/rules/FruitTree.h"
#include "game/rules/Hedgehog.h"
#include "game/rules/LoopAnim.h"
#include "game/rules/Mover.h"
#include "game/rules/TargetWalker.h"
#include "game/rules/WeatherStepper.h"

#include <vector>

namespace Vuro {

struct LevelState {
    static constexpr int kCounterCount = 16;
    static constexpr int kTimerCount = 5;
    static constexpr int kSkyLayerCount = 2;
    // The sky pictures scroll a pixel every 12 ticks, the second one a field's width behind.
    static constexpr int kSkyPeriod = 12;
    static constexpr int kSkyWidth = kFieldWidth;
    static constexpr int kLightningPeriod = 6;

    // A timed effect counted down once a second.
    struct Timer {
        int mSeconds = 0;
        bool mActive = false;
    };

    // A sky picture that scrolls left; only x, y and the period are used.
    struct SkyLayer {
        int mX = 0;
        int mY = 0;
        int mPeriod = 0;
        int mUnused[3] = {};
    };

    struct TimeLineEntry {
        int mSecond; // second of the level at which it fires
        int mCode;   // what happens
    };

    bool mDay = true;
    bool mGoalReached = false;
    int mHelpTip = 0;
    // Collected and grown per fruit kind 1..4, then shot and appeared per bird kind 0, 2, 1, 3.
    int mCounters[kCounterCount] = {};
    int mAimingAtBird = 0;
    bool mSurvival = false;
    int mShotsSinceReady = 0;
    int mLastShotTick = 0;
    bool mSlingshotReady = true;
    // Double shot, stop phase, lightning, (unused), smoke.
    Timer mTimers[kTimerCount];
    int mEvent = 0; // none
    bool mTimeUp = false;
    int mLevel = 0;
    int mSurvivalBonusCount = 0;
    int mTreesOfKind[kFruitKinds] = {};
    int mTreeCount = 0;
    int mBoxCount = 0;
    int mTimeLeft = 0;
    int mOnTrees[kFruitKinds] = {}; // grown and not yet fallen
    int mElapsedSeconds = 0;
    int mScore = 0;
    bool mEffectActive = false;
    int mEffectStep = 0;
    int mNextFruitId = 0;
    int mGreenPicks = 0;
    EdgeWalker mBroom;
    TargetWalker mAutocar;
    EffectAnim mEffect;
    WeatherStepper mRain;
    SkyLayer mSkyLayers[kSkyLayerCount] = {{0, 0, kSkyPeriod, {}}, {kSkyWidth, 0, kSkyPeriod, {}}};
    Drifter mSun;
    int mLightningPeriod = kLightningPeriod;
    int mLightningFrame = 0;
    bool mLightning = false;
    std::vector<FruitTree> mTrees;
    std::vector<Fruit> mFruit;
    std::vector<FruitBox> mBoxes;
    std::vector<Caterpillar> mCaterpillars;
    std::vector<Bird> mBirds;
    std::vector<Mover> mStones;
    std::vector<Hedgehog> mHedgehogs;
    std::vector<Countdown> mNumberPopups;
    std::vector<Countdown> mBonusPopups;
    std::vector<Bouncer> mBonusItems;
    std::vector<LoopAnim> mSmoke;
    std::vector<EffectAnim> mFlashes;
    std::vector<EffectAnim> mMagicShots;
    std::vector<TimeLineEntry> mTimeLine;
    BobOffset mBob;
    FrameAnim mAmbient;        // the stage's ambient animation (SetImages starts it)
    FrameAnim mNightAnimation; // the stars over the night sky
};

} // namespace Vuro
