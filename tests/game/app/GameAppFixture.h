#pragma once
// A game application on the fakes (clock, events, windows, settings store, sound and music that
// record what they are asked) in a fresh working folder holding a small data set of its own:
// local/1.xml, local\2.xml, the branding file (no splash pictures), the menu cursor and a small
// picture (one pixel a cel) or an empty font descriptor for every file of the game's image set,
// the menu art set, the intro and the loading screen; no player's profile (WriteProfile writes
// one). A test removes or replaces files before InitGame to reach failures (data/profile.dat for a
// first start).

#include "framework/sound/MusicInterface.h"
#include "framework/widgets/WidgetManager.h"
#include "game/app/GameApp.h"
#include "game/player/ProfileManager.h"
#include "game/rules/LevelFile.h"
#include "game/rules/Stages.h"
#include "game/screens/BoardIntro.h"
#include "game/screens/BoardLoading.h"
#include "game/screens/GameImages.h"
#include "game/screens/MenuArtSet.h"
#include "platform/TextEncoding.h"
#include "support/ExitTrap.h"
#include "support/FakeClock.h"
#include "support/FakeWindowSystem.h"
#include "support/FixedWidthSysFonts.h"
#include "support/MemoryRegistry.h"
#include "support/RecordingSoundManager.h"
#include "support/ScriptedEvents.h"
#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace Vuro::Test {

// Music that plays nothing and keeps a log: "load 1 sound/menu.ogg", "play 4", "stop all",
// "pause all", "resume all". The loading thread loads songs while the main thread plays them, so
// each call takes the lock; a test reads the log once the loading work has ended.
class MusicLog : public MusicInterface {
public:
    bool LoadMusic(int songId, const std::string& fileName) override {
        std::lock_guard<std::mutex> lock(mMutex);
        mLog.push_back("load " + std::to_string(songId) + " " + fileName);
        return true;
    }
    void PlayMusic(int songId, int, bool) override {
        std::lock_guard<std::mutex> lock(mMutex);
        mLog.push_back("play " + std::to_string(songId));
        mPlaying.insert(songId);
    }
    void StopAllMusic() override {
        std::lock_guard<std::mutex> lock(mMutex);
        mLog.push_back("stop all");
        mPlaying.clear();
    }
    void PauseAllMusic() override { Note("pause all"); }
    void ResumeAllMusic() override { Note("resume all"); }
    bool IsPlaying(int songId) override {
        std::lock_guard<std::mutex> lock(mMutex);
        return mPlaying.count(songId) != 0;
    }

    std::vector<std::string> mLog;
    std::set<int> mPlaying;

private:
    void Note(const char* entry) {
        std::lock_guard<std::mutex> lock(mMutex);
        mLog.push_back(entry);
    }
    std::mutex mMutex;
};

// Refuses the files named in mMissing, as a sound manager does when no file can be read.
class SoundLog : public RecordingSoundManager {
public:
    bool LoadSoundAt(uint32_t id, const std::string& file) override {
        std::lock_guard<std::recursive_mutex> lock(mMutex);
        mFiles.push_back(file);
        return mMissing.count(file) == 0 && RecordingSoundManager::LoadSoundAt(id, file);
    }
    std::vector<std::string> mFiles;
    std::set<std::string> mMissing;
};

class TestGameApp : public GameApp {
public:
    TestGameApp() {
        mOnlyAllowOneCopyToRun = false;
        mUserDataFolder.clear(); // the player files stay in the test's working folder
    }
    bool OnChangeDirectory(const std::string&) override { return true; }
    MusicInterface* CreateMusicInterface(Platform::Window*) override { return new MusicLog(); }
    MusicLog& Music() { return *static_cast<MusicLog*>(mMusicInterface); }
};

