#pragma once
// The autocar: it drives along the ground under fruit that are falling and catches them. The
// play field adds the cell id and x of each fruit that comes off its tree (AddTarget), removes
// it when the fruit lands or is taken (RemoveTarget), and collects a fruit that comes down
// within Reaches while the autocar is there. With nothing to catch it drives home to x 270 and
// waits; when its seconds run out it leaves. A plain record; each move and its leaving set the
// redraw flag (RedrawFlag.h).

#include <map>

namespace Vuro {

class TargetWalker {
public:
    enum State {
        Absent = 0,
        DrivingLeft = 1,
        DrivingRight = 2,
        Choosing = 3, // at home
        Arrived = 4,
        HomeLeft = 5,  // driving left to home
        HomeRight = 6, // driving right to home
    };

    static constexpr int kHomeX = 270;
    static constexpr int kHomeY = 377;
    static constexpr int kStep = 6;       // pixels a move
    static constexpr int kMovePeriod = 5; // ticks a move

    TargetWalker() { Reset(); }

    // Absent, positions -1, no target, no waiting fruit.
    void Reset();
    // At home choosing, for the given seconds; fruit already waiting are kept.
    void Start(int seconds);
    void SetLifetime(int seconds) { mSecondsLeft = seconds; }
    void AddTarget(int fruitId, int x);
    // Forgets a waiting fruit; the current target too, which makes it choose again.
    void RemoveTarget(int fruitId);
    void Tick(int tick);
    // Whether a fruit at fruitX lies within its collecting reach (x - 5 .. x + 60).
    bool Reaches(int fruitX) const;

    bool IsPresent() const { return mState != Absent; }
    int GetState() const { return mState; }
    int GetX() const { return mX; }
    int GetY() const { return mY; }
    int GetTargetX() const { return mTargetX; }
    int GetTargetId() const { return mTargetId; }
    int GetFrame() const { return mFrame; }
    int GetSecondsLeft() const { return mSecondsLeft; }
    const std::map<int, int>& GetWaiting() const { return mWaiting; }

private:
    void Choose();
    // One move toward mTargetX, stopping on it; true when it is reached.
    bool Move();

    int mState;
    int mX;
    int mY;
    int mTargetX;
    int mTargetId; // cell id of the fruit driven to, 0 none
    int mFrame;    // 0, 1, 2
    int mSecondsLeft;
    std::map<int, int> mWaiting; // falling fruit: cell id -> x
};

} // namespace Vuro
