#include "framework/fonts/SysFont.h"

#include "framework/display/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "platform/TextRenderer.h"

#include <algorithm>
#include <cstdint>

namespace Vuro {

SysFont::SysFont(FontHost* app, const std::string& faceName, int pointSize, int /*charSet*/,
                 bool bold, bool italic, bool underline)
    : mApp(app) {
    Init(app, faceName, pointSize, bold, italic, underline);
}

SysFont::SysFont(const SysFont& other)
    : Font(other), mFace(Platform::CreateTextFace(other.mFace->GetSpec())), mApp(other.mApp) {}

SysFont::~SysFont() = default;

int SysFont::MulDiv(int a, int b, int c) {
    if (c == 0) {
        return -1;
    }
    const int64_t product = static_cast<int64_t>(a) * b;
    const int64_t half = (c < 0 ? -static_cast<int64_t>(c) : c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const int64_t magnitude =
        ((product < 0 ? -product : product) + half) / (c < 0 ? -static_cast<int64_t>(c) : c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

void SysFont::Init(FontHost* app, const std::string& faceName, int pointSize, bool bold,
                   bool italic, bool underline) {
    mApp = app;
    Platform::TextFaceSpec faceSpec;
    faceSpec.faceName = faceName;
    // The characters' height (not the line's) is what a point size fixes.
    faceSpec.pixelHeight = MulDiv(pointSize, Platform::kTextDotsPerInch, 72);
    faceSpec.bold = bold;
    faceSpec.italic = italic;
    faceSpec.underline = underline;
    mFace = Platform::CreateTextFace(faceSpec);
    TakeMetrics();
}

void SysFont::TakeMetrics() {
    const Platform::TextMetrics metrics = mFace->GetMetrics();
    mAscent = metrics.ascent;
    mHeight = metrics.height;
}

int SysFont::StringWidth(const std::string& text) {
    int widest = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        size_t lineEnd = end;
        if (lineEnd > start && text[lineEnd - 1] == '\r') {
            --lineEnd;
        }
        widest = std::max(
            widest, mFace->StringWidth(std::string_view(text).substr(start, lineEnd - start)));
        start = end + 1;
    }
    return widest;
}

void SysFont::DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                         const Rect& clipRect) {
    auto* image = dynamic_cast<DDImage*>(g->mDestImage);
    if (image == nullptr || image->mWidth <= 0 || image->mHeight <= 0) {
        return;
    }
    const Platform::TextClip clip{clipRect.mX, clipRect.mY, clipRect.mWidth, clipRect.mHeight};
    auto channel = [](int value) { return static_cast<uint32_t>(std::clamp(value, 0, 255)); };
    const uint32_t rgb =
        (channel(color.mRed) << 16) | (channel(color.mGreen) << 8) | channel(color.mBlue);
    // y is the baseline: the line's top lies ascent - 1 rows above it, so the lowest row of a
    // capital's ink is row y.
    const int left = static_cast<int>(static_cast<double>(x) + g->mTransX);
    const int top = static_cast<int>(static_cast<double>(y - mAscent + 1) + g->mTransY);
    Platform::Surface* surface = image->GetSurface();
    if (surface == nullptr) {
        // An image with partly transparent pixels has no surface: the text goes into its bits.
        Platform::TextTarget target{image->GetBits(), image->mWidth, image->mHeight, image->mWidth};
        mFace->DrawString(target, clip, left, top, text, rgb);
        image->OnBitsChanged();
        return;
    }
    image->EndScene3D();
    // The surface's text target is refused while the surface is locked.
    const bool locked = image->mLockCount > 0;
    if (locked) {
        (void)surface->Unlock();
    }
    Platform::TextTarget target;
    if (!Platform::DDFailed(surface->GetDC(target))) {
        mFace->DrawString(target, clip, left, top, text, rgb);
        (void)surface->ReleaseDC();
        image->DeleteMemoryBuffers();
    }
    if (locked) {
        (void)surface->Lock(image->mLockedSurfaceDesc, Platform::kLockWait);
    }
}

Font* SysFont::Duplicate() {
    return new SysFont(*this);
}

} // namespace Vuro
