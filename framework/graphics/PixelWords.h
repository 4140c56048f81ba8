#pragma once
// The 32-bit words of an image's pixels and of the forms made from them, on 64-byte boundaries:
// an image's rows then start at the same place in a cache line in every process, whatever the
// allocator did before, so the blit kernels meet the same line crossings from run to run (with
// 16-byte alignment a blit's speed differed between runs of the same program).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace Vuro {

inline constexpr std::align_val_t kPixelAlignment{64};

struct PixelWordsDelete {
    void operator()(uint32_t* words) const { ::operator delete[](words, kPixelAlignment); }
};

using PixelWords = std::unique_ptr<uint32_t[], PixelWordsDelete>;

// count words, their values left undefined.
inline PixelWords MakePixelWordsForOverwrite(size_t count) {
    return PixelWords(
        static_cast<uint32_t*>(::operator new[](count * sizeof(uint32_t), kPixelAlignment)));
}

// count words of 0.
inline PixelWords MakePixelWords(size_t count) {
    PixelWords words = MakePixelWordsForOverwrite(count);
    std::memset(words.get(), 0, count * sizeof(uint32_t));
    return words;
}

} // namespace Vuro
