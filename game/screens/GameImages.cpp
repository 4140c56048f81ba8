// The image set's construction and destruction, the picture loader every step shares, and
// LoadAll: the sprites, fonts and cursors of play in nine counted steps.

#include "game/screens/GameImages.h"

#include "framework/app/VuroAppBase.h"
#include "framework/display/DDImage.h"
#include "framework/fonts/FontData.h"
#include "framework/fonts/ImageFont.h"
#include "game/rules/PlayFieldHost.h"
#include "game/screens/GameHost.h"

#include <algorithm>

namespace Vuro {

namespace {

using G = GameImages;

// Steps 1 to 3, "images/fruitfly" and "images/cater" name the full path when they fail; the
// later pictures their bare name.
constexpr GameImageFile kLoadAllImages[] = {
    {"images/help_panel", 1, 1, 1, true, &G::mHelpPanel},
    {"images/black", 1, 1, 1, true, &G::mBlack},
    {"images/stat_button_over", 1, 1, 1, true, &G::mStatButtonOver},
    {"images/stat_button", 1, 1, 1, true, &G::mStatButton},
    {"images/stat_low", 1, 1, 1, true, &G::mStatLow},
    {"images/dlg", 1, 1, 1, true, &G::mDlg},
    {"images/button_1over", 1, 1, 1, true, &G::mButton1Over},
    {"images/button_1", 1, 1, 1, true, &G::mButton1},
    {"images/dlg_button", 1, 3, 1, true, &G::mDlgButton},
    {"images/lightning", 1, 8, 2, true, &G::mLightning},
    {"images/gameover", 1, 1, 2, true, &G::mGameOver},
    {"images/levelcompleted", 1, 1, 2, true, &G::mLevelCompleted},
    {"images/curtain", 1, 1, 2, true, &G::mCurtain},
    {"images/side", 1, 1, 2, true, &G::mSide},
    {"images/circles", 1, 7, 2, true, &G::mCircles},
    {"images/cursor", 1, 1, 2, true, &G::mCursor},
    {"images/cursor2", 1, 1, 2, true, &G::mCursor2},
    {"images/slingshot", 1, 1, 3, true, &G::mSlingshot},
    {"images/stone", 1, 1, 3, true, &G::mStone},
    {"images/appletree", 1, 1, 3, true, &G::mAppleTree},
    {"images/peartree", 1, 1, 3, true, &G::mPearTree},
    {"images/plumtree", 1, 1, 3, true, &G::mPlumTree},
    {"images/plumanim", 1, 6, 3, true, &G::mPlumAnim},
    {"images/plumgerm", 1, 4, 3, true, &G::mPlumGerm},
    {"images/orangetree", 1, 1, 3, true, &G::mOrangeTree},
    {"images/orangeanim", 1, 6, 3, true, &G::mOrangeAnim},
    {"images/orangegerm", 1, 4, 3, true, &G::mOrangeGerm},
    {"images/appleanim", 1, 6, 3, true, &G::mAppleAnim},
    {"images/applegerm", 1, 4, 3, true, &G::mAppleGerm},
    {"images/pearanim", 1, 6, 3, true, &G::mPearAnim},
    {"images/peargerm", 1, 4, 3, true, &G::mPearGerm},
    {"images/fruitfly", 1, 3, 4, true, &G::mFruitFly},
    {"images/cater", 1, 8, 4, true, &G::mCater},
    {"images/background_night", 1, 1, 4, false, &G::mStormBackground},
    {"images/menu_ingame", 1, 1, 5, false, &G::mMenuInGame},
    {"images/birdkamikadze", 1, 4, 6, false, &G::mBirdKamikadze},
    {"images/bird", 1, 10, 6, false, &G::mBird},
    {"images/bird_shot", 1, 2, 6, false, &G::mBirdShot},
    {"images/birdblack_shot", 1, 2, 6, false, &G::mBirdBlackShot},
    {"images/birdwhite_shot", 1, 2, 6, false, &G::mBirdWhiteShot},
    {"images/birdkamikadze_shot", 1, 2, 6, false, &G::mBirdKamikadzeShot},
    {"images/birdblack", 1, 8, 6, false, &G::mBirdBlack},
    {"images/birdwhite", 1, 10, 6, false, &G::mBirdWhite},
    {"images/Flash_kamikadze", 1, 8, 6, false, &G::mFlashKamikadze},
    {"images/Flash_black", 1, 8, 6, false, &G::mFlashBlack},
    {"images/Flash_white", 1, 8, 6, false, &G::mFlashWhite},
    {"images/flash_blue", 1, 8, 6, false, &G::mFlashBlue},
    {"images/broom", 1, 2, 7, false, &G::mBroom},
    {"images/bonus", 1, 7, 7, false, &G::mBonus},
    {"images/autocar", 1, 3, 7, false, &G::mAutocar},
    {"images/smoke", 1, 8, 7, false, &G::mSmoke},
    {"images/magicshot", 2, 5, 7, false, &G::mMagicShot},
    {"images/shot", 2, 5, 7, false, &G::mShot},
    {"images/clouds", 1, 1, 8, false, &G::mClouds},
    {"images/rain", 4, 1, 8, false, &G::mRain},
    {"images/hedgehog", 2, 5, 8, false, &G::mHedgehog},
    {"images/flash_hedgehog", 1, 6, 8, false, &G::mFlashHedgehog},
};

// Each font is loaded after the pictures of its step.
constexpr GameFontFile kLoadAllFonts[] = {
    {"images/fonts/num14.txt", 1, &G::mNumFont},
    {"images/fonts/MainMenu16Bold.txt", 1, &G::mMainMenuFont},
    {"images/fonts/Help14Bold.txt", 9, &G::mHelpFont},
};

} // namespace

std::span<const GameImageFile> GameImages::LoadAllImages() {
    return kLoadAllImages;
}

std::span<const GameFontFile> GameImages::LoadAllFonts() {
    return kLoadAllFonts;
}

std::vector<std::string> GameImages::AllImageFiles() {
    std::vector<std::string> files;
    auto add = [&files](const std::string& file) {
        if (std::find(files.begin(), files.end(), file) == files.end()) {
            files.push_back(file);
        }
    };
    for (const GameImageFile& file : LoadAllImages()) {
        add(file.mFile);
    }
    for (const GameImageFile& file : DaySkyImages()) {
        add(file.mFile);
    }
    for (const GameImageFile& file : NightSkyImages()) {
        add(file.mFile);
    }
    for (const GameAmbientFile& file : AmbientFiles()) {
        add(file.mFile);
    }
    for (const char* theme : kStageThemes) {
        add(std::string("images/") + theme);
    }
    for (const GameStagePicture& picture : kStagePictures) {
        add("images/" + StagePictureName(picture));
    }
    add(kEmptyFile);
    return files;
}

GameImages::~GameImages() {
    if (mCursorsGivenTo != nullptr) {
        VuroAppBase& app = mCursorsGivenTo->App();
        for (int number = 0; number < VuroAppBase::kCursorImageCount; ++number) {
            Image* shown = app.mCursorImages[number];
            if (shown != nullptr && (shown == mCursor || shown == mCursor2)) {
                app.SetCursorImage(number, mCursorsGivenTo->GetMenuCursor());
            }
        }
    }
    for (Image*& picture : mStagePictures) {
        delete picture;
    }
    delete mEmpty;
    delete mAmbient;
    delete mStageBackground;
    // The night set names every sky member the day set does, and the stars.
    for (const GameImageFile& file : NightSkyImages()) {
        delete (this->*file.mMember);
    }
    for (const GameImageFile& file : LoadAllImages()) {
        delete (this->*file.mMember);
    }
    for (const GameFontFile& file : LoadAllFonts()) {
        delete (this->*file.mMember);
    }
}

bool GameImages::LoadInto(Image*& member, const std::string& file, int rows, int cols,
                          const std::string& message) {
    Image* image = mApp->GetImage(file);
    if (image == nullptr) {
        mApp->Popup(message);
        return false;
    }
    image->mNumRows = rows;
    image->mNumCols = cols;
    delete member;
    member = image;
    return true;
}

bool GameImages::LoadInto(Image*& member, const GameImageFile& file) {
    std::string name = file.mFile;
    if (!file.mFullPathInMessage) {
        name = name.substr(name.find('/') + 1);
    }
    return LoadInto(member, file.mFile, file.mRows, file.mCols,
                    "There was an error loading the file: " + name);
}

bool GameImages::LoadSprites(VuroAppBase* app) {
    mApp = app;
    for (int step = 1; step <= kLoadAllSteps; ++step) {
        for (const GameImageFile& file : LoadAllImages()) {
            if (file.mStep == step && !LoadInto(this->*file.mMember, file)) {
                return false;
            }
        }
        for (const GameFontFile& file : LoadAllFonts()) {
            if (file.mStep != step) {
                continue;
            }
            auto* font = new ImageFont(app, file.mFile);
            if (!font->mFontData->mLoaded) {
                delete font;
                app->Popup(std::string("There was an error loading ") + file.mFile);
                return false;
            }
            delete (this->*file.mMember);
            this->*file.mMember = font;
        }
        ++app->mCompletedLoadingThreadTasks;
    }
    return true;
}

bool GameImages::LoadAll(GameHost* game) {
    VuroAppBase& app = game->App();
    if (!LoadSprites(&app)) {
        return false;
    }
    mCursorsGivenTo = game;
    app.SetCursorImage(CursorId::kSlingshot, mCursor);
    app.SetCursorImage(CursorId::kStoryAim, mCursor2);
    app.SetCursorImage(CursorId::kArrow, game->GetMenuCursor());
    app.SetCursorImage(CursorId::kHand, game->GetMenuCursor());
    app.SetCursor(CursorId::kArrow);
    return true;
}

} // namespace Vuro
