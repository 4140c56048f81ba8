#pragma once
// The compact level tables (assets/levels/story.txt and survive.txt): one line a level with
// its trees, goals, time, sky and what its time line holds. The rules that turn a line into a
// level file are in LevelRules.

#include "game/rules/FieldGeometry.h"

#include <array>
#include <filesystem>
#include <vector>

namespace Vuro::AssetGen {

struct TreeEntry {
    int mKind; // fruit kind 1..4
    int mX;    // picture's top-left corner
    int mY;
    int mColumns; // cell grid
    int mRows;
};

struct TipEntry {
    int mCode; // help text number, 101..599
    int mSecond;
};

// A survival wave: its banner second and the birds of each kind that fly in it.
struct WaveEntry {
    int mSecond;
    std::array<int, kBirdKinds> mBirds;
};

struct LevelRow {
    int mLevel = 0;
    int mTime = 0; // seconds
    bool mDay = true;
    std::vector<TreeEntry> mTrees;
    std::array<int, kFruitKinds> mGoals{};
    std::array<int, kBirdKinds> mBirds{}; // story: birds over the whole level
    int mHedgehogs = 0;                   // story
    int mRainSecond = -1;                 // story; -1 for no rain
    std::vector<WaveEntry> mWaves;        // survival
    std::vector<TipEntry> mTips;
};

// Story lines: LEVEL TIME day|night TREES GOALS BIRDS HEDGEHOGS RAIN TIPS
// Survival lines: LEVEL TIME day|night TREES GOALS WAVES TIPS
//   TREES  K<x>[/<y>]:<columns>x<rows>,...  K one of A P L O (apple, pear, plum, orange); y 190
//   GOALS  apples/pears/plums/oranges        BIRDS  bird/black/white/kamikaze
//   RAIN   a second, or -                    TIPS   <code>@<second>,... or -
//   WAVES  <second>=<bird/black/white/kamikaze>,...
// False, with a message naming the line, for a line that does not read.
bool ReadLevelTable(const std::filesystem::path& path, bool survival, std::vector<LevelRow>& rows);

} // namespace Vuro::AssetGen
