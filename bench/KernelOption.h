#pragma once
// The benchmarks' own option --kernels=wide|narrow: runs the blit kernels in one form
// (framework/graphics/KernelForm.h) whatever the processor would choose, so that both forms can
// be measured on one machine. Taken out of the arguments before Google Benchmark reads them.

#include "framework/graphics/KernelForm.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace Vuro::Bench {

// False, after a message, when the option names no form or one the processor cannot run.
inline bool TakeKernelOption(int& argc, char** argv) {
    constexpr const char* kOption = "--kernels=";
    int kept = 1;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kOption, std::strlen(kOption)) != 0) {
            argv[kept++] = argv[i];
            continue;
        }
        const std::string value = argv[i] + std::strlen(kOption);
        if (value == "wide" || value == "narrow") {
            const auto form = value == "wide" ? Blend::KernelForm::Wide : Blend::KernelForm::Narrow;
            if (!Blend::ForceKernelForm(form)) {
                std::fprintf(stderr, "this processor cannot run the %s kernels\n",
                             Blend::KernelFormName(form));
                ok = false;
            }
        } else {
            std::fprintf(stderr, "--kernels= takes wide or narrow\n");
            ok = false;
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return ok;
}

// The line under the tables: which processor ran the figures, and in which form.
inline void PrintKernelLine() {
    const Blend::KernelForm active = Blend::ActiveKernelForm();
    std::printf("\nprocessor: %s\nkernels: %s%s\n", Blend::Processor().Describe().c_str(),
                Blend::KernelFormName(active),
                active == Blend::ChosenKernelForm() ? " (the processor's choice)"
                                                    : " (forced by --kernels)");
}

} // namespace Vuro::Bench
