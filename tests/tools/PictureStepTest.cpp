// The picture step the picture tables share: painted on several threads, every picture of a
// table lands in its own file with its own cel grid and its painter's pixels; the command line
// can ask for some pictures only, or for the step's review sheet instead of the data set.
#include "support/TempFolder.h"

#include "framework/graphics/ImageLib.h"
#include "tools/assetgen/PictureStep.h"
#include "tools/assetgen/art/Sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace Vuro::Test {
namespace {

using AssetGen::Picture;
using AssetGen::StepContext;
using enum AssetGen::Art::ImageFormat;

struct TestInputs {
    int mBlue;
};

// The red of a picture: its name's last character ('1'..'8') times 20.
int RedOf(const std::string& name) {
    return (name.back() - '0') * 20;
}

// Each cel opaque in one colour: red from the picture's name, green from the cel's index, blue
// from the inputs.
void PaintCels(AssetGen::Art::Sheet& sheet, const TestInputs& inputs, const std::string& name) {
    sheet.DrawEach([&](cairo_t* cr, int cel) {
        cairo_set_source_rgb(cr, RedOf(name) / 255.0, cel * 16 / 255.0, inputs.mBlue / 255.0);
        cairo_paint(cr);
    });
}

constexpr Picture<TestInputs> kPictures[] = {
    {"images/one1", 1, 3, 8, 6, Png, PaintCels},
    {"images/two2", 2, 2, 5, 5, Tga, PaintCels},
    {"images/three3", 3, 1, 4, 7, Gif, PaintCels},
    {"images/four4", 1, 1, 9, 3, PalettePng, PaintCels},
    {"images/deeper/five5", 2, 3, 3, 4, Png, PaintCels},
    {"six6", 1, 4, 6, 6, Png, PaintCels},
    {"images/seven7", 4, 2, 2, 3, Tga, PaintCels},
    {"images/eight8", 1, 2, 7, 5, Png, PaintCels},
};
constexpr TestInputs kInputs{200};

int RunStep(const std::string& out, std::vector<std::string> only, bool contactSheet) {
    StepContext context;
    context.mAssets = "unused";
    context.mOut = out;
    context.mOnly = std::move(only);
    context.mContactSheet = contactSheet;
    return AssetGen::RunPictureStep(context, "test",
                                    std::span<const Picture<TestInputs>>(kPictures), kInputs);
}

TEST(PictureStep, PaintsEveryPictureIntoItsOwnFileWithItsGrid) {
    TempFolder folder("picture_step");
    const std::string out = folder.Path("bin");
    ASSERT_EQ(RunStep(out, {}, false), 0);
    for (const auto& picture : kPictures) {
        SCOPED_TRACE(picture.mName);
        const std::string base = out + "/" + picture.mName;
        EXPECT_TRUE(std::filesystem::exists(base + AssetGen::Art::ExtensionOf(picture.mFormat)));
        std::unique_ptr<ImageLib::Image> image = ImageLib::GetImage(base, false);
        ASSERT_NE(image, nullptr);
        ASSERT_EQ(image->mWidth, picture.mColumns * picture.mCelWidth);
        ASSERT_EQ(image->mHeight, picture.mRows * picture.mCelHeight);
        for (int y = 0; y < image->mHeight; ++y) {
            for (int x = 0; x < image->mWidth; ++x) {
                const int cel = y / picture.mCelHeight * picture.mColumns + x / picture.mCelWidth;
                const uint32_t expected =
                    0xff000000u | RedOf(picture.mName) << 16 | cel * 16 << 8 | kInputs.mBlue;
                ASSERT_EQ(image->mBits[y * image->mWidth + x], expected) << x << ", " << y;
            }
        }
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Path("contact-test.png")));
}

TEST(PictureStep, RemakesOnlyTheNamedPicturesOrTheReviewSheet) {
    struct Case {
        std::vector<std::string> mOnly;
        bool mContactSheet;
        int mResult;
        std::vector<std::string> mWritten; // under the temporary folder
    };
    const Case cases[] = {
        {{"images/two2", "six6"}, false, 0, {"bin/images/two2.tga", "bin/six6.png"}},
        {{"images/deeper/five5"}, false, 0, {"bin/images/deeper/five5.png"}},
        {{"images/two2", "images/nine9"}, false, 1, {}},
        {{}, true, 0, {"contact-test.png"}},
        {{"images/one1"}, true, 0, {"contact-test.png"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(::testing::PrintToString(test.mOnly) + (test.mContactSheet ? " sheet" : ""));
        TempFolder folder("picture_step_only");
        EXPECT_EQ(RunStep(folder.Path("bin"), test.mOnly, test.mContactSheet), test.mResult);
        std::vector<std::string> written;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Folder())) {
            if (entry.is_regular_file()) {
                written.push_back(entry.path().lexically_relative(folder.Folder()).string());
            }
        }
        std::sort(written.begin(), written.end());
        std::vector<std::string> expected = test.mWritten;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(written, expected);
    }
}

} // namespace
} // namespace Vuro::Test
