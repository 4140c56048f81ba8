#include "tools/assetgen/gameart/GameArtStep.h"

#include "tools/assetgen/PictureStep.h"
#include "tools/assetgen/gameart/GameArtList.h"

namespace Vuro::AssetGen {

int RunGameArtStep(const StepContext& context) {
    GameArtSources sources;
    sources.mSceneryFile = context.mAssets / "gameart" / "scenery.txt";
    if (!ReadSceneFile(sources.mSceneryFile, sources.mScenery)) {
        return 1;
    }
    return RunPictureStep(context, "gameart", GameArtPictures(), sources);
}

} // namespace Vuro::AssetGen

int main(int argc, char** argv) {
    return Vuro::AssetGen::RunStepProgram(argc, argv,
                                          {"gameart", Vuro::AssetGen::RunGameArtStep, true});
}
