// The play field's creatures, helpers and effects: caterpillars, fruit (with the flies over a
// rotting one), birds, the autocar, hedgehogs, the broom, bonus items, smoke, the slingshot and
// its stones, magic shots and shot flashes.

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/screens/GameImages.h"
#include "game/rules/PlayField.h"
#include "game/screens/PlayFieldPictures.h"

#include <vector>

namespace Vuro {

namespace {

namespace Pictures = PlayFieldPictures;

// How far left and up a stunned bird's flash picture lies, by bird kind: the flash is wider
// than the bird, with the bird inside it at this offset.
constexpr int kFlashLeft[] = {5, 6, 5, 17};
constexpr int kFlashUp[] = {8, 9, 8, 5};
// The kamikaze bird's flight picture is drawn a little higher than its point.
constexpr int kKamikazeRaise = 5;

constexpr int kFlyOffsetX = 5;     // flies hover left of a rotting fruit
constexpr int kHedgehogFlashX = 5; // the stunned hedgehog's flash, left and up
constexpr int kHedgehogFlashY = 4;
constexpr int kBroomOffsetX = 5; // the broom picture, left and up of its point
constexpr int kBroomOffsetY = 13;
constexpr int kSmokeOffsetX = 7; // a puff, left and up of its caterpillar
constexpr int kSmokeOffsetY = 10;
constexpr int kSlingshotOffsetX = 5; // the slingshot, left of the mouse
constexpr int kSlingshotY = 392;

int Columns(const Image* sheet) {
    return sheet != nullptr ? sheet->mNumCols : 0;
}

// Each running effect at its point with its frame.
void DrawEffects(Graphics* g, Image* sheet, const std::vector<EffectAnim>& effects) {
    for (const EffectAnim& effect : effects) {
        if (effect.mActive) {
            g->DrawImageFrame(sheet, effect.mX, effect.mY, effect.mFrame);
        }
    }
}

} // namespace

void PlayField::DrawCaterpillars(Graphics* g) {
    if (mImages == nullptr) {
        return;
    }
    for (const Caterpillar& caterpillar : mCaterpillars) {
        const int state = caterpillar.GetState();
        if (state != Caterpillar::None && state != Caterpillar::Arrived) {
            g->DrawImageFrame(mImages->mCater, caterpillar.GetX(), caterpillar.GetY(),
                              caterpillar.GetFrame());
        }
    }
}

void PlayField::DrawFruit(Graphics* g) {
    if (mImages == nullptr) {
        return;
    }
    for (const Fruit& fruit : mFruit) {
        if (fruit.GetState() == Fruit::Finished) {
            continue;
        }
        if (fruit.GetState() == Fruit::Rotting) {
            g->DrawImageFrame(
                mImages->mFruitFly, fruit.GetRestX() - kFlyOffsetX, fruit.GetRestY(),
                Pictures::FruitFlyCel(fruit.GetRotFrame(), Columns(mImages->mFruitFly)));
        }
        g->DrawImageFrame(Pictures::FruitSheet(*mImages, fruit.GetKind(), fruit.GetState()),
                          fruit.GetX(), fruit.GetY(), fruit.GetPicture());
    }
}

void PlayField::DrawBirds(Graphics* g) {
    if (mImages == nullptr) {
        return;
    }
    for (const Bird& bird : mBirds) {
        const int kind = bird.GetKind();
        if (kind < Bird::Plain || kind > Bird::Kamikaze) {
            continue;
        }
        if (bird.IsCarrying()) {
            g->DrawImageFrame(
                Pictures::FruitSheet(*mImages, bird.GetCarriedKind(), bird.GetCarriedState()),
                bird.GetCarriedX(), bird.GetCarriedY(), bird.GetCarriedPicture());
        }
        Image* flight = Pictures::BirdFlightSheet(*mImages, kind);
        if (bird.IsHitPending()) {
            g->DrawImageFrame(Pictures::BirdShotSheet(*mImages, kind), bird.GetX(), bird.GetY(),
                              Pictures::ShotCel(bird.GetFrame(), Columns(flight)));
        } else if (bird.IsStunned()) {
            g->DrawImageFrame(Pictures::BirdFlashSheet(*mImages, kind),
                              bird.GetX() - kFlashLeft[kind], bird.GetY() - kFlashUp[kind],
                              bird.GetFrame());
        } else {
            const int y = kind == Bird::Kamikaze ? bird.GetY() - kKamikazeRaise : bird.GetY();
            g->DrawImageFrame(flight, bird.GetX(), y, bird.GetFrame());
        }
    }
}

void PlayField::DrawAutocar(Graphics* g) {
    if (mImages != nullptr && mAutocar.IsPresent()) {
        g->DrawImageFrame(mImages->mAutocar, mAutocar.GetX(), mAutocar.GetY(), mAutocar.GetFrame());
    }
}

void PlayField::DrawHedgehogs(Graphics* g) {
    if (mImages == nullptr) {
        return;
    }
    for (const Hedgehog& hedgehog : mHedgehogs) {
        const int state = hedgehog.GetState();
        if (state == Hedgehog::None || state == Hedgehog::Gone) {
            continue;
        }
        if (hedgehog.IsCarrying() && !hedgehog.IsStunned()) {
            g->DrawImageFrame(Pictures::FruitSheet(*mImages, hedgehog.GetCarriedKind(),
                                                   hedgehog.GetCarriedState()),
                              hedgehog.GetCarriedDrawX(), hedgehog.GetCarriedDrawY(),
                              hedgehog.GetCarriedPicture());
        }
        if (hedgehog.IsStunned()) {
            g->DrawImageFrame(mImages->mFlashHedgehog, hedgehog.GetX() - kHedgehogFlashX,
                              hedgehog.GetY() - kHedgehogFlashY, hedgehog.GetFrame());
        } else {
            g->DrawImageFrameAt(mImages->mHedgehog, hedgehog.GetX(), hedgehog.GetY(),
                                hedgehog.GetFrame(), hedgehog.GetFacing());
        }
    }
}

void PlayField::DrawBroom(Graphics* g) {
    if (mImages != nullptr && mBroom.IsPresent()) {
        g->DrawImageFrame(mImages->mBroom, mBroom.GetX() - kBroomOffsetX,
                          mBroom.GetY() - kBroomOffsetY, mBroom.GetFrame());
    }
}

void PlayField::DrawBonusItems(Graphics* g) {
    if (mImages == nullptr) {
        return;
    }
    for (const Bouncer& item : mBonusItems) {
        if (item.mKind != Bouncer::kErased) {
            g->DrawImageFrame(mImages->mBonus, item.mX, item.mY, item.mKind);
        }
    }
}

void PlayField::DrawSmoke(Graphics* g) {
    if (mImages == nullptr || !mTimers[kTimerSmoke].mActive) {
        return;
    }
    const int cels = Columns(mImages->mSmoke);
    for (const LoopAnim& puff : mSmoke) {
        if (puff.mActive && puff.mLooping) {
            g->DrawImageFrame(mImages->mSmoke, puff.mX - kSmokeOffsetX, puff.mY - kSmokeOffsetY,
                              Pictures::SmokeCel(puff.mFrame, cels));
        }
    }
}

void PlayField::DrawSlingshot(Graphics* g) {
    if (mImages == nullptr) {
        return;
    }
    if (mAimingAtBird == 1 || mSurvival) {
        g->DrawImage(mImages->mSlingshot, mMouseX - kSlingshotOffsetX, kSlingshotY);
    }
    // Stones in flight stay in sight when the mouse leaves the bird they were shot at.
    for (const Mover& stone : mStones) {
        if (stone.mState != Mover::kArrived) {
            g->DrawImage(mImages->mStone, stone.mX, stone.mY);
        }
    }
}

void PlayField::DrawMagicShots(Graphics* g) {
    if (mImages != nullptr) {
        DrawEffects(g, mImages->mMagicShot, mMagicShots);
    }
}

void PlayField::DrawShots(Graphics* g) {
    if (mImages != nullptr) {
        DrawEffects(g, mImages->mShot, mFlashes);
    }
}

} // namespace Vuro
