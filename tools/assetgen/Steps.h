#pragma once
// The steps of the asset tool. Each step is a program of its own (assetgen-<step>), so a change
// to one step's code remakes that step alone. A step reads its sources under assets/<step>/ and
// writes its part of the data set under the output folder, with the names and formats the game
// reads. A step answers 0 on success; on failure it has written a message naming the file to
// stderr.

#include <filesystem>
#include <string>
#include <vector>

namespace Vuro::AssetGen {

struct StepContext {
    std::filesystem::path mAssets; // assets/ of the source tree
    std::filesystem::path mOut;    // the folder beside the program (build/<preset>/bin)
    // Picture steps only: the pictures to remake (names as the table gives them); empty: all.
    std::vector<std::string> mOnly;
    // Picture steps only: paint the pictures into the step's review sheet and write nothing
    // of the data set.
    bool mContactSheet = false;
};

using StepFunction = int (*)(const StepContext& context);

struct Step {
    const char* mName;
    StepFunction mRun;
    bool mPaintsPictures = false; // takes --only and --contact-sheet
};

// The whole program of a step:
//
//   assetgen-<step> ASSETS_DIR OUT_DIR [--only NAME]... [--contact-sheet]
//
// makes the output folder and runs the step; 2 after the usage for a wrong command line.
int RunStepProgram(int argc, char** argv, const Step& step);

} // namespace Vuro::AssetGen
