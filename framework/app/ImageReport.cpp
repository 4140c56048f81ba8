#include "framework/app/ImageReport.h"

#include "framework/display/DDImage.h"
#include "framework/display/TextureData.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/util/StringHelpers.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

namespace Vuro {

namespace {

std::string Commas(int64_t value) {
    return CommaSeparate(static_cast<int>(std::min<int64_t>(value, INT_MAX)));
}

// A cell naming a buffer and its size, or "&nbsp;" when the image has no such buffer.
std::string SizeCell(const char* name, bool present, int64_t size) {
    return present ? std::string(name) + "<BR>" + Commas(size) : std::string("&nbsp;");
}

std::string FlagCell(const char* name, bool set) {
    return set ? std::string(name) : std::string("&nbsp;");
}

void WriteCell(FILE* page, const std::string& text) {
    std::fprintf(page, "<TD>%s</TD>\n", text.c_str());
}

// Writes the full copy and the thumbnail; false when the image has no pixels to write.
bool WriteImageFiles(MemoryImage& image, const std::string& imagePath,
                     const std::string& thumbPath) {
    if (image.mWidth <= 0 || image.mHeight <= 0) {
        return false;
    }
    MemoryImage copy(image);
    const uint32_t* bits = copy.GetBits();
    if (bits == nullptr) {
        return false;
    }
    // Write failures are not reported: the page still lists the image.
    (void)ImageLib::WriteJPEGImage(thumbPath,
                                   *ImageReport::Thumbnail(bits, copy.mWidth, copy.mHeight));
    ImageLib::Image full(copy.mWidth, copy.mHeight);
    std::memcpy(full.mBits.get(), bits,
                static_cast<size_t>(copy.mWidth) * static_cast<size_t>(copy.mHeight) * 4);
    (void)ImageLib::WritePNGImage(imagePath, full);
    return true;
}

} // namespace

ImageReport::Allocation ImageReport::Measure(MemoryImage& image) {
    const int64_t pixels = static_cast<int64_t>(image.mWidth) * image.mHeight;
    Allocation a;
    a.mImage = &image;
    if (image.mBits) {
        a.mBits = pixels * 4;
    }
    if (image.mColorIndices) {
        a.mPalettised = pixels + 1024;
    }
    if (image.mNativeAlphaData) {
        a.mNativeAlpha = image.IsPalettised() ? 1024 : pixels * 4;
    }
    if (image.mAdditiveTerms) {
        a.mNativeAlpha += pixels * 4;
    }
    if (image.mRLAlphaData) {
        a.mRLAlpha = pixels;
    }
    if (image.mRLAdditiveData) {
        a.mRLAdditive = pixels;
    }
    const auto* display = dynamic_cast<const DDImage*>(&image);
    if (display != nullptr && display->mSurface != nullptr) {
        a.mHasSurface = true;
        a.mSurface = pixels * 4;
    }
    if (const TextureData* texture = image.mTextureData) {
        a.mHasTexture = true;
        a.mTexture = texture->mTexMemSize;
        a.mTextureFormat = texture->mPixelFormat;
    }
    return a;
}

std::unique_ptr<ImageLib::Image> ImageReport::Thumbnail(const uint32_t* bits, int width,
                                                        int height) {
    auto thumb = std::make_unique<ImageLib::Image>(kThumbnailSize, kThumbnailSize);
    for (int y = 0; y < kThumbnailSize; ++y) {
        const int row = static_cast<int>((y + 0.5) * height) / kThumbnailSize;
        for (int x = 0; x < kThumbnailSize; ++x) {
            const int column = static_cast<int>((x + 0.5) * width) / kThumbnailSize;
            thumb->mBits[y * kThumbnailSize + x] =
                bits[static_cast<size_t>(row) * static_cast<size_t>(width) + column];
        }
    }
    return thumb;
}

void ImageReport::Write(const std::string& folder, const std::vector<MemoryImage*>& images,
                        const std::string& dateTime) {
    std::vector<Allocation> rows;
    rows.reserve(images.size());
    Allocation sum;
    for (MemoryImage* image : images) {
        rows.push_back(Measure(*image));
        const Allocation& a = rows.back();
        sum.mBits += a.mBits;
        sum.mSurface += a.mSurface;
        sum.mPalettised += a.mPalettised;
        sum.mTexture += a.mTexture;
        sum.mNativeAlpha += a.mNativeAlpha;
        sum.mRLAlpha += a.mRLAlpha;
        sum.mRLAdditive += a.mRLAdditive;
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Allocation& a, const Allocation& b) {
        return a.Total() > b.Total();
    });

