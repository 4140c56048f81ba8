#include "game/screens/BoardIntro.h"

#include "framework/app/VuroAppBase.h"
#include "framework/display/DDImage.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/sound/MusicInterface.h"
#include "game/rules/GameSounds.h"
#include "game/screens/GameHost.h"
#include "game/screens/LocalTexts.h"
#include "game/screens/MenuArtSet.h"
#include "game/screens/MenuDialog.h"

#include <algorithm>

namespace Vuro {

namespace {

constexpr const char* kFontFile = "images/fonts/MainMenu16Bold.txt";
constexpr int kDeveloperLogoX = 150;
constexpr int kDeveloperLogoY = 180;
constexpr int kBarX = 206;
constexpr int kBarY = 428;
constexpr Point kCaption{237, 458};
constexpr int kStartCaptionText = 11;
constexpr int kOpaque = 255;

// The pictures the intro cannot do without, in loading order.
struct IntroPicture {
    const char* mFile;
    Image* BoardIntro::*mMember;
    bool mPalettised;
};
constexpr IntroPicture kPictures[] = {
    {"images/kelmontrave", &BoardIntro::mDeveloperLogo, false},
    {"images/introload_empty", &BoardIntro::mBarEmpty, true},
    {"images/introload_full", &BoardIntro::mBarFull, true},
    {"images/Logo_game_ru", &BoardIntro::mTitle, true},
};

bool InStartBox(int x, int y) {
    return x >= BoardIntro::kStartLeft && x <= BoardIntro::kStartRight &&
           y >= BoardIntro::kStartTop && y <= BoardIntro::kStartBottom;
}

} // namespace

BoardIntro::BoardIntro(GameHost* game) : mApp(&game->App()), mGame(game) {}

std::vector<std::string> BoardIntro::RequiredPictures() {
    std::vector<std::string> files;
    for (const IntroPicture& picture : kPictures) {
        files.emplace_back(picture.mFile);
    }
    return files;
}

BoardIntro::~BoardIntro() {
    for (const IntroPicture& picture : kPictures) {
        delete (this->*picture.mMember);
    }
    delete mFirstSplash;
    delete mSecondSplash;
    delete mFont;
}

void BoardIntro::LoadResources(bool) {
    if (!ReadBranding()) {
        mApp->Popup(std::string("There was an error loading data from: ") + kBrandingFile);
        return;
    }
    mFirstSplash = mApp->GetImage(kFirstSplashFile);
    if (mFirstSplash != nullptr) {
        mSecondSplash = mApp->GetImage(kSecondSplashFile);
        if (mSecondSplash == nullptr) {
            gSplashCount = 1;
        }
    } else {
        mFirstSplash = mApp->GetImage(kSecondSplashFile);
        gSplashCount = mFirstSplash != nullptr ? 1 : 0;
    }
    for (const IntroPicture& picture : kPictures) {
        DDImage* image = mApp->GetImage(picture.mFile);
        if (image == nullptr) {
            mApp->Popup(std::string("There was an error loading the file: ") + picture.mFile);
            return;
        }
        this->*picture.mMember = image;
    }
    for (const IntroPicture& picture : kPictures) {
        if (picture.mPalettised) {
            (void)static_cast<DDImage*>(this->*picture.mMember)->Palletize();
        }
    }
    mFont = LoadFontOrPopup(mApp, kFontFile);
    if (mFont == nullptr) {
        return;
    }
    mGame->RequestSwitch({GameHost::kScreenIntro, GameHost::kScreenMenu});
    mUpdateCount = 0;
}

int BoardIntro::PhaseLimit() const {
    return kPhaseLimits[std::clamp(gSplashCount, 0, kMaxSplashCount)];
}

bool BoardIntro::LoadedEverything() const {
    return mApp->mCompletedLoadingThreadTasks >= mApp->mNumLoadingThreadTasks;
}

bool BoardIntro::Ready() const {
    return mSeconds >= PhaseLimit() && LoadedEverything();
}

// ---- [Update] ----

void BoardIntro::StepFade() {
    if (mFadingIn) {
        if (++mFadeAlpha >= kOpaque) {
            mFadeAlpha = kOpaque;
            mFadingIn = false;
        }
        return;
    }
    if (mFadeAlpha > 0) {
        --mFadeAlpha;
    }
    // With splash pictures each picture fades in and out in turn; the last one keeps doing so.
    if (mFadeAlpha == 0 && gSplashCount > 0) {
        mFadingIn = true;
        gSplashStage = std::min(gSplashStage + 1, gSplashCount);
    }
}

void BoardIntro::Update() {
    if (!mApp->mHasFocus) {
        return;
    }
    Widget::Update();
    if (!mMusicStarted) {
        mApp->mMusicInterface->PlayMusic(SongId::kIntro, 0, true);
        mMusicStarted = true;
    }
    if (!mFinished) {
        StepFade();
        if (mUpdateCount % kTicksPerSecond == 0) {
            if (mSeconds < PhaseLimit()) {
                ++mSeconds;
            } else {
                mApp->mMusicInterface->PlayMusic(SongId::kMenu, 0, false);
                mFinished = true;
            }
        }
    }
    // The bar follows the loading work.
    Invalidate();
}

// ---- [Drawing] ----

void BoardIntro::DrawSplash(Graphics* g) {
    g->SetColor(Color(255, 255, 255));
    g->FillRect(0, 0, mApp->mWidth, mApp->mHeight);
    g->SetColor(Color(255, 255, 255, mFadeAlpha));
    g->SetColorizeImages(true);
    Image* splash = nullptr;
    if (gSplashCount > 0 && gSplashStage == 0) {
        splash = mFirstSplash;
    } else if (gSplashCount > 0 && gSplashStage == 1) {
        splash = mSecondSplash;
    }
    if (splash != nullptr) {
        g->DrawImageStretch(splash, 0, 0, mApp->mWidth, mApp->mHeight);
    } else {
        g->DrawImage(mDeveloperLogo, kDeveloperLogoX, kDeveloperLogoY);
    }
    g->SetColorizeImages(false);
}

void BoardIntro::DrawTitle(Graphics* g) {
    g->DrawImage(mTitle, 0, 0);
    g->DrawImage(mBarEmpty, kBarX, kBarY);
    // The bar shows 1 / remaining of its length, so it fills faster towards the end.
    const int remaining = mApp->mNumLoadingThreadTasks - mApp->mCompletedLoadingThreadTasks;
    const int width = remaining > 0 ? mBarFull->GetWidth() / remaining : mBarFull->GetWidth();
    g->DrawImageSrc(mBarFull, kBarX, kBarY, Rect(0, 0, width, mBarFull->GetHeight()));
}

void BoardIntro::DrawStartCaption(Graphics* g) {
    const std::string& caption = mGame->GetHelpText(kStartCaptionText);
    g->SetColor(Color(0, 0, 0));
    g->DrawString(caption, kCaption.mX + 1, kCaption.mY + 1);
    g->SetColor(mStartHover ? kMenuYellow : Color(255, 255, 255));
    g->DrawString(caption, kCaption.mX, kCaption.mY);
}

void BoardIntro::Draw(Graphics* g) {
    g->SetFont(mFont);
    if (mFinished) {
        DrawTitle(g);
    } else {
        DrawSplash(g);
    }
    // Once the menu has loaded, over the splash pictures too; its box answers once the splash
    // phase is over.
    if (LoadedEverything()) {
        DrawStartCaption(g);
    }
}

// ---- [Mouse] ----

void BoardIntro::MouseMove(int x, int y) {
    mMouseX = x;
    mMouseY = y;
    mStartHover = InStartBox(x, y);
}

void BoardIntro::MouseDown(int x, int y, int) {
    if (!Ready()) {
        return;
    }
    mMouseX = x;
    mMouseY = y;
    if (InStartBox(x, y)) {
        mApp->PlaySampleAt(SampleId::kClick, 0);
        mGame->FinishMenuScreen();
    }
}

void BoardIntro::MouseUpButton(int x, int y, int, int) {
    mMouseX = x;
    mMouseY = y;
}

} // namespace Vuro
