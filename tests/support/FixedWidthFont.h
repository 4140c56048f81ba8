#pragma once
// A font for tests: every character is mCharWidth pixels wide, and DrawString only records
// what it was asked to draw (and on which destination), so text layout can be checked exactly.
// Header-only so the fuzz targets can use it without the test libraries.

#include "framework/fonts/Font.h"
#include "framework/graphics/Graphics.h"

#include <string>
#include <vector>

namespace Vuro::Testing {

class FixedWidthFont : public Font {
public:
    struct Drawn {
        Image* mDest;
        int mX;
        int mY;
        std::string mText;
        Color mColor;
        Rect mClip;
    };

    // Metrics: ascent 8, padding 1, height 10, line spacing offset 2 (line spacing 12).
    explicit FixedWidthFont(int charWidth = 6) : mCharWidth(charWidth) {
        mAscent = 8;
        mAscentPadding = 1;
        mHeight = 10;
        mLineSpacingOffset = 2;
    }

    int StringWidth(const std::string& text) override {
        return mCharWidth * static_cast<int>(text.size());
    }
    void DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                    const Rect& clipRect) override {
        mDrawn.push_back({g->mDestImage, x, y, text, color, clipRect});
    }
    Font* Duplicate() override { return new FixedWidthFont(*this); }

    int mCharWidth;
    std::vector<Drawn> mDrawn;
};

} // namespace Vuro::Testing
