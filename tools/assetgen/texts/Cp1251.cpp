#include "tools/assetgen/texts/Cp1251.h"

#include <iconv.h>

#include <vector>

namespace Vuro::AssetGen {

bool Utf8ToCp1251(std::string_view utf8, std::string& out) {
    iconv_t converter = iconv_open("CP1251", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    // Code page 1251 never needs more bytes than UTF-8.
    std::vector<char> buffer(utf8.size() + 1);
    std::string input(utf8);
    char* in = input.data();
    size_t inLeft = input.size();
    char* outPtr = buffer.data();
    size_t outLeft = buffer.size();
    // Without //TRANSLIT or //IGNORE, iconv stops at the first character it cannot convert.
    size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1) || inLeft != 0) {
        return false;
    }
    out.assign(buffer.data(), outPtr);
    return true;
}

} // namespace Vuro::AssetGen
