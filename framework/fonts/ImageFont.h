#pragma once
// The bitmap font: glyphs from one or more layers of a shared FontData (an outline and a fill
// layer, or artwork for different point sizes). For its point size, scale and tags the font
// chooses the layers that take part, prepares glyph images of the right size for each
// (ActiveFontLayer) and derives its metrics from them.
//
// What a caller can rely on:
// - A font whose data did not load measures every string as 0, has all metrics 0 and draws
//   nothing (an error was shown when the data was loaded).
// - SetPointSize, SetScale, AddTag and a successful RemoveTag take effect at the next
//   measuring or drawing call; until then the metric getters report the last prepared values.
// - DrawStringEx queues one command per glyph and layer into one static pool of kPoolSize
//   records, sorted into 256 order slots drawn in ascending order; one global lock serialises
//   the whole call. A longer text is cut where the pool is full. Drawing allocates nothing but
//   the optional rectangle list. Clipping comes from the drawing context.
// - A font object itself is not safe for use from two threads at once.

#include "framework/fonts/ActiveFontLayer.h"
#include "framework/fonts/Font.h"

#include <cstdint>
#include <list>
#include <string>
#include <vector>

namespace Vuro {

class FontData;
struct FontLayer;
class Image;
class FontHost;

class ImageFont : public Font {
public:
    static constexpr int kPoolSize = 4096;

    // Loads a descriptor file.
    ImageFont(FontHost* app, const std::string& descriptorFile);
    // Loads a width list for a ready image, which stays the caller's.
    ImageFont(Image* image, const std::string& widthFile);
    ImageFont(const ImageFont& other);
    ~ImageFont() override;

    int StringWidth(const std::string& text) override;
    int CharWidth(char c) override;
    int CharWidthKern(char c, char previous) override;
    void DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                    const Rect& clipRect) override;
    [[nodiscard]] Font* Duplicate() override;

    virtual void BuildActiveLayers();
    // glyphRects (optional) receives each queued glyph's destination rectangle; width
    // (optional) the advance of the text drawn.
    virtual void DrawStringEx(Graphics* g, int x, int y, const std::string& text,
                              const Color& color, const Rect& clipRect, std::list<Rect>* glyphRects,
                              int* width);
    virtual void SetPointSize(int size);
    virtual int GetPointSize();
    virtual void SetScale(double scale);
    virtual int GetDefaultPointSize();
    // False when the tag (in any case) is present already.
    virtual bool AddTag(const std::string& tag);
    // False when absent.
    virtual bool RemoveTag(const std::string& tag);
    virtual bool HasTag(const std::string& tag);
    // The printable form of a define of the font data; empty when undefined.
    virtual std::string GetDefine(const std::string& name);
    // Prepares the layers when a change waits.
    virtual void Prepare();

    FontData* mFontData;
    int mPointSize = 0;
    std::vector<std::string> mTagVector;         // upper case, in the order added
    bool mActiveListValid = true;                // false while a change waits for Prepare
    std::list<ActiveFontLayer> mActiveLayerList; // layers taking part, in the data's order
    double mScale = 1.0;

private:
    // v scaled from the layer's point size to the font's size and scale, truncated.
    int Scaled(const FontLayer& layer, int64_t value) const;
    void PrepareLayerImage(ActiveFontLayer& active, const FontLayer& layer);
};

} // namespace Vuro
