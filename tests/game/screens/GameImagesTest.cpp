// The game image set: what each loader loads, in which order, with which cels and which failure
// text; the task count of LoadAll; the composite's layers; the play field's ambient animation.

#include "game/app/GameAppFixture.h"

#include "framework/display/DDImage.h"
#include "framework/graphics/MemoryImage.h"
#include "game/rules/PlayField.h"
#include "game/screens/PlayFieldPictures.h"

namespace Vuro::Test {
namespace {

using Strings = std::vector<std::string>;

// Popups are recorded instead of ending the program, and every picture asked for is listed.
class ImageSetApp : public TestGameApp {
public:
    void Popup(const std::string& text) override { mPopups.push_back(text); }
    DDImage* GetImage(const std::string& file) override {
        mRequested.push_back(file);
        return GameApp::GetImage(file);
    }
    Strings mPopups;
    Strings mRequested;
};

class GameImagesTest : public GameAppFixture {
protected:
    void SetUp() override {
        mApp.reset();
        auto* app = new ImageSetApp();
        mApp.reset(app);
        mSet = app;
        mSet->mSoundManager = new SoundLog();
        mSet->Init();
        mSet->mCursorImage = mSet->GameApp::GetImage("images/menu_cursor");
        mImages.mApp = mSet;
    }
    static void Remove(const std::string& file) {
        std::filesystem::remove(file + (file.ends_with(".txt") ? "" : ".tga"));
    }
    static void PutBack(const std::string& file) {
        if (file.ends_with(".txt")) {
            WriteText(file, "");
        } else {
            WriteTga(file + ".tga", 1, 1, {0xFF808080});
        }
    }
    ImageSetApp* mSet = nullptr;
    GameImages mImages;
};

TEST_F(GameImagesTest, LoadAllLoadsEveryPictureWithItsCelsCountsNineStepsAndSetsTheCursors) {
    ASSERT_TRUE(mImages.LoadAll(mSet));
    EXPECT_EQ(mSet->mCompletedLoadingThreadTasks, 9);
    Strings expected;
    for (const GameImageFile& file : GameImages::LoadAllImages()) {
        expected.push_back(file.mFile);
        Image* image = mImages.*file.mMember;
        ASSERT_NE(image, nullptr) << file.mFile;
        EXPECT_EQ(image->mNumRows, file.mRows) << file.mFile;
        EXPECT_EQ(image->mNumCols, file.mCols) << file.mFile;
    }
    EXPECT_EQ(mSet->mRequested, expected);
    for (const GameFontFile& font : GameImages::LoadAllFonts()) {
        EXPECT_NE(mImages.*font.mMember, nullptr) << font.mFile;
    }
    EXPECT_EQ(mSet->mCursorImages[4], mImages.mCursor);
    EXPECT_EQ(mSet->mCursorImages[3], mImages.mCursor2);
    EXPECT_EQ(mSet->mCursorImages[0], mSet->mCursorImage);
    EXPECT_EQ(mSet->mCursorImages[1], mSet->mCursorImage);
    EXPECT_EQ(mSet->mCursorNum, 0);
    EXPECT_TRUE(mSet->mPopups.empty());
}

TEST_F(GameImagesTest, TheAimingCursorsGoBackToTheMenuCursorWithTheirSet) {
    {
        GameImages images;
        ASSERT_TRUE(images.LoadAll(mSet));
        ASSERT_EQ(mSet->mCursorImages[4], images.mCursor);
    }
    for (int number : {0, 1, 3, 4}) {
        EXPECT_EQ(mSet->mCursorImages[number], mSet->mCursorImage) << number;
    }
}

TEST_F(GameImagesTest, AMissingFileStopsLoadAllWithItsMessageAndKeepsWhatWasLoaded) {
    struct Case {
        const char* removed;
        const char* message;
        int counted; // steps finished before the failure
    };
    const Case cases[] = {
        {"images/help_panel", "There was an error loading the file: images/help_panel", 0},
        {"images/fonts/num14.txt", "There was an error loading images/fonts/num14.txt", 0},
        {"images/cater", "There was an error loading the file: images/cater", 3},
        {"images/background_night", "There was an error loading the file: background_night", 3},
        {"images/bird", "There was an error loading the file: bird", 5},
        {"images/Flash_white", "There was an error loading the file: Flash_white", 5},
        {"images/flash_hedgehog", "There was an error loading the file: flash_hedgehog", 7},
        {"images/fonts/Help14Bold.txt", "There was an error loading images/fonts/Help14Bold.txt",
         8},
    };
    for (const Case& c : cases) {
        Remove(c.removed);
        mSet->mPopups.clear();
        mSet->mCompletedLoadingThreadTasks = 0;
        GameImages images;
        EXPECT_FALSE(images.LoadAll(mSet)) << c.removed;
        EXPECT_EQ(mSet->mPopups, (Strings{c.message}));
        EXPECT_EQ(mSet->mCompletedLoadingThreadTasks, c.counted) << c.removed;
        if (c.counted > 0) {
            EXPECT_NE(images.mHelpPanel, nullptr) << "loaded before the failure";
        }
        PutBack(c.removed);
    }
}

TEST_F(GameImagesTest, InTheGameAMissingPictureEndsTheProgram) {
    Remove("images/frog");
    mApp.reset();
    auto app = std::make_unique<TestGameApp>();
    app->mSoundManager = new SoundLog();
    app->Init();
    GameImages images;
    ExitTrap trap;
    try {
        (void)images.LoadScenery(app.get(), 12, true);
        FAIL() << "went on";
    } catch (const ExitCalled& exit) {
        EXPECT_EQ(exit.code, 1);
    }
    EXPECT_EQ(Boxes(), (Strings{"Error: There was an error loading the file: frog",
                                "Information: Please reinstall or download game again"}));
}

TEST_F(GameImagesTest, AStoryLevelLoadsThePicturesItsStageHasReachedNewestFirst) {
    struct Case {
        int level;
        Strings pictures;
    };
    const Case cases[] = {
        {0, {}},
        {1, {}},
        {5, {"granny_4", "granny_3", "granny_2", "granny_1"}},
        {6, {"granny_4", "granny_3", "granny_2", "granny_1"}},
        {7, {}},
        {13, {"lake_2", "lake_3", "lake_1", "lake_4"}},
        {21, {"forest_5", "forest_2", "forest_3", "forest_4", "forest_1"}},
        {27, {"castle_5", "castle_4", "castle_3", "castle_2", "castle_1"}},
        {35, {"mountain_4", "mountain_3", "mountain_2", "mountain_1"}},
        {43, {"city_3", "city_4", "city_2", "city_1", "city_5"}},
        {44, {}},
    };
    for (const Case& c : cases) {
        mSet->mRequested.clear();
        ASSERT_TRUE(mImages.LoadStageImages(mSet, c.level)) << c.level;
        Strings expected;
        for (const std::string& picture : c.pictures) {
            expected.push_back("images/" + picture);
        }
        EXPECT_EQ(mSet->mRequested, expected) << c.level;
        int present = 0;
        for (Image* picture : mImages.mStagePictures) {
            present += picture != nullptr;
        }
        EXPECT_EQ(present, static_cast<int>(c.pictures.size())) << c.level;
    }
    // Level 13's slots: lake_2 -> 0, lake_3 -> 1, lake_4 -> 2, lake_1 -> 5.
    ASSERT_TRUE(mImages.LoadStageImages(mSet, 13));
    EXPECT_EQ(mImages.mStagePictures[3], nullptr);
    EXPECT_EQ(mImages.mStagePictures[4], nullptr);
    EXPECT_NE(mImages.mStagePictures[5], nullptr);
    Remove("images/lake_4");
    EXPECT_FALSE(mImages.LoadStageImages(mSet, 9));
    EXPECT_EQ(mSet->mPopups, (Strings{"There was an error loading the file: lake_4"}));
}

TEST_F(GameImagesTest, AmbientBackgroundAndSkyFollowTheLevel) {
    struct Ambient {
        int n;
        bool byLevel;
        const char* file; // "" none
        int cols;
    };
    for (Ambient c : {Ambient{0, true, "", 0}, Ambient{4, true, "", 0},
                      Ambient{5, true, "images/house_smoke", 4}, Ambient{6, true, "", 0},
                      Ambient{11, true, "images/frog", 2}, Ambient{21, true, "images/bunny", 2},
                      Ambient{22, true, "", 0}, Ambient{35, true, "", 0}, Ambient{40, true, "", 0},
                      Ambient{41, true, "images/city_light", 4}, Ambient{44, true, "", 0},
                      Ambient{2, false, "images/frog", 2}, Ambient{5, false, "", 0}}) {
        mSet->mRequested.clear();
        ASSERT_TRUE(mImages.LoadAmbient(c.n, c.byLevel));
        EXPECT_EQ(mSet->mRequested, *c.file ? Strings{c.file} : Strings{}) << c.n;
        EXPECT_EQ(mImages.mAmbient != nullptr, *c.file != '\0') << c.n;
        if (mImages.mAmbient != nullptr) {
            EXPECT_EQ(mImages.mAmbient->mNumCols, c.cols) << c.n;
        }
    }

    struct Background {
        int n;
        bool byLevel;
        const char* file;
    };
    for (Background c :
         {Background{0, true, "images/granny"}, Background{6, true, "images/granny"},
          Background{7, true, "images/lake"}, Background{14, true, "images/forest"},
          Background{28, true, "images/mountain"}, Background{43, true, "images/city"},
          Background{44, true, ""}, Background{4, false, "images/castle"},
          Background{9, false, "images/granny"}}) {
        mSet->mRequested.clear();
        ASSERT_TRUE(mImages.LoadBackground(mSet, c.n, c.byLevel));
        EXPECT_EQ(mSet->mRequested, *c.file ? Strings{c.file} : Strings{}) << c.n;
        EXPECT_EQ(mImages.mStageBackground != nullptr, *c.file != '\0') << c.n;
    }
    Remove("images/lake");
    EXPECT_FALSE(mImages.LoadBackground(mSet, 8, true));
    EXPECT_FALSE(mImages.LoadBackground(mSet, 2, false));
    EXPECT_EQ(mSet->mPopups, (Strings{"There was an error loading the file: images/lake",
                                      "There was an error loading the file: images/level"}));

    mSet->mRequested.clear();
    ASSERT_TRUE(mImages.LoadNightSky());
    ASSERT_TRUE(mImages.LoadDaySky());
    EXPECT_EQ(mSet->mRequested,
              (Strings{"images/skynight", "images/month", "images/background_night", "images/stars",
                       "images/sky", "images/sun", "images/background_menu"}));
    EXPECT_EQ(mImages.mSunMoon->mNumCols, 2);
    EXPECT_EQ(mImages.mStars->mNumCols, 3);
    mSet->mPopups.clear();
    Remove("images/month");
    EXPECT_FALSE(mImages.LoadNightSky());
    EXPECT_EQ(mSet->mPopups, (Strings{"There was an error loading the file: month"}));
}

TEST_F(GameImagesTest, TheCompositeLaysPictures5And4BehindTheBackgroundAndTheRestInFront) {
    // Forest level 21 fills slots 5 (forest_1), 4 (forest_2), 2 (forest_4), 3 (forest_3) and
    // 1 (forest_5). Each layer covers the pixels from its own index on.
    const std::pair<const char*, uint32_t> layers[] = {
        {"images/forest_1", 0xFF000011}, {"images/forest_2", 0xFF000022},
        {"images/forest", 0xFF000033},   {"images/forest_5", 0xFF000044},
        {"images/forest_4", 0xFF000055}, {"images/forest_3", 0xFF000066}};
    for (int layer = 0; layer < 6; ++layer) {
        std::vector<uint32_t> pixels(6, 0);
        std::fill(pixels.begin() + layer, pixels.end(), layers[layer].second);
        WriteTga(std::string(layers[layer].first) + ".tga", 6, 1, pixels);
    }
    WriteTga("images/empty.tga", 6, 1, std::vector<uint32_t>(6, 0xFF000000));
    ASSERT_TRUE(mImages.LoadScenery(mSet, 21, true));
    auto* composite = dynamic_cast<MemoryImage*>(mImages.mEmpty);
    ASSERT_NE(composite, nullptr);
    const uint32_t* bits = composite->GetBits();
    std::vector<uint32_t> result(bits, bits + 6);
    EXPECT_EQ(result, (std::vector<uint32_t>{0xFF000011, 0xFF000022, 0xFF000033, 0xFF000044,
                                             0xFF000055, 0xFF000066}));
}

TEST_F(GameImagesTest, TheFieldStartsTheAmbientAnimationOfItsStageWhenThePictureIsThere) {
    struct Case {
        bool survival;
        int level;
        int ambientKind; // picture loaded by kind; 0 none
        int x;           // -1: stopped
        int y;
        int period;
    };
    for (Case c : {Case{false, 5, 1, 397, 9, 35}, Case{false, 4, 0, -1, 0, 0},
                   Case{false, 12, 2, 504, 331, 150}, Case{false, 20, 3, 173, 323, 190},
                   Case{false, 42, 6, 174, 4, 70}, Case{false, 44, 6, -1, 0, 0},
                   Case{true, 2, 2, 504, 331, 150}, Case{true, 4, 2, -1, 0, 0}}) {
        PlayField field;
        field.SetSurvival(c.survival);
        field.SetLevel(c.level);
        ASSERT_TRUE(mImages.LoadAmbient(c.ambientKind, false));
        PlayFieldPictures::SetFieldImages(field, mImages);
        const FrameAnim& ambient = field.GetAmbient();
        if (c.x < 0) {
            EXPECT_EQ(ambient.mState, FrameAnim::kStopped) << c.level;
            continue;
        }
        EXPECT_EQ(ambient.mState, FrameAnim::kLooping) << c.level;
        EXPECT_EQ(ambient.mX, c.x) << c.level;
        EXPECT_EQ(ambient.mY, c.y) << c.level;
        EXPECT_EQ(ambient.mPeriod, c.period) << c.level;
    }
}

} // namespace
} // namespace Vuro::Test
