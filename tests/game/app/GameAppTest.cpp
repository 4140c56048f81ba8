// The game application's identity, start-up, sounds, error box, focus rules and exit actions.

#include "GameAppFixture.h"

#include "framework/display/DDImage.h"
#include "framework/graphics/ImageLib.h"
#include "game/player/ScoreTables.h"
#include "game/rules/GameSounds.h"
#include "game/screens/BoardIntro.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/BoardStory.h"
#include "support/BoundedWait.h"
#include "support/FakeLinkOpener.h"

namespace Vuro::Test {
namespace {

using Strings = std::vector<std::string>;

class GameAppTest : public GameAppFixture {};

TEST_F(GameAppTest, ConstructionSetsTheProductAndTheFrameworkDefaults) {
    EXPECT_EQ(mApp->mProdName, "Quandrellis ");
    EXPECT_EQ(mApp->mTitle, "Quandrellis ");
    EXPECT_EQ(mApp->mProductVersion, "1.2");
    EXPECT_EQ(mApp->mRegKey, "Kelmontrave\\Quandrellis");
    EXPECT_EQ(mApp->mWidth, 640);
    EXPECT_EQ(mApp->mHeight, 480);
    EXPECT_DOUBLE_EQ(mApp->mMusicVolume, 0.75);
    EXPECT_DOUBLE_EQ(mApp->mSfxVolume, 0.7);
    EXPECT_TRUE(mApp->mIsWindowed);
    EXPECT_TRUE(mApp->mAutoEnable3D);
    EXPECT_TRUE(mApp->mTest3D);
    EXPECT_TRUE(mApp->mCustomCursorsEnabled);
    EXPECT_FALSE(mApp->DeveloperKeyDown('D'));
    EXPECT_EQ(GetGameApp(), nullptr) << "set by InitGame";
}

TEST_F(GameAppTest, InitGameLoadsTextsCursorMusicAndShowsTheIntroWhileTheMenuLoads) {
    mApp->InitGame();
    EXPECT_EQ(GetGameApp(), mApp.get());
    EXPECT_EQ(mApp->GetHelpText(1), std::string("Текст 1"_cp1251));
    EXPECT_EQ(mApp->GetHelpText(28), std::string("Текст 28"_cp1251));
    EXPECT_EQ(mApp->GetHelpText(5), "") << "no Text5 element";
    EXPECT_EQ(mApp->GetHelpText(29), "");
    ASSERT_NE(mApp->mCursorImage, nullptr);
    for (int number = 0; number < 5; ++number) {
        EXPECT_EQ(mApp->mCursorImages[number], mApp->mCursorImage) << number;
    }
    EXPECT_EQ(mApp->mCursorImages[5], nullptr);
    EXPECT_TRUE(mApp->mCustomCursors);

    // The intro is up; the menu loads behind it and is not attached before the click.
    ASSERT_NE(mApp->mIntro, nullptr);
    EXPECT_EQ(mApp->mCurrentScreen, mApp->mIntro);
    EXPECT_EQ(mApp->mWidgetManager->mFocusWidget, mApp->mIntro);
    EXPECT_TRUE(Attached(mApp->mIntro));
    ASSERT_NE(mApp->mMenu, nullptr);
    EXPECT_FALSE(Attached(mApp->mMenu));
    EXPECT_EQ(mApp->mNumLoadingThreadTasks, 16);
    ASSERT_TRUE(StepUntilLoaded());
    EXPECT_EQ(mApp->mCompletedLoadingThreadTasks, 16);
    EXPECT_FALSE(Attached(mApp->mMenu)) << "from the intro the player starts the menu";
    EXPECT_TRUE(mApp->mSoundsLoaded);
    // What InitGame loaded came first, before the menu's loading work.
    EXPECT_EQ(mSounds->mFiles.front(), "sound/pclick");
    EXPECT_EQ(mSounds->mFiles.size(), 1 + std::size(kGameSoundEffects));
    const auto& music = mApp->Music().mLog;
    ASSERT_GE(music.size(), 2u);
    EXPECT_EQ(music[0], "load 1 sound/menu.ogg");
    EXPECT_EQ(music[1], "load 13 sound/intro.ogg");
    EXPECT_NE(std::find(music.begin(), music.end(), "load 7 sound/statistic.ogg"), music.end());
    EXPECT_EQ(music.back(), "play 13") << "the intro's music, once it runs";

    // The default score rows were written in the score table's own order.
    ScoreTables tables;
    ASSERT_TRUE(tables.Load());
    for (bool story : {true, false}) {
        Strings names;
        ScoreEntry row;
        for (int index = 0; tables.GetRow(index, row, story); ++index) {
            names.push_back(row.GetName());
        }
        EXPECT_EQ(names, (Strings{"Игрок 1"_cp1251, "Игрок 2"_cp1251, "Игрок 3"_cp1251}));
    }
}

TEST_F(GameAppTest, TheIntrosStartBoxOpensTheMenuOnceItsLoadingIsDone) {
    WriteProfile("Gardner");
    mApp->InitGame();
    BoardIntro* intro = mApp->mIntro;
    auto press = [&](int x, int y) {
        uint32_t window = mApp->mMainWindow->Id();
        mEvents.Add({window, Platform::kWmLButtonDown, Platform::kMkLButton,
                     Platform::MakePointParam(x, y)});
        mEvents.Add({window, Platform::kWmLButtonUp, 0, Platform::MakePointParam(x, y)});
    };
    ASSERT_TRUE(StepUntilLoaded());
    // Before the splash phase has ended a press in the box is ignored.
    press(300, 440);
    ASSERT_TRUE(StepUntil([&] { return mEvents.Waiting() == 0; }));
    EXPECT_EQ(mApp->mCurrentScreen, intro);
    ASSERT_TRUE(StepUntil([&] { return intro->Ready(); }));
    press(100, 440); // outside the box
    ASSERT_TRUE(StepUntil([&] { return mEvents.Waiting() == 0; }));
    EXPECT_EQ(mApp->mCurrentScreen, intro);
    uint32_t slept = mClock.SleptMs();
    press(300, 440);
    ASSERT_TRUE(StepUntil([&] { return mApp->mIntro == nullptr; }));
    EXPECT_GE(mClock.SleptMs() - slept, GameApp::kFinishWaitMs) << "the wait always sleeps once";
    EXPECT_EQ(mApp->mCurrentScreen, mApp->mMenu);
    EXPECT_TRUE(Attached(mApp->mMenu));
    EXPECT_FALSE(Attached(intro));
    EXPECT_EQ(mApp->mNumLoadingThreadTasks, 0);
    EXPECT_EQ(mApp->mCompletedLoadingThreadTasks, 0);
    EXPECT_EQ(mApp->Music().mLog.back(), "play 1");
    EXPECT_EQ(mSounds->mInstancesAsked, 1) << "the click";
}

TEST_F(GameAppTest, TheScreenModeSettingChoosesWindowOrFullScreen) {
    struct Case {
        int setting; // -1: no value
        bool windowed;
    };
    for (Case c : {Case{-1, false}, Case{0, true}, Case{1, false}}) {
        mApp.reset();
        (void)mRegistry.DeleteValue("Kelmontrave\\Quandrellis", "", "ScreenMode");
        if (c.setting >= 0) {
            mRegistry.PutDword("Kelmontrave\\Quandrellis", "ScreenMode", c.setting);
        }
        mApp = std::make_unique<TestGameApp>();
        mApp->mSoundManager = new SoundLog();
        mApp->InitGame();
        EXPECT_EQ(mApp->mIsWindowed, c.windowed) << c.setting;
    }
}

TEST_F(GameAppTest, AMissingStartUpFileEndsTheProgramWithStatus1AfterTwoBoxes) {
    struct Case {
        const char* removed;
        const char* text;
    };
    for (Case c : {Case{"local/1.xml", "There was an error loading the file: local/1.xml"},
                   Case{"images/menu_cursor.tga",
                        "There was an error loading the file: images/menu_cursor"}}) {
        mApp.reset();
        mWindows.mBoxes.clear();
        WriteGameData();
        std::filesystem::remove(c.removed);
        mApp = std::make_unique<TestGameApp>();
        mApp->mSoundManager = new SoundLog();
        ExitTrap trap;
        try {
            mApp->InitGame();
            ADD_FAILURE() << c.removed << ": start-up went on";
        } catch (const ExitCalled& exit) {
            EXPECT_EQ(exit.code, 1);
        }
        EXPECT_EQ(Boxes(), (Strings{std::string("Error: ") + c.text,
                                    "Information: Please reinstall or download game again"}));
        ASSERT_EQ(mWindows.mBoxes.size(), 2u);
        EXPECT_EQ(mWindows.mBoxes[0].flags, Platform::kMbIconError);
        EXPECT_EQ(mWindows.mBoxes[1].flags, Platform::kMbOk);
    }
}

// The main window carries the icon of the data set; one larger than a desktop shows is scaled
// down to fit; without its file the game starts with none. None of them gives a box.
TEST_F(GameAppTest, TheMainWindowCarriesTheDataSetsIconOrNoneWhenItIsMissing) {
    const std::string file = std::string(VuroAppBase::kMainIconFile) + ".png";
    constexpr int kHugeSide = 4096;
    constexpr uint32_t kHugeColour = 0x80336699;
    enum class IconFile { DataSets, Huge, Missing };
    for (IconFile kind : {IconFile::DataSets, IconFile::Huge, IconFile::Missing}) {
        SCOPED_TRACE(static_cast<int>(kind));
        mApp.reset();
        std::filesystem::remove(file);
        if (kind == IconFile::DataSets) {
            std::filesystem::copy_file(std::string(VURO_DATA_DIR) + "/" + file, file);
        } else if (kind == IconFile::Huge) {
            ImageLib::Image huge(kHugeSide, kHugeSide);
            std::fill_n(huge.mBits.get(), kHugeSide * kHugeSide, kHugeColour);
            ASSERT_TRUE(ImageLib::WritePNGImage(file, huge));
        }
        mApp = std::make_unique<TestGameApp>();
        mApp->mSoundManager = new SoundLog();
        mApp->InitGame();
        ASSERT_NE(mWindows.LastWindow(), nullptr);
        const Platform::WindowIcon* icon = mWindows.LastWindow()->mParams.icon;
        if (kind == IconFile::Missing) {
            EXPECT_TRUE(icon == nullptr || icon->pixels.empty());
        } else if (kind == IconFile::DataSets) {
            ASSERT_NE(icon, nullptr);
            std::unique_ptr<ImageLib::Image> picture = ImageLib::GetPNGImage(file);
            ASSERT_NE(picture, nullptr);
            EXPECT_EQ(icon->width, 64);
            EXPECT_EQ(icon->height, 64);
            EXPECT_EQ(icon->pixels,
                      std::vector<uint32_t>(picture->mBits.get(), picture->mBits.get() + 64 * 64));
        } else {
            ASSERT_NE(icon, nullptr);
            EXPECT_EQ(icon->width, Platform::kMaxIconSide);
            EXPECT_EQ(icon->height, Platform::kMaxIconSide);
            EXPECT_EQ(icon->pixels, std::vector<uint32_t>(256 * 256, kHugeColour));
        }
        EXPECT_EQ(Boxes(), Strings{});
    }
}

TEST_F(GameAppTest, AMissingSoundRaisesTheShutdownRequestAndEndsWithItsFolderInTheMessage) {
    mApp->Init();
    mSounds->mMissing = {"sound/frog"};
    ExitTrap trap;
    try {
        mApp->LoadSounds();
        FAIL() << "went on";
    } catch (const ExitCalled& exit) {
        EXPECT_EQ(exit.code, 1);
    }
    EXPECT_TRUE(mApp->mShutdownRequested);
    EXPECT_FALSE(mApp->mSoundsLoaded);
    EXPECT_EQ(Boxes(), (Strings{"Error: There was an error loading sound/frog",
                                "Information: Please reinstall or download game again"}));
    EXPECT_TRUE(mApp->Music().mLog.empty()) << "no music after a failed sound";
}

TEST_F(GameAppTest, SoundsAndMusicLoadInTableOrderAndOnlyOnce) {
    mApp->Init();
    mApp->LoadSounds();
    mApp->LoadSounds();
    Strings expected;
    for (const GameSoundFile& sound : kGameSoundEffects) {
        expected.push_back(sound.mFile);
    }
    EXPECT_EQ(mSounds->mFiles, expected);
    Strings songs;
    for (const GameSong& song : kGameMusic) {
        songs.push_back("load " + std::to_string(song.mId) + " " + song.mFile);
    }
    EXPECT_EQ(mApp->Music().mLog, songs);
}

TEST_F(GameAppTest, AQuitAskedStopsTheSoundLoadingBeforeTheNextFile) {
    mApp->Init();
    mApp->mShutdownRequested = true;
    mApp->LoadSounds();
    EXPECT_TRUE(mSounds->mFiles.empty());
    EXPECT_TRUE(mApp->Music().mLog.empty());
    EXPECT_FALSE(mApp->mSoundsLoaded) << "a later call loads them";
    mApp->mShutdownRequested = false;
    mApp->LoadSounds();
    EXPECT_EQ(mSounds->mFiles.size(), std::size(kGameSoundEffects));
    EXPECT_TRUE(mApp->mSoundsLoaded);
}

TEST_F(GameAppTest, MusicFollowsTheFocusExceptThatPlayBoardsResumeTheirOwn) {
    StartToMenu();
    mApp->Music().mLog.clear();
    mApp->LostFocus();
    EXPECT_FALSE(mApp->mMenu->mHasFocus);
    mApp->GotFocus();
    EXPECT_TRUE(mApp->mMenu->mHasFocus);
    mApp->mTargetScreenId = GameApp::kScreenStory;
    mApp->mPreviousScreenId = GameApp::kScreenMenu;
    mApp->SwitchScreen();
    ASSERT_TRUE(StepUntilLoaded());
    ASSERT_EQ(mApp->mCurrentScreen, static_cast<Widget*>(mApp->mStoryBoard));
    mApp->Music().mLog.clear();
    mApp->LostFocus();
    mApp->GotFocus();
    // The board pauses the level, then the application its music; the board resumes it when
    // the player goes on.
    EXPECT_EQ(mApp->Music().mLog, (Strings{"pause all", "pause all"}));
}

TEST_F(GameAppTest, ShutdownOpensPlayUrlBesideTheProgramWhenItExists) {
    FakeLinkOpener links;
    mApp->Init();
    mApp->Shutdown();
    EXPECT_TRUE(links.mOpened.empty());
    mApp.reset();
    WriteText("play.url", "[InternetShortcut]\r\nURL=https://example.org/play\r\n");
    mApp = std::make_unique<TestGameApp>();
    mApp->mSoundManager = new SoundLog();
    mApp->Init();
    mApp->Shutdown();
    EXPECT_EQ(links.mOpened, (Strings{"https://example.org/play"}));
    EXPECT_TRUE(mApp->mShutdown);
}

TEST_F(GameAppTest, ShutdownStartsTheLauncherBesideTheProgramWhenItExists) {
    namespace fs = std::filesystem;
    mApp->Init();
    mApp->Shutdown();
    EXPECT_FALSE(fs::exists("launched")) << "nothing to start";

    // A stand-in launcher that writes a mark into a pipe in the folder it was started in; the
    // test's reading waits for it (for a launcher never started, until the wait runs out).
    const NamedPipe launched("launched");
    ASSERT_TRUE(launched.IsOpen());
    WriteText("fscommand/rovix.exe", "#!/bin/sh\necho run > launched\n");
    fs::permissions("fscommand/rovix.exe", fs::perms::owner_all);
    mApp.reset();
    mApp = std::make_unique<TestGameApp>();
    mApp->mSoundManager = new SoundLog();
    mApp->Init();
    mApp->Shutdown();
    EXPECT_TRUE(mApp->mShutdown);
    EXPECT_EQ(launched.Read(), "run\n");
}

} // namespace
} // namespace Vuro::Test
