#include "tools/assetgen/levels/LevelsStep.h"

#include "game/rules/Stages.h"
#include "tools/assetgen/SourceFile.h"
#include "tools/assetgen/levels/LevelWriter.h"

#include <cstdio>

namespace Vuro::AssetGen {

namespace {

struct Mode {
    const char* mTable;  // under assets/levels/
    const char* mFolder; // under levels/ and levels/easy/
    int mLevels;
    bool mSurvival;
};

constexpr Mode kModes[] = {
    {"story.txt", "story", kStoryLevelCount, false},
    {"survive.txt", "survive", kSurvivalLevelCount, true},
};

bool WriteMode(const StepContext& context, const Mode& mode) {
    std::filesystem::path table = context.mAssets / "levels" / mode.mTable;
    std::vector<LevelRow> rows;
    if (!ReadLevelTable(table, mode.mSurvival, rows)) {
        return false;
    }
    if (static_cast<int>(rows.size()) != mode.mLevels) {
        std::fprintf(stderr, "%s: %d levels expected, %zu found\n", table.string().c_str(),
                     mode.mLevels, rows.size());
        return false;
    }
    for (int i = 0; i < mode.mLevels; ++i) {
        const LevelRow& row = rows[i];
        if (row.mLevel != i + 1) {
            std::fprintf(stderr, "%s: level %d expected as row %d\n", table.string().c_str(), i + 1,
                         i + 1);
            return false;
        }
        for (bool easy : {false, true}) {
            LevelPlan plan;
            std::string error;
            bool made = mode.mSurvival ? MakeSurvivalLevel(row, easy, plan, error)
                                       : MakeStoryLevel(row, easy, plan, error);
            if (!made) {
                std::fprintf(stderr, "%s: level %d: %s\n", table.string().c_str(), row.mLevel,
                             error.c_str());
                return false;
            }
            std::filesystem::path file = context.mOut / "levels" / (easy ? "easy" : "") /
                                         mode.mFolder /
                                         ("level" + std::to_string(row.mLevel) + ".xml");
            if (!WriteDataFile(file, WriteLevelFile(plan))) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

int RunLevelsStep(const StepContext& context) {
    for (const Mode& mode : kModes) {
        if (!WriteMode(context, mode)) {
            return 1;
        }
    }
    return 0;
}

} // namespace Vuro::AssetGen

int main(int argc, char** argv) {
    return Vuro::AssetGen::RunStepProgram(argc, argv, {"levels", Vuro::AssetGen::RunLevelsStep});
}
