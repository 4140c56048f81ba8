// The play field's birds each tick: the cursor over them, stones that strike them, birds that
// take fruit, the kamikaze bird that knocks fruit down, and the lightning strike that stuns
// birds and hedgehogs.

#include "game/rules/BirdRules.h"
#include "game/rules/GameSounds.h"
#include "game/rules/PlayField.h"
#include "game/rules/RedrawFlag.h"

#include <algorithm>

namespace Vuro {

namespace {

constexpr int kTheftPenalty = -5;
constexpr int kFlashSeconds = 5;
constexpr int kFlashLeft = 30;
constexpr int kFlashUp = 30;
constexpr int kKamikazeFlashUp = 45;
constexpr int kStunPoints = 5;
constexpr int kStunCarrierPoints = 10;
constexpr int kHedgehogStunPoints = 5;
constexpr int kGroundDropPicture = 3;

bool IsOnField(int birdState) {
    return birdState != Bird::None && birdState != Bird::Gone;
}

} // namespace

void PlayField::UpdateCursor() {
    const int wasAiming = mAimingAtBird;
    mAimingAtBird = 0;
    for (const Bird& bird : mBirds) {
        if (IsAimedAt(bird, mMouseX, mMouseY)) {
            mAimingAtBird = 1;
            break;
        }
    }
    if (mAimingAtBird != wasAiming) {
        SetRedrawNeeded(); // the slingshot shows or goes
    }
    if (mCustomCursors && mMouseY <= kFieldBottom) {
        const bool slingshot = mSurvival || mAimingAtBird != 0;
        mHost->SetCursor(slingshot ? CursorId::kSlingshot : CursorId::kStoryAim);
    }
}

void PlayField::UpdateBirds(int tick, bool stopPhase) {
    // Every bird in the list is drawn, whatever its state: erasing one changes the picture.
    if (std::erase_if(mBirds, [](const Bird& bird) { return bird.GetState() == Bird::None; }) > 0) {
        SetRedrawNeeded();
    }
    UpdateCursor();
    for (size_t i = 0; i < mBirds.size();) {
        Bird& bird = mBirds[i];
        StrikeWithStone(bird, stopPhase);
        // In the stop phase birds neither move nor flap; only stones reach them.
        if (stopPhase || OnBirdTick(bird, bird.Tick(tick))) {
            ++i;
        } else {
            mBirds.erase(mBirds.begin() + static_cast<std::ptrdiff_t>(i));
            SetRedrawNeeded();
        }
    }
}

void PlayField::StrikeWithStone(Bird& bird, bool stopPhase) {
    for (size_t s = 0; s < mStones.size(); ++s) {
        const Mover& stone = mStones[s];
        if (stone.mState == Mover::kArrived || !StoneHits(bird, stone.mX, stone.mY, stopPhase)) {
            continue;
        }
        mHost->PlaySample(SampleId::kCrow);
        const int points = ShotPoints(bird);
        if (bird.IsCarrying()) {
            DropFromBird(bird);
        }
        AddScoreWithPopup(points, bird.GetX(), bird.GetY());
        // A bird once hit keeps leaveAfterHit; later hits do not count it again.
        if (!bird.IsLeaveAfterHit()) {
            CountBird(bird.GetKind(), false);
        }
        if (LeavesBonusItem(bird, stopPhase)) {
            AddBonusItem(bird.GetX(), bird.GetY());
        }
        EffectAnim flash;
        flash.SetPos(bird.GetX() - kFlashLeft,
                     bird.GetY() -
                         (bird.GetKind() == Bird::Kamikaze ? kKamikazeFlashUp : kFlashUp));
        flash.Start(kFlashSeconds);
        mFlashes.push_back(flash);
        mStones.erase(mStones.begin() + static_cast<std::ptrdiff_t>(s));
        bird.SetHit(true);
        bird.SetLeaveAfterHit(true);
        return; // one stone a tick is enough
    }
}

bool PlayField::OnBirdTick(Bird& bird, int result) {
    switch (result) {
    case Bird::TickAtFruit:
        if (bird.GetKind() == Bird::Kamikaze) {
            KamikazeStrikes(bird);
        } else {
            BirdReachesFruit(bird);
        }
        return true;
    case Bird::TickGone:
        // A fruit it carries left the field when it was taken.
        return false;
    case Bird::TickLook:
        if (bird.GetKind() != Bird::Kamikaze && !bird.IsCarrying()) {
            const int index = FindFruitToAim(bird, mFruit);
            if (index >= 0) {
                bird.AimAt(mFruit[static_cast<size_t>(index)]);
            }
        }
        return true;
    default:
        return true;
    }
}

void PlayField::KamikazeStrikes(const Bird& bird) {
    // Every fruit it meets, not only one it aimed at: a kamikaze bird aims at none.
    for (Fruit& fruit : mFruit) {
        if (!KamikazeKnocks(bird, fruit)) {
            continue;
        }
        const int cellId = fruit.GetCellId();
        AddScoreWithPopup(kTheftPenalty, fruit.GetX(), fruit.GetY());
        mAutocar.AddTarget(cellId, fruit.GetX() - kAutocarLeadX);
        LoseFruitFromTree(fruit);
        fruit.SetTagged(true);
        fruit.KnockDown(fruit.GetX(), fruit.GetY());
    }
}

void PlayField::BirdReachesFruit(Bird& bird) {
    const int cellId = bird.GetFruitTargetId();
    auto fruit = std::find_if(mFruit.begin(), mFruit.end(),
                              [cellId](const Fruit& f) { return f.GetCellId() == cellId; });
    if (fruit == mFruit.end()) {
        // Picked, collected or carried off meanwhile: the bird would hover there for good.
        bird.GiveUp();
        return;
    }
    if (fruit->IsHeld() || !ReachesFruit(bird, *fruit)) {
        return;
    }
    TakeFruit(bird, *fruit);
    AddScoreWithPopup(kTheftPenalty, fruit->GetX(), fruit->GetY());
    mAutocar.RemoveTarget(cellId);
    LoseFruitFromTree(*fruit);
    mFruit.erase(fruit);
}

void PlayField::LoseFruitFromTree(const Fruit& fruit) {
    const int cellId = fruit.GetCellId();
    const bool released = ReleaseCell(cellId);
    BirdsGiveUpCell(cellId);
    if (mSurvival) {
        CountCollected(fruit.GetKind(), -1);
        if (released) {
            CheckTreesBare();
        }
    }
}

void PlayField::DropFromBird(Bird& bird) {
    Fruit fruit = DropCarriedFruit(bird, mSurvival);
    fruit.SetTagged(true); // it falls past the kamikaze's height without a second penalty
    mAutocar.AddTarget(fruit.GetCellId(), fruit.GetX() - kAutocarLeadX);
    mFruit.push_back(fruit);
    bird.SetCarrying(false);
}

void PlayField::StartLightningStrike() {
    mLightning = true;
    mLightningFrame = 0;
    for (Bird& bird : mBirds) {
        if (!IsOnField(bird.GetState())) {
            continue;
        }
        int points = kStunPoints;
        if (bird.IsCarrying()) {
            DropFromBird(bird);
            points = kStunCarrierPoints;
        }
        AddScoreWithPopup(points, bird.GetX(), bird.GetY());
        bird.SetStunned(true);
    }
    for (Hedgehog& hedgehog : mHedgehogs) {
        const int state = hedgehog.GetState();
        if (state == Hedgehog::None || state == Hedgehog::Gone) {
            continue;
        }
        if (hedgehog.IsCarrying()) {
            // Its fruit lies on the ground again where it carried it.
            Fruit fruit;
            fruit.Start(hedgehog.GetCarriedKind(), hedgehog.GetCarriedDrawX(), Fruit::kGroundY,
                        hedgehog.GetCarriedId());
            fruit.SetLongLife(mSurvival);
            fruit.SetState(Fruit::OnGround);
            fruit.SetPicture(kGroundDropPicture);
            mFruit.push_back(fruit);
            hedgehog.SetCarrying(false);
        }
        AddScoreWithPopup(kHedgehogStunPoints, hedgehog.GetX(), hedgehog.GetY());
        hedgehog.SetStunned(true);
    }
}

void PlayField::EndLightningStrike() {
    for (Bird& bird : mBirds) {
        if (bird.IsStunned()) {
            bird.SetStunned(false);
            bird.FlyAway();
        }
    }
    for (Hedgehog& hedgehog : mHedgehogs) {
        if (hedgehog.IsStunned()) {
            hedgehog.SetStunned(false);
            hedgehog.Leave();
        }
    }
}

} // namespace Vuro
