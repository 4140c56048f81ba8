#pragma once
// Compares a drawn picture, word for word, with a reviewed golden PNG kept in the source tree.
//
// Use, for any screen or widget drawn into a MemoryImage (or any 0xAARRGGBB buffer):
//     EXPECT_TRUE(Test::MatchesGolden(screen,
//     Test::GoldenPath("game/screens/golden/busy_field.png")));
// GoldenPath takes the path below tests/; keep goldens in a golden/ folder beside the test.
//
// On a difference (or a missing golden) the drawn picture is written to
// <temp folder>/vuro_golden/<name>.actual.png and the message gives its path and the first
// differing pixel, so the failure can be looked at.
//
// To make or remake a golden after a deliberate change of the drawing or the data set:
//     VURO_UPDATE_GOLDEN=1 ctest --preset dev -R <test name>
// writes the drawn picture over the golden (the test still fails, so an update is never silent).
// Look at the new PNG before committing it: it must look like what a player should see.

#include "framework/graphics/ImageLib.h"
#include "framework/graphics/MemoryImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

namespace Vuro::Test {

// A golden picture's place in the source tree, from its path below tests/. Needs the test
// target's VURO_SOURCE_DIR (every test folder has it).
inline std::filesystem::path GoldenPath(const std::string& belowTests) {
    return std::filesystem::path(VURO_SOURCE_DIR) / "tests" / belowTests;
}

inline ::testing::AssertionResult MatchesGolden(const uint32_t* bits, int width, int height,
                                                const std::filesystem::path& golden) {
    ImageLib::Image drawn(width, height);
    std::copy(bits, bits + size_t(width) * height, drawn.mBits.get());

    if (std::getenv("VURO_UPDATE_GOLDEN") != nullptr) {
        if (!ImageLib::WritePNGImage(golden.string(), drawn)) {
            return ::testing::AssertionFailure() << "cannot write " << golden;
        }
        return ::testing::AssertionFailure()
               << "wrote " << golden << "; look at it before keeping it";
    }

    auto failure = ::testing::AssertionFailure();
    const std::unique_ptr<ImageLib::Image> expected = ImageLib::GetPNGImage(golden.string());
    if (expected == nullptr) {
        failure << "cannot read " << golden;
    } else if (expected->mWidth != width || expected->mHeight != height) {
        failure << "drawn " << width << " x " << height << ", golden " << expected->mWidth << " x "
                << expected->mHeight;
    } else {
        const uint32_t* want = expected->mBits.get();
        const size_t count = size_t(width) * height;
        const uint32_t* first = std::mismatch(want, want + count, bits).first;
        if (first == want + count) {
            return ::testing::AssertionSuccess();
        }
        const size_t at = size_t(first - want);
        size_t differing = 0;
        for (size_t i = at; i < count; ++i) {
            differing += want[i] != bits[i] ? 1 : 0;
        }
        char words[64];
        std::snprintf(words, sizeof words, "drawn 0x%08X, golden 0x%08X", unsigned(bits[at]),
                      unsigned(*first));
        failure << differing << " pixels differ from " << golden << ", the first at (" << at % width
                << ", " << at / width << "): " << words;
    }

    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vuro_golden";
    const std::filesystem::path actual = folder / (golden.stem().string() + ".actual.png");
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (ImageLib::WritePNGImage(actual.string(), drawn)) {
        failure << "; drawn picture: " << actual;
    }
    return failure;
}

inline ::testing::AssertionResult MatchesGolden(MemoryImage& drawn,
                                                const std::filesystem::path& golden) {
    return MatchesGolden(drawn.GetBits(), drawn.GetWidth(), drawn.GetHeight(), golden);
}

} // namespace Vuro::Test
