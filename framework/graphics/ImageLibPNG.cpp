// PNG reader and writer through libpng. libpng reports errors by a long jump; the functions that
// set the jump target hold no objects with destructors, and the image under construction lives
// in the caller's frame, so a jump leaks nothing.

#include "framework/graphics/ImageLib.h"

#include "platform/FileSystem.h"

#include <png.h>

#include <bit>
#include <csetjmp>

namespace Vuro::ImageLib {

// Rows are handed to libpng as the packed words themselves: B, G, R, A bytes in memory.
static_assert(std::endian::native == std::endian::little, "pixel words are stored little-endian");

namespace {

[[noreturn]] void PngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void PngWarning(png_structp, png_const_charp) {}

bool DecodePNG(png_structp png, png_infop info, FILE* file, std::unique_ptr<Image>& result) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_init_io(png, file);
    png_set_user_limits(png, kMaxDimension, kMaxDimension);
    png_read_info(png, info);
    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);

    // Whatever the file holds comes out as 8-bit B, G, R, A bytes: 16-bit samples are cut
    // to 8 bits, palettes, low-bit grey and tRNS are expanded, grey becomes RGB, and an
    // opaque alpha byte is added when the file has none.
    png_set_strip_16(png);
    png_set_expand(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    // Interlaced files are decoded pass by pass over the whole picture.
    int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4) {
        return false;
    }

    result = std::make_unique<Image>(static_cast<int>(width), static_cast<int>(height));
    uint32_t* bits = result->mBits.get();
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(png, reinterpret_cast<png_bytep>(bits + static_cast<size_t>(y) * width),
                         nullptr);
        }
    }
    png_read_end(png, nullptr);
    return true;
}

bool EncodePNG(png_structp png, png_infop info, FILE* file, const Image& image) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_init_io(png, file);
    png_color_8 significant{};
    significant.red = 8;
    significant.green = 8;
    significant.blue = 8;
    significant.alpha = 8;
    png_set_sBIT(png, info, &significant);
    png_set_bgr(png);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.mWidth),
                 static_cast<png_uint_32>(image.mHeight), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const uint32_t* bits = image.mBits.get();
    for (int y = 0; y < image.mHeight; ++y) {
        png_write_row(png, reinterpret_cast<png_const_bytep>(
                               bits + static_cast<size_t>(y) * static_cast<size_t>(image.mWidth)));
    }
    png_write_end(png, info);
    return true;
}

} // namespace

std::unique_ptr<Image> ReadPNGImage(FILE* file) {
    // The library's own version string: libpng 1.6 refuses to run for an older one.
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    if (png == nullptr) {
        return nullptr;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return nullptr;
    }
    std::unique_ptr<Image> image;
    bool ok = DecodePNG(png, info, file, image);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) {
        return nullptr;
    }
    return image;
}

bool WritePNGImage(const std::string& path, const Image& image) {
    FILE* file = Platform::OpenFile(path, "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    bool ok = info != nullptr && EncodePNG(png, info, file, image);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return ok;
}

} // namespace Vuro::ImageLib
