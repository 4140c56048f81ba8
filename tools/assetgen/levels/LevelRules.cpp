#include "tools/assetgen/levels/LevelRules.h"

#include "game/rules/Stages.h"
#include "tools/assetgen/levels/TreeGeometry.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace Vuro::AssetGen {

namespace {

// Fruit grown for each one of a goal, by stage: early stages forgive more misses.
constexpr double kFruitPerGoal[kStageCount] = {1.6, 1.5, 1.4, 1.35, 1.3, 1.25};
// Fruit start after the banner and a first tip, and stop early enough to ripen and be picked.
constexpr int kFirstFruitSecond = 3;
constexpr int kFruitTail = 15;
// Pests leave the first moments of a level alone, longer in the first stage.
constexpr int kFirstPestSecondStage1 = 20;
constexpr int kFirstPestSecond = 12;
constexpr int kPestTail = 12;
// A kind with trees but no goal still grows some fruit, for the combos.
constexpr int kSecondsPerSpareFruit = 20;
// A survival wave's birds come after its banner and before the next one.
constexpr int kWaveLead = 2;
constexpr int kWaveGap = 4;

bool HasTree(const LevelRow& row, int kind) {
    return std::any_of(row.mTrees.begin(), row.mTrees.end(),
                       [&](const TreeEntry& tree) { return tree.mKind == kind; });
}

int EasyGoal(int goal) {
    return goal - goal / 4;
}
int EasyPests(int count) {
    return (count + 1) / 2;
}

// Count events of each code, each code's events evenly through first..last and the codes
// interleaved, so that the whole stream is as even as each part of it.
void Spread(const std::vector<std::pair<int, int>>& codeCounts, int first, int last,
            std::vector<LevelEvent>& out) {
    struct Slot {
        double mPosition;
        int mCode;
    };
    std::vector<Slot> slots;
    for (const auto& [code, count] : codeCounts) {
        for (int i = 0; i < count; ++i) {
            slots.push_back({(i + 0.5) / count, code});
        }
    }
    std::stable_sort(slots.begin(), slots.end(),
                     [](const Slot& a, const Slot& b) { return a.mPosition < b.mPosition; });
    const double span = last - first + 1;
    for (size_t i = 0; i < slots.size(); ++i) {
        int second = first + static_cast<int>((i + 0.5) * span / static_cast<double>(slots.size()));
        out.push_back({second, slots[i].mCode});
    }
}

bool PlaceTrees(const LevelRow& row, LevelPlan& plan, std::string& error) {
    using namespace TreeGeometry;
    for (const TreeEntry& place : row.mTrees) {
        if (place.mColumns < 3 || place.mColumns > kCrownColumns || place.mRows < 3 ||
            place.mRows > kCrownRows) {
            error = "a tree's grid must be 3x3 to 6x5 cells";
            return false;
        }
        LevelTree tree{
            place, GridOriginX(place.mX, place.mColumns), GridOriginY(place.mY, place.mRows), {}};
        // A tree always lists at least one blocked cell (a top corner), which the level reader
        // needs to add it.
        for (int iy = 0; iy < place.mRows; ++iy) {
            for (int ix = 0; ix < place.mColumns; ++ix) {
                if (!CellBearsFruit(place.mColumns, place.mRows, ix, iy)) {
                    tree.mBlocked.emplace_back(ix, iy);
                }
            }
        }
        plan.mTrees.push_back(tree);
    }
    for (int kind = 1; kind <= kFruitKinds; ++kind) {
        if (row.mGoals[kind - 1] > 0 && !HasTree(row, kind)) {
            error = "a goal for fruit kind " + std::to_string(kind) + " without a tree";
            return false;
        }
    }
    return true;
}

// The banner opens second 1; the tips stand alone in their seconds, so anything else there
// moves to the next free second (a tip ends the field's pass over its second).
void FinishTimeLine(const LevelRow& row, LevelPlan& plan) {
    std::set<int> tipSeconds;
    for (const TipEntry& tip : row.mTips) {
        tipSeconds.insert(tip.mSecond);
    }
    for (LevelEvent& event : plan.mTimeLine) {
        while (tipSeconds.count(event.mSecond) != 0) {
            ++event.mSecond;
        }
    }
    for (const TipEntry& tip : row.mTips) {
        plan.mTimeLine.push_back({tip.mSecond, tip.mCode});
    }
    plan.mTimeLine.insert(plan.mTimeLine.begin(), {1, TimeLineCode::kBanner});
    std::stable_sort(
        plan.mTimeLine.begin(), plan.mTimeLine.end(),
        [](const LevelEvent& a, const LevelEvent& b) { return a.mSecond < b.mSecond; });
}

std::string Title(const char* mode, const LevelRow& row, bool easy) {
    return std::string(mode) + " level " + std::to_string(row.mLevel) +
           (easy ? ", easy set" : ", normal set");
}

} // namespace

