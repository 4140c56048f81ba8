#include "framework/graphics/KernelForm.h"

#include <atomic>
#include <cstdio>
#include <cstring>

#if defined(__x86_64__)
#include <cpuid.h>
#endif

namespace Vuro::Blend {

namespace {

// -1: nothing forced; else the forced form.
std::atomic<int> gForced{-1};

ProcessorInfo ReadProcessor() {
    ProcessorInfo info;
#if defined(__x86_64__)
    unsigned a = 0;
    unsigned b = 0;
    unsigned c = 0;
    unsigned d = 0;
    if (__get_cpuid(0, &a, &b, &c, &d) == 0) {
        return info;
    }
    char vendor[13] = {};
    std::memcpy(vendor, &b, 4);
    std::memcpy(vendor + 4, &d, 4);
    std::memcpy(vendor + 8, &c, 4);
    info.mVendor = vendor;
    __get_cpuid(1, &a, &b, &c, &d);
    const unsigned baseFamily = (a >> 8) & 0xF;
    const unsigned baseModel = (a >> 4) & 0xF;
    info.mFamily = baseFamily == 0xF ? baseFamily + ((a >> 20) & 0xFF) : baseFamily;
    info.mModel =
        baseFamily == 0xF || baseFamily == 0x6 ? baseModel | (((a >> 16) & 0xF) << 4) : baseModel;
    __builtin_cpu_init();
    info.mAvx2 = __builtin_cpu_supports("avx2") != 0;
    unsigned brand[12] = {};
    if (__get_cpuid(0x80000000, &a, &b, &c, &d) != 0 && a >= 0x80000004) {
        for (unsigned leaf = 0; leaf < 3; ++leaf) {
            __get_cpuid(0x80000002 + leaf, &brand[4 * leaf], &brand[4 * leaf + 1],
                        &brand[4 * leaf + 2], &brand[4 * leaf + 3]);
        }
        char name[49] = {};
        std::memcpy(name, brand, 48);
        info.mModelName = name;
        while (!info.mModelName.empty() && info.mModelName.back() == ' ') {
            info.mModelName.pop_back();
        }
        info.mModelName.erase(0, info.mModelName.find_first_not_of(' '));
    }
    // Family 17h models below 30h are Zen and Zen+ (Zen 2 took full-width units); family 18h is
    // Hygon's Zen. Both execute each 256-bit instruction as two 128-bit halves.
    info.mSplitsWideVectors =
        (info.mVendor == "AuthenticAMD" && info.mFamily == 0x17 && info.mModel < 0x30) ||
        (info.mVendor == "HygonGenuine" && info.mFamily == 0x18);
#endif
    return info;
}

} // namespace

std::string ProcessorInfo::Describe() const {
    char text[160];
    std::snprintf(text, sizeof text, "%s (%s family %Xh model %Xh%s%s)",
                  mModelName.empty() ? "unknown processor" : mModelName.c_str(), mVendor.c_str(),
                  mFamily, mModel, mAvx2 ? ", AVX2" : "",
                  mSplitsWideVectors ? ", splits 256-bit work" : "");
    return text;
}

const ProcessorInfo& Processor() {
    static const ProcessorInfo info = ReadProcessor();
    return info;
}

KernelForm ChosenKernelForm() {
    static const KernelForm chosen = Processor().mAvx2 ? KernelForm::Wide : KernelForm::Narrow;
    return chosen;
}

KernelForm ActiveKernelForm() {
    const int forced = gForced.load(std::memory_order_relaxed);
    return forced < 0 ? ChosenKernelForm() : static_cast<KernelForm>(forced);
}

bool ForceKernelForm(KernelForm form) {
    if (form == KernelForm::Wide && !Processor().mAvx2) {
        return false;
    }
    gForced.store(static_cast<int>(form), std::memory_order_relaxed);
    return true;
}

void UnforceKernelForm() {
    gForced.store(-1, std::memory_order_relaxed);
}

const char* KernelFormName(KernelForm form) {
    return form == KernelForm::Wide ? "wide (256-bit AVX2)" : "narrow (128-bit)";
}

} // namespace Vuro::Blend
