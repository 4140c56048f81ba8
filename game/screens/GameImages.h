#pragma once
// The pictures and fonts a play board and its play field draw: the scenery of the current stage
// (sky, background, stage pictures, ambient animation), the composite background built from
// them, and the sprites of trees, fruit, pests, birds, shots, effects and dialogs. Each play
// board owns one and fills it while a level loads; the drawing code reads the members directly.
//
// What a caller can rely on:
// - Every member is owned and null until its loader ran; the destructor deletes what is set.
// - A loader stops at the first file that cannot be read: it shows that file's message through
//   the application's Popup (fatal in the game) and answers false; members loaded before stay.
// - A loader replaces what a member held before, deleting the old picture.
// - LoadAll adds 1 to the application's tasks done nine times (the loading bar of a level).
// - The loaders run on the loading thread for a board's first level and on the main thread for
//   the next level of the same board; nothing is locked, the main thread reads the members only
//   once the load has finished.
//
// The tables below are the image set's own list of files (names without extension, as the
// image reader tries its extensions), so that checks of the data set use exactly what the game
// loads.

#include "game/screens/StagePictures.h"

#include <span>
#include <string>
#include <vector>

namespace Vuro {

class GameHost;
class Image;
class ImageFont;
class VuroAppBase;

class GameImages;

// One picture of the image set: its file, its cels and, for LoadAll, the step that loads it.
struct GameImageFile {
    const char* mFile; // "images/..." without extension
    int mRows;
    int mCols;
    int mStep;               // 1..9: the LoadAll step; 0: a scenery loader
    bool mFullPathInMessage; // the failure message names "images/..." rather than the bare name
    Image* GameImages::*mMember;
};

// One font of LoadAll: its descriptor and the step that loads it.
struct GameFontFile {
    const char* mFile;
    int mStep;
    ImageFont* GameImages::*mMember;
};

// An ambient animation picture, chosen by kind.
struct GameAmbientFile {
    int mKind;
    const char* mFile;
    int mRows;
    int mCols;
};

class GameImages {
public:
    static constexpr int kStagePictureSlots = 6;
    static constexpr int kLoadAllSteps = 9;

    // ---- [The files of the image set] ----
    // LoadAll's pictures and fonts, in loading order within each step.
    static std::span<const GameImageFile> LoadAllImages();
    static std::span<const GameFontFile> LoadAllFonts();
    // The sky sets of LoadDaySky and LoadNightSky, in loading order.
    static std::span<const GameImageFile> DaySkyImages();
    static std::span<const GameImageFile> NightSkyImages();
    static std::span<const GameAmbientFile> AmbientFiles();
    // The stages' backgrounds and pictures are the tables of StagePictures.h.
    // The picture the composite is made on.
    static constexpr const char* kEmptyFile = "images/empty";
    // Every picture file the image set can load, each once ("images/..." without extension).
    static std::vector<std::string> AllImageFiles();

    // The ambient kind a story level shows: 1 house smoke, 2 frog, 3 bunny, 4 and 5 (no
    // picture), 6 city light; 0 none.
    static int AmbientKindOfLevel(int level);

    GameImages() = default;
    // The application's cursors that still show this set's aiming pictures go back to the menu
    // cursor first, so no cursor points at the deleted pictures.
    ~GameImages();
    GameImages(const GameImages&) = delete;
    GameImages& operator=(const GameImages&) = delete;

    // ---- [Loaders] ----
    // The sprites, fonts and cursor images of play, once per board. Ends by handing the
    // application its cursor pictures (4 aim, 3 aim over a bird, 0 and 1 the menu cursor) and
    // choosing cursor 0.
    bool LoadAll(GameHost* game);
    // LoadAll's pictures and fonts alone, counted as LoadAll counts them: what the play field
    // draws with, for a field drawn outside the game (its tests and benchmark).
    bool LoadSprites(VuroAppBase* app);
    // The stage pictures a story level has reached: none for the first level of a stage, nor
    // for levels below 2 or above 43.
    bool LoadStageImages(VuroAppBase* app, int level);
    // LoadAmbient, LoadDaySky and LoadNightSky use the application an earlier loader was given.
    // byLevel: n is a story level, which picks the kind; else n is the kind. Kinds without a
    // picture load nothing and answer true.
    bool LoadAmbient(int n, bool byLevel);
    // byLevel: n is a story level (above 43 loads nothing and answers true); else n is the stage
    // 1..6, any other stage loading the first theme.
    bool LoadBackground(VuroAppBase* app, int n, bool byLevel);
    bool LoadDaySky();
    bool LoadNightSky();
    // Builds the composite: stage pictures 5 and 4, then the stage background, then stage
    // pictures 0 to 3, each drawn at (0, 0) onto "images/empty" when present.
    bool LoadEmpty(VuroAppBase* app);
    // The scenery of one story level (or survival picture level), in the order a level load
    // uses: the day or night sky, the ambient picture, the background, the stage pictures,
    // the composite. False at the first loader that failed (it has shown its message).
    bool LoadScenery(VuroAppBase* app, int level, bool day);

