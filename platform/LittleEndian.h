#pragma once
// Little-endian fields of stored files and streams, independent of the machine's byte order:
// the one place the player files, demo files, settings, image readers and sound files take
// their numbers apart and put them together.

#include <cstdint>
#include <vector>

namespace Vuro::Platform {

// The unsigned value of `bytes` (1 to 4) bytes, lowest first.
constexpr uint32_t LoadLE(const uint8_t* at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | at[i];
    }
    return value;
}

constexpr void StoreLE(uint8_t* at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

inline void AppendLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

constexpr uint16_t LoadU16LE(const uint8_t* at) {
    return static_cast<uint16_t>(LoadLE(at, 2));
}

constexpr int32_t GetInt32LE(const uint8_t* at) {
    return static_cast<int32_t>(LoadLE(at, 4));
}

constexpr void PutInt32LE(uint8_t* at, int32_t value) {
    StoreLE(at, static_cast<uint32_t>(value), 4);
}

} // namespace Vuro::Platform
