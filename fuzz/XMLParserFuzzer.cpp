// Feeds arbitrary bytes to the XML parser and reads elements until it stops, as the data file
// readers do; comments are returned and nodes copied so that those paths run too.

#include "framework/util/XMLParser.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Vuro::XMLParser parser;
    parser.SetReturnComments(size % 2 == 1);
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!parser.OpenBuffer(text, "fuzz.xml")) {
        return 0;
    }
    Vuro::XMLNode node;
    Vuro::XMLNode copy;
    while (parser.ReadElement(&node)) {
        copy = node;
        for (const auto& entry : copy.mAttributeOrder) {
            if (copy.mAttributes.find(entry->first) != entry) {
                std::abort();
            }
        }
    }
    // A failure always leaves a message; a clean end never does.
    if (parser.HasFailed() == parser.GetErrorText().empty()) {
        std::abort();
    }
    return 0;
}
