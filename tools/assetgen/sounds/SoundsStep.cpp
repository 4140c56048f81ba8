#include "tools/assetgen/sounds/SoundsStep.h"

#include "tools/assetgen/Parallel.h"
#include "tools/assetgen/audio/OggWriter.h"
#include "tools/assetgen/audio/SoundTable.h"
#include "tools/assetgen/audio/WaveWriters.h"
#include "tools/assetgen/sounds/EffectRecipe.h"

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace Vuro::AssetGen {

namespace {

namespace fs = std::filesystem;

constexpr float kOggQuality = 0.5f;

// The recipe assets/sounds/<recipe>.txt, rendered; false after a message when it is faulty.
bool RenderRecipe(const StepContext& context, const std::string& recipeName, EffectRecipe& recipe,
                  Wave& wave) {
    SourceText source;
    if (!source.Load(context.mAssets / "sounds" / (recipeName + ".txt")) ||
        !ParseEffectRecipe(source, recipe)) {
        return false;
    }
    wave = RenderEffect(recipe);
    return true;
}

bool MakeEffect(const StepContext& context, const GameSoundFile& entry) {
    EffectRecipe recipe;
    Wave wave;
    if (!RenderRecipe(context, fs::path(entry.mFile).filename().string(), recipe, wave)) {
        return false;
    }
    const fs::path stem = context.mOut / entry.mFile;
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

// The system plays nothing but WAVE files, by their full name.
bool MakeSystemSound(const StepContext& context, const SystemSoundEntry& entry) {
    EffectRecipe recipe;
    Wave wave;
    if (!RenderRecipe(context, entry.mRecipe, recipe, wave)) {
        return false;
    }
    if (recipe.mFormat != "wav") {
        std::fprintf(stderr, "assetgen: sounds/%s.txt: a system sound is a wav\n", entry.mRecipe);
        return false;
    }
    const fs::path file = context.mOut / entry.mFile;
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    return WriteWav(file, wave);
}

// A recipe the game and the framework never load is a mistake in its name.
bool EveryRecipeIsUsed(const StepContext& context, const std::vector<GameSoundFile>& effects) {
    std::set<std::string> known;
    for (const GameSoundFile& entry : effects) {
        known.insert(fs::path(entry.mFile).filename().string() + ".txt");
    }
    for (const SystemSoundEntry& entry : kSystemSounds) {
        known.insert(std::string(entry.mRecipe) + ".txt");
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
    const std::vector<GameSoundFile> effects = GameEffects();
    if (!EveryRecipeIsUsed(context, effects)) {
        return 1;
    }
    const bool made = RunInParallel(effects.size() + kSystemSounds.size(), [&](size_t index) {
        return index < effects.size()
                   ? MakeEffect(context, effects[index])
                   : MakeSystemSound(context, kSystemSounds[index - effects.size()]);
    });
    return made ? 0 : 1;
}

} // namespace Vuro::AssetGen

int main(int argc, char** argv) {
    return Vuro::AssetGen::RunStepProgram(argc, argv, {"sounds", Vuro::AssetGen::RunSoundsStep});
}
