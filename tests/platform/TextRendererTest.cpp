#include "platform/TextRenderer.h"
#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace Vuro::Platform {
namespace {

TextFaceSpec FaceSpec(const char* name, int pixelHeight, bool bold = false, bool italic = false,
                      bool underline = false) {
    TextFaceSpec faceSpec;
    faceSpec.faceName = name;
    faceSpec.pixelHeight = pixelHeight;
    faceSpec.bold = bold;
    faceSpec.italic = italic;
    faceSpec.underline = underline;
    return faceSpec;
}

// A buffer with `pad` spare words at the end of every row, all set to one value, so writes
// past a row's end show up as changed padding.
struct Canvas {
    Canvas(int width, int height, uint32_t fill, int pad = 3)
        : mWords(static_cast<size_t>(width + pad) * height, fill), mTarget{mWords.data(), width,
                                                                           height, width + pad} {}
    uint32_t At(int x, int y) const { return mWords[static_cast<size_t>(y) * mTarget.pitch + x]; }

    std::vector<uint32_t> mWords;
    TextTarget mTarget;
};

TEST(TextRendererTest, DejaVuSansMetricsFollowItsWindowsAscentAndDescent) {
    // DejaVu Sans: 2048 units per em, Windows ascent 1901, descent 483.
    auto face = CreateTextFace(FaceSpec("DejaVu Sans", 13));
    EXPECT_EQ(face->GetMetrics().ascent, 12); // 12.07
    EXPECT_EQ(face->GetMetrics().descent, 3); // 3.07
    EXPECT_EQ(face->GetMetrics().height, 15);
    auto large = CreateTextFace(FaceSpec("DejaVu Sans", 40));
    EXPECT_EQ(large->GetMetrics().ascent, 37); // 37.13
    EXPECT_EQ(large->GetMetrics().descent, 9); // 9.43
    EXPECT_EQ(large->GetMetrics().height, 46);

    // Stable: a second face of the same faceSpec measures the same.
    auto again = CreateTextFace(FaceSpec("DejaVu Sans", 13));
    EXPECT_EQ(again->GetMetrics().height, 15);
    EXPECT_EQ(again->StringWidth("Hello, world"), face->StringWidth("Hello, world"));
    EXPECT_EQ(again->GetSpec().faceName, "DejaVu Sans");
    EXPECT_EQ(again->GetSpec().pixelHeight, 13);
}

TEST(TextRendererTest, WidthsAddUpAndArePlausible) {
    auto face = CreateTextFace(FaceSpec("DejaVu Sans", 13));
    EXPECT_EQ(face->StringWidth(""), 0);
    const int a = face->StringWidth("a");
    const int w = face->StringWidth("W");
    EXPECT_GT(a, 3);
    EXPECT_LT(a, 13);
    EXPECT_GT(w, face->StringWidth("i"));
    // No kerning: a pair is as wide as its two characters ("AV" kerns in most faces).
    EXPECT_EQ(face->StringWidth("AV"), face->StringWidth("A") + face->StringWidth("V"));
    EXPECT_EQ(face->StringWidth("a&b"), a + face->StringWidth("&") + face->StringWidth("b"));
    // Code page 1251 letters are measured as their Cyrillic glyphs.
    const std::string cyrillic = "Жж"_cp1251;
    EXPECT_GT(face->StringWidth(cyrillic.substr(0, 1)), a);
    EXPECT_GT(face->StringWidth(cyrillic), 0);

    auto bold = CreateTextFace(FaceSpec("DejaVu Sans", 13, true));
    EXPECT_GT(bold->StringWidth("Hello, world"), face->StringWidth("Hello, world"));
    auto large = CreateTextFace(FaceSpec("DejaVu Sans", 26));
    EXPECT_GT(large->StringWidth("Hello"), face->StringWidth("Hello") * 3 / 2);
}

TEST(TextRendererTest, UnknownNamesAndTinySizesStillGiveAUsableFace) {
    auto tahoma = CreateTextFace(FaceSpec("Tahoma", 13));
    EXPECT_GT(tahoma->GetMetrics().height, 10);
    EXPECT_GT(tahoma->StringWidth("abc"), 0);
    auto unknown = CreateTextFace(FaceSpec("No Such Face At All", 13, false, true));
    EXPECT_GT(unknown->StringWidth("abc"), 0);

    // A size below one pixel is drawn at one.
    auto tiny = CreateTextFace(FaceSpec("DejaVu Sans", 0));
    EXPECT_EQ(tiny->GetSpec().pixelHeight, 0);
    EXPECT_GE(tiny->GetMetrics().height, 1);
    Canvas canvas(8, 8, 0);
    tiny->DrawString(canvas.mTarget, {0, 0, 8, 8}, 0, 0, "abc", 0xFFFFFF);
}

TEST(TextRendererTest, BlendCoverageMovesEachChannelTowardTheColour) {
    EXPECT_EQ(BlendCoverage(0x40102030, 0xC08040, 255), 0xFFC08040u);
    EXPECT_EQ(BlendCoverage(0x40102030, 0xC08040, 0), 0x40102030u);
    // Half: (s * 128 + d * 127 + 127) / 255 per channel.
    EXPECT_EQ(BlendCoverage(0x00102030, 0xC08040, 128), 0x80685038u);
    // The colour's alpha byte plays no part.
    EXPECT_EQ(BlendCoverage(0x00102030, 0x12C08040, 128), 0x80685038u);
}

TEST(TextRendererTest, DrawnPixelsBlendTheColourByTheirCoverage) {
    auto face = CreateTextFace(FaceSpec("DejaVu Sans", 40));
    const uint32_t background = 0x00123456; // alpha 0: a drawn pixel's alpha is its coverage
    const uint32_t colour = 0xABCDEF;
    Canvas canvas(60, 50, background);
    face->DrawString(canvas.mTarget, {0, 0, 60, 50}, 5, 2, "Il", colour);

    int full = 0;
    int partial = 0;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 60; ++x) {
            const uint32_t pixel = canvas.At(x, y);
            const uint32_t coverage = pixel >> 24;
            EXPECT_EQ(pixel, BlendCoverage(background, colour, coverage)) << x << "," << y;
            full += coverage == 255 ? 1 : 0;
            partial += coverage > 0 && coverage < 255 ? 1 : 0;
        }
    }
    EXPECT_GT(full, 100); // two stems some 4 pixels wide and 29 high
    EXPECT_GT(partial, 0);
    // Well inside the capital I's stem: the colour itself, opaque.
    const int stemX = 5 + face->StringWidth("I") / 2;
    EXPECT_EQ(canvas.At(stemX, 2 + 37 - 10), 0xFFABCDEFu);
    // Right of the text's advance: untouched.
    EXPECT_EQ(canvas.At(5 + face->StringWidth("Il") + 3, 20), background);
}

