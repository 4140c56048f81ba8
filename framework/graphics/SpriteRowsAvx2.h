#pragma once
// Kernels of SpriteRows.h written for AVX2 with its intrinsics, for the forms whose best
// instructions (the saturating byte add, the test of a whole register) the compiler's vector
// types cannot name. The blits call them instead of the portable forms while the wide form runs
// (KernelForm.h).

#include <cstddef>
#include <cstdint>

namespace Vuro::Blend::SpriteAvx2 {

// Blend::AddTermsRows: the whole rectangle, the last pixels of each row through masked loads
// and stores.
void AddTermsRows(uint32_t* out, size_t outStride, const uint32_t* terms, size_t termsStride,
                  int width, int height);

} // namespace Vuro::Blend::SpriteAvx2