// A 32-bit TGA (top-left origin) of width x height pixels, 0xAARRGGBB row by row.
inline void WriteTga(const std::filesystem::path& path, int width, int height,
                     const std::vector<uint32_t>& pixels) {
    std::filesystem::create_directories(path.parent_path());
    std::string bytes(18, '\0');
    bytes[2] = 2;
    bytes[12] = static_cast<char>(width);
    bytes[13] = static_cast<char>(width >> 8);
    bytes[14] = static_cast<char>(height);
    bytes[15] = static_cast<char>(height >> 8);
    bytes[16] = 32;
    bytes[17] = 0x28;
    for (uint32_t pixel : pixels) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes += static_cast<char>(pixel >> shift);
        }
    }
    std::ofstream(path, std::ios::binary) << bytes;
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path());
    }
    std::ofstream(path, std::ios::binary) << text;
}

// The small data set in the working folder.
inline void WriteGameData() {
    std::string texts = "<HelpText>\n";
    for (int n = 1; n <= GameApp::kHelpTextCount; ++n) {
        if (n != 5) {
            texts += "<Text" + std::to_string(n) + " value=\"" + std::string("Текст "_cp1251) +
                     std::to_string(n) + "\"/>\n";
        }
    }
    WriteText("local/1.xml", texts + "</HelpText>\n");
    WriteTga("images/menu_cursor.tga", 1, 1, {0xFF102030});
    for (const std::string& file : GameImages::AllImageFiles()) {
        WriteTga(file + ".tga", 1, 1, {0xFF808080});
    }
    for (const GameFontFile& font : GameImages::LoadAllFonts()) {
        WriteText(font.mFile, "");
    }
    // Every level of the normal sets: one apple tree, its box, a goal of one apple, a minute.
    const std::string level = "<Init><TreeNum attrib1=\"1\"/>"
                              "<Tree1 attrib1=\"1\" attrib2=\"100\" attrib3=\"150\" "
                              "attrib4=\"120\" attrib5=\"200\" attrib6=\"3\" attrib7=\"2\"/>"
                              "<Tree1MatrixNum1 attrib1=\"1\"/><Matrix1Item1 attrib1=\"9\"/>"
                              "<FruitBoxNum attrib1=\"1\"/><FruitBox1 attrib1=\"1\"/>"
                              "<LevelGoal attrib1=\"1\"/><LevelTime attrib1=\"60\"/></Init>\n";
    for (int number = 1; number <= kStoryLevelCount; ++number) {
        WriteText(LevelFile::GetFileName(false, false, number), level);
    }
    for (int number = 1; number <= kSurvivalLevelCount; ++number) {
        WriteText(LevelFile::GetFileName(true, false, number), level);
    }
    WriteText("local/2.xml", "<HelpText><Text1 value=\"Exit?\"/></HelpText>\n");
    WriteText("local/682.xml", "<HelpText><Text1 value=\"Region\"/></HelpText>\n"); // the map
    // The map's messages, each headed by its number.
    for (int number : {601, 602, 603, 604, 605, 611, 612, 613, 614, 615, 621, 622, 623, 624,
                       625, 641, 642, 643, 644, 645, 651, 652, 653, 654, 655, 661, 662, 663,
                       664, 665, 671, 672, 673, 674, 675, 680, 681, 691, 692, 693, 694, 695}) {
        WriteText("local/" + std::to_string(number) + ".xml",
                  "<HelpText><Text1 value=\"" + std::to_string(number) +
                      "\"/><Text2 value=\"body\"/></HelpText>\n");
    }
    for (const MenuArtStep& step : MenuArtSet::LoadTable()) {
        if (step.mKind == MenuArtStep::Picture || step.mKind == MenuArtStep::OptionalPicture) {
            WriteTga(
                std::string(step.mFile) + ".tga", step.mCols, step.mRows,
                std::vector<uint32_t>(static_cast<size_t>(step.mCols * step.mRows), 0xFF808080));
        } else if (step.mKind == MenuArtStep::Font) {
            WriteText(step.mFile, "");
        }
    }
    WriteText("images/branding.xml", "<Branding><Data1 value=\"0\"/></Branding>\n");
    for (const std::string& file : BoardIntro::RequiredPictures()) {
        WriteTga(file + ".tga", 1, 1, {0xFF808080});
    }
    for (const BoardLoading::PicturePair& pair : BoardLoading::Pairs()) {
        WriteTga(std::string(pair.mFrame) + ".tga", 1, 1, {0xFF808080});
        WriteTga(std::string(pair.mFill) + ".tga", 1, 1, {0xFF808080});
    }
    std::filesystem::create_directories("data");
}