    // Without the page the image files are still written.
    FILE* page = Platform::OpenFile(folder + "\\imagelist.html", "w");
    auto print = [page](const std::string& text) {
        if (page != nullptr) {
            std::fputs(text.c_str(), page);
        }
    };
    auto cell = [page](const std::string& text) {
        if (page != nullptr) {
            WriteCell(page, text);
        }
    };
    print("<HTML><BODY BGCOLOR=EEEEFF><CENTER><FONT SIZE=+2><B>" + dateTime + "</B></FONT><BR>\n");
    print("Total Image Allocation: " + Commas(sum.Total()) + " bytes<BR>\n");
    print("<TABLE BORDER=1 CELLSPACING=0 CELLPADDING=4>\n");

    for (size_t i = 0; i < rows.size(); ++i) {
        const Allocation& a = rows[i];
        MemoryImage& image = *a.mImage;
        const std::string imageName = StrFormat("img%04d.png", static_cast<int>(i));
        const std::string thumbName = StrFormat("thumb%04d.jpg", static_cast<int>(i));
        const bool written =
            WriteImageFiles(image, folder + "\\" + imageName, folder + "\\" + thumbName);

        print("<TR>\n");
        // An image without pixels has no files to show; its picture cell stays empty.
        cell(written
                 ? "<A HREF=" + imageName + "><IMG SRC=" + thumbName + " WIDTH=64 HEIGHT=64></A>"
                 : std::string("&nbsp;"));
        print("<TD ALIGN=RIGHT>" +
              StrFormat("%d x %d<BR>%s bytes", image.mWidth, image.mHeight,
                        Commas(a.Total()).c_str()) +
              "</TD>\n");
        cell(SizeCell("mBits", image.mBits != nullptr, a.mBits));
        cell(SizeCell("Palletized", image.mColorIndices != nullptr, a.mPalettised));
        cell(SizeCell("DDSurface", a.mHasSurface, a.mSurface));
        cell(a.mHasTexture
                 ? StrFormat("Texture<BR>%s<BR>%s", TextureData::FormatName(a.mTextureFormat),
                             Commas(a.mTexture).c_str())
                 : std::string("&nbsp;"));
        cell(FlagCell("Volatile", image.mIsVolatile));
        cell(FlagCell("Forced", image.mForcedMode));
        cell(FlagCell("HasAlpha", image.mHasAlpha));
        cell(FlagCell("HasTrans", image.mHasTrans));
        cell(SizeCell("NativeAlpha", image.mNativeAlphaData != nullptr, a.mNativeAlpha));
        cell(SizeCell("RLAlpha", image.mRLAlphaData != nullptr, a.mRLAlpha));
        cell(SizeCell("RLAdditive", image.mRLAdditiveData != nullptr, a.mRLAdditive));
        print("</TR>\n");
    }

    cell("Totals");
    for (int64_t total : {sum.Total(), sum.mBits, sum.mPalettised, sum.mSurface, sum.mTexture}) {
        cell(Commas(total));
    }
    for (int flag = 0; flag < 4; ++flag) {
        cell("&nbsp;");
    }
    for (int64_t total : {sum.mNativeAlpha, sum.mRLAlpha, sum.mRLAdditive}) {
        cell(Commas(total));
    }
    print("</TABLE></CENTER></BODY></HTML>\n");
    if (page != nullptr) {
        std::fclose(page);
    }
}

} // namespace Vuro
