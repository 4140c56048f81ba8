#include "game/rules/FruitTree.h"

#include "framework/util/MersenneTwister.h"

#include <algorithm>
#include <iterator>

namespace Vuro {

FruitTree::FruitTree() {
    Clear();
}

void FruitTree::Clear() {
    for (auto& column : mCells) {
        std::fill(std::begin(column), std::end(column), kFreeCell);
    }
    mX = mY = 0;
    mOriginX = mOriginY = 0;
    mNy = mNx = 0;
    mFreeCells = 0;
    mKind = 0;
}

void FruitTree::Set(int kind, int x, int y, int originX, int originY, int nx, int ny) {
    Clear();
    mKind = kind;
    mX = x;
    mY = y;
    mOriginX = originX;
    mOriginY = originY;
    // The sizes come from level files; a larger grid would run past the cell array.
    mNx = std::clamp(nx, 0, kMaxCells);
    mNy = std::clamp(ny, 0, kMaxCells);
}

bool FruitTree::Block(int ix, int iy) {
    if (ix < 0 || iy < 0 || ix >= mNx || iy >= mNy) {
        return false;
    }
    mCells[ix][iy] = kBlocked;
    return true;
}

bool FruitTree::Release(int id) {
    bool released = false;
    int holding = 0;
    for (int ix = 0; ix < mNx; ++ix) {
        for (int iy = 0; iy < mNy; ++iy) {
            int& cell = mCells[ix][iy];
            // Fruit ids start at 1; a smaller id must not unblock cells.
            if (id > 0 && cell == id) {
                cell = kFreeCell;
                released = true;
            }
            if (cell != kFreeCell && cell != kBlocked) {
                ++holding;
            }
        }
    }
    mFreeCells = mNx * mNy - holding;
    return released;
}

bool FruitTree::TakeIfFree(int ix, int iy, int id, int& x, int& y) {
    if (mCells[ix][iy] != kFreeCell) {
        return false;
    }
    mCells[ix][iy] = id;
    mFreeCells -= 1;
    x = mOriginX + kCellSpacing * ix;
    y = mOriginY + kCellSpacing * iy;
    return true;
}

bool FruitTree::PickCell(int& x, int& y, int id) {
    if (mFreeCells < 1) {
        return false;
    }
    if (mFreeCells >= kMinFreeForRandom) {
        for (int attempt = 0; attempt < kRandomTries; ++attempt) {
            // A try never starts in the last column or row. A grid one cell wide along an axis
            // keeps that coordinate at 0 rather than dividing by zero.
            int ix = mNx > 1 ? Rand() % (mNx - 1) : 0;
            int iy = mNy > 1 ? Rand() % (mNy - 1) : 0;
            if (TakeIfFree(ix, iy, id, x, y)) {
                return true;
            }
            if (ix + 1 < mNx) {
                ix += 1;
                if (TakeIfFree(ix, iy, id, x, y)) {
                    return true;
                }
            }
            if (iy + 1 < mNy && TakeIfFree(ix, iy + 1, id, x, y)) {
                return true;
            }
        }
    }
    for (int ix = 0; ix < mNx; ++ix) {
        for (int iy = 0; iy < mNy; ++iy) {
            if (TakeIfFree(ix, iy, id, x, y)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace Vuro
