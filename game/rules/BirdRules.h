#pragma once
// What the play field decides about its birds each tick, as free functions over a bird and the
// field's fruit, so the field's step stays a loop of calls: where a new bird enters, whether a
// stone or the cursor is on it, what a shot is worth, which fruit it aims at, takes or (a
// kamikaze bird) knocks down, and the fruit a struck bird drops. Points, counters, pop-ups,
// sounds and the tree cells stay with the field.

#include <vector>

namespace Vuro {

class Bird;
class Fruit;

// A new bird of the kind at a random height (two draws: the height, then the side): a kamikaze
// bird at y 220, 240 or 260, the others at 200..325 in steps of 25; it enters at x -50 flying to
// 640 when the second draw is odd, else at 640 flying to -50.
void LaunchFromEdge(Bird& bird, int kind);

// A stone at (x, y) strikes the bird: x from the bird's x to its right edge less 5, y from its
// top to its bottom. In the stop phase stunned birds and birds with a hit pending are passed
// over.
bool StoneHits(const Bird& bird, int x, int y, bool stopPhase);
// The cursor at (x, y) aims at the bird: its box widened by 20 pixels on each side.
bool IsAimedAt(const Bird& bird, int x, int y);
// Points for a shot: a carrying bird 10 (black) or 5; else 10 (black), 20 (kamikaze) or 5.
int ShotPoints(const Bird& bird);
// Whether a shot bird leaves a bonus item: a white bird always; the others on one draw,
// Rand() % 10 == 5, or Rand() % 5 == 2 in the stop phase.
bool LeavesBonusItem(const Bird& bird, bool stopPhase);
// The fruit a struck or stunned bird drops: rebuilt from what it carried at its carried-fruit
// point and knocked down. Start draws one random number (the fruit's sway).
Fruit DropCarriedFruit(const Bird& bird, bool longLife);

// The fruit a looking bird aims at, or -1: the first in state 2, 3 or 4 ahead of it, x from
// its x + 50 to its x + 200 flying right and from its x - 200 to its x - 50 flying left (both
// ends excluded). Only birds flying right or left look.
int FindFruitToAim(const Bird& bird, const std::vector<Fruit>& fruit);
// A kamikaze bird flying right knocks the fruit down when its right edge lies from the fruit's
// x + 10 to x + 30 and its beak within the fruit's top 10 pixels; never a held or tagged fruit.
bool KamikazeKnocks(const Bird& bird, const Fruit& fruit);
// A bird hovering at its fruit overlaps it and can take it.
bool ReachesFruit(const Bird& bird, const Fruit& fruit);
// The bird's side of taking a fruit: a golden ripe fruit loses its gold and shows picture 2;
// the bird keeps the fruit's state and picture and flies on carrying it.
void TakeFruit(Bird& bird, Fruit& fruit);

} // namespace Vuro
