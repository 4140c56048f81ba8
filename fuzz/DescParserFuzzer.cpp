// Feeds arbitrary bytes to the font descriptor language as a file: commands are cut, tokenised
// and run by a client that stores defines and puts every argument through every conversion,
// then run again as the font commands themselves (without an application, so no images load).

#include "framework/fonts/DescParser.h"
#include "framework/fonts/FontData.h"

#include "framework/util/StringHelpers.h"
#include "platform/MemoryFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class FuzzParser : public Vuro::DescParser {
public:
    bool HandleCommand(Vuro::ListDataElement* params) override {
        auto& elements = params->mElementVector;
        if (elements.empty() || elements[0]->mIsList) {
            std::abort(); // the parser hands over only commands with a name
        }
        // "d name value" stores a define the way the font's Define command does.
        if (elements.size() == 3 && ElementToText(elements[0]) == "d" && !elements[1]->mIsList) {
            const std::string name = Vuro::StringToUpper(ElementToText(elements[1]));
            auto old = mDefineMap.find(name);
            if (old != mDefineMap.end()) {
                delete old->second;
                mDefineMap.erase(old);
            }
            if (!elements[2]->mIsList) {
                mDefineMap[name] = elements[2]->Duplicate();
                return true;
            }
            auto* value = new Vuro::ListDataElement();
            if (!DereferenceList(static_cast<Vuro::ListDataElement*>(elements[2]), value)) {
                delete value;
                return false;
            }
            mDefineMap[name] = value;
            return true;
        }
        for (size_t i = 1; i < elements.size(); ++i) {
            std::string text;
            std::vector<std::string> texts;
            std::vector<int> ints;
            std::vector<double> doubles;
            Vuro::ListDataElement list;
            (void)ElementToString(elements[i], &text);
            (void)ElementToStrings(elements[i], &texts);
            (void)ElementToInts(elements[i], &ints);
            (void)ElementToDoubles(elements[i], &doubles);
            (void)ElementToList(elements[i], &list);
            (void)Unquote(ElementToText(elements[i]));
        }
        return ElementToText(elements[0]) != "fail";
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = Vuro::Platform::OpenMemoryFile(data, size);
    if (file == nullptr) {
        return 0;
    }
    FuzzParser parser;
    (void)parser.LoadDescriptorStream(file);
    std::fclose(file);
    // Loading always ends with the command state cleared.
    if (parser.mCommandLine != 0 || !parser.mCommandText.empty()) {
        std::abort();
    }
    file = Vuro::Platform::OpenMemoryFile(data, size);
    if (file == nullptr) {
        return 0;
    }
    Vuro::FontData font;
    (void)font.LoadDescriptorStream(file);
    std::fclose(file);
    return 0;
}
