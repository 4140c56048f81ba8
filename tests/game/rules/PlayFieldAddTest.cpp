#include "PlayFieldTestKit.h"

namespace Vuro::Testing {
namespace {

using PlayFieldAdd = PlayFieldPlay;

TEST_F(PlayFieldAdd, BonusItemKindsFollowModeAndLevel) {
    struct Case {
        bool survival;
        int level;
        int kinds; // kinds 0..kinds-1 may come; 0: no item at all
    };
    const Case cases[] = {
        {false, 1, 1},  {false, 6, 1},  {false, 7, 2},  {false, 11, 2}, {false, 12, 3},
        {false, 14, 4}, {false, 17, 5}, {false, 22, 6}, {false, 27, 6}, {false, 28, 7},
        {false, 43, 7}, {true, 1, 1},   {true, 2, 3},   {true, 3, 5},   {true, 4, 6},
        {true, 5, 7},   {true, 6, 7},   {true, 7, 0},
    };
    for (const Case& c : cases) {
        NewLevel(c.survival, c.level);
        for (int i = 0; i < 300; ++i) {
            mField.AddBonusItem(100, 200);
        }
        std::set<int> seen;
        for (const Bouncer& item : mField.GetBonusItems()) {
            seen.insert(item.mKind);
            EXPECT_EQ(item.mSecondsLeft, 15);
        }
        std::set<int> expected;
        for (int kind = 0; kind < c.kinds; ++kind) {
            // From six kinds on, smoke is drawn again while no caterpillar is there for it.
            if (kind != 2 || c.kinds < 6) {
                expected.insert(kind);
            }
        }
        EXPECT_EQ(seen, expected) << (c.survival ? "survival " : "story ") << c.level;
    }
}

} // namespace
} // namespace Vuro::Testing
