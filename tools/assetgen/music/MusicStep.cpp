#include "tools/assetgen/music/MusicStep.h"

#include "tools/assetgen/Parallel.h"
#include "tools/assetgen/audio/OggWriter.h"
#include "tools/assetgen/audio/SoundTable.h"
#include "tools/assetgen/audio/WaveWriters.h"
#include "tools/assetgen/music/SongRender.h"

#include <cstdio>

namespace Vuro::AssetGen {

namespace {

namespace fs = std::filesystem;

// About 140 kbit/s for stereo: the coding noise stays small where a loop wraps; half a
// megabyte a song.
constexpr float kOggQuality = 0.5f;

bool MakeSong(const StepContext& context, const GameSong& entry) {
    const fs::path file = context.mOut / entry.mFile;
    SourceText source;
    Score score;
    if (!source.Load(context.mAssets / "music" / file.stem().concat(".txt")) ||
        !ParseScore(source, score)) {
        return false;
    }
    if (score.mLoop != entry.mLoops) {
        return source.Fail(0, entry.mLoops ? "the game loops this song: write 'loop yes'"
                                           : "the game plays this song once: write 'loop no'");
    }
    const Wave wave = RenderSong(score);
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    return WriteOgg(file, wave, kOggQuality);
}

} // namespace

int RunMusicStep(const StepContext& context) {
    const std::vector<GameSong> songs = GameSongs();
    const bool made =
        RunInParallel(songs.size(), [&](size_t index) { return MakeSong(context, songs[index]); });
    return made ? 0 : 1;
}

} // namespace Vuro::AssetGen

int main(int argc, char** argv) {
    return Vuro::AssetGen::RunStepProgram(argc, argv, {"music", Vuro::AssetGen::RunMusicStep});
}
