#include "tools/assetgen/art/ImageFile.h"

#include "tools/assetgen/art/GifWriter.h"

#include <jpeglib.h>

#include <cstdio>
#include <memory>

namespace Vuro::AssetGen::Art {

namespace {

using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

FilePtr OpenForWriting(const std::filesystem::path& path) {
    FilePtr file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (file == nullptr) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    }
    return file;
}

bool WritePng(cairo_surface_t* surface, const std::filesystem::path& path) {
    if (cairo_surface_write_to_png(surface, path.c_str()) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool WriteJpeg(const std::vector<uint32_t>& pixels, int width, int height,
               const std::filesystem::path& path) {
    FilePtr file = OpenForWriting(path);
    if (file == nullptr) {
        return false;
    }
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file.get());
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(width * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[y * width + x];
            row[x * 3] = (p >> 16) & 0xff;
            row[x * 3 + 1] = (p >> 8) & 0xff;
            row[x * 3 + 2] = p & 0xff;
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

bool WriteTga(const std::vector<uint32_t>& pixels, int width, int height,
              const std::filesystem::path& path) {
    FilePtr file = OpenForWriting(path);
    if (file == nullptr) {
        return false;
    }
    // Uncompressed true colour, 32 bits, 8 alpha bits and the top-left origin (0x28).
    uint8_t header[18] = {};
    header[2] = 2;
    header[12] = width & 0xff;
    header[13] = (width >> 8) & 0xff;
    header[14] = height & 0xff;
    header[15] = (height >> 8) & 0xff;
    header[16] = 32;
    header[17] = 0x28;
    std::vector<uint8_t> bytes(header, header + sizeof header);
    for (uint32_t p : pixels) {
        bytes.insert(bytes.end(), {static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 8),
                                   static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 24)});
    }
    return std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

// The colour under a transparent pixel still shows at the anti-aliased edge once the alpha
// image cuts it out, so each transparent pixel takes the colour of the nearest visible pixel
// of its column (a JPEG keeps no alpha to hide it).
std::vector<uint32_t> BleedIntoTransparent(std::vector<uint32_t> pixels, int width, int height) {
    for (int x = 0; x < width; ++x) {
        int last = -1;
        for (int y = 0; y < height; ++y) {
            if ((pixels[y * width + x] >> 24) >= 128) {
                const uint32_t colour = pixels[y * width + x];
                for (int k = last + 1; k < y; ++k) {
                    pixels[k * width + x] = colour;
                }
                last = y;
            }
        }
        if (last >= 0) {
            for (int k = last + 1; k < height; ++k) {
                pixels[k * width + x] = pixels[last * width + x];
            }
        }
    }
    return pixels;
}

bool WriteAlphaImage(const std::vector<uint32_t>& pixels, int width, int height,
                     const std::filesystem::path& path) {
    cairo_surface_t* alpha = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_surface_flush(alpha);
    const int stride = cairo_image_surface_get_stride(alpha) / 4;
    auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(alpha));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t a = pixels[y * width + x] >> 24;
            data[y * stride + x] = 0xff000000u | a << 16 | a << 8 | a;
        }
    }
    cairo_surface_mark_dirty(alpha);
    const bool written = WritePng(alpha, path);
    cairo_surface_destroy(alpha);
    return written;
}

} // namespace

std::vector<uint32_t> UnpremultipliedPixels(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface) / 4;
    const bool opaque = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_RGB24;
    const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface));
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t p = data[y * stride + x];
            const uint32_t a = opaque ? 255 : p >> 24;
            if (a == 0) {
                pixels[y * width + x] = 0;
                continue;
            }
            auto channel = [&](int shift) {
                const uint32_t c = (p >> shift) & 0xff;
                return std::min<uint32_t>(255, (c * 255 + a / 2) / a);
            };
            pixels[y * width + x] = a << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
        }
    }
    return pixels;
}

cairo_surface_t* SurfaceFromPixels(const std::vector<uint32_t>& pixels, int width, int height) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_surface_flush(surface);
    const int stride = cairo_image_surface_get_stride(surface) / 4;
    auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
            const uint32_t a = p >> 24;
            auto channel = [&](int shift) { return (((p >> shift) & 0xff) * a + 127) / 255; };
            data[y * stride + x] = a << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

bool WriteImage(cairo_surface_t* surface, const std::filesystem::path& base, ImageFormat format) {
    std::filesystem::path path = base;
    path += ExtensionOf(format);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    switch (format) {
    case ImageFormat::Png:
        return WritePng(surface, path);
    case ImageFormat::Jpeg:
        return WriteJpeg(UnpremultipliedPixels(surface), width, height, path);
    case ImageFormat::Tga:
        return WriteTga(UnpremultipliedPixels(surface), width, height, path);
    case ImageFormat::Gif:
        return WriteGif(UnpremultipliedPixels(surface), width, height, path);
    case ImageFormat::PalettePng: {
        cairo_surface_t* limited =
            SurfaceFromPixels(LimitColours(UnpremultipliedPixels(surface)), width, height);
        const bool written = WritePng(limited, path);
        cairo_surface_destroy(limited);
        return written;
    }
    case ImageFormat::JpegWithAlpha: {
        const std::vector<uint32_t> pixels = UnpremultipliedPixels(surface);
        std::filesystem::path alphaPath = base.parent_path() / ("_" + base.filename().string());
        alphaPath += ".png";
        return WriteJpeg(BleedIntoTransparent(pixels, width, height), width, height, path) &&
               WriteAlphaImage(pixels, width, height, alphaPath);
    }
    }
    return false;
}

} // namespace Vuro::AssetGen::Art
