// The play field's pictures in the data set: each one read back through the game's image
// reader with the size its cel grid asks for, in the file kind the table names; the icon's soft
// edge; the stage backgrounds open to the sky; the skies repeat across; every tree's crown over all
// of its fruit cells.
#include "framework/app/VuroAppBase.h"
#include "framework/graphics/ImageLib.h"
#include "game/screens/GameImages.h"
#include "tools/assetgen/gameart/GameArtList.h"
#include "tools/assetgen/levels/TreeGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace Vuro {
namespace {

using AssetGen::GameArtPicture;
using AssetGen::GameArtPictures;

std::string DataPath(const std::string& name) {
    return std::string(VURO_DATA_DIR) + "/" + name;
}

int AlphaAt(const ImageLib::Image& image, int x, int y) {
    return static_cast<int>(image.mBits[y * image.mWidth + x] >> 24);
}

const GameArtPicture* Find(const std::string& name) {
    for (const GameArtPicture& picture : GameArtPictures()) {
        if (name == picture.mName) {
            return &picture;
        }
    }
    return nullptr;
}

TEST(GameArtTest, EveryPictureIsReadWithItsCelGrid) {
    for (const GameArtPicture& picture : GameArtPictures()) {
        SCOPED_TRACE(picture.mName);
        const std::string base = DataPath(picture.mName);
        EXPECT_TRUE(std::filesystem::exists(base + AssetGen::Art::ExtensionOf(picture.mFormat)));
        std::unique_ptr<ImageLib::Image> image = ImageLib::GetImage(base, true);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->mWidth, picture.mColumns * picture.mCelWidth);
        EXPECT_EQ(image->mHeight, picture.mRows * picture.mCelHeight);
    }
}

TEST(GameArtTest, NamesAreUniqueAndCaseKept) {
    for (const GameArtPicture& picture : GameArtPictures()) {
        EXPECT_EQ(Find(picture.mName), &picture) << picture.mName;
    }
    ASSERT_NE(Find("images/Flash_black"), nullptr);
    ASSERT_NE(Find("images/flash_blue"), nullptr);
    EXPECT_EQ(Find("images/flash_black"), nullptr);
}

// The game's image set and the data set agree on every file and its cels; the data set makes
// nothing the game does not load but the menu cursor, which the game application loads, and the
// icon the application gives its window.
TEST(GameArtTest, MatchesTheGameImageSetsTables) {
    auto expectCels = [](const char* file, int rows, int columns) {
        const GameArtPicture* picture = Find(file);
        ASSERT_NE(picture, nullptr) << file;
        EXPECT_EQ(picture->mRows, rows) << file;
        EXPECT_EQ(picture->mColumns, columns) << file;
    };
    for (auto files :
         {GameImages::LoadAllImages(), GameImages::DaySkyImages(), GameImages::NightSkyImages()}) {
        for (const GameImageFile& file : files) {
            expectCels(file.mFile, file.mRows, file.mCols);
        }
    }
    for (const GameAmbientFile& file : GameImages::AmbientFiles()) {
        expectCels(file.mFile, file.mRows, file.mCols);
    }
    const std::vector<std::string> loaded = GameImages::AllImageFiles();
    for (const std::string& file : loaded) {
        EXPECT_NE(Find(file), nullptr) << file;
    }
    for (const GameArtPicture& picture : GameArtPictures()) {
        const std::string name = picture.mName;
        if (name != "images/menu_cursor" && name != VuroAppBase::kMainIconFile) {
            EXPECT_NE(std::find(loaded.begin(), loaded.end(), picture.mName), loaded.end())
                << picture.mName;
        }
    }
}

// The program's icon: the fruit solid in the middle, the corners clear, and an edge that fades
// (the desktop blends it over any background).
TEST(GameArtTest, TheIconIsSolidInTheMiddleWithASoftEdge) {
    std::unique_ptr<ImageLib::Image> icon =
        ImageLib::GetImage(DataPath(VuroAppBase::kMainIconFile), false);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(AlphaAt(*icon, 32, 36), 255);
    int fading = 0;
    for (int y = 0; y < icon->mHeight; ++y) {
        for (int x = 0; x < icon->mWidth; ++x) {
            const int alpha = AlphaAt(*icon, x, y);
            fading += alpha > 0 && alpha < 255;
        }
    }
    EXPECT_GT(fading, 64) << "more than a pixel's rim";
    for (int corner : {0, 63}) {
        EXPECT_EQ(AlphaAt(*icon, corner, 63), 0);
        EXPECT_EQ(AlphaAt(*icon, 0, corner), 0);
    }
}

