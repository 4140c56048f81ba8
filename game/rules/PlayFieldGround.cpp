// The play field's fruit and ground actors each tick: what a fruit's tick asks of the field,
// the hedgehogs, broom and autocar that take fruit from the ground, and the caterpillars and
// hedgehogs themselves.

#include "game/rules/GameSounds.h"
#include "game/rules/GroundRules.h"
#include "game/rules/PlayField.h"
#include "game/rules/RedrawFlag.h"

namespace Vuro {

namespace {

constexpr int kRotPenalty = -3;
constexpr int kHedgehogPenalty = -5;
constexpr int kCaterpillarPenalty = -3;
constexpr int kSweepPoints = 1;
constexpr int kScareCarrierPoints = 2;

} // namespace

int PlayField::PointsForState(int state) {
    static constexpr int kPoints[] = {0, 1, 3, 5, 7, 6, 2, 1, 1, 1};
    return state >= 0 && state <= Fruit::UnripeKnocked ? kPoints[state] : 0;
}

void PlayField::UpdateFruit(int tick) {
    // Fruit that came off their trees go to the end of the list (drawn above the others) after
    // the pass, so that each fruit is ticked once.
    std::vector<Fruit> cameOff;
    for (size_t i = 0; i < mFruit.size();) {
        Fruit& fruit = mFruit[i];
        const bool toEnd = OnFruitTick(fruit, fruit.Tick(tick));
        const bool taken = !fruit.IsHeld() && TakeFromGround(fruit);
        const auto at = mFruit.begin() + static_cast<std::ptrdiff_t>(i);
        if (taken || fruit.GetState() == Fruit::Finished) {
            mFruit.erase(at);
        } else if (toEnd) {
            cameOff.push_back(fruit);
            mFruit.erase(at);
        } else {
            ++i;
        }
    }
    mFruit.insert(mFruit.end(), cameOff.begin(), cameOff.end());
}

bool PlayField::OnFruitTick(Fruit& fruit, int result) {
    const int kind = fruit.GetKind();
    switch (result) {
    case Fruit::TickCameOffTree:
        if (ReleaseCell(fruit.GetCellId()) && mSurvival && IsFruitKind(kind)) {
            --mOnTrees[kind - 1];
            if (FruitBox* box = FindBox(kind)) {
                box->SetCount(mOnTrees[kind - 1], GetGoal(kind));
            }
            CheckTreesBare();
        }
        mAutocar.AddTarget(fruit.GetCellId(), fruit.GetX() - kAutocarLeadX);
        return true;
    case Fruit::TickCameToRest:
    case Fruit::TickUnripeLanded:
        AddCaterpillar(kind, fruit.GetX());
        mAutocar.RemoveTarget(fruit.GetCellId());
        mHost->PlaySample(SampleId::kDrop);
        BirdsGiveUpCell(fruit.GetCellId());
        break;
    case Fruit::TickBeganToRot:
        AddScoreWithPopup(kRotPenalty, fruit.GetX(), fruit.GetY());
        mHost->PlaySample(SampleId::kRot);
        break;
    case Fruit::TickBecameRipe:
        if (!mSurvival) {
            mHost->PlaySample(fruit.IsGolden() ? SampleId::kGold : SampleId::kReady);
        }
        break;
    default:
        break;
    }
    return false;
}

bool PlayField::TakeFromGround(Fruit& fruit) {
    const int x = fruit.GetX();
    const int y = fruit.GetY();
    for (Hedgehog& hedgehog : mHedgehogs) {
        if (HedgehogTakesFruit(hedgehog, fruit)) {
            hedgehog.Leave();
            hedgehog.Carry(x, y, fruit.GetCellId(), fruit.GetState(), fruit.GetKind(),
                           fruit.GetPicture());
            AddScoreWithPopup(kHedgehogPenalty, x, y);
            mHost->PlaySample(SampleId::kMoneyBack);
            return true;
        }
    }
    if (BroomSweepsFruit(mBroom, fruit)) {
        AddScoreWithPopup(kSweepPoints, x, y);
        return true;
    }
    if (!AutocarCollects(mAutocar, fruit, mSurvival)) {
        return false;
    }
    const int state = fruit.GetState();
    mHost->PlaySample(SampleId::kTake);
    AddScoreWithPopup(PointsForState(state), x, y);
    if (!mSurvival && state != Fruit::Growing && state != Fruit::Rotting) {
        CountCollected(fruit.GetKind(), 1);
        AddToBox(fruit.GetKind());
    }
    mAutocar.RemoveTarget(fruit.GetCellId());
    return true;
}

void PlayField::UpdateCaterpillars(int tick) {
    for (size_t i = 0; i < mCaterpillars.size();) {
        Caterpillar& caterpillar = mCaterpillars[i];
        const int state = caterpillar.GetState();
        bool gone = true;
        if (state == Caterpillar::Arrived) {
            AddScoreWithPopup(kCaterpillarPenalty, caterpillar.GetX(), caterpillar.GetY());
            mHost->PlaySample(SampleId::kMoneyBack);
        } else if (state == Caterpillar::None) {
            // nothing to count
        } else if (BroomSweepsCaterpillar(mBroom, caterpillar)) {
            AddScoreWithPopup(kSweepPoints, caterpillar.GetX(), caterpillar.GetY());
        } else {
            caterpillar.Tick(tick);
            gone = false;
        }
        if (gone) {
            mCaterpillars.erase(mCaterpillars.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void PlayField::UpdateHedgehogs(int tick) {
    for (size_t i = 0; i < mHedgehogs.size();) {
        Hedgehog& hedgehog = mHedgehogs[i];
        // One that has walked off is erased too, so it is neither drawn nor met again.
        if (hedgehog.GetState() == Hedgehog::None || hedgehog.Tick(tick) == Hedgehog::TickGone) {
            mHedgehogs.erase(mHedgehogs.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (!hedgehog.IsScared() && BroomMeetsHedgehog(mBroom, hedgehog)) {
            if (hedgehog.IsCarrying()) {
                AddScoreWithPopup(kScareCarrierPoints, hedgehog.GetX(), hedgehog.GetY());
            }
            hedgehog.Leave(); // what it carried is lost
            hedgehog.Scare();
            SetRedrawNeeded();
        }
        if (!hedgehog.IsStunned()) {
            for (const FruitTree& tree : mTrees) {
                const int kind = tree.GetKind();
                if (IsFruitKind(kind) &&
                    hedgehog.IsAtTree(tree.GetX(), mPictureSizes.mTreeWidth[kind - 1])) {
                    hedgehog.Sniff();
                    SetRedrawNeeded();
                }
            }
        }
        ++i;
    }
}

void PlayField::CheckTreesBare() {
    for (const FruitTree& tree : mTrees) {
        // Blocked cells count as free, so a bare tree has every cell free.
        if (tree.GetFreeCells() != tree.GetNx() * tree.GetNy()) {
            return;
        }
    }
    mEvent = kEventNoFruitLeft;
}

} // namespace Vuro
