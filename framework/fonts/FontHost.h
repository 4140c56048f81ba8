#pragma once
// What fonts ask of the application: the images of their glyph sheets, scaled copies of them,
// and a system box for a descriptor's error. The application implements it (beside the image
// registry every image needs); font code sees no other part of the application.

#include "framework/graphics/ImageRegistry.h"

#include <string>

namespace Vuro {

class DDImage;
class Image;

class FontHost : public ImageRegistry {
public:
    // The image of a file, loaded and kept by the application; null when it cannot be read.
    virtual DDImage* GetImage(const std::string& fileName) = 0;
    // A new display image (the caller's) with the whole image drawn into it; null without a
    // display.
    virtual DDImage* CopyImage(Image* image) = 0;
    // Shows the text in a system box.
    virtual void Popup(const std::string& text) = 0;

    // The process's application object, or null while there is none.
    static FontHost* Current();

protected:
    ~FontHost() = default;
};

} // namespace Vuro
