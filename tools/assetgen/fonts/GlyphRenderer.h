#pragma once
// Renders the characters of code page 1251 from one face at one pixel size through FreeType:
// each glyph's coverage, optionally the same glyph grown by an outline radius, its advance, and
// the face's kerning between the characters rendered.

#include <cstdint>
#include <string>
#include <vector>

namespace Vuro::AssetGen {

// An 8-bit coverage map placed against the pen: column mLeft is the first one right of the pen
// position, row 0 stands mTop rows above the baseline.
struct GlyphBitmap {
    int mLeft = 0;
    int mTop = 0;
    int mWidth = 0;
    int mHeight = 0;
    std::vector<uint8_t> mCoverage; // mWidth * mHeight, top row first

    bool IsEmpty() const { return mWidth == 0 || mHeight == 0; }
    // Coverage at x pixels right of the pen and y rows above the baseline; 0 outside.
    uint8_t At(int x, int y) const;
};

struct RenderedGlyph {
    uint8_t mCode = 0;    // code page 1251 byte
    int mAdvance = 0;     // pen advance in whole pixels
    GlyphBitmap mFill;    // the glyph itself
    GlyphBitmap mOutline; // the glyph grown by the outline radius; empty without an outline
};

struct KerningPair {
    uint8_t mLeft = 0;
    uint8_t mRight = 0;
    int mPixels = 0; // extra advance after mLeft when mRight follows; never 0
};

struct RenderedFont {
    std::vector<RenderedGlyph> mGlyphs; // printable characters the face has, in code order
    std::vector<KerningPair> mKerning;  // pairs of mGlyphs whose kerning rounds to a pixel or more
    int mLineHeight = 0;                // the face's distance between baselines, in pixels
    int mCapHeight = 0;                 // rows of the capital H above the baseline
};

// Renders every printable character of code page 1251 that the face holds. outlineRadius 0
// leaves the outlines empty. False with a message naming the face when FreeType fails.
bool RenderFont(const std::string& facePath, int pixels, double outlineRadius, RenderedFont* out,
                std::string* error);

} // namespace Vuro::AssetGen
