#pragma once
// UTF-8 to code page 1251 for the localised texts, through the C library's iconv.

#include <string>
#include <string_view>

namespace Vuro::AssetGen {

// False when the text is not valid UTF-8 or holds a character code page 1251 has no byte for;
// out is then unspecified.
bool Utf8ToCp1251(std::string_view utf8, std::string& out);

} // namespace Vuro::AssetGen
