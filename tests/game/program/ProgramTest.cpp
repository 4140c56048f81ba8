// The real program, run on SDL's dummy video and audio drivers beside the data set made for it:
// it starts, loads its texts, cursor, sounds, music and the menu's pictures and fonts without a
// fatal box, draws its first screen and ends with status 0 when it is asked to close (SIGTERM
// reaches it as the session's end); with a picture missing it ends with the picture's message
// and status 1, whether the picture is read at start or on the loading thread; a box nobody
// answers does not keep it from ending when it is asked to.

#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace Vuro::Test {
namespace {

namespace fs = std::filesystem;
using Clock = ProgramRun::Clock;

Clock::time_point In(int seconds) {
    return Clock::now() + std::chrono::seconds(seconds);
}

// Waits until the program wrote text; false when it ended without writing it or time ran out.
bool WaitForOutput(ProgramRun& run, const std::string& text, Clock::time_point deadline) {
    while (Clock::now() < deadline) {
        if (run.Output().find(text) != std::string::npos) {
            return true;
        }
        // Sleeps a little while the program runs; answers at once once it has ended.
        if (run.WaitForExit(Clock::now() + std::chrono::milliseconds(20)) != -1) {
            return run.Output().find(text) != std::string::npos;
        }
    }
    return false;
}

TEST(Program, StartsLoadsDrawsItsFirstScreenAndEndsCleanlyWhenAskedToClose) {
    TempFolder folder("program");
    ProgramRun run(VURO_PROGRAM, folder);
    ASSERT_TRUE(run.Start({}));
    Clock::time_point deadline = In(60);
    // The intro is drawn; the menu's loading work (its pictures and fonts, every sound and
    // song) ends.
    EXPECT_TRUE(WaitForOutput(run, "First Frame Time: ", deadline)) << run.Output();
    EXPECT_TRUE(WaitForOutput(run, "Resource Loading Time: ", deadline)) << run.Output();
    run.Terminate();
    EXPECT_EQ(run.WaitForExit(In(20)), 0) << run.Output();
    std::string output = run.Output();
    EXPECT_EQ(output.find("Error: "), std::string::npos) << output;
    EXPECT_EQ(output.find("Information: "), std::string::npos) << output;
    // The default score tables were written to the user's data folder, none beside the
    // program.
    EXPECT_TRUE(fs::exists(run.DataPath("scores.dat")));
    EXPECT_FALSE(fs::exists(run.Path("data")));
}

TEST(Program, PlayerFilesAnEarlierVersionKeptBesideItAreMovedToTheUsersDataFolderOnce) {
    TempFolder folder("program_adopts");
    ProgramRun run(VURO_PROGRAM, folder);
    fs::create_directories(run.Path("data"));
    folder.Write("data/scores.dat", std::string(8, '\0')); // two empty tables
    // A Cyrillic player, "Аня", whose file the earlier version named in code page 1251 bytes.
    folder.Write("data/\xC0\xED\xFF.pf", std::string("\xC0\xED\xFF") + std::string(37, '\0'));
    const std::string list = std::string("\1\0\0\0\xC0\xED\xFF\0\0\0\0", 11);
    folder.Write("data/profile.dat", list);
    ASSERT_TRUE(run.Start({}));
    EXPECT_TRUE(WaitForOutput(run, "First Frame Time: ", In(60))) << run.Output();
    run.Terminate();
    EXPECT_EQ(run.WaitForExit(In(20)), 0) << run.Output();
    EXPECT_FALSE(fs::exists(run.Path("data")));
    EXPECT_EQ(fs::file_size(run.DataPath("scores.dat")), 8u) << "taken as it was";
    EXPECT_EQ(fs::file_size(run.DataPath("Аня.pf")), 40u) << "found under its UTF-8 name";
    EXPECT_EQ(fs::file_size(run.DataPath("profile.dat")), list.size());
    EXPECT_NE(run.Output().find("3 files moved from "), std::string::npos) << run.Output();

    // An earlier version run again makes data/ anew: it is not moved over the files in use.
    fs::create_directories(run.Path("data"));
    folder.Write("data/scores.dat", "older");
    ProgramRun again(VURO_PROGRAM, folder);
    ASSERT_TRUE(again.Start({}));
    EXPECT_TRUE(WaitForOutput(again, "First Frame Time: ", In(60))) << again.Output();
    again.Terminate();
    EXPECT_EQ(again.WaitForExit(In(20)), 0) << again.Output();
    EXPECT_EQ(fs::file_size(run.DataPath("scores.dat")), 8u);
    EXPECT_TRUE(fs::exists(run.Path("data/scores.dat")));
}

TEST(Program, AMissingPictureEndsTheProgramWithItsMessageAndStatus1) {
    struct Case {
        const char* picture; // its file name in images/, without the extension
        const char* message; // the name the error box gives
    };
    // The menu cursor is read at start on the main thread, the easy toggle with the menu's
    // pictures on the loading thread.
    for (Case c : {Case{"menu_cursor", "images/menu_cursor"}, Case{"easy", "easy"}}) {
        SCOPED_TRACE(c.picture);
        TempFolder folder(std::string("program_missing_") + c.picture);
        ProgramRun run(VURO_PROGRAM, folder);
        // The run's images folder links every entry of the data set's but the picture.
        fs::path images = fs::read_symlink(run.Path("images"));
        fs::remove(run.Path("images"));
        fs::create_directory(run.Path("images"));
        for (const fs::directory_entry& entry : fs::directory_iterator(images)) {
            if (entry.path().stem() != c.picture) {
                fs::create_symlink(entry.path(),
                                   fs::path(run.Path("images")) / entry.path().filename());
            }
        }
        ASSERT_TRUE(run.Start({}));
        EXPECT_EQ(run.WaitForExit(In(60)), 1) << run.Output();
        EXPECT_NE(run.Output().find(std::string("Error: There was an error loading the file: ") +
                                    c.message +
                                    "\nInformation: Please reinstall or download game again\n"),
                  std::string::npos)
            << run.Output();
    }
}

// A start-up box left unanswered (the boxes of the run wait for ever) ends at the request: the
// program goes on to its end at once, with the box's status, asks nothing more and leaves the
// settings as they were (they were never read).
TEST(Program, AStartUpBoxNobodyAnswersEndsWhenTheProgramIsAskedToEnd) {
    for (const char* option : {"-demofile=missing.dmo", "-playnum=1"}) {
        SCOPED_TRACE(option);
        TempFolder folder("program_box_ended");
        ProgramRun run(VURO_PROGRAM, folder);
        ASSERT_TRUE(run.Start({"-play", option}, {"VURO_TEST_BOXES_WAIT=1"}));
        ASSERT_TRUE(WaitForOutput(run, "Error: Demo file not found: ", In(60))) << run.Output();
        run.Terminate();
        // Only a program the box still held misses this.
        EXPECT_EQ(run.WaitForExit(In(30)), 1) << run.Output();
        EXPECT_EQ(run.Output().find("Information: "), std::string::npos) << run.Output();
        EXPECT_TRUE(fs::is_empty(run.Path("config"))) << "no settings were written";
    }
}

} // namespace
} // namespace Vuro::Test
