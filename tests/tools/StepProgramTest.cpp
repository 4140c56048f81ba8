// The command line every step's program shares: two folders, then --only and --contact-sheet
// for the picture steps alone; anything else shows the usage and runs nothing.
#include "support/TempFolder.h"

#include "tools/assetgen/Steps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Vuro::Test {
namespace {

using AssetGen::Step;
using AssetGen::StepContext;

StepContext gSeen;
int gRuns = 0;

int Record(const StepContext& context) {
    gSeen = context;
    ++gRuns;
    return 7;
}

TEST(StepProgram, TakesTheFoldersAndThePictureStepsOptions) {
    TempFolder folder("step_program");
    const std::string out = folder.Path("made/bin");
    struct Case {
        bool mPaintsPictures;
        std::vector<std::string> mArguments; // after the program's name
        int mResult;
        std::vector<std::string> mOnly;
        bool mContactSheet;
    };
    const Case cases[] = {
        {false, {"assets", out}, 7, {}, false},
        {true, {"assets", out, "--only", "images/a", "--only", "b"}, 7, {"images/a", "b"}, false},
        {true, {"assets", out, "--contact-sheet"}, 7, {}, true},
        {false, {"assets", out, "--only", "images/a"}, 2, {}, false},
        {false, {"assets", out, "--contact-sheet"}, 2, {}, false},
        {true, {"assets", out, "--only"}, 2, {}, false},
        {true, {"assets", out, "--all"}, 2, {}, false},
        {true, {"assets"}, 2, {}, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(::testing::PrintToString(test.mArguments));
        std::vector<std::string> arguments = {"assetgen-test"};
        arguments.insert(arguments.end(), test.mArguments.begin(), test.mArguments.end());
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        gRuns = 0;
        gSeen = {};
        const Step step{"test", Record, test.mPaintsPictures};
        EXPECT_EQ(AssetGen::RunStepProgram(static_cast<int>(argv.size()), argv.data(), step),
                  test.mResult);
        EXPECT_EQ(gRuns, test.mResult == 7 ? 1 : 0);
        if (gRuns == 1) {
            EXPECT_EQ(gSeen.mAssets, "assets");
            EXPECT_EQ(gSeen.mOut, out);
            EXPECT_TRUE(std::filesystem::is_directory(out));
            EXPECT_EQ(gSeen.mOnly, test.mOnly);
            EXPECT_EQ(gSeen.mContactSheet, test.mContactSheet);
        }
    }
}

} // namespace
} // namespace Vuro::Test
