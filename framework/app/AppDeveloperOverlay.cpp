// The developer tools that read the display's figures: the overlay in the bottom right corner
// (F3: frames a second, or with Shift the mouse position; the demo time above it during
// playback) and the "Video Stats" box (F8).

#include "framework/app/VuroAppBase.h"

#include "framework/display/D3DTester.h"
#include "framework/display/DDImage.h"
#include "framework/display/TextureData.h"
#include "framework/fonts/SysFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/util/StringHelpers.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Clock.h"

namespace Vuro {

namespace {

constexpr int kOverlayMargin = 10; // from the screen's right and bottom edges
constexpr uint32_t kFrameRatePeriodMs = 1000;

std::string Kilobytes(int64_t bytes) {
    return CommaSeparate(static_cast<int>(bytes / 1024));
}

} // namespace

bool VuroAppBase::Is3DSupported() const {
    return mDDInterface != nullptr && mDDInterface->mD3DTester != nullptr &&
           mDDInterface->mD3DTester->mFailureReason.empty();
}

bool VuroAppBase::Is3DRecommended() const {
    return Is3DSupported() && mDDInterface->mD3DTester->mWarning.empty();
}

void VuroAppBase::ToggleDeveloperOverlay(bool nextMode) {
    const bool wasOn = mShowOverlay;
    if (nextMode) {
        mShowOverlay = true;
        mOverlayMode = 1 - mOverlayMode;
    } else {
        mShowOverlay = !mShowOverlay;
    }
    if (mShowOverlay && !wasOn) {
        mOverlayFrames = 0;
        mOverlayPeriodStart = Platform::GetClock().TickMs();
        mOverlayFrameRate = 0;
    }
    mWidgetManager->InvalidateAll();
}

std::vector<std::string> VuroAppBase::DeveloperOverlayLines() const {
    std::vector<std::string> lines;
    if (mPlayingDemoBuffer) {
        const int seconds = mUpdateCount * mFrameTime / 1000;
        lines.push_back(
            StrFormat("%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60));
    }
    lines.push_back(mOverlayMode == 0 ? StrFormat("FPS: %d", mOverlayFrameRate)
                                      : StrFormat("%d,%d", mWidgetManager->mLastMouseX,
                                                  mWidgetManager->mLastMouseY));
    return lines;
}

void VuroAppBase::CountOverlayFrame(uint32_t now) {
    ++mOverlayFrames;
    const uint32_t elapsed = now - mOverlayPeriodStart;
    if (elapsed >= kFrameRatePeriodMs) {
        mOverlayFrameRate = static_cast<int>(mOverlayFrames * 1000 / elapsed);
        mOverlayFrames = 0;
        mOverlayPeriodStart = now;
    }
}

void VuroAppBase::DrawDeveloperOverlay() {
    Image* screen = mWidgetManager->mImage;
    if (!mShowOverlay || screen == nullptr || mDDInterface == nullptr) {
        return;
    }
    if (mOverlayFont == nullptr) {
        mOverlayFont = std::make_unique<SysFont>(this, "Tahoma", 8);
    }
    const std::vector<std::string> lines = DeveloperOverlayLines();
    int bottom = screen->GetHeight() - kOverlayMargin;
    for (size_t i = lines.size(); i-- > 0;) {
        const int width = mOverlayFont->StringWidth(lines[i]) + 4;
        const int height = mOverlayFont->GetHeight() + 2;
        // One small image per line, black with white text, laid over the screen.
        std::unique_ptr<DDImage>& image = mOverlayImages[i % 2];
        if (image == nullptr || image->mDDInterface != mDDInterface) {
            image = std::make_unique<DDImage>(mDDInterface);
        }
        if (image->GetWidth() != width || image->GetHeight() != height) {
            image->Create(width, height);
        }
        Graphics text(image.get());
        text.SetColor(Color::Black);
        text.FillRect(0, 0, width, height);
        text.SetFont(mOverlayFont.get());
        text.SetColor(Color::White);
        text.DrawString(lines[i], 2, mOverlayFont->GetAscent());
        bottom -= height;
        Graphics(screen).DrawImage(image.get(), screen->GetWidth() - kOverlayMargin - width,
                                   bottom);
    }
}

std::string VuroAppBase::VideoStatsText() {
    std::string text =
        StrFormat("3D-Mode is %s (3D is %s on this system)\r\n\r\n", Is3DOn() ? "On" : "Off",
                  Is3DRecommended() ? "Recommended"
                  : Is3DSupported() ? "Supported"
                                    : "Unsupported");
    uint32_t total = 0;
    uint32_t used = 0;
    if (mDDInterface == nullptr || !mDDInterface->GetVideoMemory(total, used)) {
        total = used = 0;
    }
    text += StrFormat("Video Memory: %s/%s KB\r\n\r\n", Kilobytes(used).c_str(),
                      Kilobytes(total).c_str());
    struct Format {
        int code;
        int count = 0;
        int64_t bytes = 0;
    };
    Format formats[] = {{TextureData::kFormatA8R8G8B8},
                        {TextureData::kFormatA4R4G4B4},
                        {TextureData::kFormatR5G6B5},
                        {TextureData::kFormatPalette8}};
    int64_t textureBytes = 0;
    {
        ScopedLock lock(ImageSetLock());
        for (MemoryImage* image : mMemoryImageSet) {
            const TextureData* texture = image->mTextureData;
            if (texture == nullptr) {
                continue;
            }
            textureBytes += texture->mTexMemSize;
            for (Format& format : formats) {
                if (format.code == texture->mPixelFormat) {
                    ++format.count;
                    format.bytes += texture->mTexMemSize;
                }
            }
        }
    }
    text += StrFormat("Texture Memory: %s KB\r\n", Kilobytes(textureBytes).c_str());
    for (const Format& format : formats) {
        text += StrFormat("%s: %d - %s KB\r\n", TextureData::FormatName(format.code), format.count,
                          Kilobytes(format.bytes).c_str());
    }
    return text;
}

} // namespace Vuro
