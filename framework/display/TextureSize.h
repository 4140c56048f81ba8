#pragma once
// Sizes of texture pieces: powers of two, and the good-size table that picks for every size
// below 1024 a power of two leaving either a small remainder (under 64 texels) or a
// power-of-two one, so that cutting an image into pieces wastes little texture memory.

namespace Vuro {

// Smallest power of two >= n; 1 for n <= 1.
int NextPowerOfTwo(int n);
// Exactly one bit set.
bool IsPowerOfTwo(int n);
// The good piece size for n in 0..1023 (e.g. 600 -> 64, 640 -> 512, 800 -> 256).
int GoodTextureSize(int n);

} // namespace Vuro
