#include "LayerRules.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace Vuro::LayerCheck {
namespace {

struct IncludeCase {
    const char* file;
    const char* include;
    bool angle;
    bool allowed;
};

TEST(LayerCheckTest, JudgesIncludesByTheTable) {
    const IncludeCase cases[] = {
        {"framework/util/Buffer.cpp", "platform/FileSystem.h", false, true},
        {"framework/util/Buffer.cpp", "framework/graphics/Color.h", false, false},
        {"framework/graphics/Image.cpp", "framework/util/Buffer.h", false, true},
        {"framework/graphics/Image.cpp", "framework/app/VuroAppBase.h", false, false},
        {"framework/graphics/Image.cpp", "framework/display/DDImage.h", false, false},
        {"framework/display/DDImage.cpp", "framework/graphics/MemoryImage.h", false, true},
        {"framework/fonts/SysFont.cpp", "framework/display/DDImage.h", false, true},
        {"framework/fonts/Font.cpp", "framework/widgets/Widget.h", false, false},
        {"framework/widgets/Widget.cpp", "framework/fonts/Font.h", false, true},
        {"framework/widgets/Widget.cpp", "framework/app/VuroAppBase.h", false, false},
        {"framework/sound/SoundManager.h", "framework/graphics/Color.h", false, false},
        {"framework/app/AppSound.cpp", "framework/sound/SoundManager.h", false, true},
        {"framework/app/VuroAppBase.cpp", "framework/debug/CrashHandler.h", false, false},
        {"framework/debug/CrashHandler.cpp", "framework/app/VuroAppBase.h", false, true},
        {"framework/app/VuroAppBase.cpp", "game/app/GameApp.h", false, false},
        {"game/app/GameApp.cpp", "framework/debug/ResourceManager.h", false, true},
        // The game: player data <- rules <- screens <- application.
        {"game/player/ScoreTables.cpp", "framework/util/XMLParser.h", false, true},
        {"game/player/ScoreTables.cpp", "game/rules/Fruit.h", false, false},
        {"game/rules/PlayField.h", "game/player/ProfileManager.h", false, true},
        {"game/rules/PlayField.cpp", "game/screens/GameImages.h", false, false},
        {"game/screens/BoardMap.cpp", "game/rules/FrameAnim.h", false, true},
        {"game/screens/BoardMap.cpp", "game/player/PlayerRecord.h", false, true},
        {"game/screens/BoardMenu.cpp", "game/app/GameApp.h", false, false},
        {"game/app/GameApp.cpp", "game/screens/BoardMenu.h", false, true},
        {"game/app/GameApp.cpp", "game/player/ScoreTables.h", false, true},
        // A folder of game/ the table does not name is below every game layer.
        {"game/tables/StageTable.h", "game/player/PlayerRecord.h", false, false},
        {"game/tables/StageTable.h", "framework/util/Buffer.h", false, true},
        {"game/player/ScoreTables.cpp", "game/tables/StageTable.h", false, true},
        {"framework/app/VuroAppBase.cpp", "game/player/ProfileManager.h", false, false},
        // A bare name is beside the including file.
        {"framework/graphics/Image.cpp", "Color.h", false, true},
        // System libraries: only platform/.
        {"platform/sdl/SdlWindow.cpp", "SDL.h", true, true},
        {"framework/app/AppMainLoop.cpp", "SDL.h", true, false},
        {"framework/fonts/SysFont.cpp", "ft2build.h", true, false},
        {"game/app/GameApp.cpp", "fontconfig/fontconfig.h", true, false},
        {"framework/debug/CrashHandler.cpp", "unistd.h", true, false},
        {"framework/debug/HTTPTransfer.cpp", "sys/socket.h", true, false},
        {"framework/graphics/KernelForm.cpp", "cpuid.h", true, false},
        {"framework/graphics/BlitRowsAvx2.cpp", "immintrin.h", true, true},
        {"framework/util/StringHelpers.cpp", "cstring", true, true},
        {"framework/graphics/ImageLibPNG.cpp", "png.h", true, true},
        // Tools, tests and benchmarks are free.
        {"tests/framework/app/AppTest.cpp", "SDL.h", true, true},
        {"tools/assetgen/main.cpp", "framework/app/VuroAppBase.h", false, true},
    };
    for (const IncludeCase& c : cases) {
        EXPECT_EQ(CheckInclude(c.file, c.include, c.angle).empty(), c.allowed)
            << c.file << " including " << c.include;
    }
}

TEST(LayerCheckTest, ScanFindsAPlantedIncludeAndSparesTheRest) {
    Vuro::Test::TempFolder tree("layercheck");
    std::filesystem::create_directories(tree.Path("framework/graphics"));
    std::filesystem::create_directories(tree.Path("tests"));
    tree.Write("framework/graphics/Fine.cpp",
               "#include \"framework/graphics/Fine.h\"\n#include <vector>\n");
    tree.Write("framework/graphics/Planted.cpp",
               "// #include \"framework/app/VuroAppBase.h\" in a comment is no include\n"
               "#include \"framework/util/Buffer.h\"\n"
               "  #  include \"framework/widgets/Widget.h\"\n"
               "#include <SDL.h>\n");
    tree.Write("tests/Free.cpp", "#include <SDL.h>\n#include \"framework/app/VuroAppBase.h\"\n");

    const std::vector<Violation> found = ScanTree(tree.Folder());
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].file, "framework/graphics/Planted.cpp");
    EXPECT_EQ(found[0].line, 3);
    EXPECT_EQ(found[0].include, "framework/widgets/Widget.h");
    EXPECT_EQ(found[0].reason, "graphics may not include widgets");
    EXPECT_EQ(found[1].line, 4);
    EXPECT_EQ(found[1].include, "SDL.h");
}

} // namespace
} // namespace Vuro::LayerCheck
