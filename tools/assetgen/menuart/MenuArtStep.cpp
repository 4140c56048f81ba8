#include "tools/assetgen/menuart/MenuArtStep.h"

#include "tools/assetgen/PictureStep.h"
#include "tools/assetgen/menuart/MenuArtList.h"
#include "tools/assetgen/menuart/MenuArtPainters.h"

#include <cstdio>

namespace Vuro::AssetGen {

int RunMenuArtStep(const StepContext& context) {
    MenuArtInputs inputs;
    std::string error;
    if (!ReadMenuArtSources(context.mAssets / "menuart", &inputs.mSources, &error)) {
        std::fprintf(stderr, "assetgen menuart: %s\n", error.c_str());
        return 1;
    }
    if (!inputs.mScenes.Read(context.mAssets / "menuart" / "scenes.txt")) {
        return 1;
    }
    return RunPictureStep(context, "menuart", MenuArtPictures(), inputs);
}

} // namespace Vuro::AssetGen

int main(int argc, char** argv) {
    return Vuro::AssetGen::RunStepProgram(argc, argv,
                                          {"menuart", Vuro::AssetGen::RunMenuArtStep, true});
}