bool MakeStoryLevel(const LevelRow& row, bool easy, LevelPlan& plan, std::string& error) {
    plan = {};
    plan.mTitle = Title("Story", row, easy) + ", stage " + std::to_string(StageOfLevel(row.mLevel));
    plan.mTime = row.mTime;
    plan.mDay = row.mDay;
    if (!PlaceTrees(row, plan, error)) {
        return false;
    }
    std::vector<std::pair<int, int>> fruit;
    for (int kind = 1; kind <= kFruitKinds; ++kind) {
        int goal = row.mGoals[kind - 1];
        plan.mGoals[kind - 1] = easy ? EasyGoal(goal) : goal;
        double perGoal = kFruitPerGoal[StageOfLevel(row.mLevel) - 1];
        int count = goal > 0             ? static_cast<int>(std::ceil(goal * perGoal))
                    : HasTree(row, kind) ? row.mTime / kSecondsPerSpareFruit
                                         : 0;
        fruit.push_back({kind, count});
    }
    Spread(fruit, kFirstFruitSecond, row.mTime - kFruitTail, plan.mTimeLine);

    std::vector<std::pair<int, int>> pests;
    for (int kind = 0; kind < kBirdKinds; ++kind) {
        int birds = row.mBirds[kind];
        pests.push_back({TimeLineCode::kFirstBird + kind, easy ? EasyPests(birds) : birds});
    }
    pests.push_back({TimeLineCode::kHedgehog, easy ? EasyPests(row.mHedgehogs) : row.mHedgehogs});
    int firstPest = StageOfLevel(row.mLevel) == 1 ? kFirstPestSecondStage1 : kFirstPestSecond;
    Spread(pests, firstPest, row.mTime - kPestTail, plan.mTimeLine);
    if (row.mRainSecond > 0) {
        plan.mTimeLine.push_back({row.mRainSecond, TimeLineCode::kRain});
    }
    FinishTimeLine(row, plan);
    return true;
}

bool MakeSurvivalLevel(const LevelRow& row, bool easy, LevelPlan& plan, std::string& error) {
    plan = {};
    plan.mTitle = Title("Survival", row, easy);
    plan.mTime = row.mTime;
    plan.mDay = row.mDay;
    if (!PlaceTrees(row, plan, error)) {
        return false;
    }
    // Every cell bears its fruit from the first tick; the player only defends them.
    for (const LevelTree& tree : plan.mTrees) {
        int cells =
            tree.mPlace.mColumns * tree.mPlace.mRows - static_cast<int>(tree.mBlocked.size());
        plan.mTimeLine.insert(plan.mTimeLine.end(), cells, LevelEvent{1, tree.mPlace.mKind});
    }
    for (int kind = 1; kind <= kFruitKinds; ++kind) {
        int goal = row.mGoals[kind - 1];
        plan.mGoals[kind - 1] = easy ? EasyGoal(goal) : goal;
    }
    // The first wave's banner is the level's own banner at second 1.
    for (size_t w = 0; w < row.mWaves.size(); ++w) {
        const WaveEntry& wave = row.mWaves[w];
        if (wave.mSecond > 1) {
            plan.mTimeLine.push_back({wave.mSecond, TimeLineCode::kBanner});
        }
        int end = w + 1 < row.mWaves.size() ? row.mWaves[w + 1].mSecond - kWaveGap
                                            : row.mTime - kFruitTail;
        std::vector<std::pair<int, int>> birds;
        for (int kind = 0; kind < kBirdKinds; ++kind) {
            int count = wave.mBirds[kind];
            birds.push_back({TimeLineCode::kFirstBird + kind, easy ? EasyPests(count) : count});
        }
        Spread(birds, wave.mSecond + kWaveLead, end, plan.mTimeLine);
    }
    FinishTimeLine(row, plan);
    return true;
}

} // namespace Vuro::AssetGen
