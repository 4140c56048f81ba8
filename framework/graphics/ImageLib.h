#pragma once
// Image file codecs: our own TGA and GIF readers, PNG and JPEG through libpng and libjpeg, the
// PNG and JPEG writers, and GetImage, which finds the file for an image name and merges an
// optional separate alpha image.
//
// - Every reader returns a decoded image or null; none prints or throws. A file that cannot be
//   opened, a header that is not accepted or a library error all give null.
// - Each format has one decoder, over a C stdio stream (Read*Image). The path entries open the
//   file, the memory entries open a stream over the bytes; both end up in that one decoder.
// - Pictures wider or taller than kMaxDimension are refused, so a hostile header cannot ask for
//   an arbitrarily large allocation.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace Vuro::ImageLib {

inline constexpr int kMaxDimension = 16384;

// A decoded picture: width x height packed 0xAARRGGBB words (not premultiplied), top row first.
class Image {
public:
    // All pixels start as 0 (transparent black).
    Image(int width, int height);
    virtual ~Image() = default;

    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    int mWidth;                        // pixels per row
    int mHeight;                       // rows
    std::unique_ptr<uint32_t[]> mBits; // mWidth * mHeight words
};

// Finds and decodes the image `path`. Without an extension, ".tga", ".jpg", ".png" and ".gif"
// are tried in this order and the first file that decodes wins; with one, only the reader of
// that extension (any case) is tried. A file missing under the exact name is also looked for
// with its name in any case. When lookForAlphaImage is set, an alpha image named with "_" before
// the file name, or else with "_" after the whole path, gives the alpha channel (its blue
// channel); on its own it gives a white image with that alpha.
std::unique_ptr<Image> GetImage(const std::string& path, bool lookForAlphaImage);

// Uncompressed 32-bit true-colour TGA, top-left origin, 8 alpha bits.
std::unique_ptr<Image> GetTGAImage(const std::string& path);
std::unique_ptr<Image> GetTGAImageFromMemory(const void* data, size_t size);
std::unique_ptr<Image> ReadTGAImage(FILE* file);

// GIF87a / GIF89a, first image only. A data stream that ends early leaves the rest transparent.
std::unique_ptr<Image> GetGIFImage(const std::string& path);
std::unique_ptr<Image> GetGIFImageFromMemory(const void* data, size_t size);
std::unique_ptr<Image> ReadGIFImage(FILE* file);

// Any PNG: palette, grey, 16-bit and interlaced files all come out as 8-bit ARGB.
std::unique_ptr<Image> GetPNGImage(const std::string& path);
std::unique_ptr<Image> GetPNGImageFromMemory(const void* data, size_t size);
std::unique_ptr<Image> ReadPNGImage(FILE* file);

// Colour and greyscale JPEG (alpha 255); CMYK files are refused.
std::unique_ptr<Image> GetJPEGImage(const std::string& path);
std::unique_ptr<Image> GetJPEGImageFromMemory(const void* data, size_t size);
std::unique_ptr<Image> ReadJPEGImage(FILE* file);

// 8-bit RGBA PNG, exact. False when the file cannot be written.
[[nodiscard]] bool WritePNGImage(const std::string& path, const Image& image);
// Baseline JPEG at quality 80; alpha is dropped. False when the file cannot be written.
[[nodiscard]] bool WriteJPEGImage(const std::string& path, const Image& image);

} // namespace Vuro::ImageLib
