#pragma once
// The menu art set: every picture and bitmap font the main menu, the stage map, the credits,
// the score board and the menu's dialogs draw (60 pictures, 2 fonts). The menu owns one and
// loads it on the loading thread; the other screens draw its members through their menu
// pointer and never delete them.
//
// What a caller can rely on:
// - Every member is null until its file loaded; the destructor deletes what is set, whether
//   the load finished or not.
// - Load follows the load table below in order and stops at the first file that cannot be read
//   (the publisher logo is optional): that file's failure text goes to the application's Popup
//   (fatal in the game) and Load answers false.
// - Load adds 1 to the application's tasks done at each step of the table marked for it: 15
//   times when everything loads (the menu's loader counts the sixteenth).
// - The seven credit pictures are palettised once all seven have loaded.
//
// The load table is the set's own list of files (names without extension, as the image reader
// tries its extensions; cels as rows x columns), so checks of the data set use exactly what the
// game loads.

#include <span>
#include <string>
#include <vector>

namespace Vuro {

class Image;
class ImageFont;
class VuroAppBase;
class MenuArtSet;

// One step of the load table.
struct MenuArtStep {
    enum Kind {
        Picture,         // a picture; its failure ends the load
        OptionalPicture, // a picture that may be missing
        Font,            // a font descriptor; its failure ends the load
        PaletteCredits,  // the credit pictures loaded so far are palettised
    };
    Kind mKind;
    const char* mFile; // "images/..." without extension, or the font's descriptor
    int mRows;
    int mCols;
    // Pictures: the name the failure text gives after "There was an error loading the file: ",
    // which is not always the file's. Fonts: the text is "There was an error loading " + file.
    const char* mFailureName;
    Image* MenuArtSet::*mImage;    // pictures
    ImageFont* MenuArtSet::*mFont; // fonts
    bool mCountsTask;              // tasks done grows by 1 after this step
};

class MenuArtSet {
public:
    static constexpr int kCreditCount = 7;
    static constexpr int kLevelSelectCount = 6;

    MenuArtSet() = default;
    ~MenuArtSet();
    MenuArtSet(const MenuArtSet&) = delete;
    MenuArtSet& operator=(const MenuArtSet&) = delete;

    // The load table in order.
    static std::span<const MenuArtStep> LoadTable();
    // Every picture file of the table, each once.
    static std::vector<std::string> PictureFiles();

    // Loads the whole table (loading thread). False after the popup of the first failure.
    bool Load(VuroAppBase* app);

    // Credit picture 1..7; null for another number.
    Image* Credit(int number) const;
    // Stage highlight 1..6 (the map's "images/levelselect<n>"); null for another number.
    Image* LevelSelect(int stage) const;

    // ---- [The set, in load order; owned] ----
    Image* mLogo = nullptr; // "images/logo_RU", 1 x 2: publisher logo and its lit cel; optional
    Image* mEasy = nullptr;
    Image* mEasyOver = nullptr;
    Image* mEasyEnable = nullptr;
    Image* mEasyEnableOver = nullptr;
    Image* mOcti = nullptr;  // 1 x 2
    Image* mShip = nullptr;  // 1 x 4
    Image* mShip2 = nullptr; // 1 x 4
    Image* mPaintTable = nullptr;
    Image* mCred1 = nullptr; // the credit pictures, palettised
    Image* mCred2 = nullptr;
    Image* mCred3 = nullptr;
    Image* mCred4 = nullptr;
    Image* mCred5 = nullptr;
    Image* mCred6 = nullptr;
    Image* mCred7 = nullptr;
    Image* mSky = nullptr;            // a sky strip of the menu
    Image* mBackgroundMenu = nullptr; // the garden behind the menu
    Image* mSun = nullptr;            // 1 x 2
    Image* mBlack = nullptr;          // the information page's background
    ImageFont* mMainFont = nullptr;   // "images/fonts/MainMenu16Bold.txt"
    ImageFont* mNumFont = nullptr;    // "images/fonts/num14.txt"
    Image* mStart = nullptr;
    Image* mEnd = nullptr;
    Image* mPlay = nullptr;
    Image* mButton = nullptr; // "images/button_1"
    Image* mMap = nullptr;
    Image* mCurPoint = nullptr;
    Image* mEmptyPoint = nullptr;
    Image* mFillPoint = nullptr;
    Image* mLevelSelect1 = nullptr;
    Image* mLevelSelect2 = nullptr;
    Image* mLevelSelect3 = nullptr;
    Image* mLevelSelect6 = nullptr;
    Image* mLevelSelect5 = nullptr;
    Image* mLevelSelect4 = nullptr;
    Image* mLock = nullptr;
    Image* mStat = nullptr;
    Image* mCheckbox = nullptr;     // "images/light", 2 x 1
    Image* mDialog = nullptr;       // "images/dlg": the frame of the menu's dialogs
    Image* mDialogButton = nullptr; // "images/button_1" again, a picture of its own
    Image* mDlgButton = nullptr;    // "images/dlg_button", 1 x 3: normal, over, down
    Image* mButtonOver = nullptr;   // "images/button_1over"
    Image* mSlider = nullptr;
    Image* mSliderThumb = nullptr;
    Image* mButton1 = nullptr;
    Image* mButtonOver1 = nullptr;
    Image* mButton2 = nullptr;
    Image* mButtonOver2 = nullptr;
    Image* mButton3 = nullptr;
    Image* mButtonOver3 = nullptr;
    Image* mButton4 = nullptr;
    Image* mButtonOver4 = nullptr;
    Image* mButton5 = nullptr;
    Image* mButtonOver5 = nullptr;
    Image* mButton6 = nullptr;
    Image* mButtonOver6 = nullptr;
    Image* mButton7 = nullptr;
    Image* mButtonOver7 = nullptr;
    Image* mProfileIcon = nullptr;
    Image* mProfileIconOver = nullptr;
    Image* mMenu = nullptr; // "images/menu": the signpost and frame over the garden

private:
    // The credit pictures that are loaded, palettised.
    void PaletteCredits();
};

// A bitmap font from its descriptor, or null after the application's Popup
// "There was an error loading " + descriptor when the descriptor cannot be read.
ImageFont* LoadFontOrPopup(VuroAppBase* app, const std::string& descriptor);

} // namespace Vuro
