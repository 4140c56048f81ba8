// The layering check: reads every include of the source tree given as the argument (the
// repository's root) and fails when one breaks the table in LayerRules.cpp. Exceptions that no
// longer occur are only reported, so mending the code never breaks the build; remove them then.

#include "LayerRules.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: layercheck <source tree>\n");
        return 2;
    }
    std::vector<Vuro::LayerCheck::Exception> unused;
    const auto violations = Vuro::LayerCheck::ScanTree(argv[1], &unused);
    for (const auto& v : violations) {
        std::printf("%s:%d: includes \"%s\": %s\n", v.file.c_str(), v.line, v.include.c_str(),
                    v.reason.c_str());
    }
    for (const auto& e : unused) {
        std::printf("note: the exception for %.*s including %.*s no longer occurs; remove it\n",
                    static_cast<int>(e.file.size()), e.file.data(),
                    static_cast<int>(e.include.size()), e.include.data());
    }
    std::printf("%zu include(s) break the layering\n", violations.size());
    return violations.empty() ? 0 : 1;
}
