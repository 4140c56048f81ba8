// A press on the play field: the slingshot, the side buttons, bonus items and what each gives,
// and in story mode the caterpillars and fruit under the mouse with the combo rewards.

#include "game/rules/FieldGeometry.h"
#include "game/rules/GameSounds.h"
#include "game/rules/PlayField.h"
#include "game/rules/RedrawFlag.h"

namespace Vuro {

namespace {

constexpr int kStoneStartY = 405;
constexpr int kStoneTargetY = 150;
constexpr int kSideStripX = 565;
constexpr int kRightButtonTop = 421;
constexpr int kRightButtonBottom = 449;
constexpr int kLeftButtonTop = 451;
constexpr int kBonusItemWidth = 32;
constexpr int kBonusItemHeight = 40;
constexpr int kCaterpillarSize = 10;
// A fruit is picked within its anim sheet's width divided by this: a little more than a cel.
constexpr int kPickWidthDivisor = 5;
constexpr int kGreenPicksForTip = 5;
constexpr int kGreenPickLevels = 14; // the warning stops at this story level
constexpr int kBonusPoints = 5;
constexpr int kMagicShotSeconds = 5;

// The frog of the pond in story levels 11..13.
constexpr int kFrogFirstLevel = 11;
constexpr int kFrogLastLevel = 13;
constexpr int kFrogLeft = 508;
constexpr int kFrogTop = 334;
constexpr int kFrogWidth = 30;
constexpr int kFrogHeight = 42;

enum BonusKind {
    kCoins = 0,
    kDoubleShot = 1,
    kSmoke = 2,
    kLightning = 3,
    kBroom = 4,
    kAutocar = 5,
    kStopPhase = 6,
};

// The rectangle from (left, top), width and height wide, both edges included.
bool Holds(int left, int top, int width, int height, int x, int y) {
    return x >= left && x <= left + width && y >= top && y <= top + height;
}

int ComboPoints(int combo) {
    switch (combo) {
    case ComboSequence::kThreeOfAKind:
        return 30;
    case ComboSequence::kFiveOfAKind:
        return 50;
    case ComboSequence::kTenOfAKind:
        return 100;
    default:
        return 40;
    }
}

int ComboSample(int combo) {
    switch (combo) {
    case ComboSequence::kFiveOfAKind:
        return SampleId::kComboFive;
    case ComboSequence::kTenOfAKind:
        return SampleId::kComboTen;
    default:
        return SampleId::kCombo;
    }
}

EffectAnim MagicShot(int x, int y) {
    EffectAnim effect;
    effect.SetPos(x, y);
    effect.Start(kMagicShotSeconds);
    return effect;
}

} // namespace

void PlayField::MouseDown(int x, int y, int clickCount) {
    mMouseX = x;
    mMouseY = y;
    SetRedrawNeeded(); // the slingshot follows; a stone, a pick or a bonus may follow too
    if (mSurvival) {
        MouseDownSurvival(x, y, clickCount);
    } else {
        MouseDownStory(x, y);
    }
}

void PlayField::MouseDownSurvival(int x, int y, int clickCount) {
    if (clickCount < 0) {
        return;
    }
    if (y < kFieldBottom) {
        if (!ClickBonusItem(x, y) && mSlingshotReady) {
            FireStone(x);
        }
        return;
    }
    PressSideButtons(x, y);
}

void PlayField::MouseDownStory(int x, int y) {
    if (mAimingAtBird == 1 && mSlingshotReady) {
        FireStone(x);
    }
    if (y >= kFieldBottom) {
        PressSideButtons(x, y);
        return;
    }
    if (mLevel >= kFrogFirstLevel && mLevel <= kFrogLastLevel &&
        Holds(kFrogLeft, kFrogTop, kFrogWidth, kFrogHeight, x, y)) {
        mHost->PlaySample(SampleId::kFrog);
    }
    if (ClickBonusItem(x, y) || y < kFirstPickRow) {
        return;
    }
    ClickCaterpillar(x, y);
    PickFruit(x, y);
}

void PlayField::PressSideButtons(int x, int y) {
    if (x < kSideStripX) {
        return;
    }
    if (y >= kRightButtonTop && y <= kRightButtonBottom) {
        mEvent = kEventRightButton;
    } else if (y >= kLeftButtonTop) {
        mEvent = kEventLeftButton;
    }
}

void PlayField::FireStone(int x) {
    mHost->PlaySample(SampleId::kShot);
    Mover stone;
    stone.Start(x, kStoneStartY, x, kStoneTargetY);
    mStones.push_back(stone);
    mLastShotTick = mCurrentTick;
    ++mShotsSinceReady;
    const int shotsPerLoad = mTimers[kTimerDoubleShot].mActive ? 2 : 1;
    if (mShotsSinceReady >= shotsPerLoad) {
        mSlingshotReady = false;
    }
}

bool PlayField::ClickBonusItem(int x, int y) {
    for (auto item = mBonusItems.begin(); item != mBonusItems.end(); ++item) {
        if (!item->mActive || item->mKind == Bouncer::kErased ||
            !Holds(item->mX, item->mY, kBonusItemWidth, kBonusItemHeight, x, y) ||
            !item->IsClickable(IsStopPhase())) {
            continue;
        }
        const int kind = item->mKind;
        mBonusItems.erase(item);
        mHost->PlaySample(SampleId::kTakeBonus);
        ApplyBonus(kind);
        return true;
    }
    return false;
}

void PlayField::ApplyBonus(int kind) {
    switch (kind) {
    case kCoins:
        AddScore(IsEasyModePlayer() ? 50 : 30);
        mHost->PlaySample(SampleId::kCashRegister);
        break;
    case kDoubleShot:
        mHost->PlaySample(SampleId::kReload);
        AddScore(kBonusPoints);
        StartTimer(kTimerDoubleShot, 15);
        break;
    case kSmoke:
        mHost->PlaySample(SampleId::kSpray);
        AddScore(kBonusPoints);
        StartTimer(kTimerSmoke, 2);
        for (Caterpillar& caterpillar : mCaterpillars) {
            LoopAnim puff;
            puff.mX = caterpillar.GetX();
            puff.mY = caterpillar.GetY();
            puff.Start(true, 3);
            puff.SetLooping(true);
            mSmoke.push_back(puff);
            caterpillar.SetSmoked(true);
        }
        break;
    case kLightning:
        mHost->PlaySample(SampleId::kThunder);
        if (!mTimers[kTimerLightning].mActive) {
            AddScore(kBonusPoints);
            StartTimer(kTimerLightning, 2);
            StartLightningStrike();
        }
        break;
    case kBroom:
        if (mHost->IsMusicPlaying(SongId::kBroom)) {
            mHost->StopMusic(SongId::kBroom);
        }
        mHost->PlayMusic(SongId::kBroom);
        AddScore(kBonusPoints);
        mHost->PlaySample(SampleId::kMagicShot);
        mBroom.StartSweep();
        mMagicShots.push_back(MagicShot(mBroom.GetX() - 10, mBroom.GetY() - 15));
        break;
    case kAutocar: {
        AddScore(kBonusPoints);
        mHost->PlaySample(SampleId::kMagicShot);
        const int seconds = IsEasyModePlayer() ? 60 : 40;
        if (mAutocar.IsPresent()) {
            mAutocar.SetLifetime(seconds);
        } else {
            mAutocar.Start(seconds);
        }
        mMagicShots.push_back(MagicShot(mAutocar.GetX() - 10, mAutocar.GetY() - 27));
        break;
    }
    case kStopPhase:
        AddScore(kBonusPoints);
        StartTimer(kTimerStopPhase, 5);
        for (int song : {SongId::kBroom, SongId::kClock}) {
            if (mHost->IsMusicPlaying(song)) {
                mHost->StopMusic(song);
            }
        }
        mHost->PlayMusic(SongId::kClock);
        break;
    default:
        break;
    }
}

void PlayField::ClickCaterpillar(int x, int y) {
    for (auto caterpillar = mCaterpillars.begin(); caterpillar != mCaterpillars.end();
         ++caterpillar) {
        if (Holds(caterpillar->GetX(), caterpillar->GetY(), kCaterpillarSize, kCaterpillarSize, x,
                  y)) {
            AddScoreWithPopup(1, caterpillar->GetX(), caterpillar->GetY());
            mHost->PlaySample(SampleId::kMoneyBack);
            mCaterpillars.erase(caterpillar);
            return;
        }
    }
}

void PlayField::PickFruit(int x, int y) {
    for (auto fruit = mFruit.begin(); fruit != mFruit.end(); ++fruit) {
        const int kind = fruit->GetKind();
        const int state = fruit->GetState();
        if (state == Fruit::Finished || !IsFruitKind(kind) ||
            !Holds(fruit->GetX(), fruit->GetY(),
                   mPictureSizes.mFruitSheetWidth[kind - 1] / kPickWidthDivisor,
                   mPictureSizes.mFruitSheetHeight[kind - 1], x, y)) {
            continue;
        }
        ReleaseCell(fruit->GetCellId());
        mAutocar.RemoveTarget(fruit->GetCellId());

        const int combo = mCombo.Feed(kind, state);
        if (combo != ComboSequence::kNone) {
            AddBonusPopup(x, y, combo);
            mHost->PlaySample(ComboSample(combo));
        }
        // A growing or rotting fruit is not collected (a rotting one never completes a combo).
        if (state != Fruit::Growing && state != Fruit::Rotting) {
            CountCollected(kind, 1);
            AddToBox(kind);
        }
        if (state == Fruit::Growing && mLevel < kGreenPickLevels &&
            ++mGreenPicks >= kGreenPicksForTip) {
            mGreenPicks = 0;
            mHelpTip = kGreenPickTip;
            mEvent = kEventHelpTip;
        }

        if (combo != ComboSequence::kNone) {
            AddScore(ComboPoints(combo)); // the bonus pop-up shows these
        } else {
            AddScoreWithPopup(state == Fruit::Rotting ? 1 : 2 * PointsForState(state), x, y);
        }
        if (fruit->IsGolden() && state == Fruit::Ripe) {
            AddBonusItem(fruit->GetX(), fruit->GetY());
        }
        mFruit.erase(fruit);
        mHost->PlaySample(SampleId::kTake);
        return;
    }
}

} // namespace Vuro
