// The panel under the play field and the texts over it: the in-game menu strip, the goals, the
// time and score, the status icons, the score and combo pop-ups and the level banner. Texts
// are written in the image set's help font.

#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/util/StringHelpers.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/PlayField.h"
#include "game/screens/GameImages.h"
#include "game/screens/PlayFieldPictures.h"
#include "game/screens/PlayFieldView.h"
#include "platform/TextEncoding.h"

#include <string>

namespace Vuro {

namespace {

using PlayFieldPictures::DrawShadowedString;

// Goals of fruit kinds 1..4, at kGoalTextPoints.
constexpr Color kGoalOpen(191, 0, 0);
constexpr Color kGoalMet(0, 191, 0);

constexpr Color kTimeColor(0, 0, 191);
constexpr int kTimeX = 34;
constexpr int kTimeY = 444;
constexpr int kScoreX = 36;
constexpr int kWideScoreX = 30; // four digits and more
constexpr int kScoreY = 471;

// Status icons: the slingshot's socket, then one slot every 45 pixels.
constexpr int kCirclesY = 423;
constexpr int kSlingshotIconX = 259;
constexpr int kDoubleShotIconX = 258;
constexpr int kFirstSlotX = 299;
constexpr int kSlotWidth = 45;
constexpr int kSlotInset = 5;
enum StatusCel {
    kAutocarCel = 0,
    kBroomCel = 1,
    kSmokeCel = 2,
    kSlingshotCel = 3,
    kDoubleShotCel = 4,
    kStopCel = 5,
    kLightningCel = 6,
};

constexpr Color kGainColor(50, 190, 50);
constexpr Color kLossColor(255, 0, 0);
constexpr int kNumberShadow = 2;

// Combo results 1..4: the points and the kind of run.
const char* const kBonusAmounts[] = {"+30", "+50", "+100", "+40"};
const std::string kBonusLabels[] = {"3xБонус"_cp1251, "5xБонус"_cp1251, "10xБонус"_cp1251,
                                    "4xБонус"_cp1251};
constexpr Color kBonusColor(26, 94, 176);
constexpr int kBonusLabelBelow = 15;

// The banner's caption sits on its ribbon.
const std::string kLevelCaption = "Уровень"_cp1251;
const std::string kWaveCaption = "Волна"_cp1251;
constexpr int kLevelCaptionX = 38;
constexpr int kWaveCaptionX = 41;
constexpr int kCaptionBelow = 43;
constexpr Color kCaptionColor(248, 255, 68);

// "m:ss" below the hour; a negative time shows as 0:00.
std::string FormatTime(int seconds) {
    seconds = seconds > 0 ? seconds : 0;
    const int minutes = seconds / 60;
    const int rest = seconds % 60;
    return StrFormat(rest >= 10 ? "%d:%d" : "%d:0%d", minutes, rest);
}

} // namespace

void PlayFieldView::DrawMenuButton(Graphics* g) const {
    if (mImages != nullptr) {
        g->DrawImage(mImages->mMenuInGame, 0, kFieldBottom);
    }
}

void PlayFieldView::DrawHud(Graphics* g) const {
    if (mImages == nullptr) {
        return;
    }
    g->SetFont(mImages->mHelpFont);
    for (int kind = 1; kind <= kFruitKinds; ++kind) {
        const int goal = mField.GetGoal(kind);
        const int collected = mField.GetCollected(kind);
        int shown = goal;
        bool met = collected >= goal;
        if (!mField.IsSurvival()) {
            shown = met ? 0 : goal - collected;
        }
        const FieldPoint& point = kGoalTextPoints[kind - 1];
        DrawShadowedString(g, StrFormat("%d", shown), point.mX, point.mY,
                           met ? kGoalMet : kGoalOpen, 1);
    }
}

void PlayFieldView::DrawTime(Graphics* g) const {
    if (mImages == nullptr) {
        return;
    }
    g->SetFont(mImages->mHelpFont);
    const int score = mField.GetScore();
    DrawShadowedString(g, FormatTime(mField.GetLevelTime()), kTimeX, kTimeY, kTimeColor, 1);
    DrawShadowedString(g, StrFormat("%d", score), score > 999 ? kWideScoreX : kScoreX, kScoreY,
                       kTimeColor, 1);
}

void PlayFieldView::DrawCircles(Graphics* g) const {
    if (mImages == nullptr) {
        return;
    }
    Image* icons = mImages->mCircles;
    if (mField.GetTimer(PlayField::kTimerDoubleShot).mActive) {
        g->DrawImageFrame(icons, kDoubleShotIconX, kCirclesY, kDoubleShotCel);
    } else {
        g->DrawImageFrame(icons, kSlingshotIconX, kCirclesY, kSlingshotCel);
    }
    int slotX = kFirstSlotX;
    auto next = [&](bool shown, int cel) {
        if (shown) {
            g->DrawImageFrame(icons, slotX + kSlotInset, kCirclesY, cel);
            slotX += kSlotWidth;
        }
    };
    next(mField.GetBroom().IsPresent(), kBroomCel);
    next(mField.GetAutocar().IsPresent(), kAutocarCel);
    next(mField.GetTimer(PlayField::kTimerSmoke).mActive, kSmokeCel);
    next(mField.IsStopPhase(), kStopCel);
    next(mField.GetTimer(PlayField::kTimerLightning).mActive, kLightningCel);
}

void PlayFieldView::DrawNumberPopups(Graphics* g) const {
    if (mImages == nullptr) {
        return;
    }
    g->SetFont(mImages->mHelpFont);
    for (const Countdown& popup : mField.GetNumberPopups()) {
        if (!popup.mActive) {
            continue;
        }
        const bool gain = popup.mValue > 0;
        DrawShadowedString(g, StrFormat(gain ? "+%d" : "%d", popup.mValue), popup.mX, popup.mY,
                           gain ? kGainColor : kLossColor, kNumberShadow);
    }
}

void PlayFieldView::DrawBonusPopups(Graphics* g) const {
    if (mImages == nullptr) {
        return;
    }
    g->SetFont(mImages->mHelpFont);
    for (const Countdown& popup : mField.GetBonusPopups()) {
        const int index = popup.mValue - 1;
        if (!popup.mActive || index < 0 || index >= 4) {
            continue;
        }
        DrawShadowedString(g, kBonusAmounts[index], popup.mX, popup.mY, kBonusColor, 1);
        DrawShadowedString(g, kBonusLabels[index], popup.mX, popup.mY + kBonusLabelBelow,
                           kBonusColor, 1);
    }
}

void PlayFieldView::DrawBanner(Graphics* g) const {
    const RiseFade& banner = mField.GetBanner();
    if (mImages == nullptr || !banner.mActive) {
        return;
    }
    const int y = banner.mOffset;
    g->DrawImage(mImages->mSide, 0, y);
    g->SetFont(mImages->mHelpFont);
    if (mField.IsSurvival()) {
        DrawShadowedString(g, kWaveCaption + StrFormat(" %d", mField.GetSurvivalBonusCount()),
                           kWaveCaptionX, y + kCaptionBelow, kCaptionColor, 1);
    } else {
        DrawShadowedString(g, kLevelCaption + StrFormat(" %d", mField.GetLevel()), kLevelCaptionX,
                           y + kCaptionBelow, kCaptionColor, 1);
    }
}

} // namespace Vuro
