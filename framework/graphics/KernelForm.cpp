#include "framework/graphics/KernelForm.h"

#include "platform/CpuFeatures.h"

#include <atomic>
#include <cstdio>

namespace Vuro::Blend {

namespace {

// -1: nothing forced; else the forced form.
std::atomic<int> gForced{-1};

ProcessorInfo ReadProcessor() {
    const Platform::ProcessorIdentity& identity = Platform::IdentifyProcessor();
    ProcessorInfo info;
    info.mVendor = identity.mVendor;
    info.mModelName = identity.mModelName;
    info.mFamily = identity.mFamily;
    info.mModel = identity.mModel;
    info.mAvx2 = Platform::HasAvx2();
    // Family 17h models below 30h are Zen and Zen+ (Zen 2 took full-width units); family 18h is
    // Hygon's Zen. Both execute each 256-bit instruction as two 128-bit halves.
    info.mSplitsWideVectors =
        (info.mVendor == "AuthenticAMD" && info.mFamily == 0x17 && info.mModel < 0x30) ||
        (info.mVendor == "HygonGenuine" && info.mFamily == 0x18);
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
