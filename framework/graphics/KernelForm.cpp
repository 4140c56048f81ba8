#include "framework/graphics/KernelForm.h"

#include "platform/CpuFeatures.h"

#include <atomic>
#include <cstdio>

namespace Vuro::Blend {

namespace {

// -1: nothing forced; else the forced form.
std::atomic<int> gForced{-1};
std::atomic<int> gForcedQuotients{-1};

ProcessorInfo ReadProcessor() {
    const Platform::ProcessorIdentity& identity = Platform::IdentifyProcessor();
    ProcessorInfo info;
    info.mVendor = identity.mVendor;
    info.mModelName = identity.mModelName;
    info.mFamily = identity.mFamily;
    info.mModel = identity.mModel;
    info.mAvx2 = Platform::HasAvx2();
    info.mFma = Platform::HasFma();
    // Family 17h models below 30h are Zen and Zen+ (Zen 2 took full-width units); family 18h is
    // Hygon's Zen. Both execute each 256-bit instruction as two 128-bit halves.
    info.mSplitsWideVectors =
        (info.mVendor == "AuthenticAMD" && info.mFamily == 0x17 && info.mModel < 0x30) ||
        (info.mVendor == "HygonGenuine" && info.mFamily == 0x18);
    return info;
}

bool WideRuns() {
    return Processor().mAvx2 && Processor().mFma;
}

} // namespace

std::string ProcessorInfo::Describe() const {
    char text[160];
    std::snprintf(text, sizeof text, "%s (%s family %Xh model %Xh%s%s%s)",
                  mModelName.empty() ? "unknown processor" : mModelName.c_str(), mVendor.c_str(),
                  mFamily, mModel, mAvx2 ? ", AVX2" : "", mFma ? ", FMA" : "",
                  mSplitsWideVectors ? ", splits 256-bit work" : "");
    return text;
}

const ProcessorInfo& Processor() {
    static const ProcessorInfo info = ReadProcessor();
    return info;
}

KernelForm ChosenKernelForm() {
    static const KernelForm chosen = WideRuns() ? KernelForm::Wide : KernelForm::Narrow;
    return chosen;
}

KernelForm ActiveKernelForm() {
    const int forced = gForced.load(std::memory_order_relaxed);
    return forced < 0 ? ChosenKernelForm() : static_cast<KernelForm>(forced);
}

bool ForceKernelForm(KernelForm form) {
    if (form == KernelForm::Wide && !WideRuns()) {
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

QuotientForm ActiveQuotientForm() {
    const int forced = gForcedQuotients.load(std::memory_order_relaxed);
    return forced < 0 ? QuotientForm::Division : static_cast<QuotientForm>(forced);
}

void ForceQuotientForm(QuotientForm form) {
    gForcedQuotients.store(static_cast<int>(form), std::memory_order_relaxed);
}

void UnforceQuotientForm() {
    gForcedQuotients.store(-1, std::memory_order_relaxed);
}

const char* QuotientFormName(QuotientForm form) {
    return form == QuotientForm::Division ? "division" : "reciprocal";
}

} // namespace Vuro::Blend
