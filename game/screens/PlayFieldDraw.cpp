// The play field's drawing order and its scenery: the background (and the lightning strike),
// the sun or moon, the scrolling sky, the stage composite, the ambient animation, the trees and
// the rain cloud.

#include "framework/graphics/Graphics.h"
#include "game/rules/PlayField.h"
#include "game/screens/GameImages.h"
#include "game/screens/PlayFieldPictures.h"
#include "game/screens/PlayFieldView.h"

namespace Vuro {

namespace {

// The lightning picture strikes at two places.
constexpr int kLightningLeftX = 150;
constexpr int kLightningRightX = 490;

} // namespace

void PlayFieldView::DrawAll(Graphics* g, bool drawSlingshot) const {
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

void PlayFieldView::DrawBackground(Graphics* g) const {
    if (mImages == nullptr) {
        return;
    }
    const bool strike = mField.GetTimer(PlayField::kTimerLightning).mActive;
    const bool day = mField.IsDay();
    if (strike && day) {
        g->DrawImage(mImages->mStormBackground, 0, 0);
    } else {
        g->DrawImage(mImages->mSkyBackground, 0, 0);
        if (!day) {
            const FrameAnim& stars = mField.GetNightAnimation();
            g->DrawImageFrame(mImages->mStars, stars.mX, stars.mY, stars.mFrame);
        }
        // At night the storm keeps the night sky, and the moon (hidden by DrawSunMoon during a
        // strike) shows through it.
        if (strike) {
            const Drifter& sun = mField.GetSun();
            g->DrawImageFrame(mImages->mSunMoon, sun.mX, sun.mY, sun.mFrame);
        }
    }
    if (strike && mField.IsLightning()) {
        const int frame = mField.GetLightningFrame();
        g->DrawImageFrame(mImages->mLightning, kLightningRightX, 0, frame);
        g->DrawImageFrame(mImages->mLightning, kLightningLeftX, 0, frame);
    }
}

void PlayFieldView::DrawSunMoon(Graphics* g) const {
    const Drifter& sun = mField.GetSun();
    if (mImages == nullptr || sun.mState == Drifter::kGone ||
        mField.GetTimer(PlayField::kTimerLightning).mActive) {
        return;
    }
    g->DrawImageFrame(mImages->mSunMoon, sun.mX, sun.mY, sun.mFrame);
}

void PlayFieldView::DrawSky(Graphics* g) const {
    if (mImages == nullptr) {
        return;
    }
    for (int i = 0; i < PlayField::kSkyLayerCount; ++i) {
        const PlayField::SkyLayer& layer = mField.GetSkyLayer(i);
        g->DrawImage(mImages->mSky, layer.mX, layer.mY);
    }
}

void PlayFieldView::DrawStagePicture(Graphics* g) const {
    if (mImages != nullptr) {
        g->DrawImage(mImages->mEmpty, 0, 0);
    }
}

void PlayFieldView::DrawAmbient(Graphics* g) const {
    const FrameAnim& ambient = mField.GetAmbient();
    if (mImages == nullptr || ambient.mState == FrameAnim::kStopped) {
        return;
    }
    g->DrawImageFrame(mImages->mAmbient, ambient.mX, ambient.mY, ambient.mFrame);
}

void PlayFieldView::DrawTrees(Graphics* g) const {
    if (mImages == nullptr) {
        return;
    }
    for (const FruitTree& tree : mField.GetTrees()) {
        g->DrawImage(PlayFieldPictures::TreePicture(*mImages, tree.GetKind()), tree.GetX(),
                     tree.GetY());
    }
}

void PlayFieldView::DrawWeather(Graphics* g) const {
    if (mImages != nullptr) {
        DrawRainCloud(g, mField.GetRain(), mImages->mClouds, mImages->mRain);
    }
}

void PlayFieldView::DrawRainCloud(Graphics* g, const WeatherStepper& cloud, Image* cloudPicture,
                                  Image* rain) {
    if (!cloud.IsPresent()) {
        return;
    }
    for (int slot = 0; slot < WeatherStepper::kDropSlots; ++slot) {
        g->DrawImageFrame(rain, cloud.mX, cloud.DropY(slot), cloud.mFrame);
    }
    g->DrawImage(cloudPicture, cloud.mX, cloud.mY);
}

} // namespace Vuro
