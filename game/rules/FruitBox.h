#pragma once
// The box into which fruit of one kind are collected, with the gauge level 0..10 the play field
// shows. A plain value filled from the level file and copied into the play field.

namespace Vuro {

class FruitBox {
public:
    static constexpr int kPlaceCount = 4;
    static constexpr int kFullFill = 10;

    FruitBox();

    // Place values -1, kind, count and fill 0.
    void Reset();
    // Kind, then the four placement values of the level file.
    void Set(int kind, int a, int b, int c, int d);
    void AddFruit(int n) { mCount += n; }
    void SetCount(int n, int capacity);
    // Fill = count * 10 / capacity truncated, 10 once count reaches capacity (so a capacity of
    // 0, no goal, shows full at once), and at least 1 while the box holds any fruit.
    void UpdateFill(int capacity);

    int GetPlace(int index) const { return mPlace[index]; }
    int GetKind() const { return mKind; }
    int GetCount() const { return mCount; }
    int GetFill() const { return mFill; }

private:
    int mPlace[kPlaceCount]; // from the level file; the play field does not read them
    int mKind;               // fruit kind 1..4 the box takes
    int mCount;              // fruit in the box
    int mFill;               // gauge level 0..10
};

} // namespace Vuro
