#pragma once
// Which instruction form the row kernels of the blitters run in. Every kernel is built twice: in
// 256-bit AVX2 registers ("wide") and in the 128-bit registers that every x86-64 processor has
// ("narrow"). The form is chosen once from the processor: wide wherever it has AVX2 and FMA, narrow
// elsewhere. Processors that split every 256-bit instruction in two (AMD's first Zen generation
// and its Hygon relative) are told apart, so that a form measured faster there can be chosen for
// them; the narrow form as built, the same code in the baseline's registers, is far slower than the
// wide one on every machine measured, so they run the wide form too.
//
// Benchmarks (--kernels=wide|narrow) and tests may force a form, so both can be measured and
// checked on any machine; forcing is meant for the start of a program or a test, not while
// another thread draws.

#include <string>

namespace Vuro::Blend {

enum class KernelForm { Narrow, Wide };

// What the choice is made from.
struct ProcessorInfo {
    std::string mVendor; // "AuthenticAMD", "GenuineIntel", ...
    std::string mModelName;
    unsigned mFamily = 0; // with the extended family added
    unsigned mModel = 0;  // with the extended model added
    bool mAvx2 = false;
    bool mFma = false; // the wide form needs it beside AVX2 (every AVX2 processor made has it)
    bool mSplitsWideVectors = false;

    // One line for benchmark tables: model name, family and model, and the flags above.
    std::string Describe() const;
};

const ProcessorInfo& Processor();

// The form the processor is given when nothing is forced.
KernelForm ChosenKernelForm();
// The form the kernels run now.
KernelForm ActiveKernelForm();
inline bool WideKernels() {
    return ActiveKernelForm() == KernelForm::Wide;
}
// Runs the kernels in `form` from now on; false, with nothing changed, where the processor
// cannot run it (wide without AVX2 and FMA).
[[nodiscard]] bool ForceKernelForm(KernelForm form);
// Back to the processor's choice.
void UnforceKernelForm();

const char* KernelFormName(KernelForm form);

// How the wide form makes normal compositing's weights (255 sa / newAlpha, for the pixels over
// a destination neither opaque nor clear): by the divider, or by a refined reciprocal estimate
// that leaves the divider alone. Both give every quotient exactly; which is faster turns on the
// processor's divider and on how busy its other vector units are. Division runs unless another
// is forced: it was ahead where measured (bench_blitters AlphaDestination, --quotients=division
// against --quotients=reciprocal). Benchmarks and tests may force one, as with the kernel form.
enum class QuotientForm { Division, Reciprocal };

QuotientForm ActiveQuotientForm();
void ForceQuotientForm(QuotientForm form);
void UnforceQuotientForm();
const char* QuotientFormName(QuotientForm form);

} // namespace Vuro::Blend
