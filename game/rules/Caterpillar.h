#pragma once
// A caterpillar: it comes out where a fruit fell, crawls along the ground to the foot of a tree
// and climbs its trunk, a pixel every 20 ticks. The play field charges points for one that
// arrives (state 4) and removes those the player, the broom or the smoke clears. A plain record;
// each step of its tick sets the redraw flag (RedrawFlag.h).

#include <vector>

namespace Vuro {

class FruitTree;

class Caterpillar {
public:
    enum State {
        None = -1,
        CrawlingRight = 0,
        CrawlingLeft = 1,
        ClimbingFromRight = 2, // climbing after crawling left
        ClimbingFromLeft = 3,  // climbing after crawling right
        Arrived = 4,
    };

    static constexpr int kGroundY = 405;
    static constexpr int kStepPeriod = 20;

    Caterpillar() { Reset(); }

    // State -1, positions -1, frame 0, not smoked.
    void Reset();
    // Reset, then crawling from (x, y) once a target is set.
    void Start(int x, int y);
    // Crawls left when x > targetX, else right.
    void SetTarget(int targetX, int targetY);
    // The foot of the tree's trunk for its fruit kind (1..4; other kinds as kind 1).
    void SetTargetTree(const FruitTree& tree);
    // A fruit of kind 1..4 that fell at fruitX sends a caterpillar to a tree chosen by one random
    // draw among trees. False, and no draw, for other fruit kinds or without trees (a field
    // without trees would divide by zero).
    [[nodiscard]] bool StartFromFruit(int fruitKind, int fruitX,
                                      const std::vector<FruitTree>& trees);
    void Tick(int tick);

    void SetSmoked(bool smoked) { mSmoked = smoked; }
    bool IsSmoked() const { return mSmoked; }
    int GetState() const { return mState; }
    int GetX() const { return mX; }
    int GetY() const { return mY; }
    int GetTargetX() const { return mTargetX; }
    int GetTargetY() const { return mTargetY; }
    int GetFrame() const { return mFrame; }

private:
    bool mSmoked; // caught by the smoke; removed when it clears
    int mState;
    int mX;
    int mY;
    int mTargetX;
    int mTargetY;
    int mFrame;
};

} // namespace Vuro
