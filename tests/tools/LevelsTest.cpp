// The level files of the data set: each loads through the game's level reader, keeps the
// game's rules, can be won with fruit to spare, and the game grows harder stage by stage.
#include "framework/util/XMLParser.h"
#include "game/rules/FruitStateDurations.h"
#include "game/rules/LevelFile.h"
#include "game/rules/PlayField.h"
#include "tests/tools/DataSetTexts.h"
#include "tools/assetgen/levels/LevelRules.h"
#include "tools/assetgen/levels/TreeGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <regex>

namespace Vuro {
namespace {

namespace Geometry = AssetGen::TreeGeometry;
namespace Code = TimeLineCode;
using Test::DataPath;

constexpr int kStoryLevels = 43;
constexpr int kSurvivalLevels = 6;
constexpr int kStages = 6;

struct LevelId {
    bool mSurvival;
    bool mEasy;
    int mLevel;
    std::string Name() const { return LevelFile::GetFileName(mSurvival, mEasy, mLevel); }
};

std::vector<LevelId> Levels(bool survival, bool easy) {
    std::vector<LevelId> ids;
    for (int level = 1; level <= (survival ? kSurvivalLevels : kStoryLevels); ++level) {
        ids.push_back({survival, easy, level});
    }
    return ids;
}

std::vector<LevelId> AllLevels() {
    std::vector<LevelId> ids;
    for (bool survival : {false, true}) {
        for (bool easy : {false, true}) {
            std::vector<LevelId> set = Levels(survival, easy);
            ids.insert(ids.end(), set.begin(), set.end());
        }
    }
    return ids;
}

std::unique_ptr<PlayField> Load(const LevelId& id) {
    auto field = std::make_unique<PlayField>();
    std::string error;
    EXPECT_TRUE(LevelFile::ParseLevel(DataPath(id.Name()), *field, error)) << error;
    return field;
}

bool IsTip(int code) {
    return code >= Code::kFirstTip && code <= Code::kLastTip;
}
bool IsBird(int code) {
    return code >= Code::kFirstBird && code < Code::kFirstBird + 4;
}

// What a level holds, counted from its field.
struct Facts {
    int mTime = 0;
    bool mDay = true;
    int mTrees = 0;
    int mKinds = 0; // fruit kinds with a tree
    int mGoals = 0; // sum over the kinds
    std::array<int, 4> mBirds{};
    int mHedgehogs = 0;
    std::array<int, 5> mFruit{}; // time-line fruit by kind 1..4
    std::vector<int> mTips;

