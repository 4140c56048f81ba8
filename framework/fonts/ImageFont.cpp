#include "framework/fonts/ImageFont.h"

#include "framework/fonts/FontData.h"
#include "framework/fonts/FontHost.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/util/StringHelpers.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace Vuro {

namespace {

// Largest strip made for a scaled layer; beyond it the layer keeps no image (its glyphs are
// measured but not drawn), so absurd sizes cannot exhaust memory.
constexpr int64_t kMaxStripSide = 65536;
constexpr int64_t kMaxStripPixels = int64_t{1} << 26;

bool HasTagIn(const std::vector<std::string>& tags, const std::string& tag) {
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

} // namespace

ImageFont::ImageFont(FontHost* app, const std::string& descriptorFile) : mFontData(new FontData()) {
    mFontData->Ref();
    (void)mFontData->Load(app, descriptorFile);
    mPointSize = mFontData->mDefaultPointSize;
    BuildActiveLayers();
    mActiveListValid = true;
}

ImageFont::ImageFont(Image* image, const std::string& widthFile) : mFontData(new FontData()) {
    mFontData->Ref();
    (void)mFontData->LoadWithImage(image, widthFile);
    mPointSize = mFontData->mDefaultPointSize;
    BuildActiveLayers();
    mActiveListValid = true;
}

ImageFont::ImageFont(const ImageFont& other)
    : Font(other), mFontData(other.mFontData), mPointSize(other.mPointSize),
      mTagVector(other.mTagVector), mActiveListValid(other.mActiveListValid), mScale(other.mScale) {
    mFontData->Ref();
    if (mActiveListValid) {
        for (const ActiveFontLayer& active : other.mActiveLayerList) {
            mActiveLayerList.emplace_back(active);
        }
    }
}

ImageFont::~ImageFont() {
    mActiveLayerList.clear();
    mFontData->DeRef();
}

Font* ImageFont::Duplicate() {
    return new ImageFont(*this);
}

void ImageFont::SetPointSize(int size) {
    mPointSize = size;
    mActiveListValid = false;
}

int ImageFont::GetPointSize() {
    return mPointSize;
}

void ImageFont::SetScale(double scale) {
    mScale = scale;
    mActiveListValid = false;
}

int ImageFont::GetDefaultPointSize() {
    return mFontData->mDefaultPointSize;
}

bool ImageFont::AddTag(const std::string& tag) {
    if (HasTag(tag)) {
        return false;
    }
    mTagVector.push_back(StringToUpper(tag));
    mActiveListValid = false;
    return true;
}

bool ImageFont::RemoveTag(const std::string& tag) {
    auto found = std::find(mTagVector.begin(), mTagVector.end(), StringToUpper(tag));
    if (found == mTagVector.end()) {
        return false;
    }
    mTagVector.erase(found);
    mActiveListValid = false;
    return true;
}

bool ImageFont::HasTag(const std::string& tag) {
    return HasTagIn(mTagVector, StringToUpper(tag));
}

std::string ImageFont::GetDefine(const std::string& name) {
    DataElement* value = mFontData->GetDefine(name);
    return value != nullptr ? DescParser::ElementToText(value) : std::string();
}

void ImageFont::Prepare() {
    if (!mActiveListValid) {
        BuildActiveLayers();
        mActiveListValid = true;
    }
}

int ImageFont::Scaled(const FontLayer& layer, int64_t value) const {
    const double scaled = layer.mPointSize != 0 ? static_cast<double>(value) *
                                                      (mPointSize * mScale) / layer.mPointSize
                                                : static_cast<double>(value) * mScale;
    // Held inside the int range (and 0 for a scale that is not a number), so that odd sizes
    // cannot make the truncation undefined.
    if (std::isnan(scaled)) {
        return 0;
    }
    return static_cast<int>(
        std::clamp(scaled, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

void ImageFont::BuildActiveLayers() {
    if (!mFontData->mLoaded) {
        return;
    }
    mActiveLayerList.clear();
    mAscent = mAscentPadding = mHeight = mLineSpacingOffset = 0;

    for (FontLayer& layer : mFontData->mFontLayerList) {
        if (mPointSize < layer.mMinPointSize ||
            (layer.mMaxPointSize != -1 && mPointSize > layer.mMaxPointSize)) {
            continue;
        }
        const bool tagsMissing =
            std::any_of(layer.mRequiredTags.begin(), layer.mRequiredTags.end(),
                        [&](const std::string& tag) { return !HasTagIn(mTagVector, tag); });
        const bool tagsExcluded =
            std::any_of(mTagVector.begin(), mTagVector.end(),
                        [&](const std::string& tag) { return HasTagIn(layer.mExcludedTags, tag); });
        if (tagsMissing || tagsExcluded) {
            continue;
        }
        const bool first = mActiveLayerList.empty();
        ActiveFontLayer& active = mActiveLayerList.emplace_back();
        active.mBaseFontLayer = &layer;
        if (mScale == 1.0 && (layer.mPointSize == 0 || layer.mPointSize == mPointSize)) {
            active.mScaledImage = layer.mImage;
            for (int c = 0; c < 256; ++c) {
                active.mScaledCharImageRects[c] = layer.mCharData[c].mImageRect;
            }
        } else {
            PrepareLayerImage(active, layer);
        }

        mAscent = std::max(mAscent, Scaled(layer, layer.mAscent));
        mHeight = std::max(mHeight, Scaled(layer, layer.mHeight));
        const int padding = Scaled(layer, layer.mAscentPadding);
        if (first || padding < mAscentPadding) {
            mAscentPadding = padding;
        }
        const int lineSpacingOffset = Scaled(layer, layer.mLineSpacingOffset);
        if (first || lineSpacingOffset > mLineSpacingOffset) {
            mLineSpacingOffset = lineSpacingOffset;
        }
    }
}

void ImageFont::PrepareLayerImage(ActiveFontLayer& active, const FontLayer& layer) {
    int64_t x = 0;
    int64_t height = 0;
    for (int c = 0; c < 256; ++c) {
        const Rect& source = layer.mCharData[c].mImageRect;
        // Negative sizes (possible from a width list) count as empty glyphs.
        const int w = std::max(0, Scaled(layer, source.mWidth));
        const int h = std::max(0, Scaled(layer, source.mHeight));
        active.mScaledCharImageRects[c] =
            Rect(static_cast<int>(std::min<int64_t>(x, INT_MAX)), 0, w, h);
        x += w;
        height = std::max<int64_t>(height, h);
    }
    FontHost* app = mFontData->mApp != nullptr ? mFontData->mApp : FontHost::Current();
    if (app == nullptr || x > kMaxStripSide || height > kMaxStripSide ||
        x * height > kMaxStripPixels) {
        return;
    }
    auto* image = new MemoryImage(app);
    image->Create(static_cast<int>(x), static_cast<int>(height));
    active.mScaledImage = image;
    active.mOwnsImage = true;
    if (layer.mImage != nullptr) {
        Graphics g(image);
        for (int c = 0; c < 256; ++c) {
            g.DrawImageStretchSrc(layer.mImage, active.mScaledCharImageRects[c],
                                  layer.mCharData[c].mImageRect);
        }
    }
    (void)image->Palletize();
}

int ImageFont::StringWidth(const std::string& text) {
    Prepare();
    int64_t width = 0;
    char previous = 0;
    for (char c : text) {
        width += CharWidthKern(c, previous);
        previous = c;
    }
    return static_cast<int>(std::clamp<int64_t>(width, INT_MIN, INT_MAX));
}

int ImageFont::CharWidth(char c) {
    return CharWidthKern(c, 0);
}

int ImageFont::CharWidthKern(char c, char previous) {
    Prepare();
    const uint8_t* charMap = mFontData->mCharMap;
    const uint8_t mapped = charMap[static_cast<uint8_t>(c)];
    const uint8_t before = previous != 0 ? charMap[static_cast<uint8_t>(previous)] : 0;
    int64_t best = 0;
    for (const ActiveFontLayer& active : mActiveLayerList) {
        const FontLayer& layer = *active.mBaseFontLayer;
        const int64_t width = Scaled(layer, layer.mCharData[mapped].mWidth);
        const int64_t kern =
            previous != 0
                ? Scaled(layer, int64_t{layer.mCharData[before].mKerning[mapped]} + layer.mSpacing)
                : 0;
        best = std::max(best, width + kern);
    }
    return static_cast<int>(std::min<int64_t>(best, INT_MAX));
}

void ImageFont::DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                           const Rect& clipRect) {
    DrawStringEx(g, x, y, text, color, clipRect, nullptr, nullptr);
}

} // namespace Vuro
