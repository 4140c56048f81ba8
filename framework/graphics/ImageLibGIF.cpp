// GIF reader (GIF87a and GIF89a, first image only, transparency from the graphic control
// extension). Everything read from the file is checked before it is used: the LZW code size,
// every code against the table, the output against the image size, block lengths.

#include "framework/graphics/ImageLib.h"

#include "platform/LittleEndian.h"

#include <array>
#include <cstring>
#include <vector>

namespace Vuro::ImageLib {

namespace {

constexpr int kMaxCodes = 4096;           // 12-bit codes
constexpr int kStackSize = kMaxCodes + 1; // longest string plus the KwKwK character
constexpr int kExtensionIntroducer = 0x21;
constexpr int kImageSeparator = 0x2C;
constexpr int kTrailer = 0x3B;
constexpr int kGraphicControlLabel = 0xF9;

// Indices a file's table does not define stay 0, which also serves files with no table at all.
using ColorMap = std::array<uint32_t, 256>;

// Reads one data sub-block into buffer (at least 255 bytes): its length, 0 at the end of a
// chain, -1 when the file ends inside it.
int ReadGIFBlock(FILE* file, unsigned char* buffer) {
    int length = std::getc(file);
    if (length == EOF) {
        return -1;
    }
    if (std::fread(buffer, 1, static_cast<size_t>(length), file) != static_cast<size_t>(length)) {
        return -1;
    }
    return length;
}

void SkipBlocks(FILE* file) {
    unsigned char buffer[256];
    while (ReadGIFBlock(file, buffer) > 0) {
    }
}

bool ReadColorTable(FILE* file, int flags, ColorMap& map) {
    int entries = 1 << ((flags & 7) + 1);
    unsigned char rgb[256 * 3];
    size_t bytes = static_cast<size_t>(entries) * 3;
    if (std::fread(rgb, 1, bytes, file) != bytes) {
        return false;
    }
    map.fill(0);
    for (int i = 0; i < entries; ++i) {
        map[i] = 0xFF000000u | static_cast<uint32_t>(rgb[i * 3]) << 16 |
                 static_cast<uint32_t>(rgb[i * 3 + 1]) << 8 | rgb[i * 3 + 2];
    }
    return true;
}

// LZW codes packed least significant bit first into the image's data sub-blocks.
class CodeReader {
public:
    explicit CodeReader(FILE* file) : mFile(file) {}

    // The next code of `size` bits, or -1 once the sub-blocks have run out.
    int Read(int size) {
        while (mBitCount < size) {
            if (mPos == mLength) {
                int length = mEnded ? -1 : ReadGIFBlock(mFile, mBlock);
                if (length <= 0) {
                    mEnded = true;
                    return -1;
                }
                mLength = length;
                mPos = 0;
            }
            mDatum |= static_cast<uint32_t>(mBlock[mPos++]) << mBitCount;
            mBitCount += 8;
        }
        int code = static_cast<int>(mDatum & ((1u << size) - 1));
        mDatum >>= size;
        mBitCount -= size;
        return code;
    }

private:
    FILE* mFile;
    unsigned char mBlock[256];
    int mLength = 0;
    int mPos = 0;
    uint32_t mDatum = 0;
    int mBitCount = 0;
    bool mEnded = false;
};

// The row each successive decoded row lands on: in order, or the four interlace passes.
std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    rows.reserve(static_cast<size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y) {
            rows.push_back(y);
        }
        return rows;
    }
    static constexpr int kStart[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = kStart[pass]; y < height; y += kStep[pass]) {
            rows.push_back(y);
        }
    }
    return rows;
}

// Writes decoded indices into the image; ignores everything past the last pixel.
class PixelSink {
public:
    PixelSink(Image& image, bool interlaced, const ColorMap& map, int transparent)
        : mImage(image), mRows(RowOrder(image.mHeight, interlaced)), mMap(map),
          mTransparent(transparent),
          mTotal(static_cast<size_t>(image.mWidth) * static_cast<size_t>(image.mHeight)) {}

    bool Full() const { return mCount == mTotal; }

    void Put(int index) {
        if (Full()) {
            return;
        }
        size_t width = static_cast<size_t>(mImage.mWidth);
        size_t row = static_cast<size_t>(mRows[mCount / width]);
        mImage.mBits[row * width + mCount % width] = index == mTransparent ? 0 : mMap[index];
        ++mCount;
    }

private:
    Image& mImage;
    std::vector<int> mRows;
    const ColorMap& mMap;
    int mTransparent;
    size_t mTotal;
    size_t mCount = 0;
};

