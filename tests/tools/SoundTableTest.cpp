// The sounds the asset tool makes are the game's own table; within it no two effects and no two
// songs share an id or a file, so none hides another once loaded.

#include "tools/assetgen/audio/SoundTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace Vuro {
namespace {

template <typename Entries> void ExpectOwnIdsAndFiles(const Entries& entries) {
    std::set<int> ids;
    std::set<std::string> files;
    for (const auto& entry : entries) {
        EXPECT_TRUE(ids.insert(entry.mId).second) << "id " << entry.mId << " twice";
        EXPECT_TRUE(files.insert(entry.mFile).second) << entry.mFile << " twice";
    }
}

TEST(SoundTable, EveryEffectAndSongHasItsOwnIdAndFile) {
    ExpectOwnIdsAndFiles(AssetGen::GameEffects());
    ExpectOwnIdsAndFiles(AssetGen::GameSongs());
}

} // namespace
} // namespace Vuro
