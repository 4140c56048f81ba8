// The command line every step's program shares.
#include "tools/assetgen/Steps.h"

#include <cstdio>
#include <string_view>

namespace Vuro::AssetGen {

namespace {

int Usage(const Step& step) {
    std::fprintf(stderr, "usage: assetgen-%s ASSETS_DIR OUT_DIR%s\n", step.mName,
                 step.mPaintsPictures ? " [--only NAME]... [--contact-sheet]" : "");
    return 2;
}

} // namespace

int RunStepProgram(int argc, char** argv, const Step& step) {
    if (argc < 3 || (argc > 3 && !step.mPaintsPictures)) {
        return Usage(step);
    }
    StepContext context;
    context.mAssets = argv[1];
    context.mOut = argv[2];
    for (int i = 3; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--only" && i + 1 < argc) {
            context.mOnly.emplace_back(argv[++i]);
        } else if (option == "--contact-sheet") {
            context.mContactSheet = true;
        } else {
            return Usage(step);
        }
    }
    std::error_code error;
    std::filesystem::create_directories(context.mOut, error);
    if (error) {
        std::fprintf(stderr, "assetgen %s: cannot make %s: %s\n", step.mName, argv[2],
                     error.message().c_str());
        return 1;
    }
    return step.mRun(context);
}

} // namespace Vuro::AssetGen
