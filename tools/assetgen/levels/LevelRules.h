#pragma once
// The rules that turn a line of a level table into the content of a level file, so that the
// game grows harder with the table alone: the fruit each goal needs, spread over the level
// (more spare fruit in the early stages), the pests spread after the start, the help tips alone
// in their seconds, the crown corners kept free, and the easy set derived from the normal one
// (lower goals, half the pests, the same fruit).

#include "game/rules/TimeLineCodes.h"
#include "tools/assetgen/levels/LevelTable.h"

#include <string>
#include <utility>

namespace Vuro::AssetGen {

struct LevelTree {
    TreeEntry mPlace;
    int mOriginX; // pixel position of cell (0, 0)
    int mOriginY;
    std::vector<std::pair<int, int>> mBlocked; // cells on which no fruit grows
};

struct LevelEvent {
    int mSecond;
    int mCode;
};

struct LevelPlan {
    std::string mTitle; // for the file's comment
    int mTime = 0;
    bool mDay = true;
    std::vector<LevelTree> mTrees;
    std::array<int, kFruitKinds> mGoals{};
    std::vector<LevelEvent> mTimeLine; // in the order the field should act on them
};

// False, with the reason, for a row no level file could follow: a grid larger than the crown
// or smaller than 3 x 3, or a goal for a kind without a tree.
bool MakeStoryLevel(const LevelRow& row, bool easy, LevelPlan& plan, std::string& error);
bool MakeSurvivalLevel(const LevelRow& row, bool easy, LevelPlan& plan, std::string& error);

} // namespace Vuro::AssetGen
