// The pictures of the screens around the play field, as the asset tool lists them: each file is
// there in its kind (PNG, JPEG with or without a separate alpha image, TGA, GIF), reads through
// the game's image reader at the size of its cel grid, and the pictures the game palettises
// hold few enough colours for it.

#include "DataSetApp.h"

#include "framework/app/StackApp.h"
#include "framework/display/DDImage.h"
#include "framework/graphics/ImageLib.h"
#include "tools/assetgen/menuart/MenuArtList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

namespace Vuro::AssetGen {
// Found by argument lookup: names the picture in test output.
void PrintTo(const MenuArtPicture& picture, std::ostream* out) {
    *out << picture.mName;
}
} // namespace Vuro::AssetGen

namespace Vuro::Test {
namespace {

using AssetGen::MenuArtPicture;
using AssetGen::MenuArtPictures;
using AssetGen::Art::ImageFormat;

class MenuArtDataTest : public ::testing::TestWithParam<MenuArtPicture> {};

TEST_P(MenuArtDataTest, ReadsInItsKindAtTheSizeOfItsCelGrid) {
    const MenuArtPicture& picture = GetParam();
    const std::string path = DataPath(picture.mName);
    EXPECT_TRUE(std::filesystem::exists(path + AssetGen::Art::ExtensionOf(picture.mFormat)));

    std::unique_ptr<ImageLib::Image> image = ImageLib::GetImage(path, true);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->mWidth, picture.mColumns * picture.mCelWidth);
    EXPECT_EQ(image->mHeight, picture.mRows * picture.mCelHeight);

    const uint32_t* bits = image->mBits.get();
    const size_t pixels = static_cast<size_t>(image->mWidth) * image->mHeight;
    const bool someClear =
        std::any_of(bits, bits + pixels, [](uint32_t p) { return p >> 24 == 0; });
    const bool someShown =
        std::any_of(bits, bits + pixels, [](uint32_t p) { return p >> 24 >= 0x80; });
    EXPECT_TRUE(someShown) << "nothing painted";
    if (picture.mFormat == ImageFormat::JpegWithAlpha) {
        // The alpha image beside the JPEG cuts it out.
        const std::filesystem::path file(path);
        EXPECT_TRUE(std::filesystem::exists(file.parent_path() /
                                            ("_" + file.filename().string() + ".png")));
        EXPECT_TRUE(someClear);
    }
    if (picture.mFormat == ImageFormat::PalettePng || picture.mFormat == ImageFormat::Gif) {
        StackApp<DataSetApp> app;
        MemoryImage memory(&app);
        memory.SetBits(bits, image->mWidth, image->mHeight);
        EXPECT_TRUE(memory.Palletize());
    }
}

INSTANTIATE_TEST_SUITE_P(DataSet, MenuArtDataTest, ::testing::ValuesIn(MenuArtPictures()),
                         [](const ::testing::TestParamInfo<MenuArtPicture>& info) {
                             return std::string(info.param.mName).substr(7); // after "images/"
                         });

} // namespace
} // namespace Vuro::Test
