#pragma once
// Shared by the image codec tests: fixture files (made by fixtures/make_fixtures.py, see its
// README), byte access, and the formulas the fixtures were drawn with.

#include "framework/graphics/ImageLib.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace Vuro::ImageLib::Fixtures {

inline std::string Path(const std::string& name) {
    return std::string(VURO_SOURCE_DIR) + "/tests/framework/graphics/fixtures/" + name;
}

inline std::string Bytes(const std::string& name) {
    std::ifstream in(Path(name), std::ios::binary);
    EXPECT_TRUE(in.good()) << "missing fixture " << name;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a & 0xFF) << 24 | (r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF);
}

inline uint32_t Pixel(const Image& image, int x, int y) {
    return image
        .mBits[static_cast<size_t>(y) * static_cast<size_t>(image.mWidth) + static_cast<size_t>(x)];
}

// A fresh, empty folder for one test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        mPath = std::filesystem::temp_directory_path() /
                (std::string("vuro_img_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(mPath);
        std::filesystem::create_directories(mPath);
    }
    ~TempFolder() { std::filesystem::remove_all(mPath); }
    std::string operator/(const std::string& name) const { return (mPath / name).string(); }
    void Copy(const std::string& fixture, const std::string& name) const {
        std::filesystem::copy_file(Path(fixture), mPath / name);
    }

private:
    std::filesystem::path mPath;
};

} // namespace Vuro::ImageLib::Fixtures
