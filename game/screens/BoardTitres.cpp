#include "game/screens/BoardTitres.h"

#include "framework/app/VuroAppBase.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/rules/GameSounds.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/GameHost.h"

namespace Vuro {

namespace {
constexpr int kSignLeft = 450;
constexpr int kSignTop = 415;
constexpr int kSignRight = 576;
constexpr int kSignBottom = 475;
constexpr Point kSignLit{468, 423};
constexpr Point kLogo{335, 17};
constexpr Point kPainting{370, 60};

constexpr int kScrollTicks = 10;
constexpr int kPictureTicks = 1000;
constexpr int kLastPicture = MenuArtSet::kCreditCount - 1;
constexpr int kLastLineY = 650;
constexpr int kGoneAbove = -20; // the last line has left the screen

constexpr int kTextX = 10;
constexpr Color kGreen{0, 255, 0};
constexpr Color kBlue{0, 0, 255};
constexpr Color kWhite{255, 255, 255};
struct CreditLine {
    int mText; // information text 1..10
    Color mColor;
    int mY; // below the scroll position
};
constexpr CreditLine kLines[] = {
    {1, kGreen, 10},  {2, kBlue, 80},   {3, kWhite, 110},         {4, kBlue, 190},
    {5, kWhite, 220}, {6, kBlue, 300},  {7, kWhite, 330},         {3, kWhite, 360},
    {8, kBlue, 440},  {9, kWhite, 470}, {10, kGreen, kLastLineY},
};
} // namespace

BoardTitres::BoardTitres(GameHost* game, BoardMenu* art)
    : mApp(&game->App()), mGame(game), mArt(art) {}

void BoardTitres::Restart(bool startWithPicture) {
    mHover = false;
    mClicked = false;
    mStartWithPicture = startWithPicture;
    if (startWithPicture) {
        return;
    }
    mPhase = kSecondPicture;
    // Without the file the credits run without their lines.
    mArt->ReadTexts(BoardMenu::kInfoTextFile);
}

void BoardTitres::Update() {
    if (!mApp->mHasFocus) {
        return;
    }
    Widget::Update();
    Invalidate();
    if (mPhase != kScrolling) {
        return;
    }
    const int tick = mApp->mUpdateCount;
    if (tick % kScrollTicks == 0) {
        --mScroll;
    }
    if (tick % kPictureTicks == 0 && mPicture < kLastPicture) {
        ++mPicture;
    }
    if (mScroll + kLastLineY <= kGoneAbove) {
        mPhase = kFinished;
        SwitchTo(GameHost::kScreenMenu);
    }
}

bool BoardTitres::OnSignpost(int x, int y) {
    return x >= kSignLeft && x <= kSignRight && y >= kSignTop && y <= kSignBottom;
}

void BoardTitres::SwitchTo(int screenId) {
    mGame->RequestSwitch({GameHost::kScreenTitres, screenId});
}

void BoardTitres::MouseMove(int x, int y) {
    if (mPhase == kFirstPicture) {
        mHover = OnSignpost(x, y);
    }
}

void BoardTitres::MouseDown(int x, int y, int clickCount) {
    Widget::MouseDown(x, y, clickCount);
    MouseMove(x, y);
}

void BoardTitres::MouseUpButton(int x, int y, int, int) {
    if (mPhase == kFirstPicture) {
        mHover = OnSignpost(x, y);
        if (mHover && !mClicked) {
            mApp->PlaySampleAt(SampleId::kClick, 0);
            SwitchTo(GameHost::kScreenMap);
            mClicked = true;
        }
    } else if (mPhase == kSecondPicture) {
        mApp->PlaySampleAt(SampleId::kClick, 0);
        mPhase = kScrolling;
    }
}

void BoardTitres::DrawCredits(Graphics* g) {
    const MenuArtSet& art = mArt->mArt;
    g->DrawImage(art.mPaintTable, 0, 0);
    g->SetFont(art.mMainFont);
    for (const CreditLine& line : kLines) {
        g->SetColor(line.mColor);
        g->DrawColoredString(mArt->mInfoTexts[line.mText - 1], kTextX, mScroll + line.mY);
    }
    if (art.mLogo != nullptr) {
        g->DrawImageFrame(art.mLogo, kLogo.mX, kLogo.mY, 0);
    }
    g->DrawImage(art.Credit(mPicture + 1), kPainting.mX, kPainting.mY);
}

void BoardTitres::Draw(Graphics* g) {
    const MenuArtSet& art = mArt->mArt;
    switch (mPhase) {
    case kFirstPicture:
        g->DrawImage(art.mStart, 0, 0);
        if (mHover) {
            g->DrawImage(art.mPlay, kSignLit.mX, kSignLit.mY);
        }
        break;
    case kSecondPicture:
        g->DrawImage(art.mEnd, 0, 0);
        break;
    case kScrolling:
        DrawCredits(g);
        break;
    default:
        break;
    }
}

} // namespace Vuro
