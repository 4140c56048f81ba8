#pragma once
// Shared by the image codec tests: fixture files (made by fixtures/make_fixtures.py, see its
// README), byte access, and the formulas the fixtures were drawn with.

#include "framework/graphics/ImageLib.h"
#include "support/TempFolder.h"

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
    std::string operator/(const std::string& name) const { return mFolder.Path(name); }
    void Copy(const std::string& fixture, const std::string& name) const {
        std::filesystem::copy_file(Path(fixture), mFolder.Path(name));
    }

private:
    Test::TempFolder mFolder{"img"};
};

} // namespace Vuro::ImageLib::Fixtures
