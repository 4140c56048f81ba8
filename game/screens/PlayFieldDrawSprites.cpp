// The play field's creatures, helpers and effects: caterpillars, fruit (with the flies over a
// rotting one), birds, the autocar, hedgehogs, the broom, bonus items, smoke, the slingshot and
// its stones, magic shots and shot flashes.

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/rules/PlayField.h"
#include "game/screens/GameImages.h"
#include "game/screens/PlayFieldPictures.h"
#include "game/screens/PlayFieldView.h"

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

void PlayFieldView::DrawCaterpillars(Graphics* g) const {
    if (mImages == nullptr) {
        return;
    }
    for (const Caterpillar& caterpillar : mField.GetCaterpillars()) {
        const int state = caterpillar.GetState();
        if (state != Caterpillar::None && state != Caterpillar::Arrived) {
            g->DrawImageFrame(mImages->mCater, caterpillar.GetX(), caterpillar.GetY(),
                              caterpillar.GetFrame());
        }
    }
}

void PlayFieldView::DrawFruit(Graphics* g) const {
    if (mImages == nullptr) {
        return;
    }
    for (const Fruit& fruit : mField.GetFruit()) {
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

void PlayFieldView::DrawBirds(Graphics* g) const {
    if (mImages == nullptr) {
        return;
    }
    for (const Bird& bird : mField.GetBirds()) {
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

void PlayFieldView::DrawAutocar(Graphics* g) const {
    const TargetWalker& autocar = mField.GetAutocar();
    if (mImages != nullptr && autocar.IsPresent()) {
        g->DrawImageFrame(mImages->mAutocar, autocar.GetX(), autocar.GetY(), autocar.GetFrame());
    }
}

void PlayFieldView::DrawHedgehogs(Graphics* g) const {
    if (mImages == nullptr) {
        return;
    }
    for (const Hedgehog& hedgehog : mField.GetHedgehogs()) {
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

void PlayFieldView::DrawBroom(Graphics* g) const {
    const EdgeWalker& broom = mField.GetBroom();
    if (mImages != nullptr && broom.IsPresent()) {
        g->DrawImageFrame(mImages->mBroom, broom.GetX() - kBroomOffsetX,
                          broom.GetY() - kBroomOffsetY, broom.GetFrame());
    }
}

void PlayFieldView::DrawBonusItems(Graphics* g) const {
    if (mImages == nullptr) {
        return;
    }
    for (const Bouncer& item : mField.GetBonusItems()) {
        if (item.mKind != Bouncer::kErased) {
            g->DrawImageFrame(mImages->mBonus, item.mX, item.mY, item.mKind);
        }
    }
}

void PlayFieldView::DrawSmoke(Graphics* g) const {
    if (mImages == nullptr || !mField.GetTimer(PlayField::kTimerSmoke).mActive) {
        return;
    }
    const int cels = Columns(mImages->mSmoke);
    for (const LoopAnim& puff : mField.GetSmoke()) {
        if (puff.mActive && puff.mLooping) {
            g->DrawImageFrame(mImages->mSmoke, puff.mX - kSmokeOffsetX, puff.mY - kSmokeOffsetY,
                              Pictures::SmokeCel(puff.mFrame, cels));
        }
    }
}

void PlayFieldView::DrawSlingshot(Graphics* g) const {
    if (mImages == nullptr) {
        return;
    }
    if (mField.IsAimingAtBird() || mField.IsSurvival()) {
        g->DrawImage(mImages->mSlingshot, mField.GetMouseX() - kSlingshotOffsetX, kSlingshotY);
    }
    // Stones in flight stay in sight when the mouse leaves the bird they were shot at.
    for (const Mover& stone : mField.GetStones()) {
        if (stone.mState != Mover::kArrived) {
            g->DrawImage(mImages->mStone, stone.mX, stone.mY);
        }
    }
}

void PlayFieldView::DrawMagicShots(Graphics* g) const {
    if (mImages != nullptr) {
        DrawEffects(g, mImages->mMagicShot, mField.GetMagicShots());
    }
}

void PlayFieldView::DrawShots(Graphics* g) const {
    if (mImages != nullptr) {
        DrawEffects(g, mImages->mShot, mField.GetFlashes());
    }
}

} // namespace Vuro
