// The scenery of one level: the day or night sky, the stage's ambient animation, its background,
// the stage pictures the level has reached, and the composite drawn from them.

#include "game/screens/GameImages.h"

#include "framework/app/VuroAppBase.h"
#include "framework/display/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "game/rules/Stages.h"

namespace Vuro {

namespace {

using G = GameImages;

constexpr GameImageFile kDaySky[] = {
    {"images/sky", 1, 1, 0, false, &G::mSky},
    {"images/sun", 1, 2, 0, false, &G::mSunMoon},
    {"images/background_menu", 1, 1, 0, false, &G::mSkyBackground},
};

constexpr GameImageFile kNightSky[] = {
    {"images/skynight", 1, 1, 0, false, &G::mSky},
    {"images/month", 1, 2, 0, false, &G::mSunMoon},
    {"images/background_night", 1, 1, 0, false, &G::mSkyBackground},
    {"images/stars", 1, 3, 0, false, &G::mStars},
};

// Kinds 4 and 5 (castle and mountain) have no picture.
constexpr GameAmbientFile kAmbientFiles[] = {
    {1, "images/house_smoke", 1, 4},
    {2, "images/frog", 1, 2},
    {3, "images/bunny", 1, 2},
    {6, "images/city_light", 1, 4},
};

// The story levels that show each ambient kind (a kind is its stage's number): the house smoke
// on level 5 alone, the others from their first level to the end of their stage.
struct AmbientLevels {
    int mKind;
    int mFirstLevel;
    int mLastLevel;
};
constexpr AmbientLevels kAmbientLevels[] = {
    {1, 5, 5},
    {2, 11, StageLastLevel(2)},
    {3, 17, StageLastLevel(3)},
    {4, StageFirstLevel(4), StageLastLevel(4)},
    {5, StageFirstLevel(5), StageLastLevel(5)},
    {6, 41, StageLastLevel(6)},
};

// Stage pictures 4 and 5 lie behind the background, 0 to 3 in front of it.
constexpr int kBehindBackground[] = {5, 4};
constexpr int kBeforeBackground[] = {0, 1, 2, 3};

} // namespace

std::span<const GameImageFile> GameImages::DaySkyImages() {
    return kDaySky;
}

std::span<const GameImageFile> GameImages::NightSkyImages() {
    return kNightSky;
}

std::span<const GameAmbientFile> GameImages::AmbientFiles() {
    return kAmbientFiles;
}

int GameImages::AmbientKindOfLevel(int level) {
    for (const AmbientLevels& levels : kAmbientLevels) {
        if (level >= levels.mFirstLevel && level <= levels.mLastLevel) {
            return levels.mKind;
        }
    }
    return 0;
}

bool GameImages::LoadStageImages(VuroAppBase* app, int level) {
    mApp = app;
    for (Image*& picture : mStagePictures) {
        delete picture;
        picture = nullptr;
    }
    int stage = StageOfLevel(level);
    // Newest first: the level's own picture, then those of the earlier levels of its stage.
    for (auto it = std::rbegin(kStagePictures); it != std::rend(kStagePictures); ++it) {
        if (it->mStage != stage || it->mFirstLevel > level) {
            continue;
        }
        const std::string name = StagePictureName(*it);
        if (!LoadInto(mStagePictures[it->mSlot], "images/" + name, 1, 1,
                      "There was an error loading the file: " + name)) {
            return false;
        }
    }
    return true;
}

bool GameImages::LoadAmbient(int n, bool byLevel) {
    delete mAmbient;
    mAmbient = nullptr;
    int kind = byLevel ? AmbientKindOfLevel(n) : n;
    for (const GameAmbientFile& file : kAmbientFiles) {
        if (file.mKind == kind) {
            return LoadInto(mAmbient, GameImageFile{file.mFile, file.mRows, file.mCols, 0, false,
                                                    &GameImages::mAmbient});
        }
    }
    return true;
}

bool GameImages::LoadBackground(VuroAppBase* app, int n, bool byLevel) {
    mApp = app;
    delete mStageBackground;
    mStageBackground = nullptr;
    std::string file;
    std::string message;
    if (byLevel) {
        // Levels below 1 count as the first stage; those above the last have no background.
        int stage = StageOfLevel(n);
        if (stage == 0) {
            return true;
        }
        file = std::string("images/") + kStageThemes[stage - 1];
        message = "There was an error loading the file: " + file;
    } else {
        int stage = n >= 1 && n <= kStageCount ? n : 1;
        file = std::string("images/") + kStageThemes[stage - 1];
        message = "There was an error loading the file: images/level";
    }
    return LoadInto(mStageBackground, file, 1, 1, message);
}

bool GameImages::LoadSky(std::span<const GameImageFile> files) {
    for (const GameImageFile& file : files) {
        if (!LoadInto(this->*file.mMember, file)) {
            return false;
        }
    }
    return true;
}

bool GameImages::LoadDaySky() {
    return LoadSky(kDaySky);
}

bool GameImages::LoadNightSky() {
    return LoadSky(kNightSky);
}

bool GameImages::LoadEmpty(VuroAppBase* app) {
    mApp = app;
    delete mEmpty;
    mEmpty = nullptr;
    if (!LoadInto(mEmpty, kEmptyFile, 1, 1, "There was an error loading the file: empty")) {
        return false;
    }
    Graphics g(mEmpty);
    for (int slot : kBehindBackground) {
        if (mStagePictures[slot] != nullptr) {
            g.DrawImage(mStagePictures[slot], 0, 0);
        }
    }
    // A level beyond the last stage has no background: the composite is made without it.
    if (mStageBackground != nullptr) {
        g.DrawImage(mStageBackground, 0, 0);
    }
    for (int slot : kBeforeBackground) {
        if (mStagePictures[slot] != nullptr) {
            g.DrawImage(mStagePictures[slot], 0, 0);
        }
    }
    return true;
}

bool GameImages::LoadScenery(VuroAppBase* app, int level, bool day) {
    mApp = app;
    bool ok = day ? LoadDaySky() : LoadNightSky();
    ok = LoadAmbient(level, true) && ok;
    if (!LoadBackground(app, level, true) || !LoadStageImages(app, level)) {
        return false;
    }
    return LoadEmpty(app) && ok;
}

} // namespace Vuro
