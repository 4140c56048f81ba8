#pragma once
// The program's one random generator: MT19937 with the 1998 reference seeding (multiplier
// 69069) and a 31-bit output. Demo files store the seed, so every random draw of the game must
// come from here for playback to repeat a run.

#include <cstdint>

namespace Vuro {

class MersenneTwister {
public:
    static constexpr uint32_t kDefaultSeed = 4357;
    static constexpr int kStateSize = 624;

    MersenneTwister();
    // A seed of 0 is replaced by the default seed.
    void SRand(uint32_t seed);
    // MT19937 output with bit 31 cleared: 0 .. 2^31 - 1.
    uint32_t Next();
    // Counts stretches in which drawing a random number would break demo playback: false
    // enters such a stretch, true leaves one. Returns the count after the change; the
    // generator itself does not consult it.
    static int AdjustRandGuard(bool allowed);

private:
    void Regenerate();

    uint32_t mState[kStateSize];
    int mIndex;
};

extern MersenneTwister gRandom;

// Next value of gRandom; never negative. Take "% n" for 0..n-1 and the low bit for a coin flip.
int Rand();
void SRand(uint32_t seed);

} // namespace Vuro
