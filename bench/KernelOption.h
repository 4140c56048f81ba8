#pragma once
// The benchmarks' own options --kernels=wide|narrow and --quotients=division|reciprocal: run the
// blit kernels in one form, and the wide form's weights of normal compositing in one way
// (framework/graphics/KernelForm.h), whatever the processor would choose, so that each can be
// measured on one machine. Taken out of the arguments before Google Benchmark reads them.

#include "framework/graphics/KernelForm.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace Vuro::Bench {

namespace Detail {

// Applies a --kernels= value; false, after a message, where it names no form the processor
// can run.
inline bool TakeKernels(const std::string& value) {
    if (value != "wide" && value != "narrow") {
        std::fprintf(stderr, "--kernels= takes wide or narrow\n");
        return false;
    }
    const auto form = value == "wide" ? Blend::KernelForm::Wide : Blend::KernelForm::Narrow;
    if (!Blend::ForceKernelForm(form)) {
        std::fprintf(stderr, "this processor cannot run the %s kernels\n",
                     Blend::KernelFormName(form));
        return false;
    }
    return true;
}

inline bool TakeQuotients(const std::string& value) {
    if (value != "division" && value != "reciprocal") {
        std::fprintf(stderr, "--quotients= takes division or reciprocal\n");
        return false;
    }
    Blend::ForceQuotientForm(value == "division" ? Blend::QuotientForm::Division
                                                 : Blend::QuotientForm::Reciprocal);
    return true;
}

} // namespace Detail

// False, after a message, when an option names no form or one the processor cannot run.
inline bool TakeKernelOption(int& argc, char** argv) {
    struct Option {
        const char* name;
        bool (*take)(const std::string& value);
    };
    const Option options[] = {{"--kernels=", Detail::TakeKernels},
                              {"--quotients=", Detail::TakeQuotients}};
    int kept = 1;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        bool taken = false;
        for (const Option& option : options) {
            const size_t length = std::strlen(option.name);
            if (std::strncmp(argv[i], option.name, length) == 0) {
                ok = option.take(argv[i] + length) && ok;
                taken = true;
            }
        }
        if (!taken) {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return ok;
}

// The lines under the tables: which processor ran the figures, in which form, and how the
// weights of normal compositing were made.
inline void PrintKernelLine() {
    const Blend::KernelForm active = Blend::ActiveKernelForm();
    std::printf("\nprocessor: %s\nkernels: %s%s\nquotients: %s\n",
                Blend::Processor().Describe().c_str(), Blend::KernelFormName(active),
                active == Blend::ChosenKernelForm() ? " (the processor's choice)"
                                                    : " (forced by --kernels)",
                Blend::QuotientFormName(Blend::ActiveQuotientForm()));
}

} // namespace Vuro::Bench
