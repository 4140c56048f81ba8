#pragma once
// The shared data of one bitmap font: its character map, its layers (glyph images with their
// per-character metrics) and its defines, filled by a font descriptor file (the commands are in
// FontDataCommands.cpp) or by a plain width list for one ready image. One FontData is shared by
// an ImageFont and its copies through a reference count.
//
// What a caller can rely on:
// - Load and LoadWithImage fill the data at most once; mLoaded tells whether it worked. A font
//   whose data did not load measures and draws nothing.
// - Every error is shown through the application's Popup as "Font Descriptor Error in " + file,
//   with the line and text of the failing command; with no application nothing is shown.
// - Names (commands, defines, layers, tags) are matched without regard to case and stored in
//   upper case. Characters index the tables as unsigned bytes.

#include "framework/fonts/DescParser.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Rect.h"

#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

namespace Vuro {

class FontData;
class Image;
class FontHost;

struct CharData {
    Rect mImageRect;  // the glyph's rectangle in the layer image
    int mOffsetX = 0; // the glyph's offset from the pen position
    int mOffsetY = 0;
    int8_t mKerning[256] = {}; // extra advance when followed by the indexed character
    int mWidth = 0;            // advance of the pen
    int mOrder = 0;            // drawing order of this glyph within the layer
};

// One drawing layer: a glyph image with its metrics. Copied field by field; the image is shared.
struct FontLayer {
    explicit FontLayer(FontData* owner) : mFontData(owner) {}

    FontData* mFontData;                    // back pointer
    std::vector<std::string> mRequiredTags; // upper case; the font must carry them all
    std::vector<std::string> mExcludedTags; // upper case; the font may carry none
    CharData mCharData[256];
    Color mColorMult = Color(255, 255, 255, 255); // multiplied into the text colour
    Color mColorAdd = Color(0, 0, 0, 0);          // added after the multiplication
    Image* mImage = nullptr;                      // glyph image, owned by the FontData's cache
    int mDrawMode = -1;                           // -1 keeps the drawing context's mode
    int mOffsetX = 0;                             // added to every glyph's position
    int mOffsetY = 0;
    int mSpacing = 0;       // added to the kerning between two characters
    int mMinPointSize = -1; // point range in which the layer takes part
    int mMaxPointSize = -1; // -1: open
    int mPointSize = 0;     // size the glyphs were drawn for; 0: any size
    int mAscent = 0;
    int mAscentPadding = 0;
    int mHeight = 0;
    int mLineSpacingOffset = 0;
    int mBaseOrder = 0; // added to every character's order
};

class FontData : public DescParser {
public:
    FontData();
    ~FontData() override;

    void Ref();
    // Deletes the data when the last reference goes.
    void DeRef();

    // Loads a descriptor; false only when the data was loaded before (mLoaded tells the rest).
    bool Load(FontHost* app, const std::string& fileName);
    // Loads a width list for one image, which stays the caller's; see FontData.cpp.
    bool LoadWithImage(Image* image, const std::string& fileName);

    bool Error(const std::string& text) override;
    // The layer named by a single token; a list fails silently, an unknown name with
    // "Undefined Layer".
    bool GetLayer(DataElement* element, FontLayer** out);
    bool HandleCommand(ListDataElement* params) override;

    bool mLoaded = false;
    int mRefCount = 0;
    FontHost* mApp = nullptr;                // loads images, makes scaled ones and shows errors
    int mDefaultPointSize = 0;               // point size a new font starts with
    uint8_t mCharMap[256];                   // every character is replaced by its entry before use
    std::map<std::string, Image*> mImageMap; // loaded layer images by resolved path, owned
    std::list<FontLayer> mFontLayerList;     // in order of creation
    std::map<std::string, FontLayer*> mFontLayerMap; // upper-case name to its layer
    std::string mSourceFile;                         // path of the file loaded
    std::string mFontErrorHeader;                    // "Font Descriptor Error in " + file + "\r\n"

private:
    // A new layer under the name, appended; false when the name is taken.
    FontLayer* AddLayer(const std::string& upperName, const FontLayer* copyFrom);
};

} // namespace Vuro
