#include "tools/assetgen/fonts/GlyphRenderer.h"

#include "platform/TextEncoding.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_STROKER_H

#include <cmath>
#include <memory>

namespace Vuro::AssetGen {

uint8_t GlyphBitmap::At(int x, int y) const {
    const int column = x - mLeft;
    const int row = mTop - 1 - y;
    if (column < 0 || row < 0 || column >= mWidth || row >= mHeight) {
        return 0;
    }
    return mCoverage[static_cast<size_t>(row) * mWidth + column];
}

namespace {

// The Unicode code point of a code page 1251 byte; 0 for the bytes that hold no character.
char32_t CodePointOf(int code) {
    return code < 0x80 ? static_cast<char32_t>(code) : Platform::kCp1251High[code - 0x80];
}

bool IsPrintable(int code) {
    return code >= 0x20 && code != 0x7F && CodePointOf(code) != 0;
}

struct FreeTypeDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
    void operator()(FT_Face face) const { FT_Done_Face(face); }
    void operator()(FT_Stroker stroker) const { FT_Stroker_Done(stroker); }
    void operator()(FT_Glyph glyph) const { FT_Done_Glyph(glyph); }
};
template <typename T>
using FreeTypePtr = std::unique_ptr<std::remove_pointer_t<T>, FreeTypeDeleter>;

// Renders a copy of the glyph, grown by the stroker's radius when one is given.
GlyphBitmap RenderCopy(FT_Glyph source, FT_Stroker stroker) {
    FT_Glyph copy = nullptr;
    if (FT_Glyph_Copy(source, &copy) != 0) {
        return {};
    }
    FreeTypePtr<FT_Glyph> glyph(copy);
    // Both calls replace the glyph by their result on success and leave it on failure.
    auto replace = [&glyph](auto operation) {
        FT_Glyph current = glyph.release();
        const FT_Error result = operation(&current);
        glyph.reset(current);
        return result == 0;
    };
    // The outside border of every contour, filled, is the glyph grown by the radius.
    if (stroker != nullptr &&
        !replace([stroker](FT_Glyph* g) { return FT_Glyph_StrokeBorder(g, stroker, 0, 1); })) {
        return {};
    }
    if (!replace(
            [](FT_Glyph* g) { return FT_Glyph_To_Bitmap(g, FT_RENDER_MODE_NORMAL, nullptr, 1); })) {
        return {};
    }
    const auto* rendered = reinterpret_cast<FT_BitmapGlyph>(glyph.get());
    const FT_Bitmap& bitmap = rendered->bitmap;
    GlyphBitmap out;
    out.mLeft = rendered->left;
    out.mTop = rendered->top;
    out.mWidth = static_cast<int>(bitmap.width);
    out.mHeight = static_cast<int>(bitmap.rows);
    out.mCoverage.resize(static_cast<size_t>(out.mWidth) * out.mHeight);
    for (int row = 0; row < out.mHeight; ++row) {
        const unsigned char* line = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
        std::copy(line, line + out.mWidth, out.mCoverage.begin() + row * out.mWidth);
    }
    return out;
}

void CollectKerning(FT_Face face, const std::vector<FT_UInt>& indices, RenderedFont* out) {
    if (!FT_HAS_KERNING(face)) {
        return;
    }
    for (size_t left = 0; left < indices.size(); ++left) {
        for (size_t right = 0; right < indices.size(); ++right) {
            FT_Vector delta{};
            if (FT_Get_Kerning(face, indices[left], indices[right], FT_KERNING_DEFAULT, &delta) !=
                0) {
                continue;
            }
            const int pixels = static_cast<int>(std::lround(delta.x / 64.0));
            if (pixels != 0) {
                out->mKerning.push_back(
                    {out->mGlyphs[left].mCode, out->mGlyphs[right].mCode, pixels});
            }
        }
    }
}

} // namespace

bool RenderFont(const std::string& facePath, int pixels, double outlineRadius, RenderedFont* out,
                std::string* error) {
    *out = {};
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) {
        *error = "FreeType does not start";
        return false;
    }
    FreeTypePtr<FT_Library> library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(rawLibrary, facePath.c_str(), 0, &rawFace) != 0) {
        *error = "cannot open the face " + facePath;
        return false;
    }
    FreeTypePtr<FT_Face> face(rawFace);
    if (FT_Set_Pixel_Sizes(rawFace, 0, static_cast<FT_UInt>(pixels)) != 0) {
        *error = "the face " + facePath + " has no size " + std::to_string(pixels);
        return false;
    }
    FreeTypePtr<FT_Stroker> stroker;
    if (outlineRadius > 0) {
        FT_Stroker rawStroker = nullptr;
        if (FT_Stroker_New(rawLibrary, &rawStroker) != 0) {
            *error = "FreeType cannot make a stroker";
            return false;
        }
        stroker.reset(rawStroker);
        FT_Stroker_Set(rawStroker, static_cast<FT_Fixed>(std::lround(outlineRadius * 64)),
                       FT_STROKER_LINECAP_ROUND, FT_STROKER_LINEJOIN_ROUND, 0);
    }

    std::vector<FT_UInt> indices;
    for (int code = 0; code < 256; ++code) {
        if (!IsPrintable(code)) {
            continue;
        }
        const FT_UInt index = FT_Get_Char_Index(rawFace, CodePointOf(code));
        // Light hinting keeps the shapes round and the advances whole pixels.
        if (index == 0 || FT_Load_Glyph(rawFace, index, FT_LOAD_TARGET_LIGHT) != 0) {
            continue;
        }
        FT_Glyph rawGlyph = nullptr;
        if (FT_Get_Glyph(rawFace->glyph, &rawGlyph) != 0) {
            continue;
        }
        FreeTypePtr<FT_Glyph> glyph(rawGlyph);
        RenderedGlyph rendered;
        rendered.mCode = static_cast<uint8_t>(code);
        rendered.mAdvance = static_cast<int>((rawFace->glyph->advance.x + 32) >> 6);
        rendered.mFill = RenderCopy(rawGlyph, nullptr);
        if (stroker) {
            rendered.mOutline = RenderCopy(rawGlyph, stroker.get());
        }
        if (code == 'H') {
            out->mCapHeight = rendered.mFill.mTop;
        }
        out->mGlyphs.push_back(std::move(rendered));
        indices.push_back(index);
    }
    out->mLineHeight = static_cast<int>((rawFace->size->metrics.height + 32) >> 6);
    CollectKerning(rawFace, indices, out);
    return true;
}

} // namespace Vuro::AssetGen
