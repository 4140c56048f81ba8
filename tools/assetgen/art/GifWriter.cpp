#include "tools/assetgen/art/GifWriter.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <unordered_map>

namespace Vuro::AssetGen::Art {

namespace {

constexpr int kTransparentIndex = 0;
constexpr size_t kMaxColours = 255;

struct Box {
    std::vector<uint32_t> colours; // 0xRRGGBB, one entry per pixel
};

int Channel(uint32_t c, int k) {
    return (c >> (16 - 8 * k)) & 0xff;
}

// Median cut: split the box with the widest channel range at its median until there are
// enough boxes; each box's mean is one palette entry.
std::vector<uint32_t> MedianCut(std::vector<uint32_t> colours) {
    std::vector<Box> boxes;
    boxes.push_back({std::move(colours)});
    while (boxes.size() < kMaxColours) {
        int best = -1;
        int bestChannel = 0;
        int bestRange = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].colours.size() < 2) {
                continue;
            }
            for (int k = 0; k < 3; ++k) {
                auto [lo, hi] = std::minmax_element(
                    boxes[i].colours.begin(), boxes[i].colours.end(),
                    [k](uint32_t a, uint32_t b) { return Channel(a, k) < Channel(b, k); });
                const int range = Channel(*hi, k) - Channel(*lo, k);
                if (range > bestRange) {
                    best = static_cast<int>(i);
                    bestChannel = k;
                    bestRange = range;
                }
            }
        }
        if (best < 0) {
            break;
        }
        std::vector<uint32_t>& all = boxes[best].colours;
        auto middle = all.begin() + all.size() / 2;
        std::nth_element(all.begin(), middle, all.end(), [bestChannel](uint32_t a, uint32_t b) {
            return Channel(a, bestChannel) < Channel(b, bestChannel);
        });
        Box upper{std::vector<uint32_t>(middle, all.end())};
        all.erase(middle, all.end());
        boxes.push_back(std::move(upper));
    }
    std::vector<uint32_t> palette;
    for (const Box& box : boxes) {
        if (box.colours.empty()) {
            continue;
        }
        std::array<uint64_t, 3> sum{};
        for (uint32_t c : box.colours) {
            for (int k = 0; k < 3; ++k) {
                sum[k] += Channel(c, k);
            }
        }
        const uint64_t n = box.colours.size();
        palette.push_back(
            static_cast<uint32_t>((sum[0] / n) << 16 | (sum[1] / n) << 8 | (sum[2] / n)));
    }
    return palette;
}