TEST(TextRendererTest, TheBaselineLiesAscentRowsBelowTheTop) {
    auto face = CreateTextFace(FaceSpec("DejaVu Sans", 40));
    const int top = 4;
    Canvas canvas(60, 60, 0);
    face->DrawString(canvas.mTarget, {0, 0, 60, 60}, 2, top, "H", 0xFFFFFF);
    int lowest = -1;
    int highest = -1;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            if (canvas.At(x, y) != 0) {
                lowest = y;
                highest = highest < 0 ? y : highest;
            }
        }
    }
    EXPECT_EQ(lowest, top + 37 - 1);
    // DejaVu's capitals are 1493 units high: 29.2 pixels at 40.
    EXPECT_NEAR(lowest - highest + 1, 29, 1);
}

TEST(TextRendererTest, UnderlineRunsFullyCoveredBelowTheBaseline) {
    auto face = CreateTextFace(FaceSpec("DejaVu Sans", 40, false, false, true));
    Canvas canvas(80, 60, 0);
    face->DrawString(canvas.mTarget, {0, 0, 80, 60}, 0, 0, "ab", 0xFFFFFF);
    const int width = face->StringWidth("ab");
    bool found = false;
    for (int y = 37; y < 46 && !found; ++y) {
        bool whole = true;
        for (int x = 0; x < width; ++x) {
            whole = whole && canvas.At(x, y) == 0xFFFFFFFFu;
        }
        found = whole && canvas.At(width, y) == 0;
    }
    EXPECT_TRUE(found);
}

TEST(TextRendererTest, DrawingStaysInsideTheClipAndTheBuffer) {
    auto face = CreateTextFace(FaceSpec("DejaVu Sans", 30, true, true, true));
    const uint32_t fill = 0x11223344;
    const TextClip clip{5, 6, 12, 9};
    Canvas canvas(30, 25, fill);
    // Text starting left of and above the buffer, running past its right edge.
    face->DrawString(canvas.mTarget, clip, -7, -9, "WWWWWW", 0xFFFFFF);
    int changed = 0;
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < canvas.mTarget.pitch; ++x) {
            const bool inside = x >= 5 && x < 17 && y >= 6 && y < 15;
            if (!inside) {
                EXPECT_EQ(canvas.At(x, y), fill) << x << "," << y;
            } else if (canvas.At(x, y) != fill) {
                ++changed;
            }
        }
    }
    EXPECT_GT(changed, 0);

    // A clip larger than the buffer is cut to it (the padding words stay as they were).
    Canvas whole(30, 25, fill);
    face->DrawString(whole.mTarget, {-50, -50, 200, 200}, -7, -9, "WWWWWW", 0xFFFFFF);
    for (int y = 0; y < 25; ++y) {
        for (int x = 30; x < whole.mTarget.pitch; ++x) {
            EXPECT_EQ(whole.At(x, y), fill);
        }
    }
    // Empty and negative clips draw nothing.
    Canvas none(30, 25, fill);
    face->DrawString(none.mTarget, {0, 0, 0, 25}, 0, 0, "WW", 0xFFFFFF);
    face->DrawString(none.mTarget, {10, 10, -5, -5}, 0, 0, "WW", 0xFFFFFF);
    for (uint32_t word : none.mWords) {
        EXPECT_EQ(word, fill);
    }
}

} // namespace
} // namespace Vuro::Platform
