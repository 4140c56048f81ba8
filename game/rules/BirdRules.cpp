#include "game/rules/BirdRules.h"

#include "framework/util/MersenneTwister.h"
#include "game/rules/Bird.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/Fruit.h"

#include <cstddef>

namespace Vuro {

namespace {

constexpr int kEnterLeftX = -50;
constexpr int kEnterRightX = kFieldWidth;
constexpr int kStoneInset = 5;
constexpr int kAimMargin = 20;
constexpr int kLookNear = 50;
constexpr int kLookFar = 200;
constexpr int kTakeDepth = 20;  // a beak this far down the fruit takes it
constexpr int kKnockDepth = 10; // a kamikaze beak this far down knocks it
constexpr int kKnockNear = 10;
constexpr int kKnockFar = 30;

bool IsHanging(const Fruit& fruit) {
    const int state = fruit.GetState();
    return state == Fruit::Ripening || state == Fruit::RipeningLate || state == Fruit::Ripe;
}

} // namespace

void LaunchFromEdge(Bird& bird, int kind) {
    const int y = kind == Bird::Kamikaze ? (Rand() % 3 + 11) * 20 : (Rand() % 6 + 8) * 25;
    if ((Rand() & 1) != 0) {
        bird.Launch(kEnterLeftX, y, kEnterRightX, y, kind);
    } else {
        bird.Launch(kEnterRightX, y, kEnterLeftX, y, kind);
    }
}

bool StoneHits(const Bird& bird, int x, int y, bool stopPhase) {
    if (stopPhase && (bird.IsStunned() || bird.IsHitPending())) {
        return false;
    }
    return x >= bird.GetX() && x <= bird.GetRightEdge() - kStoneInset && y >= bird.GetY() &&
           y <= bird.GetBottom();
}

bool IsAimedAt(const Bird& bird, int x, int y) {
    return x >= bird.GetX() - kAimMargin && x <= bird.GetRightEdge() + kAimMargin &&
           y >= bird.GetY() - kAimMargin && y <= bird.GetBottom() + kAimMargin;
}

int ShotPoints(const Bird& bird) {
    if (bird.GetKind() == Bird::Black) {
        return 10;
    }
    if (bird.GetKind() == Bird::Kamikaze && !bird.IsCarrying()) {
        return 20;
    }
    return 5;
}

bool LeavesBonusItem(const Bird& bird, bool stopPhase) {
    if (bird.GetKind() == Bird::White) {
        return true;
    }
    return stopPhase ? Rand() % 5 == 2 : Rand() % 10 == 5;
}

Fruit DropCarriedFruit(const Bird& bird, bool longLife) {
    Fruit fruit;
    const int x = bird.GetCarriedX();
    const int y = bird.GetCarriedY();
    fruit.Start(bird.GetCarriedKind(), x, y, bird.GetFruitTargetId());
    fruit.SetLongLife(longLife);
    fruit.SetState(bird.GetCarriedState());
    fruit.SetPicture(bird.GetCarriedPicture());
    fruit.KnockDown(x, y);
    return fruit;
}

int FindFruitToAim(const Bird& bird, const std::vector<Fruit>& fruit) {
    int low = 0;
    int high = 0;
    if (bird.GetState() == Bird::FlyingRight) {
        low = bird.GetX() + kLookNear;
        high = bird.GetX() + kLookFar;
    } else if (bird.GetState() == Bird::FlyingLeft) {
        low = bird.GetX() - kLookFar;
        high = bird.GetX() - kLookNear;
    } else {
        return -1;
    }
    for (std::size_t i = 0; i < fruit.size(); ++i) {
        const int x = fruit[i].GetX();
        if (IsHanging(fruit[i]) && x > low && x < high) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool KamikazeKnocks(const Bird& bird, const Fruit& fruit) {
    if (bird.GetKind() != Bird::Kamikaze || bird.GetState() != Bird::FlyingRight ||
        fruit.IsHeld() || fruit.IsTagged()) {
        return false;
    }
    const int right = bird.GetRightEdge();
    const int beak = bird.GetBeakY();
    return right >= fruit.GetX() + kKnockNear && right <= fruit.GetX() + kKnockFar &&
           beak >= fruit.GetY() && beak < fruit.GetY() + kKnockDepth;
}

bool ReachesFruit(const Bird& bird, const Fruit& fruit) {
    const int x = fruit.GetX();
    bool across = false;
    if (bird.GetState() == Bird::AtFruitFlyingRight) {
        across = x > bird.GetX() && x <= bird.GetRightEdge();
    } else if (bird.GetState() == Bird::AtFruitFlyingLeft) {
        across = x + kFruitSize > bird.GetX() && x + kFruitSize < bird.GetRightEdge();
    }
    const int beak = bird.GetBeakY();
    const int top = fruit.GetY();
    const bool level =
        (beak >= top && beak < top + kTakeDepth) || (top >= beak && top <= bird.GetBottom());
    return across && level;
}

void TakeFruit(Bird& bird, Fruit& fruit) {
    if (fruit.IsGolden() && fruit.GetState() == Fruit::Ripe) {
        fruit.SetGolden(false);
        fruit.SetPicture(2);
    }
    bird.SetCarried(fruit.GetState(), fruit.GetPicture());
    bird.SetCarrying(true);
}

} // namespace Vuro