int Nearest(const std::vector<uint32_t>& palette, uint32_t colour) {
    int best = 0;
    int bestDistance = 1 << 30;
    for (size_t i = 0; i < palette.size(); ++i) {
        int distance = 0;
        for (int k = 0; k < 3; ++k) {
            const int d = Channel(palette[i], k) - Channel(colour, k);
            distance += d * d;
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

// Packs codes least significant bit first into sub-blocks of at most 255 bytes.
class CodeWriter {
public:
    void Put(int code, int bits) {
        mBuffer |= static_cast<uint32_t>(code) << mBits;
        mBits += bits;
        while (mBits >= 8) {
            mBytes.push_back(static_cast<uint8_t>(mBuffer));
            mBuffer >>= 8;
            mBits -= 8;
        }
    }
    std::vector<uint8_t> Finish() {
        if (mBits > 0) {
            mBytes.push_back(static_cast<uint8_t>(mBuffer));
        }
        std::vector<uint8_t> blocks;
        for (size_t i = 0; i < mBytes.size(); i += 255) {
            const size_t n = std::min<size_t>(255, mBytes.size() - i);
            blocks.push_back(static_cast<uint8_t>(n));
            blocks.insert(blocks.end(), mBytes.begin() + i, mBytes.begin() + i + n);
        }
        blocks.push_back(0);
        return blocks;
    }

private:
    uint32_t mBuffer = 0;
    int mBits = 0;
    std::vector<uint8_t> mBytes;
};

std::vector<uint8_t> Lzw(const std::vector<uint8_t>& indices) {
    constexpr int kMinCodeSize = 8;
    constexpr int kClear = 1 << kMinCodeSize;
    constexpr int kEnd = kClear + 1;
    CodeWriter writer;
    std::unordered_map<uint32_t, int> table;
    int next = kEnd + 1;
    int bits = kMinCodeSize + 1;
    writer.Put(kClear, bits);
    int prefix = indices.empty() ? -1 : indices[0];
    for (size_t i = 1; i < indices.size(); ++i) {
        const uint32_t key = static_cast<uint32_t>(prefix) << 8 | indices[i];
        auto found = table.find(key);
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        writer.Put(prefix, bits);
        if (next < 4096) {
            table[key] = next++;
            if (next > (1 << bits) && bits < 12) {
                ++bits;
            }
        } else {
            writer.Put(kClear, bits);
            table.clear();
            next = kEnd + 1;
            bits = kMinCodeSize + 1;
        }
        prefix = indices[i];
    }
    if (prefix >= 0) {
        writer.Put(prefix, bits);
    }
    writer.Put(kEnd, bits);
    return writer.Finish();
}

void PutWord(std::vector<uint8_t>& out, int value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

// The picture as palette indices: index 0 for pixels less than half opaque, the others the
// nearest of at most 255 median-cut colours; the palette has 256 entries.
struct IndexedPixels {
    std::vector<uint32_t> palette; // 0xRRGGBB
    std::vector<uint8_t> indices;
};

IndexedPixels IndexColours(const std::vector<uint32_t>& pixels) {
    std::vector<uint32_t> visible;
    for (uint32_t p : pixels) {
        if ((p >> 24) >= 128) {
            visible.push_back(p & 0xffffff);
        }
    }
    IndexedPixels out;
    out.palette = MedianCut(visible);
    const std::vector<uint32_t> opaque = out.palette;
    out.palette.insert(out.palette.begin(), 0); // the transparent index
    std::unordered_map<uint32_t, uint8_t> lookup;
    out.indices.resize(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
        if ((pixels[i] >> 24) < 128) {
            out.indices[i] = kTransparentIndex;
            continue;
        }
        const uint32_t colour = pixels[i] & 0xffffff;
        auto found = lookup.find(colour);
        if (found == lookup.end()) {
            found = lookup.emplace(colour, static_cast<uint8_t>(Nearest(opaque, colour) + 1)).first;
        }
        out.indices[i] = found->second;
    }
    out.palette.resize(256, 0);
    return out;
}

} // namespace

std::vector<uint32_t> LimitColours(const std::vector<uint32_t>& pixels) {
    const IndexedPixels indexed = IndexColours(pixels);
    std::vector<uint32_t> out(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint8_t index = indexed.indices[i];
        out[i] = index == kTransparentIndex ? 0 : 0xff000000u | indexed.palette[index];
    }
    return out;
}

bool WriteGif(const std::vector<uint32_t>& pixels, int width, int height,
              const std::filesystem::path& path) {
    const IndexedPixels indexed = IndexColours(pixels);
    const std::vector<uint32_t>& palette = indexed.palette;
    const std::vector<uint8_t>& indices = indexed.indices;

    std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    PutWord(out, width);
    PutWord(out, height);
    out.insert(out.end(), {0xf7, 0, 0}); // global table of 256 entries
    for (uint32_t c : palette) {
        out.insert(out.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                               static_cast<uint8_t>(c)});
    }
    out.insert(out.end(), {0x21, 0xf9, 4, 1, 0, 0, kTransparentIndex, 0});
    out.push_back(0x2c);
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, width);
    PutWord(out, height);
    out.push_back(0);
    out.push_back(8);
    const std::vector<uint8_t> data = Lzw(indices);
    out.insert(out.end(), data.begin(), data.end());
    out.push_back(0x3b);

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}

} // namespace Vuro::AssetGen::Art
