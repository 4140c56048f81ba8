// Feeds arbitrary bytes to the settings file reader. Whatever it makes of them must write out
// as a text that reads back to the same keys and values (so a file the program wrote once
// stays stable), and a lookup of every value must find it.

#include "platform/RegistryDocument.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using Vuro::Platform::RegistryDocument;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    RegistryDocument document = RegistryDocument::FromText(text);
    std::string written = document.ToText("fuzz");
    RegistryDocument again = RegistryDocument::FromText(written);
    if (again.ToText("fuzz") != written || again.Keys().size() != document.Keys().size()) {
        std::abort();
    }
    for (const auto& key : document.Keys()) {
        for (const auto& value : key.values) {
            const auto* found = again.Find(key.name, value.name);
            if (found == nullptr || found->type != value.type || found->data != value.data) {
                std::abort();
            }
        }
    }
    return 0;
}
