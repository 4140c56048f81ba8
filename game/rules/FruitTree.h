#pragma once
// One tree of a level with a grid of cells on its crown. Each fruit that grows takes one cell,
// so fruit never overlap and a tree bears at most as many fruit as it has free cells. A plain
// value: the level loader fills it and the play field keeps copies.
//
// Cells are indexed [ix][iy]; 0 is free, -1 blocked, anything else the id of the fruit in it.
// The grid in use is nx by ny (each clamped to 0..10); cell (ix, iy) is drawn at
// (originX + 21 * ix, originY + 21 * iy). freeCells counts the used cells holding no fruit
// (blocked cells count as free) and is only brought up to date by Release.

namespace Vuro {

class FruitTree {
public:
    static constexpr int kMaxCells = 10;
    static constexpr int kCellSpacing = 21;
    static constexpr int kBlocked = -1;
    static constexpr int kFreeCell = 0;

    FruitTree();

    // Every cell free and every other field 0.
    void Clear();
    // Clear, then store the values (the level file's tree attributes, in this order).
    void Set(int kind, int x, int y, int originX, int originY, int nx, int ny);
    // Tags the cell blocked; false when it lies outside the used grid.
    bool Block(int ix, int iy);
    // Frees every cell holding id (ids below 1 free nothing), then recounts freeCells.
    // Returns whether a cell was freed. Release(0) only recounts.
    bool Release(int id);
    // Puts id into a free cell and gives the cell's pixel position; false when none is free.
    // With 4 or more free cells a few random tries come first, otherwise the first free cell
    // in scan order (ix from 0, within it iy from 0) is taken.
    [[nodiscard]] bool PickCell(int& x, int& y, int id);

    int GetCell(int ix, int iy) const { return mCells[ix][iy]; }
    int GetX() const { return mX; }
    int GetY() const { return mY; }
    int GetOriginX() const { return mOriginX; }
    int GetOriginY() const { return mOriginY; }
    int GetNx() const { return mNx; }
    int GetNy() const { return mNy; }
    int GetFreeCells() const { return mFreeCells; }
    int GetKind() const { return mKind; }

private:
    static constexpr int kRandomTries = 5;
    static constexpr int kMinFreeForRandom = 4;

    bool TakeIfFree(int ix, int iy, int id, int& x, int& y);

    int mCells[kMaxCells][kMaxCells]; // [ix][iy]
    int mX;                           // tree picture
    int mY;
    int mOriginX; // pixel position of cell (0, 0)
    int mOriginY;
    int mNy; // cells used along y
    int mNx; // cells used along x
    int mFreeCells;
    int mKind; // fruit kind 1..4
};

} // namespace Vuro
