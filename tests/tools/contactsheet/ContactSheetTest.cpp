// The review sheet of the data set's pictures: one picture beside the program's folder that
// image viewers and converters open (they refuse more than 16384 pixels a side), holding the
// picture steps' own sheets whole.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace Vuro::Test {
namespace {

struct PngSize {
    uint32_t mWidth = 0;
    uint32_t mHeight = 0;
};

// The size from a PNG's header chunk, which follows the 8-byte signature and the chunk's
// length and type; zero when the file is missing.
PngSize ReadPngSize(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof(header));
    if (!in) {
        return {};
    }
    auto big = [&](int at) {
        return uint32_t{header[at]} << 24 | uint32_t{header[at + 1]} << 16 |
               uint32_t{header[at + 2]} << 8 | header[at + 3];
    };
    return {big(16), big(20)};
}

TEST(ContactSheet, OpensInCommonViewersAndHoldsEveryStepsSheet) {
    const std::filesystem::path build = std::filesystem::path(VURO_DATA_DIR).parent_path();
    const PngSize whole = ReadPngSize(build / "contact-sheet.png");
    EXPECT_LE(whole.mWidth, 16384u);
    EXPECT_LE(whole.mHeight, 16384u);
    uint64_t partsArea = 0;
    for (const char* step : {"gameart", "menuart"}) {
        const PngSize part = ReadPngSize(build / (std::string("contact-") + step + ".png"));
        ASSERT_GT(part.mWidth, 0u) << step;
        EXPECT_LE(part.mWidth, whole.mWidth) << step;
        EXPECT_LE(part.mHeight, whole.mHeight) << step;
        partsArea += uint64_t{part.mWidth} * part.mHeight;
    }
    EXPECT_GE(uint64_t{whole.mWidth} * whole.mHeight, partsArea);
}

} // namespace
} // namespace Vuro::Test
