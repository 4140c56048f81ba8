#include "game/screens/MenuArtSet.h"

#include "framework/app/VuroAppBase.h"
#include "framework/display/DDImage.h"
#include "framework/fonts/FontData.h"
#include "framework/fonts/ImageFont.h"

#include <algorithm>

namespace Vuro {

namespace {

using A = MenuArtSet;
using S = MenuArtStep;

constexpr MenuArtStep Pic(const char* file, const char* failure, Image* A::*member, int rows = 1,
                          int cols = 1, bool counts = false) {
    return {S::Picture, file, rows, cols, failure, member, nullptr, counts};
}
// A picture whose failure text names it with its folder, as most later ones do.
constexpr MenuArtStep PicFull(const char* file, Image* A::*member, bool counts = false) {
    return Pic(file, file, member, 1, 1, counts);
}

constexpr MenuArtStep kLoadTable[] = {
    {S::OptionalPicture, "images/logo_RU", 1, 2, nullptr, &A::mLogo, nullptr, false},
    Pic("images/easy", "easy", &A::mEasy),
    Pic("images/easy_over", "easy_over", &A::mEasyOver),
    Pic("images/easy_enable", "easy_enable", &A::mEasyEnable),
    Pic("images/easy_enable_over", "easy_enable_over", &A::mEasyEnableOver),
    Pic("images/octi", "octi", &A::mOcti, 1, 2),
    Pic("images/ship", "ship", &A::mShip, 1, 4),
    Pic("images/ship2", "ship2", &A::mShip2, 1, 4),
    Pic("images/painttable", "painttable", &A::mPaintTable),
    Pic("images/cred1", "cred1", &A::mCred1),
    Pic("images/cred2", "cred2", &A::mCred2),
    Pic("images/cred3", "cred3", &A::mCred3),
    Pic("images/cred4", "cred4", &A::mCred4),
    Pic("images/cred5", "cred", &A::mCred5), // its failure text names "cred", without the number
    Pic("images/cred6", "cred6", &A::mCred6),
    Pic("images/cred7", "cred7", &A::mCred7),
    {S::PaletteCredits, "", 1, 1, nullptr, nullptr, nullptr, false},
    Pic("images/sky", "sky", &A::mSky),
    Pic("images/background_menu", "background_menu", &A::mBackgroundMenu),
    Pic("images/sun", "sun", &A::mSun, 1, 2),
    PicFull("images/black", &A::mBlack),
    {S::Font, "images/fonts/MainMenu16Bold.txt", 1, 1, nullptr, nullptr, &A::mMainFont, false},
    {S::Font, "images/fonts/num14.txt", 1, 1, nullptr, nullptr, &A::mNumFont, true},
    PicFull("images/start", &A::mStart),
    PicFull("images/end", &A::mEnd),
    PicFull("images/play", &A::mPlay, true),
    PicFull("images/button_1", &A::mButton, true),
    PicFull("images/map", &A::mMap),
    PicFull("images/curpoint", &A::mCurPoint),
    PicFull("images/emptypoint", &A::mEmptyPoint),
    PicFull("images/fillpoint", &A::mFillPoint, true),
    PicFull("images/levelselect1", &A::mLevelSelect1),
    PicFull("images/levelselect2", &A::mLevelSelect2),
    PicFull("images/levelselect3", &A::mLevelSelect3),
    PicFull("images/levelselect6", &A::mLevelSelect6),
    PicFull("images/levelselect5", &A::mLevelSelect5),
    PicFull("images/levelselect4", &A::mLevelSelect4, true),
    PicFull("images/lock", &A::mLock, true),
    PicFull("images/stat", &A::mStat, true),
    // Some failure texts below name the picture otherwise than its file (checkbox, dialog,
    // dialog_btn, slider_thumb).
    Pic("images/light", "images/checkbox", &A::mCheckbox, 2, 1),
    Pic("images/dlg", "images/dialog", &A::mDialog),
    Pic("images/button_1", "images/dialog_btn", &A::mDialogButton),
    Pic("images/dlg_button", "images/dlg_button", &A::mDlgButton, 1, 3),
    PicFull("images/button_1over", &A::mButtonOver, true),
    PicFull("images/slider", &A::mSlider, true),
    Pic("images/sliderthumb", "images/slider_thumb", &A::mSliderThumb, 1, 1, true),
    PicFull("images/button1", &A::mButton1),
    PicFull("images/buttonover1", &A::mButtonOver1),
    PicFull("images/button2", &A::mButton2),
    PicFull("images/buttonover2", &A::mButtonOver2, true),
    PicFull("images/button3", &A::mButton3),
    PicFull("images/buttonover3", &A::mButtonOver3),
    PicFull("images/button4", &A::mButton4),
    PicFull("images/buttonover4", &A::mButtonOver4, true),
    PicFull("images/button5", &A::mButton5),
    PicFull("images/buttonover5", &A::mButtonOver5, true),
    PicFull("images/button6", &A::mButton6),
    PicFull("images/buttonover6", &A::mButtonOver6, true),
    PicFull("images/button7", &A::mButton7),
    PicFull("images/buttonover7", &A::mButtonOver7),
    PicFull("images/profileicon", &A::mProfileIcon),
    PicFull("images/profileiconover", &A::mProfileIconOver, true),
    PicFull("images/menu", &A::mMenu),
};

constexpr Image* A::*kCredits[MenuArtSet::kCreditCount] = {
    &A::mCred1, &A::mCred2, &A::mCred3, &A::mCred4, &A::mCred5, &A::mCred6, &A::mCred7};
constexpr Image* A::*kLevelSelects[MenuArtSet::kLevelSelectCount] = {
    &A::mLevelSelect1, &A::mLevelSelect2, &A::mLevelSelect3,
    &A::mLevelSelect4, &A::mLevelSelect5, &A::mLevelSelect6};

} // namespace

ImageFont* LoadFontOrPopup(VuroAppBase* app, const std::string& descriptor) {
    auto* font = new ImageFont(app, descriptor);
    if (!font->mFontData->mLoaded) {
        delete font;
        app->Popup("There was an error loading " + descriptor);
        return nullptr;
    }
    return font;
}

std::span<const MenuArtStep> MenuArtSet::LoadTable() {
    return kLoadTable;
}

std::vector<std::string> MenuArtSet::PictureFiles() {
    std::vector<std::string> files;
    for (const MenuArtStep& step : kLoadTable) {
        if ((step.mKind == S::Picture || step.mKind == S::OptionalPicture) &&
            std::find(files.begin(), files.end(), step.mFile) == files.end()) {
            files.emplace_back(step.mFile);
        }
    }
    return files;
}

MenuArtSet::~MenuArtSet() {
    for (const MenuArtStep& step : kLoadTable) {
        if (step.mImage != nullptr) {
            delete (this->*step.mImage);
        }
        if (step.mFont != nullptr) {
            delete (this->*step.mFont);
        }
    }
}

Image* MenuArtSet::Credit(int number) const {
    return number >= 1 && number <= kCreditCount ? this->*kCredits[number - 1] : nullptr;
}

Image* MenuArtSet::LevelSelect(int stage) const {
    return stage >= 1 && stage <= kLevelSelectCount ? this->*kLevelSelects[stage - 1] : nullptr;
}

void MenuArtSet::PaletteCredits() {
    for (Image* A::*member : kCredits) {
        if (auto* picture = dynamic_cast<MemoryImage*>(this->*member)) {
            (void)picture->Palletize(); // a picture of too many colours stays as it is
        }
    }
}

bool MenuArtSet::Load(VuroAppBase* app) {
    for (const MenuArtStep& step : kLoadTable) {
        switch (step.mKind) {
        case S::Picture:
        case S::OptionalPicture: {
            Image* picture = app->GetImage(step.mFile);
            if (picture == nullptr) {
                if (step.mKind == S::OptionalPicture) {
                    continue;
                }
                app->Popup(std::string("There was an error loading the file: ") +
                           step.mFailureName);
                return false;
            }
            picture->mNumRows = step.mRows;
            picture->mNumCols = step.mCols;
            delete (this->*step.mImage);
            this->*step.mImage = picture;
            break;
        }
        case S::Font: {
            ImageFont* font = LoadFontOrPopup(app, step.mFile);
            if (font == nullptr) {
                return false;
            }
            delete (this->*step.mFont);
            this->*step.mFont = font;
            break;
        }
        case S::PaletteCredits:
            PaletteCredits();
            break;
        }
        if (step.mCountsTask) {
            ++app->mCompletedLoadingThreadTasks;
        }
    }
    return true;
}

} // namespace Vuro
