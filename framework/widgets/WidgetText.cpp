// The widget's text and number drawing helpers.

#include "framework/fonts/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/Widget.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace Vuro {

namespace {

// Widgets always read colour codes in their text, whatever the context was set to.
constexpr bool kWidgetColoredStrings = true;

// Sets the context's colour-code reading for the length of one call.
class ColoredStrings {
public:
    explicit ColoredStrings(Graphics* g) : mGraphics(g), mSaved(g->mWriteColoredString) {
        g->mWriteColoredString = kWidgetColoredStrings;
    }
    ~ColoredStrings() { mGraphics->mWriteColoredString = mSaved; }
    ColoredStrings(const ColoredStrings&) = delete;
    ColoredStrings& operator=(const ColoredStrings&) = delete;

private:
    Graphics* mGraphics;
    bool mSaved;
};

struct TextMetrics {
    int width = 0;
    int ascent = 0;
    int height = 0;
};

TextMetrics Measure(Graphics* g, const std::string& text) {
    Font* font = g->GetFont();
    if (font == nullptr) {
        return {};
    }
    return {font->StringWidth(text), font->GetAscent(), font->GetHeight()};
}

} // namespace

Rect Widget::DrawCenteredShadowedText(Graphics* g, int y, const std::string& text,
                                      const Color& main, const Color& shadow, const Point* offset) {
    const TextMetrics m = Measure(g, text);
    const int x = (mWidth - m.width) / 2;
    g->SetColor(shadow);
    g->DrawString(text, x + offset->mX, y + offset->mY);
    g->SetColor(main);
    g->DrawString(text, x, y);
    return Rect(x + std::min(offset->mX, 0), y + std::min(offset->mY, 0) - m.ascent,
                m.width + std::abs(offset->mX), m.height + std::abs(offset->mY));
}

Rect Widget::DrawCenteredText(Graphics* g, int y, const std::string& text) {
    const TextMetrics m = Measure(g, text);
    const int x = (mWidth - m.width) / 2;
    g->DrawString(text, x, y);
    return Rect(x, y - m.ascent, m.width, m.height);
}

int Widget::DrawJustifiedText(Graphics* g, const std::string& text, int x, int y, int width,
                              int justify, bool draw, int start, int length) {
    ColoredStrings colored(g);
    return g->DrawColoredString(text, x, y, width, justify, draw, start, length);
}

int Widget::DrawWrappedText(Graphics* g, const Rect& area, const std::string& text, int lineSpacing,
                            int justify) {
    ColoredStrings colored(g);
    return g->DrawWrappedText(area, text, lineSpacing, justify, nullptr);
}

int Widget::MeasureWrappedText(Graphics* g, int width, const std::string& text, int lineSpacing) {
    return g->MeasureWrappedText(width, text, lineSpacing, nullptr);
}

void Widget::DrawNumberFromDigitStrip(Graphics* g, int number, int x, int y, Image* strip,
                                      int spacing) {
    const int cellWidth = strip->GetWidth() / 10;
    const int digits = CountDigits(number);
    int64_t power = 1;
    for (int i = 1; i < digits; ++i) {
        power *= 10;
    }
    int offset = 0;
    for (; power > 0; power /= 10) {
        const int digit = static_cast<int>(number / power % 10);
        // Only this digit's cell of the strip shows through the clip.
        Graphics cell(*g);
        cell.ClipRect(x + offset, y, cellWidth, strip->GetHeight());
        cell.DrawImage(strip, x + offset - digit * cellWidth, y);
        offset += cellWidth + spacing;
    }
}

} // namespace Vuro
