#pragma once
// Smooth value noise for painted textures and wobbling edges: the same seed gives the same
// picture on every machine.

namespace Vuro::AssetGen {

// 0..1, smooth between whole coordinates.
double ValueNoise(double x, double y, int seed);
// Three octaves of value noise, 0..1.
double FractalNoise(double x, double y, int seed);

} // namespace Vuro::AssetGen
