// The play field's drawing order and its scenery: the background (and the lightning strike),
// the sun or moon, the scrolling sky, the stage composite, the ambient animation, the trees and
// the rain cloud.

#include "framework/graphics/Graphics.h"
#include "game/screens/GameImages.h"
#include "game/rules/PlayField.h"
#include "game/screens/PlayFieldPictures.h"

namespace Vuro {

namespace {

// The lightning picture strikes at two places.
constexpr int kLightningLeftX = 150;
constexpr int kLightningRightX = 490;
// Rain falls in slots below the cloud.
constexpr int kRainTop = 70;
constexpr int kRainSlotHeight = 52;

} // namespace

void PlayField::DrawAll(Graphics* g, bool drawSlingshot) {
    DrawBackground(g);
    DrawSunMoon(g);
    DrawSky(g);
    DrawStagePicture(g);
    DrawAmbient(g);
    DrawTrees(g);
    DrawCaterpillars(g);
    DrawFruit(g);
    DrawBirds(g);
    DrawAutocar(g);
    DrawHedgehogs(g);
    DrawMenuButton(g);
    DrawHud(g);
    DrawTime(g);
    DrawBroom(g);
    DrawBonusItems(g);
    DrawSmoke(g);
    if (drawSlingshot) {
        DrawSlingshot(g);
    }
    DrawCircles(g);
    DrawMagicShots(g);
    DrawShots(g);
    DrawWeather(g);
    DrawSmoke(g);
    DrawNumberPopups(g);
    DrawBonusPopups(g);
    DrawBanner(g);
}

void PlayField::DrawBackground(Graphics* g) {
    if (mImages == nullptr) {
        return;
    }
    const bool strike = mTimers[kTimerLightning].mActive;
    if (strike && mDay) {
        g->DrawImage(mImages->mStormBackground, 0, 0);
    } else {
        g->DrawImage(mImages->mSkyBackground, 0, 0);
        if (!mDay) {
            g->DrawImageFrame(mImages->mStars, mAmbient2.mX, mAmbient2.mY, mAmbient2.mFrame);
        }
        // At night the storm keeps the night sky, and the moon (hidden by DrawSunMoon during a
        // strike) shows through it.
        if (strike) {
            g->DrawImageFrame(mImages->mSunMoon, mSun.mX, mSun.mY, mSun.mFrame);
        }
    }
    if (strike && mLightning) {
        g->DrawImageFrame(mImages->mLightning, kLightningRightX, 0, mLightningFrame);
        g->DrawImageFrame(mImages->mLightning, kLightningLeftX, 0, mLightningFrame);
    }
}

void PlayField::DrawSunMoon(Graphics* g) {
    if (mImages == nullptr || mSun.mState == Drifter::kGone || mTimers[kTimerLightning].mActive) {
        return;
    }
    g->DrawImageFrame(mImages->mSunMoon, mSun.mX, mSun.mY, mSun.mFrame);
}

void PlayField::DrawSky(Graphics* g) {
    if (mImages == nullptr) {
        return;
    }
    for (const SkyLayer& layer : mSkyLayers) {
        g->DrawImage(mImages->mSky, layer.mX, layer.mY);
    }
}

void PlayField::DrawStagePicture(Graphics* g) {
    if (mImages != nullptr) {
        g->DrawImage(mImages->mEmpty, 0, 0);
    }
}

void PlayField::DrawAmbient(Graphics* g) {
    if (mImages == nullptr || mAmbient.mState == FrameAnim::kStopped) {
        return;
    }
    g->DrawImageFrame(mImages->mAmbient, mAmbient.mX, mAmbient.mY, mAmbient.mFrame);
}

void PlayField::DrawTrees(Graphics* g) {
    if (mImages == nullptr) {
        return;
    }
    for (const FruitTree& tree : mTrees) {
        g->DrawImage(PlayFieldPictures::TreePicture(*mImages, tree.GetKind()), tree.GetX(),
                     tree.GetY());
    }
}

void PlayField::DrawWeather(Graphics* g) {
    if (mImages == nullptr || !mRain.IsPresent()) {
        return;
    }
    for (int slot = 0; slot < WeatherStepper::kDropSlots; ++slot) {
        g->DrawImageFrame(mImages->mRain, mRain.mX, mRain.mY + kRainSlotHeight * slot + kRainTop,
                          mRain.mFrame);
    }
    g->DrawImage(mImages->mClouds, mRain.mX, mRain.mY);
}

} // namespace Vuro
