#include "game/rules/ComboSequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace Vuro {
namespace {

constexpr int kRipe = ComboSequence::kRipeState;

// Feeds ripe picks of the digits of kinds and returns every result in order.
std::vector<int> FeedRipe(ComboSequence& combo, const std::string& kinds) {
    std::vector<int> results;
    for (char kind : kinds) {
        results.push_back(combo.Feed(kind - '0', kRipe));
    }
    return results;
}

TEST(ComboSequence, EveryOrderingOfTheFourKindsCompletesOnTheFourthPick) {
    std::string order = "1234";
    int orderings = 0;
    do {
        ComboSequence combo;
        EXPECT_EQ(FeedRipe(combo, order), (std::vector<int>{0, 0, 0, 4})) << order;
        EXPECT_EQ(combo.GetLength(), 0) << order;
        ++orderings;
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(orderings, 24);
}

TEST(ComboSequence, ARepeatedKindBreaksThePermutation) {
    ComboSequence combo;
    EXPECT_EQ(FeedRipe(combo, "1233"), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(combo.GetBuffer(), "3");

    // Three distinct kinds then the first again: neither a permutation nor a run.
    combo.Reset();
    EXPECT_EQ(FeedRipe(combo, "1231"), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(combo.GetBuffer(), "1");

    combo.Reset();
    EXPECT_EQ(FeedRipe(combo, "112"), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(combo.GetBuffer(), "2");

    // The kept pick starts the next sequence: "2" + "341" is a permutation.
    EXPECT_EQ(FeedRipe(combo, "341"), (std::vector<int>{0, 0, 4}));
}

TEST(ComboSequence, RunsOfOneKindScoreAtThreeFiveAndTen) {
    ComboSequence combo;
    EXPECT_EQ(FeedRipe(combo, "2222222222"), (std::vector<int>{0, 0, 1, 0, 2, 0, 0, 0, 0, 3}));
    EXPECT_EQ(combo.GetLength(), 0);
    // The eleventh pick starts a new run.
    EXPECT_EQ(FeedRipe(combo, "222"), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(combo.GetBuffer(), "222");
}

TEST(ComboSequence, ABrokenRunKeepsItsLastPick) {
    ComboSequence combo;
    EXPECT_EQ(FeedRipe(combo, "44443"), (std::vector<int>{0, 0, 1, 0, 0}));
    EXPECT_EQ(combo.GetBuffer(), "3");
    // The kept pick counts: four more make five of a kind.
    EXPECT_EQ(FeedRipe(combo, "3333"), (std::vector<int>{0, 1, 0, 2}));

    // Broken after nine of a kind: the run starts over from the breaking pick.
    combo.Reset();
    EXPECT_EQ(FeedRipe(combo, "111111111"), (std::vector<int>{0, 0, 1, 0, 2, 0, 0, 0, 0}));
    EXPECT_EQ(combo.Feed(2, kRipe), 0);
    EXPECT_EQ(combo.GetBuffer(), "2");
}

TEST(ComboSequence, AnUnripePickEmptiesTheBuffer) {
    ComboSequence combo;
    EXPECT_EQ(FeedRipe(combo, "11"), (std::vector<int>{0, 0}));
    for (int state : {0, 1, 3, 5, 7}) {
        EXPECT_EQ(combo.Feed(1, state), 0) << state;
        EXPECT_EQ(combo.GetLength(), 0) << state;
    }
    // The run counts from the next ripe pick.
    EXPECT_EQ(FeedRipe(combo, "111"), (std::vector<int>{0, 0, 1}));

    combo.Reset();
    EXPECT_EQ(FeedRipe(combo, "123"), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(combo.Feed(4, 3), 0);
    EXPECT_EQ(combo.Feed(4, kRipe), 0);
    EXPECT_EQ(combo.GetBuffer(), "4");
}

TEST(ComboSequence, AKindOutsideOneToFourBreaksTheSequence) {
    ComboSequence combo;
    for (int kind : {0, 5, -1, 100}) {
        EXPECT_EQ(FeedRipe(combo, "33"), (std::vector<int>{0, 0}));
        EXPECT_EQ(combo.Feed(kind, kRipe), 0) << kind;
        EXPECT_EQ(combo.GetLength(), 0) << kind;
    }
}

} // namespace
} // namespace Vuro
