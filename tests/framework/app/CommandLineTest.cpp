// The command line: the program name, splitting into (name, value) pairs, each option's
// effect, unknown options ending the program, and numbered demo files.

#include "TestApp.h"

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "support/ExitTrap.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <utility>

namespace Vuro::Test {
namespace {

using Options = std::vector<std::pair<std::string, std::string>>;

// Hands the options to the real handler, or only notes them while capturing.
class OptionApp : public TestApp {
public:
    void HandleCommandLineOption(const std::string& name, const std::string& value) override {
        options.emplace_back(name, value);
        if (!capture) {
            TestApp::HandleCommandLineOption(name, value);
        }
    }
    bool capture = true;
    Options options;
};

// Sets the process's command line and puts the program's path alone back afterwards.
class CommandLineScope {
public:
    explicit CommandLineScope(std::vector<const char*> args) {
        Platform::SetCommandLineArgs(static_cast<int>(args.size()), args.data());
    }
    ~CommandLineScope() {
        std::string program = Platform::NativePath(Platform::ExecutablePath());
        const char* args[] = {program.c_str()};
        Platform::SetCommandLineArgs(1, args);
    }
};

class CommandLineTest : public ::testing::Test {
protected:
    // The options turn recording on; no test wants the demo file the application would write.
    void TearDown() override { mApp.mRecordingDemoBuffer = false; }
    Options Split(const std::string& text) {
        mApp.options.clear();
        mApp.SplitCommandLine(text);
        return mApp.options;
    }
    // Handles the text for real; answers the exit code, or -1 when the program went on.
    int Handle(const std::string& text) {
        mApp.capture = false;
        ExitTrap trap;
        try {
            mApp.SplitCommandLine(text);
        } catch (const ExitCalled& exit) {
            return exit.code;
        }
        return -1;
    }
    std::vector<std::string> Boxes() const { return mWindows.BoxTexts(); }