// The sky, sun and clouds are drawn before the stage composite: every stage background must
// be open at the top and solid at the ground, also those whose alpha comes from a "_" image.
TEST(GameArtTest, StageBackgroundsOpenToTheSky) {
    for (const char* theme : {"granny", "lake", "forest", "castle", "mountain", "city"}) {
        SCOPED_TRACE(theme);
        std::unique_ptr<ImageLib::Image> image =
            ImageLib::GetImage(DataPath(std::string("images/") + theme), true);
        ASSERT_NE(image, nullptr);
        for (int x : {0, 320, 639}) {
            EXPECT_EQ(AlphaAt(*image, x, 0), 0);
            EXPECT_EQ(AlphaAt(*image, x, 400), 255);
        }
    }
}

// The statistics screen lays the sky from x -188 and again from x 320: the picture repeats
// every 508 pixels across, so the halves meet (within what JPEG leaves of a smooth gradient).
TEST(GameArtTest, SkiesRepeatEvery508PixelsAcross) {
    for (const char* sky : {"images/background_menu", "images/background_night"}) {
        SCOPED_TRACE(sky);
        std::unique_ptr<ImageLib::Image> image = ImageLib::GetImage(DataPath(sky), true);
        ASSERT_NE(image, nullptr);
        int worst = 0;
        for (int y = 0; y < image->mHeight; ++y) {
            for (int x = 0; x + 508 < image->mWidth; ++x) {
                const uint32_t a = image->mBits[y * image->mWidth + x];
                const uint32_t b = image->mBits[y * image->mWidth + x + 508];
                for (int shift : {0, 8, 16}) {
                    worst = std::max(worst,
                                     std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
                }
            }
        }
        EXPECT_LE(worst, 6);
    }
}

// Levels may put fruit on any cell that bears fruit in any grid a crown holds: each hangs in
// the leaves; the crown is not cut off at the picture's edges; the trunk stands on its foot.
TEST(GameArtTest, TreeCrownsHoldEveryFruitCellAndTrunksReachTheGround) {
    namespace Geometry = AssetGen::TreeGeometry;
    for (const char* tree : {"appletree", "peartree", "plumtree", "orangetree"}) {
        SCOPED_TRACE(tree);
        std::unique_ptr<ImageLib::Image> image =
            ImageLib::GetImage(DataPath(std::string("images/") + tree), true);
        ASSERT_NE(image, nullptr);
        ASSERT_EQ(image->mWidth, kTreeWidth);
        ASSERT_EQ(image->mHeight, kTreeHeight);
        const int middle = kFruitSize / 2;
        for (int columns = 3; columns <= Geometry::kCrownColumns; ++columns) {
            for (int rows = 3; rows <= Geometry::kCrownRows; ++rows) {
                for (int i = 0; i < columns; ++i) {
                    for (int j = 0; j < rows; ++j) {
                        if (Geometry::CellBearsFruit(columns, rows, i, j)) {
                            EXPECT_EQ(AlphaAt(*image,
                                              Geometry::GridOriginX(0, columns) +
                                                  i * Geometry::kCellSpacing + middle,
                                              Geometry::GridOriginY(0, rows) +
                                                  j * Geometry::kCellSpacing + middle),
                                      255)
                                << columns << "x" << rows << ": " << i << ", " << j;
                        }
                    }
                }
            }
        }
        for (int y = 0; y < kTreeHeight; ++y) {
            // At most the faint end of the crown's shadow.
            EXPECT_LT(AlphaAt(*image, 0, y), 32) << y;
            EXPECT_LT(AlphaAt(*image, kTreeWidth - 1, y), 32) << y;
        }
        for (int x = 0; x < kTreeWidth; ++x) {
            EXPECT_LT(AlphaAt(*image, x, 0), 32) << x;
        }
        const int trunk = (Geometry::kTrunkLeft + Geometry::kTrunkRight) / 2;
        EXPECT_EQ(AlphaAt(*image, trunk, kTreeHeight - 4), 255);
    }
}

} // namespace
} // namespace Vuro
