#include "tools/assetgen/menuart/Noise.h"

#include <cmath>
#include <cstdint>

namespace Vuro::AssetGen {

namespace {

double Lattice(int x, int y, int seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777216.0;
}

double Smooth(double t) {
    return t * t * (3 - 2 * t);
}

} // namespace

double ValueNoise(double x, double y, int seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = Smooth(x - fx);
    const double ty = Smooth(y - fy);
    const double top = Lattice(ix, iy, seed) * (1 - tx) + Lattice(ix + 1, iy, seed) * tx;
    const double bottom = Lattice(ix, iy + 1, seed) * (1 - tx) + Lattice(ix + 1, iy + 1, seed) * tx;
    return top * (1 - ty) + bottom * ty;
}

double FractalNoise(double x, double y, int seed) {
    return (ValueNoise(x, y, seed) * 4 + ValueNoise(x * 2.1, y * 2.1, seed + 101) * 2 +
            ValueNoise(x * 4.3, y * 4.3, seed + 202)) /
           7.0;
}

} // namespace Vuro::AssetGen
