#pragma once
// The play field's sizes and kinds that its rules, its drawing and the asset tool's pictures and
// level rules share.

namespace Vuro {

// The field fills the 640 x 480 screen; the strip of side buttons, time and score covers it
// from row 420 down.
inline constexpr int kFieldWidth = 640;
inline constexpr int kFieldHeight = 480;
inline constexpr int kFieldBottom = 420;

// A story click picks fruit and caterpillars only from this row down to the strip; the level
// tables keep every fruit below it.
inline constexpr int kFirstPickRow = 201;

// A fruit is drawn in 20 x 20 cels, its ripening in a sheet of six of them in a row; a tree's
// picture is 140 x 220.
inline constexpr int kFruitSize = 20;
inline constexpr int kFruitAnimCels = 6;
inline constexpr int kTreeWidth = 140;
inline constexpr int kTreeHeight = 220;

// Fruit kinds 1..4: apple, pear, plum, orange. Bird kinds 0..3 (Bird::Kind): the plain bird, the
// black bird, the white bird and the kamikaze.
inline constexpr int kFruitKinds = 4;
inline constexpr int kBirdKinds = 4;

// Where the strip shows the goal of fruit kind 1..4. The level files keep these points in each
// fruit box's placement words too, which the game does not read.
struct FieldPoint {
    int mX;
    int mY;
};
inline constexpr FieldPoint kGoalTextPoints[kFruitKinds] = {
    {140, 445}, {140, 473}, {220, 445}, {220, 473}};

} // namespace Vuro
