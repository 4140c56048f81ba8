// Text faces drawn with FreeType; faces are found by name through fontconfig, whose answer may
// ask for a slanted or emboldened rendering of an upright or regular file.

#include "platform/TextEncoding.h"
#include "platform/TextRenderer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace Vuro::Platform {
namespace {

struct FontFile {
    std::string path;
    int index = 0;
    bool embolden = false;
    bool hasMatrix = false;
    FcMatrix matrix{};
};

bool FindFontFile(const TextFaceSpec& faceSpec, int pixelHeight, FontFile& out) {
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return false;
    }
    const std::string family = Cp1251ToUtf8(faceSpec.faceName);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, faceSpec.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, faceSpec.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixelHeight);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) {
        return false;
    }
    bool found = false;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr) {
        found = true;
        out.path = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &out.index) != FcResultMatch) {
            out.index = 0;
        }
        FcBool embolden = FcFalse;
        out.embolden = FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch &&
                       embolden == FcTrue;
        FcMatrix* matrix = nullptr;
        if (FcPatternGetMatrix(match, FC_MATRIX, 0, &matrix) == FcResultMatch &&
            matrix != nullptr) {
            out.hasMatrix = true;
            out.matrix = *matrix;
        }
    }
    FcPatternDestroy(match);
    return found;
}

int ScaleUnits(long units, int pixelHeight, int unitsPerEm) {
    return static_cast<int>(std::lround(static_cast<double>(units) * pixelHeight / unitsPerEm));
}

char32_t CodePointOf(unsigned char byte) {
    return byte < 0x80 ? byte : kCp1251High[byte - 0x80];
}

class FreeTypeTextFace : public TextFace {
public:
    explicit FreeTypeTextFace(const TextFaceSpec& faceSpec) : mSpec(faceSpec) {
        mAdvances.fill(-1);
        // A size below one pixel is drawn at one pixel.
        mPixelHeight = std::max(1, faceSpec.pixelHeight);
        FontFile file;
        if (!FindFontFile(faceSpec, mPixelHeight, file) || FT_Init_FreeType(&mLibrary) != 0) {
            return;
        }
        if (FT_New_Face(mLibrary, file.path.c_str(), file.index, &mFace) != 0) {
            mFace = nullptr;
            return;
        }
        if (FT_Set_Pixel_Sizes(mFace, 0, static_cast<FT_UInt>(mPixelHeight)) != 0) {
            FT_Done_Face(mFace);
            mFace = nullptr;
            return;
        }
        mEmbolden = file.embolden;
        if (file.hasMatrix) {
            FT_Matrix matrix;
            matrix.xx = static_cast<FT_Fixed>(file.matrix.xx * 65536.0);
            matrix.xy = static_cast<FT_Fixed>(file.matrix.xy * 65536.0);
            matrix.yx = static_cast<FT_Fixed>(file.matrix.yx * 65536.0);
            matrix.yy = static_cast<FT_Fixed>(file.matrix.yy * 65536.0);
            FT_Set_Transform(mFace, &matrix, nullptr);
        }
        ReadMetrics();
    }

    ~FreeTypeTextFace() override {
        if (mFace != nullptr) {
            FT_Done_Face(mFace);
        }
        if (mLibrary != nullptr) {
            FT_Done_FreeType(mLibrary);
        }
    }

    FreeTypeTextFace(const FreeTypeTextFace&) = delete;
    FreeTypeTextFace& operator=(const FreeTypeTextFace&) = delete;

    const TextFaceSpec& GetSpec() const override { return mSpec; }
    TextMetrics GetMetrics() const override { return mMetrics; }

    int StringWidth(std::string_view text) override {
        int width = 0;
        for (char c : text) {
            width += Advance(static_cast<unsigned char>(c));
        }
        return width;
    }

    void DrawString(const TextTarget& target, const TextClip& clip, int x, int top,
                    std::string_view text, uint32_t rgb) override {
        if (mFace == nullptr || (target.pixels == nullptr && target.pixels16 == nullptr)) {
            return;
        }
        const int left = std::max(0, clip.x);
        const int upper = std::max(0, clip.y);
        const int right = std::min(target.width, clip.x + clip.width);
        const int lower = std::min(target.height, clip.y + clip.height);
        if (left >= right || upper >= lower) {
            return;
        }
        Area area{target, left, upper, right, lower, rgb & 0xFFFFFF};
        const int baseline = top + mMetrics.ascent;
        int pen = x;
        for (char c : text) {
            const unsigned char byte = static_cast<unsigned char>(c);
            if (LoadGlyph(byte) && FT_Render_Glyph(mFace->glyph, FT_RENDER_MODE_NORMAL) == 0) {
                const FT_GlyphSlot slot = mFace->glyph;
                DrawCoverage(area, slot->bitmap, pen + slot->bitmap_left,
                             baseline - slot->bitmap_top);
            }
            pen += Advance(byte);
        }
        if (mSpec.underline) {
            for (int row = baseline + mUnderlineOffset;
                 row < baseline + mUnderlineOffset + mUnderlineThickness; ++row) {
                for (int column = x; column < pen; ++column) {
                    area.Blend(column, row, 255);
                }
            }
        }
    }

private:
    // The part of a target that may be written, and the colour written.
    struct Area {
        const TextTarget& target;
        int left, upper, right, lower; // right and lower exclusive
        uint32_t rgb;

