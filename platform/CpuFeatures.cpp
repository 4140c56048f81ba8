#include "platform/CpuFeatures.h"

#include <cstring>

#if defined(__x86_64__)
#include <cpuid.h>
#endif

namespace Vuro::Platform {

namespace {

ProcessorIdentity ReadIdentity() {
    ProcessorIdentity identity;
#if defined(__x86_64__)
    unsigned a = 0;
    unsigned b = 0;
    unsigned c = 0;
    unsigned d = 0;
    if (__get_cpuid(0, &a, &b, &c, &d) == 0) {
        return identity;
    }
    char vendor[13] = {};
    std::memcpy(vendor, &b, 4);
    std::memcpy(vendor + 4, &d, 4);
    std::memcpy(vendor + 8, &c, 4);
    identity.mVendor = vendor;
    __get_cpuid(1, &a, &b, &c, &d);
    const unsigned baseFamily = (a >> 8) & 0xF;
    const unsigned baseModel = (a >> 4) & 0xF;
    identity.mFamily = baseFamily == 0xF ? baseFamily + ((a >> 20) & 0xFF) : baseFamily;
    identity.mModel =
        baseFamily == 0xF || baseFamily == 0x6 ? baseModel | (((a >> 16) & 0xF) << 4) : baseModel;
    unsigned brand[12] = {};
    if (__get_cpuid(0x80000000, &a, &b, &c, &d) != 0 && a >= 0x80000004) {
        for (unsigned leaf = 0; leaf < 3; ++leaf) {
            __get_cpuid(0x80000002 + leaf, &brand[4 * leaf], &brand[4 * leaf + 1],
                        &brand[4 * leaf + 2], &brand[4 * leaf + 3]);
        }
        char name[49] = {};
        std::memcpy(name, brand, 48);
        std::string& text = identity.mModelName;
        text = name;
        while (!text.empty() && text.back() == ' ') {
            text.pop_back();
        }
        text.erase(0, text.find_first_not_of(' '));
    }
#endif
    return identity;
}

// The vector instruction sets beyond the baseline, asked once.
struct VectorSets {
    bool mAvx2 = false;
    bool mFma = false;
};

const VectorSets& ReadVectorSets() {
    static const VectorSets sets = [] {
        VectorSets found;
#if defined(__x86_64__)
        __builtin_cpu_init();
        found.mAvx2 = __builtin_cpu_supports("avx2") != 0;
        found.mFma = __builtin_cpu_supports("fma") != 0;
#endif
        return found;
    }();
    return sets;
}

} // namespace

bool HasAvx2() {
    return ReadVectorSets().mAvx2;
}

bool HasFma() {
    return ReadVectorSets().mFma;
}

const ProcessorIdentity& IdentifyProcessor() {
    static const ProcessorIdentity identity = ReadIdentity();
    return identity;
}

} // namespace Vuro::Platform
