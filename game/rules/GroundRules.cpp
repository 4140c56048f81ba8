#include "game/rules/GroundRules.h"

#include "game/rules/Caterpillar.h"
#include "game/rules/EdgeWalker.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/Fruit.h"
#include "game/rules/Hedgehog.h"
#include "game/rules/TargetWalker.h"

namespace Vuro {

namespace {
constexpr int kCaterpillarWidth = 10;
constexpr int kHedgehogCarrySpan = 33;
constexpr int kBroomSpan = 40;
constexpr int kCollectTop = 380;
constexpr int kCollectBottom = 390;

bool WhollyUnder(const EdgeWalker& broom, int x, int width) {
    return broom.IsPresent() && x >= broom.GetX() && x + width <= broom.GetRightEdge();
}
} // namespace

bool HedgehogTakesFruit(const Hedgehog& hedgehog, const Fruit& fruit) {
    const int state = hedgehog.GetState();
    if (state < Hedgehog::WalkingRight || state > Hedgehog::SniffingFromLeft ||
        hedgehog.IsScared() || hedgehog.IsStunned() || fruit.IsHeld() ||
        fruit.GetState() != Fruit::OnGround) {
        return false;
    }
    return hedgehog.GetX() <= fruit.GetX() &&
           fruit.GetX() + kFruitSize <= hedgehog.GetX() + kHedgehogCarrySpan;
}

bool BroomSweepsFruit(const EdgeWalker& broom, const Fruit& fruit) {
    return !fruit.IsHeld() && fruit.GetState() == Fruit::Rotting &&
           WhollyUnder(broom, fruit.GetX(), kFruitSize);
}

bool BroomSweepsCaterpillar(const EdgeWalker& broom, const Caterpillar& caterpillar) {
    const int state = caterpillar.GetState();
    return (state == Caterpillar::CrawlingRight || state == Caterpillar::CrawlingLeft) &&
           WhollyUnder(broom, caterpillar.GetX(), kCaterpillarWidth);
}

bool BroomMeetsHedgehog(const EdgeWalker& broom, const Hedgehog& hedgehog) {
    return broom.IsPresent() && hedgehog.GetX() < broom.GetX() + kBroomSpan &&
           broom.GetX() < hedgehog.GetX() + Hedgehog::kWidth;
}

bool AutocarCollects(const TargetWalker& car, const Fruit& fruit, bool survival) {
    if (!car.IsPresent() || fruit.IsHeld() || (survival && !fruit.IsFalling())) {
        return false;
    }
    return fruit.GetY() >= kCollectTop && fruit.GetY() <= kCollectBottom &&
           car.Reaches(fruit.GetX());
}

} // namespace Vuro
