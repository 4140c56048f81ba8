#include "framework/fonts/ActiveFontLayer.h"

#include "framework/display/DDImage.h"
#include "framework/fonts/FontData.h"
#include "framework/fonts/FontHost.h"
#include "framework/graphics/MemoryImage.h"

#include <algorithm>

namespace Vuro {

ActiveFontLayer::ActiveFontLayer(const ActiveFontLayer& other)
    : mBaseFontLayer(other.mBaseFontLayer), mScaledImage(other.mScaledImage),
      mOwnsImage(other.mOwnsImage) {
    std::copy(std::begin(other.mScaledCharImageRects), std::end(other.mScaledCharImageRects),
              std::begin(mScaledCharImageRects));
    if (!mOwnsImage || mScaledImage == nullptr) {
        return;
    }
    FontHost* app = mBaseFontLayer->mFontData->mApp;
    Image* copy = app != nullptr ? app->CopyImage(mScaledImage) : nullptr;
    // Without a display the application cannot copy; an in-memory copy keeps the glyphs.
    if (copy == nullptr) {
        auto* source = dynamic_cast<MemoryImage*>(mScaledImage);
        copy = source != nullptr ? new MemoryImage(*source) : nullptr;
    }
    mScaledImage = copy;
    mOwnsImage = copy != nullptr;
}

ActiveFontLayer::~ActiveFontLayer() {
    if (mOwnsImage) {
        delete mScaledImage;
    }
}

} // namespace Vuro
