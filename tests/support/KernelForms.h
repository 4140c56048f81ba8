#pragma once
// Runs a suite's cases once per form of the blit kernels (KernelForm.h): the narrow form on
// every machine, the wide form where the processor has AVX2 and FMA (skipped elsewhere), so that
// both are checked whichever the machine would choose.
//
//   class MyKernels : public Vuro::Test::KernelFormTest {};
//   TEST_P(MyKernels, ...) { ... }
//   VURO_INSTANTIATE_KERNEL_FORMS(MyKernels);

#include "framework/graphics/KernelForm.h"

#include <gtest/gtest.h>

#include <string>

namespace Vuro::Test {

class KernelFormTest : public testing::TestWithParam<Blend::KernelForm> {
protected:
    void SetUp() override {
        if (!Blend::ForceKernelForm(GetParam())) {
            GTEST_SKIP() << "the processor cannot run the " << Blend::KernelFormName(GetParam())
                         << " kernels";
        }
    }
    void TearDown() override {
        Blend::UnforceKernelForm();
        Blend::UnforceQuotientForm();
    }
};

// Runs check once for each way the wide form makes normal compositing's weights, named in the
// trace; once in the narrow form, which has one way.
template <typename Check> void ForEachQuotientForm(Check check) {
    if (!Blend::WideKernels()) {
        check();
        return;
    }
    for (const auto form : {Blend::QuotientForm::Division, Blend::QuotientForm::Reciprocal}) {
        SCOPED_TRACE(Blend::QuotientFormName(form));
        Blend::ForceQuotientForm(form);
        check();
    }
    Blend::UnforceQuotientForm();
}

inline std::string KernelFormParamName(const testing::TestParamInfo<Blend::KernelForm>& info) {
    return info.param == Blend::KernelForm::Wide ? "Wide" : "Narrow";
}

} // namespace Vuro::Test

#define VURO_INSTANTIATE_KERNEL_FORMS(Suite)                                                       \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        Forms, Suite,                                                                              \
        testing::Values(::Vuro::Blend::KernelForm::Narrow, ::Vuro::Blend::KernelForm::Wide),       \
        ::Vuro::Test::KernelFormParamName)
