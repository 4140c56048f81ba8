#include "framework/util/MersenneTwister.h"

#include <atomic>

namespace Vuro {

namespace {
constexpr uint32_t kUpperMask = 0x80000000u;
constexpr uint32_t kLowerMask = 0x7fffffffu;
constexpr uint32_t kMatrixA = 0x9908b0dfu;
constexpr int kShift = 397;

std::atomic<int> gRandGuard{0};
} // namespace

MersenneTwister gRandom;

MersenneTwister::MersenneTwister() {
    SRand(kDefaultSeed);
}

void MersenneTwister::SRand(uint32_t seed) {
    mState[0] = seed == 0 ? kDefaultSeed : seed;
    for (int i = 1; i < kStateSize; ++i) {
        mState[i] = 69069u * mState[i - 1];
    }
    mIndex = kStateSize;
}

void MersenneTwister::Regenerate() {
    for (int i = 0; i < kStateSize; ++i) {
        uint32_t y = (mState[i] & kUpperMask) | (mState[(i + 1) % kStateSize] & kLowerMask);
        mState[i] = mState[(i + kShift) % kStateSize] ^ (y >> 1) ^ ((y & 1u) ? kMatrixA : 0u);
    }
    mIndex = 0;
}

uint32_t MersenneTwister::Next() {
    if (mIndex >= kStateSize) {
        Regenerate();
    }
    uint32_t y = mState[mIndex++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9d2c5680u;
    y ^= (y << 15) & 0xefc60000u;
    y ^= y >> 18;
    return y & kLowerMask;
}

int MersenneTwister::AdjustRandGuard(bool allowed) {
    if (!allowed) {
        return gRandGuard.fetch_add(1) + 1;
    }
    int count = gRandGuard.load();
    while (count > 0 && !gRandGuard.compare_exchange_weak(count, count - 1)) {
    }
    return count > 0 ? count - 1 : count;
}

int Rand() {
    return static_cast<int>(gRandom.Next());
}

void SRand(uint32_t seed) {
    gRandom.SRand(seed);
}

} // namespace Vuro
