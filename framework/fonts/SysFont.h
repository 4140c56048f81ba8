#pragma once
// A font drawn by the system's text renderer (an outline face found by name), for widgets that
// are given no bitmap font and for the application's debug overlays.
//
// - Made from a face name and a size in points; a point is 1/72 inch of the renderer's
//   dots-per-inch screen. Ascent and height are the face's; padding and line spacing offset 0.
// - A name the system does not know still gives a usable font (its nearest match).
// - Widths are the renderer's, without kerning: a character's width is that of the string of
//   it alone. A text of several lines ('\n') is as wide as its widest line; '&' is an ordinary
//   character.
// - DrawString draws only onto display images (DDImage): into the image's surface (16 or 32
//   bits; the surface then alone holds the picture), or into its bits when it has no surface.
//   The text is blended inside the context's clip and the image's bounds. Onto any other image
//   it draws nothing. The colour's alpha is not used.

#include "framework/fonts/Font.h"

#include <memory>
#include <string>

namespace Vuro {

namespace Platform {
class TextFace;
}

class FontHost;

class SysFont : public Font {
public:
    // charSet is accepted for the callers' sake; every face is used with its Unicode map.
    SysFont(FontHost* app, const std::string& faceName, int pointSize, int charSet = 0,
            bool bold = false, bool italic = false, bool underline = false);
    SysFont(const SysFont& other);
    ~SysFont() override;

    int StringWidth(const std::string& text) override;
    void DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                    const Rect& clipRect) override;
    [[nodiscard]] Font* Duplicate() override;

    // The face in use (for tests and measuring tools).
    Platform::TextFace& GetFace() { return *mFace; }

    // a * b / c rounded to the nearest, halves away from zero; -1 when c is 0.
    static int MulDiv(int a, int b, int c);

    std::unique_ptr<Platform::TextFace> mFace; // owned
    FontHost* mApp;                            // not owned

private:
    void Init(FontHost* app, const std::string& faceName, int pointSize, bool bold, bool italic,
              bool underline);
    void TakeMetrics();
};

} // namespace Vuro
