// Drawing context: strings with inline colour codes and word-wrapped text.

#include "framework/graphics/Graphics.h"

#include "framework/fonts/Font.h"

#include <algorithm>
#include <cstdint>

namespace Vuro {

namespace {

// A colour code is a caret, six hexadecimal digits and one character skipped unread (a
// closing caret by convention).
constexpr int kColorCodeLength = 8;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return 0; // anything else counts as 0
}

int HexByte(const std::string& text, int at) {
    return HexDigit(text[at]) * 16 + HexDigit(text[at + 1]);
}

} // namespace

int Graphics::DrawColoredString(const std::string& text, int x, int y, int width, int justify,
                                bool draw, int start, int length) {
    if (mFont == nullptr) {
        return 0;
    }
    if (draw && (justify == 0 || justify == 1)) {
        const int w = DrawColoredString(text, x, y, width, -1, false, start, length);
        x += justify == 0 ? (width - w) / 2 : width - w;
    }
    const int size = static_cast<int>(text.size());
    start = std::max(start, 0);
    const int end = (length < 0 || length > size - start) ? size : start + length;

    int widthSoFar = 0;
    std::string piece;
    int i = start;
    while (i < end) {
        const char c = text[i];
        if (c != '^' || !mWriteColoredString) {
            piece += c;
            ++i;
            continue;
        }
        // A code needs all its characters before the end, a doubled caret included.
        if (i > end - kColorCodeLength) {
            break;
        }
        if (text[i + 1] == '^') {
            piece += '^';
            i += 2;
            continue;
        }
        if (draw) {
            if (!piece.empty()) {
                DrawString(piece, x + widthSoFar, y);
            }
            mColor = Color(HexByte(text, i + 1), HexByte(text, i + 3), HexByte(text, i + 5),
                           mColor.mAlpha);
        }
        widthSoFar += mFont->StringWidth(piece);
        piece.clear();
        i += kColorCodeLength;
    }
    if (draw && !piece.empty()) {
        DrawString(piece, x + widthSoFar, y);
    }
    return widthSoFar + mFont->StringWidth(piece);
}

int Graphics::DrawWrappedText(const Rect& box, const std::string& text, int lineSpacing,
                              int justify, int* maxWidthOut) {
    if (mFont == nullptr) {
        if (maxWidthOut != nullptr) {
            *maxWidthOut = 0;
        }
        return 0;
    }
    const Color savedColor = mColor;
    if (lineSpacing == -1) {
        lineSpacing = mFont->GetLineSpacing();
    }
    const int size = static_cast<int>(text.size());
    int yOffset = mFont->GetAscent() - mFont->GetAscentPadding();
    int maxWidth = 0;
    const auto drawLine = [&](int from, int count) {
        const int w = DrawColoredString(text, box.mX, box.mY + yOffset, box.mWidth, justify, true,
                                        from, count);
        maxWidth = std::max(maxWidth, w);
        yOffset += lineSpacing;
    };

    int lineStart = 0;
    int lastSpace = -1;
    int64_t lineWidth = 0; // 64 bits: a newline sets it past any box width
    char previous = 0;
    int i = 0;
    while (i < size) {
        const char c = text[i];
        if (c == '^' && mWriteColoredString && i + 1 < size) {
            if (text[i + 1] != '^') {
                i += kColorCodeLength; // a colour code takes no width
                continue;
            }
            ++i; // the second caret of a pair is measured below
        }
        if (c == ' ') {
            lastSpace = i;
        } else if (c == '\n') {
            lastSpace = i;
            lineWidth = static_cast<int64_t>(box.mWidth) + 1;
        }
        lineWidth += mFont->CharWidthKern(c, previous);
        previous = c;
        if (lineWidth <= box.mWidth) {
            ++i;
            continue;
        }
        if (lastSpace != -1) {
            drawLine(lineStart, lastSpace - lineStart);
            i = lastSpace + 1;
            if (c != '\n') {
                while (i < size && text[i] == ' ') {
                    ++i;
                }
            }
        } else {
            // At least one character per line, so even a box of width 0 moves on.
            if (i < lineStart + 1) {
                ++i;
            }
            drawLine(lineStart, i - lineStart);
        }
        lastSpace = -1;
        lineWidth = 0;
        previous = 0;
        lineStart = i;
    }
    if (lineStart < size) {
        drawLine(lineStart, size - lineStart);
    }
    mColor = savedColor;
    if (maxWidthOut != nullptr) {
        *maxWidthOut = maxWidth;
    }
    return yOffset - lineSpacing + mFont->GetDescent();
}

int Graphics::MeasureWrappedText(int width, const std::string& text, int lineSpacing,
                                 int* maxWidthOut) const {
    Graphics measure(nullptr);
    measure.mFont = mFont;
    // Carets must be read as they will be when drawing, or the two break lines differently:
    // the measuring context takes the colour-code flag as well as the font.
    measure.mWriteColoredString = mWriteColoredString;
    return measure.DrawWrappedText(Rect(0, 0, width, 0), text, lineSpacing, -1, maxWidthOut);
}

} // namespace Vuro
