#pragma once
// What the processor offers beyond the build's baseline, for the fast paths that choose a form
// at run time, and what it calls itself, for reports. Asked once a process.

#include <string>

namespace Vuro::Platform {

// True where the processor runs AVX2 instructions; false on other architectures.
bool HasAvx2();
// True where it runs the fused multiply-add instructions of its vector unit (FMA3).
bool HasFma();

// The processor as it describes itself; empty text and zeros where it does not (and on other
// architectures than x86-64).
struct ProcessorIdentity {
    std::string mVendor;    // "AuthenticAMD", "GenuineIntel", ...
    std::string mModelName; // the brand text, without its padding
    unsigned mFamily = 0;   // with the extended family added
    unsigned mModel = 0;    // with the extended model added
};

const ProcessorIdentity& IdentifyProcessor();

} // namespace Vuro::Platform
