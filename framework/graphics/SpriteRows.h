#pragma once
// Row kernel of the normal blit onto an opaque destination: every source pixel by its own alpha,
// without the run-length table (whose walk costs more than the pixels of a small sprite with
// soft edges: a few short runs in every row).

#include <cstdint>

namespace Vuro::Blend {

// Per pixel: alpha 255 is copied, alpha 0 leaves the destination word as it is, any other alpha
// is mixed as OpaqueRef (alpha 255, weight sa). The same result as walking the source's
// run-length classes (0, 255, partial) with a copy, a skip and OpaqueRow.
void OverOpaqueRow(uint32_t* out, const uint32_t* src, int count);

} // namespace Vuro::Blend
