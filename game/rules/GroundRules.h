#pragma once
// What the play field decides about its ground actors each tick, as free functions over the
// actors and the field's fruit: which fruit a hedgehog carries off or the autocar collects, and
// what the broom sweeps away. Points, counters, pop-ups and sounds stay with the field.

namespace Vuro {

class Caterpillar;
class EdgeWalker;
class Fruit;
class Hedgehog;
class TargetWalker;

// A free fruit lying on the ground under a walking or sniffing hedgehog that is neither scared
// nor stunned (lightning puts its fruit down right under it): hedgehog x <= fruit x and
// fruit x + 20 <= hedgehog x + 33.
bool HedgehogTakesFruit(const Hedgehog& hedgehog, const Fruit& fruit);
// A free rotting fruit wholly under the broom (from its x to its right edge).
bool BroomSweepsFruit(const EdgeWalker& broom, const Fruit& fruit);
// A crawling caterpillar (10 pixels wide) wholly under the broom.
bool BroomSweepsCaterpillar(const EdgeWalker& broom, const Caterpillar& caterpillar);
// The hedgehog's 40 pixels overlap the broom's 40 pixels (from their x).
bool BroomMeetsHedgehog(const EdgeWalker& broom, const Hedgehog& hedgehog);
// A free fruit at y 380..390 within the autocar's reach; in survival only a knocked-down,
// falling one.
bool AutocarCollects(const TargetWalker& car, const Fruit& fruit, bool survival);

} // namespace Vuro