    // ---- [Members, owned] ----
    VuroAppBase* mApp = nullptr;         // not owned; stored by the loaders that are given it
    GameHost* mCursorsGivenTo = nullptr; // the game LoadAll handed its cursors to
    Image* mStagePictures[kStagePictureSlots] = {};
    Image* mEmpty = nullptr; // the composite of the stage pictures and background
    Image* mStars = nullptr;
    Image* mAmbient = nullptr;
    Image* mStageBackground = nullptr;
    Image* mCurtain = nullptr;
    Image* mHelpPanel = nullptr;
    Image* mBird = nullptr;
    Image* mBirdBlack = nullptr;
    Image* mBirdWhite = nullptr;
    Image* mBirdKamikadze = nullptr;
    Image* mAppleAnim = nullptr;
    Image* mPearAnim = nullptr;
    Image* mPlumAnim = nullptr;
    Image* mOrangeAnim = nullptr;
    Image* mBlack = nullptr;
    Image* mSkyBackground = nullptr; // background_menu by day, background_night by night
    Image* mStatButton = nullptr;
    Image* mStatButtonOver = nullptr;
    Image* mStatLow = nullptr;
    Image* mDlg = nullptr;
    Image* mDlgButton = nullptr;
    Image* mButton1 = nullptr;
    Image* mButton1Over = nullptr;
    ImageFont* mHelpFont = nullptr;     // images/fonts/Help14Bold.txt
    ImageFont* mNumFont = nullptr;      // images/fonts/num14.txt
    ImageFont* mMainMenuFont = nullptr; // images/fonts/MainMenu16Bold.txt
    Image* mLightning = nullptr;
    Image* mGameOver = nullptr;
    Image* mLevelCompleted = nullptr;
    Image* mSide = nullptr;
    Image* mCursor = nullptr;
    Image* mCursor2 = nullptr;
    Image* mCircles = nullptr;
    Image* mAppleTree = nullptr;
    Image* mPearTree = nullptr;
    Image* mPlumTree = nullptr;
    Image* mOrangeTree = nullptr;
    Image* mAppleGerm = nullptr;
    Image* mPearGerm = nullptr;
    Image* mPlumGerm = nullptr;
    Image* mOrangeGerm = nullptr;
    Image* mFruitFly = nullptr;
    Image* mCater = nullptr;
    Image* mStormBackground = nullptr; // a second background_night, shown during lightning by day
    Image* mSlingshot = nullptr;
    Image* mStone = nullptr;
    Image* mShot = nullptr;
    Image* mMagicShot = nullptr;
    Image* mBonus = nullptr;
    Image* mBroom = nullptr;
    Image* mAutocar = nullptr;
    Image* mSmoke = nullptr;
    Image* mFlashBlue = nullptr;
    Image* mFlashKamikadze = nullptr;
    Image* mFlashBlack = nullptr;
    Image* mFlashWhite = nullptr;
    Image* mBirdShot = nullptr;
    Image* mBirdBlackShot = nullptr;
    Image* mBirdWhiteShot = nullptr;
    Image* mBirdKamikadzeShot = nullptr;
    Image* mHedgehog = nullptr;
    Image* mFlashHedgehog = nullptr;
    Image* mClouds = nullptr;
    Image* mRain = nullptr;
    Image* mSky = nullptr;     // sky or skynight
    Image* mSunMoon = nullptr; // sun or month (the moon), two cels
    Image* mMenuInGame = nullptr;

private:
    // Loads a picture into member, replacing what it held; on failure the message is shown and
    // member is left alone.
    bool LoadInto(Image*& member, const GameImageFile& file);
    bool LoadInto(Image*& member, const std::string& file, int rows, int cols,
                  const std::string& message);
    bool LoadSky(std::span<const GameImageFile> files);
};

} // namespace Vuro
