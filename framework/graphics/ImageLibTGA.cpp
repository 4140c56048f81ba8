// TGA reader: only what the system writes itself, uncompressed 32-bit true colour with 8 alpha
// bits and the top-left origin. Compressed, colour-mapped or other depths are refused.

#include "framework/graphics/ImageLib.h"

#include "platform/LittleEndian.h"

#include <vector>

namespace Vuro::ImageLib {

namespace {

constexpr int kHeaderSize = 18;
constexpr int kTypeTrueColor = 2;
constexpr int kDescriptorTopLeftAlpha8 = 0x28;

} // namespace

std::unique_ptr<Image> ReadTGAImage(FILE* file) {
    unsigned char header[kHeaderSize];
    if (std::fread(header, 1, kHeaderSize, file) != kHeaderSize) {
        return nullptr;
    }
    int idLength = header[0];
    int colorMapType = header[1];
    int imageType = header[2];
    int width = Platform::LoadU16LE(header + 12);
    int height = Platform::LoadU16LE(header + 14);
    int pixelDepth = header[16];
    int descriptor = header[17];
    // The type and colour-map fields are checked too, so a compressed or colour-mapped file with
    // the same depth and descriptor is not misread as raw pixels.
    if (colorMapType != 0 || imageType != kTypeTrueColor || pixelDepth != 32 ||
        descriptor != kDescriptorTopLeftAlpha8 || width == 0 || height == 0 ||
        width > kMaxDimension || height > kMaxDimension) {
        return nullptr;
    }
    // The optional ID text sits between the header and the pixels.
    unsigned char id[255];
    if (std::fread(id, 1, static_cast<size_t>(idLength), file) != static_cast<size_t>(idLength)) {
        return nullptr;
    }

    // Rows are collected as they arrive, so a header that promises more than the file holds
    // costs only what was actually read; a short file gives null.
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    std::vector<unsigned char> bytes;
    for (int y = 0; y < height; ++y) {
        size_t offset = bytes.size();
        bytes.resize(offset + rowBytes);
        if (std::fread(bytes.data() + offset, 1, rowBytes, file) != rowBytes) {
            return nullptr;
        }
    }
    auto image = std::make_unique<Image>(width, height);
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* p = &bytes[i * 4];
        image->mBits[i] = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                          static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    }
    return image;
}

} // namespace Vuro::ImageLib