    int Pests() const { return mBirds[0] + mBirds[1] + mBirds[2] + mBirds[3] + mHedgehogs; }
};

Facts Count(const PlayField& field) {
    Facts facts;
    facts.mTime = field.GetLevelTime();
    facts.mDay = field.IsDay();
    facts.mTrees = field.GetTreeCount();
    for (int kind = 1; kind <= 4; ++kind) {
        facts.mKinds += field.GetTreesOfKind(kind) > 0 ? 1 : 0;
        facts.mGoals += std::max(0, field.GetGoal(kind));
    }
    for (const PlayField::TimeLineEntry& entry : field.GetTimeLine()) {
        if (entry.mCode >= 1 && entry.mCode <= 4) {
            ++facts.mFruit[entry.mCode];
        } else if (IsBird(entry.mCode)) {
            ++facts.mBirds[entry.mCode - Code::kFirstBird];
        } else if (entry.mCode == Code::kHedgehog) {
            ++facts.mHedgehogs;
        } else if (IsTip(entry.mCode)) {
            facts.mTips.push_back(entry.mCode);
        }
    }
    return facts;
}

Facts Count(const LevelId& id) {
    return Count(*Load(id));
}

TEST(Levels, EveryFileLoadsWholeThroughTheGameReader) {
    const std::regex treeName("Tree[0-9]+"), boxName("FruitBox[0-9]+"), entryName("[0-9]+");
    for (const LevelId& id : AllLevels()) {
        SCOPED_TRACE(id.Name());
        // The XML parses to its end, and the reader takes every tree, box and entry it holds.
        XMLParser parser;
        ASSERT_TRUE(parser.OpenFile(DataPath(id.Name())));
        XMLNode node;
        size_t trees = 0, boxes = 0, entries = 0;
        while (parser.ReadElement(&node)) {
            if (node.mKind == XMLNodeKind::Start) {
                trees += node.mSection == "Init" && std::regex_match(node.mValue, treeName);
                boxes += node.mSection == "Init" && std::regex_match(node.mValue, boxName);
                entries += node.mSection == "TimeLine" && std::regex_match(node.mValue, entryName);
            }
        }
        EXPECT_EQ(parser.GetErrorText(), "");
        std::unique_ptr<PlayField> field = Load(id);
        EXPECT_GT(trees, 0u);
        EXPECT_EQ(field->GetTrees().size(), trees);
        EXPECT_EQ(field->GetBoxes().size(), boxes);
        EXPECT_EQ(field->GetTimeLine().size(), entries);
        EXPECT_GT(field->GetLevelTime(), 0);
    }
}

// The stage's ambient animals that no trunk may hide, in the levels that show them: the frog
// (cels of 40 x 46) and the bunny (36 x 44).
struct KeepOut {
    bool mSurvival;
    int mFirstLevel, mLastLevel;
    int mLeft, mTop, mRight, mBottom;
};
constexpr KeepOut kKeepOuts[] = {
    {false, 11, 13, 504, 331, 543, 376},
    {false, 17, 21, 173, 323, 208, 366},
    {true, 2, 2, 504, 331, 543, 376},
    {true, 3, 3, 173, 323, 208, 366},
};

bool Overlap(int left1, int right1, int left2, int right2) {
    return left1 <= right2 && left2 <= right1;
}

TEST(Levels, TreesStandWhereTheFieldDrawsThem) {
    using namespace Geometry;
    for (const LevelId& id : AllLevels()) {
        SCOPED_TRACE(id.Name());
        std::unique_ptr<PlayField> field = Load(id);
        const std::vector<FruitTree>& trees = field->GetTrees();
        for (size_t i = 0; i < trees.size(); ++i) {
            const FruitTree& tree = trees[i];
            int x = tree.GetX(), y = tree.GetY();
            ASSERT_GE(tree.GetKind(), 1);
            ASSERT_LE(tree.GetKind(), 4);
            // Only two trees of a kind bear fruit.
            EXPECT_LE(field->GetTreesOfKind(tree.GetKind()), 2);
            EXPECT_GE(x, 0);
            EXPECT_LE(x + kTreeWidth, kFieldWidth);
            EXPECT_GE(y + kTreeHeight, kGroundTop);
            EXPECT_LE(y + kTreeHeight, kGroundBottom);
            // The grid lies in the crown, every fruit where a click can pick it.
            EXPECT_GE(tree.GetNx(), id.mSurvival ? 5 : 3);
            EXPECT_GE(tree.GetNy(), id.mSurvival ? 5 : 3);
            EXPECT_GE(tree.GetOriginX(), x + kCrownLeft);
            EXPECT_GE(tree.GetOriginY(), y + kCrownTop);
            EXPECT_LE(tree.GetOriginX() + kCellSpacing * tree.GetNx(),
                      x + kCrownLeft + kCellSpacing * kCrownColumns);
            EXPECT_LE(tree.GetOriginY() + kCellSpacing * tree.GetNy(),
                      y + kCrownTop + kCellSpacing * kCrownRows);
            EXPECT_GE(tree.GetOriginY(), kFirstPickRow);
            // Fruit of two trees never overlap.
            for (size_t j = 0; j < i; ++j) {
                const FruitTree& other = trees[j];
                bool overlap =
                    Overlap(tree.GetOriginX(), tree.GetOriginX() + kCellSpacing * tree.GetNx() - 1,
                            other.GetOriginX(),
                            other.GetOriginX() + kCellSpacing * other.GetNx() - 1) &&
                    Overlap(tree.GetOriginY(), tree.GetOriginY() + kCellSpacing * tree.GetNy() - 1,
                            other.GetOriginY(),
                            other.GetOriginY() + kCellSpacing * other.GetNy() - 1);
                EXPECT_FALSE(overlap) << "trees " << j + 1 << " and " << i + 1;
            }
            for (const KeepOut& keep : kKeepOuts) {
                if (keep.mSurvival == id.mSurvival && id.mLevel >= keep.mFirstLevel &&
                    id.mLevel <= keep.mLastLevel) {
                    EXPECT_FALSE(
                        Overlap(x + kTrunkLeft, x + kTrunkRight, keep.mLeft, keep.mRight) &&
                        Overlap(y + kCrownTop + kCellSpacing * kCrownRows, y + kTreeHeight,
                                keep.mTop, keep.mBottom))
                        << "tree " << i + 1 << " hides the ambient picture";
                }
            }
        }
        // A box for every kind with a goal, and a tree to grow it.
        for (int kind = 1; kind <= 4; ++kind) {
            const std::vector<FruitBox>& boxes = field->GetBoxes();
            long count = std::count_if(boxes.begin(), boxes.end(),
                                       [&](const FruitBox& box) { return box.GetKind() == kind; });
            EXPECT_EQ(count, field->GetGoal(kind) > 0 ? 1 : 0) << "kind " << kind;
            if (field->GetGoal(kind) > 0) {
                EXPECT_GE(field->GetTreesOfKind(kind), 1) << "kind " << kind;
            }
        }
    }
}

TEST(Levels, TimeLinesFollowTheGameRules) {
    for (const LevelId& id : AllLevels()) {
        SCOPED_TRACE(id.Name());
        std::unique_ptr<PlayField> field = Load(id);
        const std::vector<PlayField::TimeLineEntry>& timeLine = field->GetTimeLine();
        const int time = field->GetLevelTime();
        ASSERT_FALSE(timeLine.empty());
        // The banner opens the level; a survival level ends before its fruit could ripen.
        EXPECT_EQ(timeLine[0].mSecond, 1);
        EXPECT_EQ(timeLine[0].mCode, Code::kBanner);
        if (id.mSurvival) {
            EXPECT_LT(time, 600);
        }
        std::map<int, int> entriesPerSecond;
        for (const PlayField::TimeLineEntry& entry : timeLine) {
            ++entriesPerSecond[entry.mSecond];
        }
        for (const PlayField::TimeLineEntry& entry : timeLine) {
            SCOPED_TRACE(::testing::Message() << entry.mSecond << ": " << entry.mCode);
            EXPECT_GE(entry.mSecond, 1);
            EXPECT_LT(entry.mSecond, time);
            bool fruit = entry.mCode >= 1 && entry.mCode <= 4;
            if (fruit) {
                EXPECT_GE(field->GetTreesOfKind(entry.mCode), 1);
            }
            if (IsTip(entry.mCode)) {
                // Alone in its second, or the field would drop what shares it.
                EXPECT_EQ(entriesPerSecond[entry.mSecond], 1);
                // Its four lines for the help panel (their widths: TextsTest).
                EXPECT_EQ(
                    Vuro::Test::ReadNumberedTexts("local/" + std::to_string(entry.mCode) + ".xml")
                        .size(),
                    4u);
            } else if (id.mSurvival) {
                // Survival: every fruit hangs from the start, and only birds come.
                EXPECT_TRUE((fruit && entry.mSecond == 1) || IsBird(entry.mCode) ||
                            entry.mCode == Code::kBanner);
            } else {
                // Story: no end code; fruit, rain, pests and the banner.
                EXPECT_TRUE(fruit || entry.mCode == Code::kRain || entry.mCode == Code::kHedgehog ||
                            IsBird(entry.mCode) || entry.mCode == Code::kBanner);
            }
        }
    }
}

// The fruit of each kind a story time line grows in time to be picked, by the field's rules:
// of two trees of a kind the one with more free cells bears it, its grid picks a free cell, the
// fruit holds the cell until it falls (growing, ripening and ripe; a player who waits for ripe
// fruit), and a tip ends the field's pass over its second.
std::array<int, 5> GrownFruit(const PlayField& field, bool easy) {
    constexpr int kSecondsToPick = 10; // grown at least this long before the end
    SetEasyMode(easy);
    int onTree = 0;
    for (int state = 1; state <= 4; ++state) {
        onTree += FruitStateDurations(state);
    }
    SetEasyMode(false);
    struct Hanging {
        size_t mTree;
        int mId;
        int mFalls;
    };
    std::vector<FruitTree> trees = field.GetTrees();
    std::vector<Hanging> hanging;
    std::array<int, 5> grown{};
    int nextId = 0;
    for (int second = 1; second <= field.GetLevelTime(); ++second) {
        std::erase_if(hanging, [&](const Hanging& fruit) {
            if (fruit.mFalls > second) {
                return false;
            }
            trees[fruit.mTree].Release(fruit.mId);
            return true;
        });
        for (const PlayField::TimeLineEntry& entry : field.GetTimeLine()) {
            if (entry.mSecond != second) {
                continue;
            }
            if (IsTip(entry.mCode)) {
                break;
            }
            std::vector<size_t> ofKind;
            for (size_t i = 0; i < trees.size(); ++i) {
                if (trees[i].GetKind() == entry.mCode) {
                    ofKind.push_back(i);
                }
            }
            if (ofKind.empty() || ofKind.size() > 2) {
                continue;
            }
            size_t tree = ofKind.size() == 2 &&
                                  trees[ofKind[1]].GetFreeCells() >= trees[ofKind[0]].GetFreeCells()
                              ? ofKind[1]
                              : ofKind[0];
            int x = 0, y = 0;
            if (!trees[tree].PickCell(x, y, nextId + 1)) {
                continue;
            }
            hanging.push_back({tree, ++nextId, second + onTree});
            if (second <= field.GetLevelTime() - kSecondsToPick) {
                ++grown[entry.mCode];
            }
        }
    }
    return grown;
}

// The spare fruit a story goal gets at least: a fifth of it, and never fewer than two.
int SpareFruit(int goal) {
    return std::max(2, (goal + 4) / 5);
}

TEST(Levels, StoryLevelsCanBeWonWithFruitToSpare) {
    for (bool easy : {false, true}) {
        for (const LevelId& id : Levels(false, easy)) {
            SCOPED_TRACE(id.Name());
            std::unique_ptr<PlayField> field = Load(id);
            std::array<int, 5> grown = GrownFruit(*field, easy);
            for (int kind = 1; kind <= 4; ++kind) {
                int goal = field->GetGoal(kind);
                EXPECT_GE(grown[kind], goal + (goal > 0 ? SpareFruit(goal) : 0))
                    << "kind " << kind << ", goal " << goal;
            }
        }
    }
}

// Survival: the fruit a player may lose to the birds, and how the levels tighten.
TEST(Levels, SurvivalGoalsLeaveRoomForLossesAndTighten) {
    for (bool easy : {false, true}) {
        double lastShare = 0, lastBirdsPerMinute = 0;
        for (const LevelId& id : Levels(true, easy)) {
            SCOPED_TRACE(id.Name());
            std::unique_ptr<PlayField> field = Load(id);
            Facts facts = Count(*field);
            int fruit = 0;
            for (int kind = 1; kind <= 4; ++kind) {
                int goal = field->GetGoal(kind);
                if (goal > 0) {
                    EXPECT_LE(goal, facts.mFruit[kind] - std::max(2, facts.mFruit[kind] / 10))
                        << "kind " << kind;
                }
                fruit += facts.mFruit[kind];
            }
            double share = static_cast<double>(facts.mGoals) / fruit;
            double birdsPerMinute = 60.0 * facts.Pests() / facts.mTime;
            EXPECT_GE(share, lastShare);
            EXPECT_GT(birdsPerMinute, lastBirdsPerMinute);
            lastShare = share;
            lastBirdsPerMinute = birdsPerMinute;
        }
    }
}

// Averages over the levels of each story stage.
struct StageFigures {
    double mGoalsPerMinute = 0;
    double mTrees = 0;
    double mKinds = 0;
    double mNightShare = 0;
    double mPestsPerMinute = 0;
};

std::array<StageFigures, kStages> StoryStages(bool easy) {
    std::array<StageFigures, kStages> stages{};
    std::array<int, kStages> levels{};
    for (const LevelId& id : Levels(false, easy)) {
        Facts facts = Count(id);
        int s = PlayField::GetStage(false, id.mLevel) - 1;
        stages[s].mGoalsPerMinute += 60.0 * facts.mGoals / facts.mTime;
        stages[s].mTrees += facts.mTrees;
        stages[s].mKinds += facts.mKinds;
        stages[s].mNightShare += facts.mDay ? 0 : 1;
        stages[s].mPestsPerMinute += 60.0 * facts.Pests() / facts.mTime;
        ++levels[s];
    }
    for (int s = 0; s < kStages; ++s) {
        for (double* figure : {&stages[s].mGoalsPerMinute, &stages[s].mTrees, &stages[s].mKinds,
                               &stages[s].mNightShare, &stages[s].mPestsPerMinute}) {
            *figure /= levels[s];
        }
    }
    return stages;
}

TEST(Levels, StoryGrowsHarderStageByStage) {
    for (bool easy : {false, true}) {
        std::array<StageFigures, kStages> stages = StoryStages(easy);
        for (int s = 1; s < kStages; ++s) {
            SCOPED_TRACE(::testing::Message() << (easy ? "easy" : "normal") << " stage " << s + 1);
            const StageFigures& now = stages[s];
            const StageFigures& before = stages[s - 1];
            EXPECT_GT(now.mGoalsPerMinute, before.mGoalsPerMinute);
            EXPECT_GE(now.mTrees, before.mTrees);
            EXPECT_GE(now.mKinds, before.mKinds);
            EXPECT_GE(now.mNightShare, before.mNightShare);
            EXPECT_GT(now.mPestsPerMinute, before.mPestsPerMinute);
        }
        EXPECT_EQ(stages[0].mNightShare, 0);
        EXPECT_GE(stages[5].mNightShare, 0.5);
    }
}

TEST(Levels, TheEasySetIsGentlerOnTheSameGarden) {
    for (bool survival : {false, true}) {
        for (const LevelId& id : Levels(survival, false)) {
            SCOPED_TRACE(id.Name());
            std::unique_ptr<PlayField> normal = Load(id);
            std::unique_ptr<PlayField> easy = Load({survival, true, id.mLevel});
            Facts normalFacts = Count(*normal), easyFacts = Count(*easy);
            EXPECT_EQ(easyFacts.mTime, normalFacts.mTime);
            EXPECT_EQ(easyFacts.mFruit, normalFacts.mFruit);
            EXPECT_EQ(easyFacts.mTips, normalFacts.mTips);
            EXPECT_LT(easyFacts.mGoals, normalFacts.mGoals);
            EXPECT_LE(easyFacts.Pests(), normalFacts.Pests());
            ASSERT_EQ(easy->GetTrees().size(), normal->GetTrees().size());
            for (size_t i = 0; i < normal->GetTrees().size(); ++i) {
                EXPECT_EQ(easy->GetTrees()[i].GetX(), normal->GetTrees()[i].GetX());
                EXPECT_EQ(easy->GetTrees()[i].GetKind(), normal->GetTrees()[i].GetKind());
            }
        }
    }
}

// Each pest is introduced by a tip in the level where it first comes; each bonus kind by a tip
// in the level where the field starts to give it (and not before), with a white bird there,
// whose shot always leaves a bonus.
TEST(Levels, NewPestsAndBonusesComeWithTheirTips) {
    const std::map<int, int> kBirdTips = {{0, 104}, {1, 109}, {2, 107}, {3, 118}};
    constexpr int kHedgehogTip = 110;
    // Story level from which each bonus kind 1..6 may appear, and the tip that explains it.
    const std::map<int, int> kBonusTipLevels = {{108, 7},  {113, 12}, {114, 14},
                                                {116, 17}, {117, 22}, {119, 28}};
    for (bool easy : {false, true}) {
        std::array<bool, 4> birdSeen{};
        bool hedgehogSeen = false;
        for (const LevelId& id : Levels(false, easy)) {
            SCOPED_TRACE(id.Name());
            Facts facts = Count(id);
            auto hasTip = [&](int tip) {
                return std::find(facts.mTips.begin(), facts.mTips.end(), tip) != facts.mTips.end();
            };
            for (int kind = 0; kind < 4; ++kind) {
                if (facts.mBirds[kind] > 0 && !birdSeen[kind]) {
                    EXPECT_TRUE(hasTip(kBirdTips.at(kind))) << "bird kind " << kind;
                    birdSeen[kind] = true;
                }
            }
            if (facts.mHedgehogs > 0 && !hedgehogSeen) {
                EXPECT_TRUE(hasTip(kHedgehogTip));
                hedgehogSeen = true;
            }
            for (const auto& [tip, level] : kBonusTipLevels) {
                EXPECT_EQ(hasTip(tip), id.mLevel == level) << "tip " << tip;
                if (id.mLevel == level) {
                    EXPECT_GE(facts.mBirds[2], 1) << "no white bird for the new bonus";
                }
            }
        }
        EXPECT_EQ(birdSeen, (std::array<bool, 4>{true, true, true, true}));
        EXPECT_TRUE(hedgehogSeen);
    }
}

} // namespace
} // namespace Vuro
