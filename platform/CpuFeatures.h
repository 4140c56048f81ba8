#pragma once
// What the processor offers beyond the build's baseline, for the fast paths that choose a form
// at run time. Asked once a process.

namespace Vuro::Platform {

// True where the processor runs AVX2 instructions; false on other architectures.
bool HasAvx2();

} // namespace Vuro::Platform