    FakeClock mClock;
    ScriptedEvents mEvents;
    FakeWindowSystem mWindows;
    StackApp<OptionApp> mApp;
};

TEST_F(CommandLineTest, TheJoinedLineQuotesArgumentsWithBlanksAndDropsTheProgramName) {
    {
        CommandLineScope line({"/opt/my game/quandrellis", "-demofile=a b.dmo", "-play"});
        EXPECT_EQ(Platform::CommandLine(),
                  "\"/opt/my game/quandrellis\" \"-demofile=a b.dmo\" -play");
        mApp.ParseCommandLine();
        EXPECT_TRUE(mApp.mCmdLineParsed);
        EXPECT_EQ(mApp.options, (Options{{"-demofile", "a b.dmo"}, {"-play", ""}}));
    }
    mApp.options.clear();
    {
        CommandLineScope line({"/opt/quandrellis", "-record"});
        mApp.ParseCommandLine();
        EXPECT_EQ(mApp.options, (Options{{"-record", ""}}));
    }
    mApp.options.clear();
    {
        CommandLineScope line({"/opt/quandrellis"});
        mApp.ParseCommandLine();
        EXPECT_TRUE(mApp.options.empty());
    }
    mApp.options.clear();
    {
        // A file named there leads back to its own name on disk, whatever it holds.
        TempFolder folder("command_line");
        folder.Write("демо 张.dmo", "demo");
        const std::string option = "-demofile=" + folder.Path("демо 张.dmo");
        CommandLineScope line({"/opt/quandrellis", option.c_str()});
        mApp.ParseCommandLine();
        ASSERT_EQ(mApp.options.size(), 1u);
        EXPECT_TRUE(Platform::FileExists(mApp.options[0].second));
    }
    // Without a recorded line the program's path alone stands there: no options.
    EXPECT_EQ(Platform::CommandLine().find(" -"), std::string::npos);
}

TEST_F(CommandLineTest, ALineOpeningWithAnUnmatchedQuoteHasNoOptions) {
    CommandLineScope line({"\"/opt/quandrellis", "-play"});
    mApp.ParseCommandLine();
    EXPECT_TRUE(mApp.mCmdLineParsed);
    EXPECT_TRUE(mApp.options.empty());
    EXPECT_FALSE(mApp.mPlayingDemoBuffer);
}

TEST_F(CommandLineTest, SplittingCutsAtBlanksAndTakesValuesAfterTheEqualsSign) {
    EXPECT_EQ(Split("-a=1 -b"), (Options{{"-a", "1"}, {"-b", ""}}));
    EXPECT_EQ(Split("-demofile=\"my demo.dmo\" -play"),
              (Options{{"-demofile", "my demo.dmo"}, {"-play", ""}}));
    // A quoted name keeps its blank; "=" is never kept, in quotes or not.
    EXPECT_EQ(Split("\"-x y\"=1"), (Options{{"-x y", ""}}));
    EXPECT_EQ(Split("-a=b=c"), (Options{{"-a", "bc"}}));
    EXPECT_EQ(Split("-a=\"x=y\""), (Options{{"-a", "xy"}}));
    // A value after a blank is an option of its own.
    EXPECT_EQ(Split("-recnum 3"), (Options{{"-recnum", ""}, {"3", ""}}));
}

TEST_F(CommandLineTest, EmptyNamesFromRepeatedBlanksArePassedOver) {
    // Two blanks, a trailing blank or a blank after a quoted value give an empty name, which
    // must not end the program as an unknown option.
    EXPECT_EQ(Split("-play  -record "), (Options{{"-play", ""}, {"-record", ""}}));
    EXPECT_EQ(Split("-demofile=\"a b\" -play"), (Options{{"-demofile", "a b"}, {"-play", ""}}));
    EXPECT_EQ(Handle("-record  -screensaver"), -1);
    EXPECT_TRUE(mApp.mRecordingDemoBuffer);
    EXPECT_TRUE(mApp.mIsScreenSaver);
    EXPECT_TRUE(mWindows.mBoxes.empty());
}

TEST_F(CommandLineTest, PlayAndRecordExcludeEachOther) {
    EXPECT_EQ(Handle("-record"), -1);
    EXPECT_TRUE(mApp.mRecordingDemoBuffer);
    EXPECT_FALSE(mApp.mPlayingDemoBuffer);
    EXPECT_EQ(Handle("-play"), -1);
    EXPECT_FALSE(mApp.mRecordingDemoBuffer);
    EXPECT_TRUE(mApp.mPlayingDemoBuffer);
    EXPECT_EQ(mApp.mDemoFileName, "vuroapp.dmo");
    EXPECT_EQ(Handle("-demofile=run.dmo"), -1);
    EXPECT_EQ(mApp.mDemoFileName, "run.dmo");
    EXPECT_FALSE(mApp.mIsScreenSaver);
    EXPECT_EQ(Handle("-screensaver"), -1);
    EXPECT_TRUE(mApp.mIsScreenSaver);
    // The report-only run, started by a crashed copy with its process id and a file to send.
    EXPECT_EQ(Handle("-crashreport=4321 -crashattach=run.dmo"), -1);
    EXPECT_TRUE(mApp.mCrashReportOnly);
    EXPECT_EQ(mApp.mCrashedProcessId, 4321);
    EXPECT_EQ(mApp.mCrashAttachment, "run.dmo");
}

TEST_F(CommandLineTest, AnUnknownOptionIsReportedAndEndsTheProgramWithCodeOne) {
    EXPECT_EQ(Handle("-PLAY"), 1) << "names are compared with case";
    EXPECT_EQ(Boxes(),
              (std::vector<std::string>{"FATAL ERROR: Invalid Command Line Param: -PLAY"}));
    EXPECT_FALSE(mApp.mPlayingDemoBuffer);
}

TEST_F(CommandLineTest, DemofileTakesItsValueOnlyAfterTheEqualsSign) {
    EXPECT_EQ(Handle("-demofile other.dmo"), 1);
    EXPECT_EQ(mApp.mDemoFileName, "");
    EXPECT_EQ(Boxes(),
              (std::vector<std::string>{"FATAL ERROR: Invalid Command Line Param: other.dmo"}));
}

TEST_F(CommandLineTest, InitParsesTheLineBeforeAnythingElse) {
    CommandLineScope line({"/opt/quandrellis", "-bogus"});
    mApp.capture = false;
    ExitTrap trap;
    try {
        mApp.Init();
        ADD_FAILURE() << "Init went on";
    } catch (const ExitCalled& exit) {
        EXPECT_EQ(exit.code, 1);
    }
    EXPECT_EQ(mWindows.mCreated, 0);
    EXPECT_EQ(Boxes(),
              (std::vector<std::string>{"FATAL ERROR: Invalid Command Line Param: -bogus"}));
}

TEST(CommandLineDeathTest, CrashRaisesAFaultAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            FakeClock clock;
            ScriptedEvents events;
            FakeWindowSystem windows;
            StackApp<TestApp> app;
            app.SplitCommandLine("-crash -play");
        },
        "");
}

// Numbered demo files prefix + "<n>.dmo" in a temporary folder (an absolute prefix).
class NumberedDemoTest : public CommandLineTest {
protected:
    void SetUp() override { mApp.mDemoPrefix = mFolder.Path("rec"); }
    void Touch(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            mFolder.Write(name, "x");
        }
    }

    TempFolder mFolder{"demos"};
};

TEST_F(NumberedDemoTest, RecnumDeletesTheOldestWhenEnoughExistAndRecordsTheNextNumber) {
    Touch({"rec1.dmo", "rec2.dmo", "rec3.dmo", "rec4.dmo"});
    EXPECT_EQ(Handle("-recnum=3"), -1);
    EXPECT_TRUE(mApp.mRecordingDemoBuffer);
    EXPECT_FALSE(mApp.mPlayingDemoBuffer);
    EXPECT_EQ(mApp.mDemoFileName, mFolder.Path("rec5.dmo"));
    EXPECT_FALSE(mFolder.Exists("rec1.dmo"));
    EXPECT_TRUE(mFolder.Exists("rec2.dmo"));
}

