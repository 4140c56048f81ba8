// Adding objects to the play field, and the small steps its update and mouse actions share:
// the score, the boxes, the tree cells and the timers.

#include "framework/util/MersenneTwister.h"
#include "game/rules/BirdRules.h"
#include "game/rules/PlayField.h"
#include "game/rules/RedrawFlag.h"

#include <algorithm>

namespace Vuro {

namespace {

constexpr int kPopupSeconds = 1;
constexpr int kBonusItemSeconds = 15;
constexpr int kSmokeBonusKind = 2;

// Bonus kinds 0..count-1; with redrawSmoke the smoke bonus is drawn again while there are no
// caterpillars for it to clear.
int DrawBonusKind(int count, bool redrawSmoke, bool hasCaterpillars) {
    int kind = Rand() % count;
    while (redrawSmoke && kind == kSmokeBonusKind && !hasCaterpillars) {
        kind = Rand() % count;
    }
    return kind;
}

// The kind of a new bonus item by mode and level; -1 for none.
int ChooseBonusKind(bool survival, int level, bool hasCaterpillars) {
    if (survival) {
        switch (level) {
        case 1:
            return 0;
        case 2:
            return Rand() % 3;
        case 3:
            return Rand() % 5;
        case 4:
            return DrawBonusKind(6, true, hasCaterpillars);
        case 5:
        case 6:
            return DrawBonusKind(7, true, hasCaterpillars);
        default:
            return -1;
        }
    }
    if (level < 7) {
        return 0;
    }
    if (level <= 11) {
        return Rand() % 2;
    }
    if (level <= 13) {
        return Rand() % 3;
    }
    if (level <= 16) {
        return Rand() % 4;
    }
    if (level <= 21) {
        return Rand() % 5;
    }
    return DrawBonusKind(level <= 27 ? 6 : 7, true, hasCaterpillars);
}

} // namespace

void PlayField::SetHost(PlayFieldHost* host) {
    mHost = host != nullptr ? host : &mAppHost;
}

void PlayField::AddFruit(Fruit fruit) {
    const int kind = fruit.GetKind();
    if (mSurvival) {
        CountCollected(kind, 1);
        AddToBox(kind);
        fruit.SetLongLife(true);
        fruit.SetState(Fruit::RipeningLate);
    } else {
        fruit.SetLongLife(false);
    }
    mFruit.insert(mFruit.begin(), fruit);
    SetRedrawNeeded();
}

void PlayField::AddCaterpillar(int fruitKind, int x) {
    Caterpillar caterpillar;
    if (caterpillar.StartFromFruit(fruitKind, x, mTrees)) {
        mCaterpillars.push_back(caterpillar);
        SetRedrawNeeded();
    }
}

void PlayField::CountBird(int kind, bool appeared) {
    // Shot and appeared counters follow the fruit counters, by bird kind 0, 2, 1, 3.
    static constexpr int kShotCounter[] = {8, 12, 10, 14};
    if (kind >= Bird::Plain && kind <= Bird::Kamikaze) {
        ++mCounters[kShotCounter[kind] + (appeared ? 1 : 0)];
    }
}

void PlayField::AddBird(int kind) {
    CountBird(kind, true);
    Bird bird;
    LaunchFromEdge(bird, kind);
    mBirds.push_back(bird);
    SetRedrawNeeded();
}

void PlayField::AddHedgehog() {
    Hedgehog hedgehog;
    hedgehog.StartAcross();
    mHedgehogs.push_back(hedgehog);
    SetRedrawNeeded();
}

void PlayField::AddBonusItem(int x, int y) {
    const int kind = ChooseBonusKind(mSurvival, mLevel, !mCaterpillars.empty());
    if (kind < 0) {
        return;
    }
    Bouncer item;
    item.Start(x, y, kind, kBonusItemSeconds);
    mBonusItems.push_back(item);
    SetRedrawNeeded();
}

void PlayField::AddNumberPopup(int x, int y, int value) {
    Countdown popup;
    popup.Start(x, y, value, kPopupSeconds);
    mNumberPopups.push_back(popup);
    SetRedrawNeeded();
}

void PlayField::AddBonusPopup(int x, int y, int code) {
    Countdown popup;
    popup.Start(x, y, code, kPopupSeconds);
    mBonusPopups.push_back(popup);
    SetRedrawNeeded();
}

int PlayField::GetCollected(int kind) const {
    return IsFruitKind(kind) ? mCounters[2 * (kind - 1)] : 0;
}

int PlayField::GetOnTrees(int kind) const {
    return IsFruitKind(kind) ? mOnTrees[kind - 1] : 0;
}

int PlayField::AddScore(int points) {
    const int before = mScore;
    mScore = std::max(0, mScore + points);
    if (mScore != before) {
        SetRedrawNeeded();
    }
    return mScore - before;
}

void PlayField::AddScoreWithPopup(int points, int x, int y) {
    AddNumberPopup(x, y, AddScore(points));
}

FruitBox* PlayField::FindBox(int kind) {
    for (FruitBox& box : mBoxes) {
        if (box.GetKind() == kind) {
            return &box;
        }
    }
    return nullptr;
}

void PlayField::AddToBox(int kind) {
    if (FruitBox* box = FindBox(kind)) {
        box->AddFruit(1);
        box->UpdateFill(GetGoal(kind));
    }
}

bool PlayField::ReleaseCell(int id) {
    bool released = false;
    for (FruitTree& tree : mTrees) {
        released = tree.Release(id) || released;
    }
    return released;
}

void PlayField::BirdsGiveUpCell(int cellId) {
    for (Bird& bird : mBirds) {
        if (bird.GetFruitTargetId() == cellId && !bird.IsCarrying()) {
            bird.GiveUp();
        }
    }
}

void PlayField::CountCollected(int kind, int delta) {
    if (IsFruitKind(kind)) {
        int& counter = mCounters[2 * (kind - 1)];
        counter = std::max(0, counter + delta);
    }
}

void PlayField::StartTimer(int index, int seconds) {
    mTimers[index].mSeconds = seconds;
    mTimers[index].mActive = true;
}

} // namespace Vuro
