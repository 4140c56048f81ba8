#pragma once
// The developer's report of every live image: how many bytes each image's buffers take, as an
// HTML table ordered largest first ("imagelist.html"), with a full PNG copy ("img%04d.png") and
// a 64 x 64 JPEG thumbnail ("thumb%04d.jpg") of each image.
//
// - The caller holds the image-set lock for the whole Write, so no image goes away meanwhile.
// - Registered images are not changed: their pixels are read from a copy.
// - An image without pixels (width or height 0) gets a row without files; its picture cell
//   is "&nbsp;".
// - Nothing is reported on failure: a file that cannot be written is skipped.

#include "framework/graphics/ImageLib.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Vuro {

class MemoryImage;

class ImageReport {
public:
    static constexpr int kThumbnailSize = 64;

    // Bytes held by one image, buffer by buffer.
    struct Allocation {
        MemoryImage* mImage = nullptr;
        int64_t mBits = 0;        // 32-bit pixels
        int64_t mSurface = 0;     // display surface
        int64_t mPalettised = 0;  // indices and colour table
        int64_t mTexture = 0;     // 3-D texture pieces
        int64_t mNativeAlpha = 0; // premultiplied copies (display layout, additive terms)
        int64_t mRLAlpha = 0;     // run lengths of alpha
        int64_t mRLAdditive = 0;  // run lengths for additive drawing
        bool mHasSurface = false; // a display image holding a surface
        bool mHasTexture = false; // 3-D texture data exists (perhaps of no valid format)
        int mTextureFormat = 0;   // its format code

        int64_t Total() const {
            return mBits + mSurface + mPalettised + mTexture + mNativeAlpha + mRLAlpha +
                   mRLAdditive;
        }
    };

    static Allocation Measure(MemoryImage& image);
    // Point-sampled 64 x 64 picture of width x height pixels (both above 0).
    static std::unique_ptr<ImageLib::Image> Thumbnail(const uint32_t* bits, int width, int height);
    // Writes the page and the files of the images into folder (which exists); dateTime heads
    // the page.
    static void Write(const std::string& folder, const std::vector<MemoryImage*>& images,
                      const std::string& dateTime);
};

} // namespace Vuro
