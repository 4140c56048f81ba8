// The asset tool: makes one step of the game's data set from the text sources in assets/.
//
//   assetgen STEP ASSETS_DIR OUT_DIR
//
// Every file the game reads is made here, so a fresh clone builds a playable game.
#include "tools/assetgen/ContactSheetStep.h"
#include "tools/assetgen/Steps.h"
#include "tools/assetgen/fonts/FontsStep.h"
#include "tools/assetgen/gameart/GameArtStep.h"
#include "tools/assetgen/levels/LevelsStep.h"
#include "tools/assetgen/menuart/MenuArtStep.h"
#include "tools/assetgen/music/MusicStep.h"
#include "tools/assetgen/sounds/SoundsStep.h"
#include "tools/assetgen/texts/TextsStep.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using namespace Vuro::AssetGen;

// Each step's source folder under assets/ carries the step's name; "contactsheet" runs last
// and joins the other steps' review sheets.
const std::vector<Step>& AllSteps() {
    // One step a line, so steps are added without touching the others' lines.
    // clang-format off
    static const std::vector<Step> steps = {
        {"fonts", RunFontsStep},
        {"sounds", RunSoundsStep},
        {"menuart", RunMenuArtStep},
        {"texts", RunTextsStep},
        {"levels", RunLevelsStep},
        {"music", RunMusicStep},
        {"gameart", RunGameArt},
        {"contactsheet", RunContactSheet},
    };
    // clang-format on
    return steps;
}

void PrintUsage() {
    std::fprintf(stderr, "usage: assetgen STEP ASSETS_DIR OUT_DIR\nsteps:");
    for (const Step& step : AllSteps()) {
        std::fprintf(stderr, " %s", step.mName);
    }
    std::fprintf(stderr, "\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        PrintUsage();
        return 2;
    }
    for (const Step& step : AllSteps()) {
        if (std::strcmp(step.mName, argv[1]) == 0) {
            StepContext context{argv[2], argv[3]};
            std::error_code error;
            std::filesystem::create_directories(context.mOut, error);
            if (error) {
                std::fprintf(stderr, "assetgen: cannot make %s: %s\n", argv[3],
                             error.message().c_str());
                return 1;
            }
            return step.mRun(context);
        }
    }
    std::fprintf(stderr, "assetgen: unknown step '%s'\n", argv[1]);
    PrintUsage();
    return 2;
}