// One player's profile on disk, current, so the menu opens without asking for a name.
inline void WriteProfile(std::string name) {
    ProfileManager profiles;
    EXPECT_TRUE(profiles.AddProfile(name) && profiles.SelectProfile(name) && profiles.SaveList());
}

class GameAppFixture : public ::testing::Test {
protected:
    GameAppFixture() {
        WriteGameData();
        mApp = std::make_unique<TestGameApp>();
        mSounds = new SoundLog();
        mApp->mSoundManager = mSounds;
    }
    // Loading work a failed test left running may be asleep on the fake clock, which only this
    // thread moves: it is let finish before the application joins it.
    ~GameAppFixture() override {
        if (mApp != nullptr) {
            WaitForLoadingWork();
        }
        mApp.reset();
    }

    // Steps the main loop until pred holds; false when it did not within maxSteps.
    template <typename Pred> bool StepUntil(Pred pred, int maxSteps = 20000) {
        for (int i = 0; i < maxSteps && !pred(); ++i) {
            bool updated = false;
            if (!mApp->RunLoopStep(&updated)) {
                break;
            }
        }
        return pred();
    }
    // Waits for the loading work to end. Its pauses (a level's settling pause) sleep on the
    // fake clock, which is moved for them meanwhile. Work that has not ended within the bound
    // can be neither joined nor left running while the application goes: the test process
    // ends with the failure written, instead of hanging until its time limit.
    void WaitForLoadingWork() {
        std::atomic<bool> done{false};
        std::thread waiter([&] {
            mApp->WaitForLoadingThread();
            done = true;
        });
        if (!mClock.WakeSleepersUntil([&] { return done.load(); })) {
            ADD_FAILURE() << "the loading work did not end";
            std::fflush(stdout);
            std::_Exit(1);
        }
        waiter.join();
    }
    // Steps until the switch under way has finished on the main thread. The loading work is
    // waited for first: the loop's steps take no real time and could otherwise run out before
    // a slow machine's loading thread is done.
    bool StepUntilLoaded() {
        WaitForLoadingWork();
        return StepUntil([&] { return mApp->mLoaded.load(); });
    }
    // InitGame, then the menu's loading work done and the intro's start box pressed. Without a
    // profile on disk the menu asks for a first name; those dialogs are closed unanswered.
    void StartToMenu() {
        mApp->InitGame();
        ASSERT_TRUE(StepUntilLoaded());
        mApp->FinishMenuScreen();
        while (!mApp->mDialogList.empty()) {
            mApp->CloseDialogWidget(mApp->mDialogList.front());
        }
        mApp->DeleteQueuedWidgets();
    }
    bool Attached(Widget* widget) const {
        const auto& widgets = mApp->mWidgetManager->mWidgets;
        return widget != nullptr &&
               std::find(widgets.begin(), widgets.end(), widget) != widgets.end();
    }
    // The boxes shown, as "title: text".
    std::vector<std::string> Boxes() const { return mWindows.BoxTexts(); }

    TempWorkingFolder mFolder;
    FakeClock mClock;
    ScriptedEvents mEvents;
    FakeWindowSystem mWindows;
    MemoryRegistry mRegistry;
    Testing::FixedWidthSysFonts mFonts;
    std::unique_ptr<TestGameApp> mApp;
    SoundLog* mSounds = nullptr; // owned by the application
};

} // namespace Vuro::Test