        void Blend(int x, int y, uint32_t coverage) const {
            if (coverage == 0 || x < left || x >= right || y < upper || y >= lower) {
                return;
            }
            const size_t at = static_cast<size_t>(y) * target.pitch + x;
            if (target.pixels16 == nullptr) {
                target.pixels[at] = BlendCoverage(target.pixels[at], rgb, coverage);
                return;
            }
            uint16_t& pixel = target.pixels16[at];
            pixel = static_cast<uint16_t>(Pack16(BlendCoverage(Unpack16(pixel), rgb, coverage)));
        }

        // A 16-bit pixel's channels as 8-bit ones (each channel's top bits) and back.
        uint32_t Unpack16(uint32_t pixel) const {
            uint32_t out = 0;
            const uint32_t masks[3] = {target.redMask, target.greenMask, target.blueMask};
            for (int k = 0; k < 3; ++k) {
                const int low = std::countr_zero(masks[k]);
                const int bits = std::popcount(masks[k]);
                out |= (((pixel & masks[k]) >> low) << (8 - bits)) << (16 - 8 * k);
            }
            return out;
        }
        uint32_t Pack16(uint32_t argb) const {
            uint32_t out = 0;
            const uint32_t masks[3] = {target.redMask, target.greenMask, target.blueMask};
            for (int k = 0; k < 3; ++k) {
                const int low = std::countr_zero(masks[k]);
                const int bits = std::popcount(masks[k]);
                out |= (((argb >> (16 - 8 * k)) & 0xFF) >> (8 - bits)) << low;
            }
            return out;
        }
    };

    static void DrawCoverage(const Area& area, const FT_Bitmap& bitmap, int x, int y) {
        const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
        if (!mono && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
            return;
        }
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const unsigned char* line = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
            for (unsigned column = 0; column < bitmap.width; ++column) {
                const uint32_t coverage =
                    mono ? ((line[column >> 3] >> (7 - (column & 7))) & 1) * 255 : line[column];
                area.Blend(x + static_cast<int>(column), y + static_cast<int>(row), coverage);
            }
        }
    }

    // Loads the glyph of a code page byte into the face's slot.
    bool LoadGlyph(unsigned char byte) {
        const FT_UInt index = FT_Get_Char_Index(mFace, CodePointOf(byte));
        if (FT_Load_Glyph(mFace, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) {
            return false;
        }
        if (mEmbolden) {
            FT_GlyphSlot_Embolden(mFace->glyph);
        }
        return true;
    }

    int Advance(unsigned char byte) {
        int& advance = mAdvances[byte];
        if (advance < 0) {
            advance = mFace != nullptr && LoadGlyph(byte)
                          ? static_cast<int>((mFace->glyph->advance.x + 32) >> 6)
                          : 0;
        }
        return advance;
    }

    // Ascent and descent as the font asks Windows to use them (its OS/2 table), else as its
    // horizontal header gives them.
    void ReadMetrics() {
        const int unitsPerEm = mFace->units_per_EM;
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(mFace, FT_SFNT_OS2));
        if (unitsPerEm > 0 && os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
            mMetrics.ascent = ScaleUnits(os2->usWinAscent, mPixelHeight, unitsPerEm);
            mMetrics.descent = ScaleUnits(os2->usWinDescent, mPixelHeight, unitsPerEm);
        } else {
            mMetrics.ascent = static_cast<int>((mFace->size->metrics.ascender + 32) >> 6);
            mMetrics.descent = static_cast<int>((-mFace->size->metrics.descender + 32) >> 6);
        }
        mMetrics.height = mMetrics.ascent + mMetrics.descent;
        if (unitsPerEm > 0) {
            mUnderlineThickness =
                std::max(1, ScaleUnits(mFace->underline_thickness, mPixelHeight, unitsPerEm));
            mUnderlineOffset =
                std::max(1, ScaleUnits(-mFace->underline_position, mPixelHeight, unitsPerEm) -
                                mUnderlineThickness / 2);
        }
    }

    TextFaceSpec mSpec;
    int mPixelHeight = 1;
    FT_Library mLibrary = nullptr; // one per face, so faces are independent across threads
    FT_Face mFace = nullptr;       // null when no face could be loaded
    bool mEmbolden = false;        // the file is regular but bold was asked for
    TextMetrics mMetrics;
    int mUnderlineOffset = 1; // rows below the baseline to the underline's first row
    int mUnderlineThickness = 1;
    std::array<int, 256> mAdvances; // per code page byte, -1 until measured
};

} // namespace

std::unique_ptr<TextFace> CreateTextFace(const TextFaceSpec& faceSpec) {
    return std::make_unique<FreeTypeTextFace>(faceSpec);
}

} // namespace Vuro::Platform

// fontconfig loses a block while it parses its configuration files, once per process; the leak
// checker of sanitized builds is told so, to keep reporting leaks of our own.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
