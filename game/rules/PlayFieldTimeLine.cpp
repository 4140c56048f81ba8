// The level's time line: what each code does when its second comes, and the growth of a fruit
// on a tree of its kind.

#include "framework/util/MersenneTwister.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/GameSounds.h"
#include "game/rules/PlayField.h"
#include "game/rules/RedrawFlag.h"
#include "game/rules/TimeLineCodes.h"

namespace Vuro {

namespace {

constexpr int kRainX = kFieldWidth;
constexpr int kRainY = 35;
constexpr int kRainTargetX = -246;
constexpr int kWaveBannerSeconds = 7;
constexpr int kWavePoints = 100;
constexpr int kGoldenFromLevel = 2;
constexpr int kGoldenAfterFruit = 7;

} // namespace

void PlayField::RunTimeLine() {
    for (size_t i = 0; i < mTimeLine.size();) {
        if (mTimeLine[i].mSecond != mElapsedSeconds) {
            ++i;
            continue;
        }
        const int code = mTimeLine[i].mCode;
        mTimeLine.erase(mTimeLine.begin() + static_cast<std::ptrdiff_t>(i));
        SetRedrawNeeded(); // fruit, pests, the rain cloud or the banner come
        if (!RunTimeLineCode(code)) {
            return;
        }
    }
}

bool PlayField::RunTimeLineCode(int code) {
    using namespace TimeLineCode;
    if (code >= kFirstTip) {
        // The board shows the tip; the rest of this second's entries are dropped with it.
        mHelpTip = code;
        mEvent = kEventHelpTip;
        return false;
    }
    if (code >= kFirstFruit && code <= kLastFruit) {
        GrowFruit(code);
        return true;
    }
    switch (code) {
    case kTimeUp:
        mTimeUp = true;
        CheckGoals();
        break;
    case kRain:
        mRain.SetPos(kRainX, kRainY);
        mRain.SetTarget(kRainTargetX, kRainY);
        if (mHost->IsMusicPlaying(SongId::kRain)) {
            mHost->StopMusic(SongId::kRain);
        }
        mHost->PlayMusic(SongId::kRain);
        break;
    case kHedgehog:
        AddHedgehog();
        break;
    case kFirstBird + Bird::Plain:
    case kFirstBird + Bird::Black:
    case kFirstBird + Bird::White:
        AddBird(code - kFirstBird);
        break;
    case kKamikaze:
        AddBird(Bird::Kamikaze);
        mHost->PlaySample(SampleId::kSiren);
        break;
    case kBanner:
        if (!mSurvival) {
            mBanner.Start(mTimeLeft + 1);
            break;
        }
        // Each banner announces the next wave; every wave after the first earns points.
        ++mSurvivalBonusCount;
        if (mSurvivalBonusCount > 1) {
            AddScore(kWavePoints);
        }
        mBanner.Start(kWaveBannerSeconds);
        break;
    case kReadySound:
        mHost->PlaySample(SampleId::kReady);
        break;
    default: // codes without a meaning do nothing
        break;
    }
    return true;
}

FruitTree* PlayField::ChooseTreeToGrow(int kind) {
    FruitTree* first = nullptr;
    FruitTree* second = nullptr;
    int count = 0;
    for (FruitTree& tree : mTrees) {
        if (tree.GetKind() != kind) {
            continue;
        }
        ++count;
        if (first == nullptr) {
            first = &tree;
        } else if (second == nullptr) {
            second = &tree;
        }
    }
    if (count == 1) {
        return first;
    }
    if (count == 2) {
        return first->GetFreeCells() > second->GetFreeCells() ? first : second;
    }
    return nullptr; // a kind grows on one or two trees only
}

void PlayField::GrowFruit(int kind) {
    FruitTree* tree = ChooseTreeToGrow(kind);
    if (tree == nullptr) {
        return;
    }
    int x = 0;
    int y = 0;
    if (!tree->PickCell(x, y, mNextFruitId + 1)) {
        return;
    }
    ++mNextFruitId;
    Fruit fruit;
    fruit.Start(kind, x, y, mNextFruitId);
    if (!mSurvival && mLevel >= kGoldenFromLevel) {
        int& sinceGolden = mRun->mFruitSinceGolden;
        if (++sinceGolden >= kGoldenAfterFruit && Rand() % 3 == 2) {
            sinceGolden = 0;
            fruit.SetGolden(true);
        }
    }
    ++mOnTrees[kind - 1];
    ++mCounters[2 * (kind - 1) + 1];
    AddFruit(fruit);
}

} // namespace Vuro