TEST_F(NumberedDemoTest, RecnumOfZeroKeepsFiveAndAValueAfterABlankIsUnknown) {
    Touch({"rec1.dmo", "rec2.dmo", "rec3.dmo", "rec4.dmo"});
    EXPECT_EQ(Handle("-recnum=0"), -1);
    EXPECT_TRUE(mFolder.Exists("rec1.dmo")) << "four files are fewer than five";
    EXPECT_EQ(mApp.mDemoFileName, mFolder.Path("rec5.dmo"));

    Touch({"rec5.dmo"});
    EXPECT_EQ(Handle("-recnum 3"), 1);
    EXPECT_FALSE(mFolder.Exists("rec1.dmo")) << "five files: the default keeps five";
    EXPECT_EQ(mApp.mDemoFileName, mFolder.Path("rec6.dmo"));
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"FATAL ERROR: Invalid Command Line Param: 3"}));
}

TEST_F(NumberedDemoTest, PlaynumCountsBackFromTheNewest) {
    Touch({"rec2.dmo", "rec7.dmo", "rec10.dmo", "other3.dmo", "rec.dmo", "recx.dmo"});
    EXPECT_EQ(Handle("-playnum=1"), -1);
    EXPECT_TRUE(mApp.mPlayingDemoBuffer);
    EXPECT_FALSE(mApp.mRecordingDemoBuffer);
    EXPECT_EQ(mApp.mDemoFileName, mFolder.Path("rec10.dmo"));
    EXPECT_EQ(Handle("-playnum=3"), -1);
    EXPECT_EQ(mApp.mDemoFileName, mFolder.Path("rec8.dmo")) << "the newest number minus two";
    EXPECT_EQ(Handle("-playnum=0"), -1);
    EXPECT_EQ(mApp.mDemoFileName, mFolder.Path("rec10.dmo"));
    EXPECT_TRUE(mFolder.Exists("rec2.dmo")) << "playing deletes nothing";
}

TEST_F(NumberedDemoTest, WithoutNumberedFilesPlaynumNamesNumberZeroWhichFailsToOpen) {
    EXPECT_EQ(mApp.NextDemoFileNumber(mApp.mDemoPrefix, 1, true), 0);
    EXPECT_EQ(Handle("-playnum=1"), -1);
    EXPECT_EQ(mApp.mDemoFileName, mFolder.Path("rec0.dmo"));
    ExitTrap trap;
    EXPECT_THROW(mApp.Init(), ExitCalled);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"FATAL ERROR: Demo file not found: " +
                                                 mFolder.Path("rec0.dmo")}));
}

TEST_F(NumberedDemoTest, OneOldFileGoesPerCall) {
    Touch({"rec1.dmo", "rec2.dmo", "rec3.dmo"});
    EXPECT_EQ(mApp.NextDemoFileNumber(mApp.mDemoPrefix, 1, true), 3);
    EXPECT_EQ(mApp.NextDemoFileNumber(mApp.mDemoPrefix, 1, true), 3);
    EXPECT_FALSE(mFolder.Exists("rec1.dmo"));
    EXPECT_FALSE(mFolder.Exists("rec2.dmo"));
    EXPECT_TRUE(mFolder.Exists("rec3.dmo"));
    EXPECT_EQ(mApp.NextDemoFileNumber(mApp.mDemoPrefix, 2, true), 3);
    EXPECT_TRUE(mFolder.Exists("rec3.dmo"));
}

TEST_F(CommandLineTest, NumberedDemosOfARelativePrefixLiveInTheProgramsFolder) {
    // They are written in the program's folder, so they are counted and deleted there too,
    // whatever folder the program was started from.
    std::filesystem::path programFolder =
        std::filesystem::path(Platform::ExecutablePath()).parent_path();
    std::string prefix =
        "cmdline_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_";
    auto inProgram = [&](const std::string& name) { return (programFolder / name).string(); };
    for (const char* number : {"1", "2"}) {
        FILE* file = std::fopen(inProgram(prefix + number + ".dmo").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
    }
    TempFolder elsewhere("launch");
    std::string launchFolder = Platform::GetWorkingDirectory();
    ASSERT_TRUE(Platform::SetWorkingDirectory(elsewhere.Folder()));
    elsewhere.Write(prefix + "9.dmo", "x");

    mApp.mDemoPrefix = prefix;
    int code = Handle("-recnum=2");
    ASSERT_TRUE(Platform::SetWorkingDirectory(launchFolder));
    EXPECT_EQ(code, -1);
    EXPECT_EQ(mApp.mDemoFileName, inProgram(prefix + "3.dmo"));
    EXPECT_FALSE(std::filesystem::exists(inProgram(prefix + "1.dmo")));
    EXPECT_TRUE(elsewhere.Exists(prefix + "9.dmo"));
    std::filesystem::remove(inProgram(prefix + "2.dmo"));
}

} // namespace
} // namespace Vuro::Test
