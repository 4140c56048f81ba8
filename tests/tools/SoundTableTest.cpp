// The asset tool makes exactly the sound effects and songs the game loads, under the ids the
// game plays them by.

#include "tools/assetgen/audio/SoundTable.h"
#include "game/rules/GameSounds.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace Vuro {
namespace {

using Entries = std::set<std::pair<int, std::string>>;

// Id and file name of every entry of the tables, whatever their field names.
template <typename Table, typename Name> void Add(Entries& entries, const Table& table, Name name) {
    for (const auto& entry : table) {
        entries.emplace(entry.mId, name(entry));
    }
}

TEST(SoundTable, HoldsEveryEffectAndSongTheGameLoads) {
    auto file = [](const auto& entry) { return std::string(entry.mFile); };
    Entries gameEffects{{kClickSound.mId, kClickSound.mFile}};
    Add(gameEffects, kGameSoundEffects, file);
    Entries madeEffects;
    Add(madeEffects, AssetGen::kGameEffects, [](const auto& entry) { return entry.mName; });
    EXPECT_EQ(madeEffects, gameEffects);

    Entries gameSongs;
    Add(gameSongs, kStartMusic, file);
    Add(gameSongs, kGameMusic, file);
    Entries madeSongs;
    Add(madeSongs, AssetGen::kGameSongs, file);
    EXPECT_EQ(madeSongs, gameSongs);
}

} // namespace
} // namespace Vuro
