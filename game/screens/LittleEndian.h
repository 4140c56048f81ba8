#pragma once
// 32-bit little-endian fields of the stored player files, independent of the machine's order.

#include <cstdint>

namespace Vuro {

inline void PutInt32LE(uint8_t* at, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

inline int32_t GetInt32LE(const uint8_t* at) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) {
        bits |= static_cast<uint32_t>(at[i]) << (8 * i);
    }
    return static_cast<int32_t>(bits);
}

} // namespace Vuro
