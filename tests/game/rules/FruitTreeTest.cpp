#include "game/rules/FruitTree.h"

#include "framework/util/MersenneTwister.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace Vuro {
namespace {

FruitTree MakeTree(int nx, int ny) {
    FruitTree tree;
    tree.Set(2, 100, 50, 130, 80, nx, ny);
    EXPECT_FALSE(tree.Release(0));
    return tree;
}

// Fills the tree with ids 1, 2, ... and returns the cells in the order taken.
std::vector<std::pair<int, int>> PickAll(FruitTree& tree, int count) {
    std::vector<std::pair<int, int>> cells;
    for (int id = 1; id <= count; ++id) {
        int x = -1;
        int y = -1;
        EXPECT_TRUE(tree.PickCell(x, y, id)) << "id " << id;
        int ix = (x - tree.GetOriginX()) / FruitTree::kCellSpacing;
        int iy = (y - tree.GetOriginY()) / FruitTree::kCellSpacing;
        EXPECT_EQ(x, tree.GetOriginX() + 21 * ix);
        EXPECT_EQ(y, tree.GetOriginY() + 21 * iy);
        EXPECT_EQ(tree.GetCell(ix, iy), id);
        cells.emplace_back(ix, iy);
    }
    return cells;
}

TEST(FruitTree, SetStoresTheLevelValuesAndCountsOnlyOnRelease) {
    FruitTree tree;
    EXPECT_EQ(tree.GetNx(), 0);
    EXPECT_EQ(tree.GetFreeCells(), 0);
    tree.Set(3, 10, 20, 30, 40, 5, 5);
    EXPECT_EQ(tree.GetKind(), 3);
    EXPECT_EQ(tree.GetX(), 10);
    EXPECT_EQ(tree.GetY(), 20);
    EXPECT_EQ(tree.GetOriginX(), 30);
    EXPECT_EQ(tree.GetOriginY(), 40);
    EXPECT_EQ(tree.GetNx(), 5);
    EXPECT_EQ(tree.GetNy(), 5);
    EXPECT_EQ(tree.GetFreeCells(), 0);
    int x = 0;
    int y = 0;
    EXPECT_FALSE(tree.PickCell(x, y, 1)); // not counted yet
    tree.Release(0);
    // The survival end test compares an empty 5 by 5 grid with 25.
    EXPECT_EQ(tree.GetFreeCells(), 25);

    tree.Clear();
    EXPECT_EQ(tree.GetKind(), 0);
    EXPECT_EQ(tree.GetNx(), 0);
    EXPECT_EQ(tree.GetFreeCells(), 0);
}

TEST(FruitTree, BlockedCellsStayOutOfPicksButCountAsFree) {
    FruitTree tree;
    tree.Set(1, 0, 0, 0, 0, 3, 2);
    EXPECT_TRUE(tree.Block(0, 0));
    EXPECT_TRUE(tree.Block(2, 1));
    EXPECT_FALSE(tree.Block(3, 0)); // outside the used columns
    EXPECT_FALSE(tree.Block(0, 2)); // outside the used rows
    EXPECT_FALSE(tree.Block(-1, 0));
    EXPECT_FALSE(tree.Block(0, -1));
    EXPECT_EQ(tree.GetCell(0, 0), FruitTree::kBlocked);
    tree.Release(0);
    EXPECT_EQ(tree.GetFreeCells(), 6);

    // Six counted free cells start with random tries; all four real cells are found, then the
    // count of 2 left for the blocked cells finds nothing.
    SRand(7);
    auto cells = PickAll(tree, 4);
    std::set<std::pair<int, int>> taken(cells.begin(), cells.end());
    EXPECT_EQ(taken, (std::set<std::pair<int, int>>{{0, 1}, {1, 0}, {1, 1}, {2, 0}}));
    EXPECT_EQ(tree.GetFreeCells(), 2);
    int x = 0;
    int y = 0;
    EXPECT_FALSE(tree.PickCell(x, y, 5));
    EXPECT_EQ(tree.GetFreeCells(), 2);
    EXPECT_EQ(tree.GetCell(0, 0), FruitTree::kBlocked);
    EXPECT_EQ(tree.GetCell(2, 1), FruitTree::kBlocked);
}

TEST(FruitTree, ReleaseFreesTheFruitsCellAndRecounts) {
    FruitTree tree = MakeTree(2, 2);
    PickAll(tree, 4);
    EXPECT_EQ(tree.GetFreeCells(), 0);
    EXPECT_TRUE(tree.Release(3));
    EXPECT_EQ(tree.GetFreeCells(), 1);
    EXPECT_FALSE(tree.Release(3));
    EXPECT_FALSE(tree.Release(99));
    EXPECT_EQ(tree.GetFreeCells(), 1);

    // Only fruit ids free cells: releasing -1 must not open blocked cells.
    EXPECT_TRUE(tree.Block(0, 0));
    EXPECT_FALSE(tree.Release(FruitTree::kBlocked));
    EXPECT_EQ(tree.GetCell(0, 0), FruitTree::kBlocked);
    EXPECT_EQ(tree.GetFreeCells(), 2);
}

TEST(FruitTree, FewFreeCellsGoInScanOrder) {
    // 2 by 2: with 4 free cells every random try is (0, 0), so the first pick is certain; the
    // next three come with fewer than 4 free cells and follow the scan (ix outer, iy inner).
    FruitTree tree = MakeTree(2, 2);
    SRand(12345);
    uint32_t before = gRandom.Next();
    SRand(12345);
    auto cells = PickAll(tree, 4);
    EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
    EXPECT_EQ(tree.GetCell(0, 0), 1);
    EXPECT_EQ(tree.GetCell(1, 1), 4);
    int x = 0;
    int y = 0;
    EXPECT_FALSE(tree.PickCell(x, y, 5));

    // With 3 free cells no random number is drawn at all.
    FruitTree three = MakeTree(3, 1);
    SRand(12345);
    int px = 0;
    int py = 0;
    ASSERT_TRUE(three.PickCell(px, py, 1));
    EXPECT_EQ(px, 130);
    EXPECT_EQ(py, 80);
    EXPECT_EQ(gRandom.Next(), before);
}

TEST(FruitTree, RandomTriesLookAtTheCellItsRightAndBelowRight) {
    // Cells reachable by a try on 3 by 3: (ix, iy), (ix + 1, iy), (ix + 1, iy + 1) with ix, iy
    // in 0..1. (0, 2) never is, so a grid whose only open cell is (0, 2) spends its five tries
    // and falls back to the scan.
    FruitTree tree = MakeTree(3, 3);
    for (int ix = 0; ix < 3; ++ix) {
        for (int iy = 0; iy < 3; ++iy) {
            if (!(ix == 0 && iy == 2)) {
                ASSERT_TRUE(tree.Block(ix, iy));
            }
        }
    }
    tree.Release(0);
    EXPECT_EQ(tree.GetFreeCells(), 9);
    SRand(99);
    int x = 0;
    int y = 0;
    ASSERT_TRUE(tree.PickCell(x, y, 7));
    EXPECT_EQ(x, 130);
    EXPECT_EQ(y, 80 + 42);
    EXPECT_EQ(tree.GetFreeCells(), 8);
}

TEST(FruitTree, FirstRandomTryFollowsTheGenerator) {
    FruitTree tree = MakeTree(5, 4);
    SRand(2024);
    int ix = Rand() % 4;
    int iy = Rand() % 3;
    SRand(2024);
    int x = 0;
    int y = 0;
    ASSERT_TRUE(tree.PickCell(x, y, 1));
    EXPECT_EQ(x, 130 + 21 * ix);
    EXPECT_EQ(y, 80 + 21 * iy);
}

TEST(FruitTree, RandomPicksFillEveryCellOnceWithoutOverlap) {
    for (uint32_t seed : {1u, 4357u, 777u}) {
        FruitTree tree = MakeTree(10, 10);
        SRand(seed);
        auto cells = PickAll(tree, 100);
        std::set<std::pair<int, int>> taken(cells.begin(), cells.end());
        EXPECT_EQ(taken.size(), 100u);
        EXPECT_EQ(tree.GetFreeCells(), 0);
    }
}

TEST(FruitTree, OneCellWideGridsPickWithoutDividingByZero) {
    FruitTree column = MakeTree(1, 6);
    SRand(5);
    auto cells = PickAll(column, 6);
    std::set<std::pair<int, int>> taken(cells.begin(), cells.end());
    EXPECT_EQ(taken.size(), 6u);
    for (auto [ix, iy] : cells) {
        EXPECT_EQ(ix, 0);
    }

    FruitTree row = MakeTree(6, 1);
    auto rowCells = PickAll(row, 6);
    std::set<std::pair<int, int>> rowTaken(rowCells.begin(), rowCells.end());
    EXPECT_EQ(rowTaken.size(), 6u);
    for (auto [ix, iy] : rowCells) {
        EXPECT_EQ(iy, 0);
    }

    FruitTree single = MakeTree(1, 1);
    int x = 0;
    int y = 0;
    EXPECT_TRUE(single.PickCell(x, y, 1));
    EXPECT_FALSE(single.PickCell(x, y, 2));
}

TEST(FruitTree, OversizedGridsAreClampedToTheCellArray) {
    FruitTree tree;
    tree.Set(1, 0, 0, 0, 0, 12, 40);
    EXPECT_EQ(tree.GetNx(), 10);
    EXPECT_EQ(tree.GetNy(), 10);
    tree.Release(0);
    EXPECT_EQ(tree.GetFreeCells(), 100);

    FruitTree negative;
    negative.Set(1, 0, 0, 0, 0, -3, 4);
    negative.Release(0);
    EXPECT_EQ(negative.GetFreeCells(), 0);
    int x = 0;
    int y = 0;
    EXPECT_FALSE(negative.PickCell(x, y, 1));
}

} // namespace
} // namespace Vuro