// Decodes the image data into sink until the picture is full or the data stop making sense:
// the end code, a code beyond the table, a first code after a clear that is not a literal, or
// the end of the sub-blocks.
void DecodeLZW(CodeReader& reader, int minCodeSize, PixelSink& sink) {
    uint16_t prefix[kMaxCodes];
    unsigned char suffix[kMaxCodes];
    unsigned char stack[kStackSize];

    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    for (int i = 0; i < clear; ++i) {
        prefix[i] = 0;
        suffix[i] = static_cast<unsigned char>(i);
    }
    int codeSize = minCodeSize + 1;
    int mask = (1 << codeSize) - 1;
    int available = clear + 2;
    int oldCode = -1; // none since the start or the last clear
    int firstChar = 0;

    while (!sink.Full()) {
        int code = reader.Read(codeSize);
        if (code < 0 || code == end || code > available) {
            return;
        }
        if (code == clear) {
            codeSize = minCodeSize + 1;
            mask = (1 << codeSize) - 1;
            available = clear + 2;
            oldCode = -1;
            continue;
        }
        if (oldCode < 0) {
            // Only a literal can follow a clear: the table holds nothing else yet.
            if (code >= clear) {
                return;
            }
            sink.Put(code);
            oldCode = code;
            firstChar = code;
            continue;
        }
        const int inCode = code;
        int top = 0;
        if (code == available) {
            // KwKwK: the previous string followed by its own first character.
            stack[top++] = static_cast<unsigned char>(firstChar);
            code = oldCode;
        }
        while (code >= clear && top < kStackSize - 1) {
            stack[top++] = suffix[code];
            code = prefix[code];
        }
        firstChar = suffix[code];
        stack[top++] = static_cast<unsigned char>(firstChar);

        // A full table stays as it is until the next clear: encoders may go on with 12-bit
        // codes of the table they have rather than clearing it.
        if (available < kMaxCodes) {
            prefix[available] = static_cast<uint16_t>(oldCode);
            suffix[available] = static_cast<unsigned char>(firstChar);
            ++available;
            if ((available & mask) == 0 && available < kMaxCodes) {
                ++codeSize;
                mask = (mask << 1) | 1;
            }
        }
        oldCode = inCode;
        while (top > 0) {
            sink.Put(stack[--top]);
        }
    }
}

std::unique_ptr<Image> ReadImageBlock(FILE* file, ColorMap map, int transparent) {
    unsigned char descriptor[9];
    if (std::fread(descriptor, 1, sizeof(descriptor), file) != sizeof(descriptor)) {
        return nullptr;
    }
    int width = Platform::LoadU16LE(descriptor + 4);
    int height = Platform::LoadU16LE(descriptor + 6);
    int flags = descriptor[8];
    if (width == 0 || height == 0 || width > kMaxDimension || height > kMaxDimension) {
        return nullptr;
    }
    if ((flags & 0x80) != 0 && !ReadColorTable(file, flags, map)) {
        return nullptr;
    }
    // Codes of more than 12 bits would overflow the tables; indices above 255 the colour map.
    int minCodeSize = std::getc(file);
    if (minCodeSize < 1 || minCodeSize > 8) {
        return nullptr;
    }
    auto image = std::make_unique<Image>(width, height);
    PixelSink sink(*image, (flags & 0x40) != 0, map, transparent);
    CodeReader reader(file);
    DecodeLZW(reader, minCodeSize, sink);
    return image;
}

} // namespace

std::unique_ptr<Image> ReadGIFImage(FILE* file) {
    unsigned char header[13];
    if (std::fread(header, 1, sizeof(header), file) != sizeof(header)) {
        return nullptr;
    }
    if (std::memcmp(header, "GIF87", 5) != 0 && std::memcmp(header, "GIF89", 5) != 0) {
        return nullptr;
    }
    ColorMap globalMap{};
    int screenFlags = header[10];
    if ((screenFlags & 0x80) != 0 && !ReadColorTable(file, screenFlags, globalMap)) {
        return nullptr;
    }

    int transparent = -1;
    for (;;) {
        int introducer = std::getc(file);
        if (introducer == EOF || introducer == kTrailer) {
            return nullptr;
        }
        if (introducer == kImageSeparator) {
            return ReadImageBlock(file, globalMap, transparent);
        }
        if (introducer != kExtensionIntroducer) {
            continue;
        }
        int label = std::getc(file);
        if (label == EOF) {
            return nullptr;
        }
        if (label == kGraphicControlLabel) {
            unsigned char block[256] = {};
            int length = ReadGIFBlock(file, block);
            // Flags, delay (2 bytes), transparent index: a shorter block names no index.
            if (length >= 4 && (block[0] & 1) != 0) {
                transparent = block[3];
            }
            if (length <= 0) {
                continue;
            }
        }
        // Comments, application blocks (loop counts are not used) and the rest of a graphic
        // control extension carry nothing the reader needs.
        SkipBlocks(file);
    }
}

} // namespace Vuro::ImageLib
