#pragma once
// An application for font tests: images load through a display in memory, popups are kept
// instead of shown, and glyph sheets are written as PNG files into a temporary folder. Made on
// the stack as StackApp<FontTestApp>.

#include "framework/app/StackApp.h"
#include "framework/app/VuroAppBase.h"
#include "framework/display/DDImage.h"
#include "framework/display/DDInterface.h"
#include "framework/graphics/ImageLib.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace Vuro::Test {

class FontTestApp : public VuroAppBase {
public:
    FontTestApp() { mDDInterface = new DDInterface(this); }

    void Popup(const std::string& text) override { popups.push_back(text); }
    DDImage* GetImage(const std::string& fileName) override {
        loadedImages.push_back(fileName);
        return VuroAppBase::GetImage(fileName);
    }

    std::vector<std::string> popups;
    std::vector<std::string> loadedImages;
};

// Writes a PNG of width x height pixels from a row-major list of 0xAARRGGBB words.
inline void WriteSheet(const TempFolder& folder, const std::string& name, int width, int height,
                       const std::vector<uint32_t>& pixels) {
    ImageLib::Image image(width, height);
    ASSERT_EQ(pixels.size(), static_cast<size_t>(width * height));
    for (size_t i = 0; i < pixels.size(); ++i) {
        image.mBits[i] = pixels[i];
    }
    ASSERT_TRUE(ImageLib::WritePNGImage(folder.Path(name), image));
}

} // namespace Vuro::Test
