// Feeds arbitrary text to the coloured-string and word-wrap layout of the drawing context with
// a fixed-width font, and checks what must hold for any text: layout ends, measuring equals
// drawing, pieces of a line sit side by side, the colour is restored after wrapping.
//
// Input: byte 0 box width (minus 16, so small negative widths occur), byte 1 flags (bit 0
// colour codes on, bits 1-2 justify -1/0/1), byte 2 start, byte 3 length (signed, negative
// means "to the end"), then the text.

#include "framework/graphics/Graphics.h"
#include "tests/support/FixedWidthFont.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) {
        return 0;
    }
    const int width = static_cast<int>(data[0]) - 16;
    const bool colourCodes = (data[1] & 1) != 0;
    const int justify = static_cast<int>((data[1] >> 1) % 3) - 1;
    const int start = data[2];
    const int length = static_cast<int8_t>(data[3]);
    const std::string text(reinterpret_cast<const char*>(data + 4), size - 4);

    Vuro::Testing::FixedWidthFont font(5);
    Vuro::Graphics g;
    g.SetFont(&font);
    g.mWriteColoredString = colourCodes;
    const Vuro::Color startColour(1, 2, 3, 4);
    g.SetColor(startColour);

    // One coloured string: its pieces follow each other and add up to the width it returns.
    const int measured = g.DrawColoredString(text, 7, 0, width, -1, false, start, length);
    Check(font.mDrawn.empty() && g.GetColor() == startColour);
    const int drawn = g.DrawColoredString(text, 7, 0, width, -1, true, start, length);
    Check(drawn == measured && measured >= 0);
    int x = 7;
    size_t characters = 0;
    for (const auto& piece : font.mDrawn) {
        Check(piece.mX == x && !piece.mText.empty());
        x += font.StringWidth(piece.mText);
        characters += piece.mText.size();
    }
    Check(x - 7 == drawn && characters <= text.size());
    Check(g.GetColor().mAlpha == startColour.mAlpha);

    // Word wrap: ends, restores the colour, and measures what it draws.
    g.SetColor(startColour);
    font.mDrawn.clear();
    int drawnWidth = -1;
    const int height =
        g.DrawWrappedText(Vuro::Rect(0, 0, width, 0), text, -1, justify, &drawnWidth);
    Check(g.GetColor() == startColour);
    size_t wrapped = 0;
    for (const auto& piece : font.mDrawn) {
        wrapped += piece.mText.size();
    }
    Check(wrapped <= text.size());
    int measuredWidth = -2;
    Check(g.MeasureWrappedText(width, text, -1, &measuredWidth) == height);
    Check(measuredWidth == drawnWidth); // justifying moves lines, it does not widen them
    return 0;
}
