#pragma once
// The steps of the asset tool. Each step reads its sources under assets/<step>/ and writes its
// part of the data set under the output folder, with the names and formats the game reads.
// A step answers 0 on success; on failure it has written a message naming the file to stderr.

#include <filesystem>

namespace Vuro::AssetGen {

struct StepContext {
    std::filesystem::path mAssets; // assets/ of the source tree
    std::filesystem::path mOut;    // the folder beside the program (build/<preset>/bin)
};

using StepFunction = int (*)(const StepContext& context);

struct Step {
    const char* mName;
    StepFunction mRun;
};

} // namespace Vuro::AssetGen
