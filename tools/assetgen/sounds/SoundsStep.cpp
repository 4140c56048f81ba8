#include "tools/assetgen/sounds/SoundsStep.h"

#include "tools/assetgen/audio/OggWriter.h"
#include "tools/assetgen/audio/Parallel.h"
#include "tools/assetgen/audio/SoundTable.h"
#include "tools/assetgen/audio/WaveWriters.h"
#include "tools/assetgen/sounds/EffectRecipe.h"

#include <cstdio>
#include <set>
#include <string>

namespace Vuro::AssetGen {

namespace {

namespace fs = std::filesystem;

constexpr float kOggQuality = 0.5f;

bool MakeEffect(const StepContext& context, const EffectEntry& entry) {
    const fs::path name = fs::path(entry.mName).filename();
    SourceText source;
    EffectRecipe recipe;
    if (!source.Load(context.mAssets / "sounds" / name.string().append(".txt")) ||
        !ParseEffectRecipe(source, recipe)) {
        return false;
    }
    const Wave wave = RenderEffect(recipe);
    const fs::path stem = context.mOut / entry.mName;
    std::error_code error;
    fs::create_directories(stem.parent_path(), error);
    // The sound manager takes a .wav before an .ogg before an .au: a file left from an older
    // recipe of another format would hide the new one.
    for (const char* extension : {".wav", ".ogg", ".au"}) {
        fs::remove(fs::path(stem).concat(extension), error);
    }
    const fs::path file = fs::path(stem).concat("." + recipe.mFormat);
    if (recipe.mFormat == "ogg") {
        return WriteOgg(file, wave, kOggQuality);
    }
    if (recipe.mFormat == "au") {
        return WriteAu(file, wave);
    }
    return WriteWav(file, wave);
}

// A recipe the game never loads is a mistake in its name.
bool EveryRecipeIsUsed(const StepContext& context) {
    std::set<std::string> known;
    for (const EffectEntry& entry : kGameEffects) {
        known.insert(fs::path(entry.mName).filename().string() + ".txt");
    }
    bool allUsed = true;
    std::error_code error;
    for (const auto& item : fs::directory_iterator(context.mAssets / "sounds", error)) {
        if (known.count(item.path().filename().string()) == 0) {
            std::fprintf(stderr, "assetgen: %s is no sound of the game\n",
                         item.path().string().c_str());
            allUsed = false;
        }
    }
    return allUsed;
}

} // namespace

int RunSoundsStep(const StepContext& context) {
    if (!EveryRecipeIsUsed(context)) {
        return 1;
    }
    const bool made = RunInParallel(kGameEffects.size(), [&](size_t index) {
        return MakeEffect(context, kGameEffects[index]);
    });
    return made ? 0 : 1;
}

} // namespace Vuro::AssetGen
