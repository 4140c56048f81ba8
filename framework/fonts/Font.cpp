#include "framework/fonts/Font.h"

namespace Vuro {

int Font::StringWidth(const std::string&) {
    return 0;
}

int Font::CharWidth(char c) {
    return StringWidth(c == '\0' ? std::string() : std::string(1, c));
}

int Font::CharWidthKern(char c, char) {
    return CharWidth(c);
}

void Font::DrawString(Graphics*, int, int, const std::string&, const Color&, const Rect&) {}

} // namespace Vuro
