// The asset tool makes exactly the sound effects and songs the game loads, under the ids the
// game plays them by.

#include "tools/assetgen/audio/SoundTable.h"
#include "game/core/GameSounds.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace Vuro {
namespace {

using Entries = std::set<std::pair<int, std::string>>;

TEST(SoundTable, HoldsEveryEffectAndSongTheGameLoads) {
    Entries gameEffects{{kClickSound.mId, kClickSound.mFile}};
    for (const GameSoundFile& effect : kGameSoundEffects) {
        gameEffects.emplace(effect.mId, effect.mFile);
    }
    Entries madeEffects;
    for (const AssetGen::EffectEntry& effect : AssetGen::kGameEffects) {
        madeEffects.emplace(effect.mId, effect.mName);
    }
    EXPECT_EQ(madeEffects, gameEffects);

    Entries gameSongs;
    for (const GameSoundFile& song : kStartMusic) {
        gameSongs.emplace(song.mId, song.mFile);
    }
    for (const GameSoundFile& song : kGameMusic) {
        gameSongs.emplace(song.mId, song.mFile);
    }
    Entries madeSongs;
    for (const AssetGen::SongEntry& song : AssetGen::kGameSongs) {
        madeSongs.emplace(song.mId, song.mFile);
    }
    EXPECT_EQ(madeSongs, gameSongs);
}

} // namespace
} // namespace Vuro
