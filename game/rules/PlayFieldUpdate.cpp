// The play field's update tick: the order of its steps, the stop phase in which only the
// slingshot, the stones and the pop-ups go on, the once-a-second timers and level clock, the
// reload rule of the slingshot, the short-lived effects and the sky.

#include "game/rules/FieldGeometry.h"
#include "game/rules/GameSeconds.h"
#include "game/rules/GameSounds.h"
#include "game/rules/PlayField.h"
#include "game/rules/RedrawFlag.h"

#include <vector>

namespace Vuro {

namespace {

constexpr int kReloadCheckTicks = 10;
constexpr int kReloadTicks = 35;
constexpr int kSkyWrapBelow = 1 - kFieldWidth;
constexpr int kSkyWrapTo = kFieldWidth;
constexpr int kLastLightningFrame = 7;

// Erases the finished elements, then advances the others.
template <typename T, typename Finished, typename Step>
void StepList(std::vector<T>& list, Finished finished, Step step) {
    std::erase_if(list, finished);
    for (T& item : list) {
        step(item);
    }
}

void StepPopups(std::vector<Countdown>& popups, int tick) {
    StepList(
        popups, [](const Countdown& popup) { return !popup.mActive; },
        [tick](Countdown& popup) { popup.Tick(tick); });
}

void StepEffects(std::vector<EffectAnim>& effects, int tick) {
    StepList(
        effects, [](const EffectAnim& effect) { return !effect.mActive; },
        [tick](EffectAnim& effect) { effect.Tick(tick); });
}

void StepStones(std::vector<Mover>& stones) {
    StepList(
        stones, [](const Mover& stone) { return stone.mState == Mover::kArrived; },
        [](Mover& stone) { stone.Tick(); });
}

} // namespace

void PlayField::Update(int tick) {
    if (mTimeLeft == 0 || mTimeUp) {
        mBanner.Tick(tick);
        return;
    }
    mCurrentTick = tick;
    if (IsStopPhase()) {
        UpdateStopPhase(tick);
        return;
    }

    mAmbient.Tick(tick); // moves only while it runs
    if (!mDay) {
        mNightAnimation.Tick(tick);
    }
    mBob.Tick(tick);
    mBanner.Tick(tick);
    UpdateFruit(tick);
    UpdateCaterpillars(tick);
    for (LoopAnim& puff : mSmoke) {
        puff.Tick(tick);
    }
    if (mBroom.Tick(tick) == EdgeWalker::TickGone) {
        mHost->StopMusic(SongId::kBroom);
    }
    mAutocar.Tick(tick);
    UpdateBirds(tick, false);
    UpdateHedgehogs(tick);
    UpdateEffects(tick);
    UpdateSky(tick);
    if (mSurvival && mElapsedSeconds == 0) {
        // Survival starts with its first second's entries at once.
        mElapsedSeconds = 1;
        RunTimeLine();
    }
    ReloadRule(tick);

    if (tick % kGameSecondTicks == 0) {
        StepTimers();
        ++mElapsedSeconds;
        --mTimeLeft;
        RunTimeLine();
        if (mTimeLeft <= 0) {
            mTimeUp = true;
        }
        SetRedrawNeeded(); // the clock shows the new second
    }
}

void PlayField::UpdateStopPhase(int tick) {
    ReloadRule(tick);
    StepStones(mStones);
    for (Fruit& fruit : mFruit) {
        fruit.Sway(tick);
    }
    UpdateBirds(tick, true);
    StepPopups(mNumberPopups, tick);
    StepPopups(mBonusPopups, tick);

    if (tick % kGameSecondTicks == 0) {
        Timer& stop = mTimers[kTimerStopPhase];
        if (--stop.mSeconds < 0) {
            stop = Timer{};
            SetRedrawNeeded(); // its icon goes
            mHost->StopMusic(SongId::kClock);
            if (mBroom.IsPresent()) {
                mHost->PlayMusic(SongId::kBroom);
            }
        }
    }
}

void PlayField::UpdateEffects(int tick) {
    StepStones(mStones);
    StepEffects(mMagicShots, tick);
    StepEffects(mFlashes, tick);
    StepPopups(mNumberPopups, tick);
    StepPopups(mBonusPopups, tick);
    StepList(
        mBonusItems, [](const Bouncer& item) { return item.mKind == Bouncer::kErased; },
        [tick](Bouncer& item) { item.Tick(tick); });
}

void PlayField::UpdateSky(int tick) {
    if (!mRain.IsPresent()) {
        if (mHost->IsMusicPlaying(SongId::kRain)) {
            mHost->StopMusic(SongId::kRain);
        }
    } else {
        mRain.Tick(tick);
    }
    if (tick % mSkyLayers[0].mPeriod == 0) {
        for (SkyLayer& layer : mSkyLayers) {
            if (--layer.mX < kSkyWrapBelow) {
                layer.mX = kSkyWrapTo;
            }
        }
        SetRedrawNeeded();
    }
    mSun.Tick(tick);
    if (mLightning && tick % mLightningPeriod == 0) {
        SetRedrawNeeded();
        if (++mLightningFrame > kLastLightningFrame) {
            mLightning = false;
            mLightningFrame = 0;
        }
    }
}

void PlayField::ReloadRule(int tick) {
    if (tick % kReloadCheckTicks != 0 || mShotsSinceReady <= 0) {
        return;
    }
    const bool waited = mCurrentTick - mLastShotTick >= kReloadTicks;
    bool reload = false;
    if (!mTimers[kTimerDoubleShot].mActive) {
        reload = waited && !mSlingshotReady;
    } else if (mSlingshotReady) {
        // A second shot of the double-shot bonus has gone.
        if (mShotsSinceReady >= 2) {
            reload = waited;
            mSlingshotReady = waited;
        }
    } else if (mShotsSinceReady == 1) {
        mSlingshotReady = true; // the bonus began after a single shot
    } else {
        reload = waited;
    }
    if (reload) {
        mShotsSinceReady = 0;
        mLastShotTick = 0;
        mSlingshotReady = true;
    }
}

void PlayField::StepTimers() {
    for (int index = 0; index < kTimerCount; ++index) {
        Timer& timer = mTimers[index];
        if (!timer.mActive) {
            continue;
        }
        --timer.mSeconds;
        if (index == kTimerSmoke && timer.mSeconds == 1) {
            std::erase_if(mCaterpillars,
                          [](const Caterpillar& caterpillar) { return caterpillar.IsSmoked(); });
        }
        if (timer.mSeconds >= 1) {
            continue;
        }
        timer.mActive = false;
        if (index == kTimerLightning) {
            EndLightningStrike();
        } else if (index == kTimerSmoke) {
            mSmoke.clear();
        }
    }
}

} // namespace Vuro
