// ImageFont::DrawStringEx: one command per glyph and layer is queued into a static pool, sorted
// into 256 order slots, and the slots are drawn in ascending order, so that for example every
// outline of a line is drawn before any fill.

#include "framework/fonts/FontData.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/util/LockSection.h"

#include <algorithm>
#include <array>
#include <climits>

namespace Vuro {

namespace {

struct DrawCommand {
    Image* mImage = nullptr; // null for a layer without an image: queued, not drawn
    int mX = 0;              // destination
    int mY = 0;
    Rect mSrc;          // glyph in mImage
    int mDrawMode = -1; // -1: the context's mode
    Color mColor = Color(0, 0, 0, 255);
    DrawCommand* mNext = nullptr; // next command of the same slot
};

// Shared by every image font and serialised by gImageFontLock; reused by every call.
std::array<DrawCommand, ImageFont::kPoolSize> gDrawCommandPool;
std::array<DrawCommand*, 256> gFirstInSlot;
std::array<DrawCommand*, 256> gLastInSlot;
LockSection gImageFontLock;

int ClampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

int Channel(int mult, int color, int add) {
    return ClampToInt(std::min<int64_t>(255, int64_t{mult} * color / 255 + add));
}

} // namespace

void ImageFont::DrawStringEx(Graphics* g, int x, int y, const std::string& text, const Color& color,
                             const Rect& /*clipRect*/, std::list<Rect>* glyphRects, int* width) {
    ScopedLock lock(gImageFontLock);
    gFirstInSlot.fill(nullptr);
    gLastInSlot.fill(nullptr);
    int used = 0;
    if (glyphRects != nullptr) {
        glyphRects->clear();
    }
    if (!mFontData->mLoaded) {
        if (width != nullptr) {
            *width = 0;
        }
        return;
    }
    Prepare();
    const bool colorizeImages = g->GetColorizeImages();
    g->SetColorizeImages(true);

    const uint8_t* charMap = mFontData->mCharMap;
    int64_t penX = x;
    bool full = false;
    for (size_t i = 0; i < text.size() && !full; ++i) {
        const uint8_t c = charMap[static_cast<uint8_t>(text[i])];
        const uint8_t next =
            i + 1 < text.size() ? charMap[static_cast<uint8_t>(text[i + 1])] : uint8_t{0};
        int64_t newPenX = penX;
        for (const ActiveFontLayer& active : mActiveLayerList) {
            const FontLayer& layer = *active.mBaseFontLayer;
            const CharData& glyph = layer.mCharData[c];
            if (used == kPoolSize) {
                full = true;
                break;
            }
            const int gx =
                ClampToInt(penX + Scaled(layer, int64_t{glyph.mOffsetX} + layer.mOffsetX));
            const int gy = ClampToInt(
                y -
                int64_t{Scaled(layer, int64_t{layer.mAscent} - glyph.mOffsetY - layer.mOffsetY)});
            const int64_t advance = Scaled(layer, glyph.mWidth);
            const int64_t kern =
                next != 0 ? Scaled(layer, int64_t{glyph.mKerning[next]} + layer.mSpacing) : 0;

            DrawCommand& command = gDrawCommandPool[used++];
            command.mImage = active.mScaledImage;
            command.mX = gx;
            command.mY = gy;
            command.mSrc = active.mScaledCharImageRects[c];
            command.mDrawMode = layer.mDrawMode;
            command.mColor =
                Color(Channel(layer.mColorMult.mRed, color.mRed, layer.mColorAdd.mRed),
                      Channel(layer.mColorMult.mGreen, color.mGreen, layer.mColorAdd.mGreen),
                      Channel(layer.mColorMult.mBlue, color.mBlue, layer.mColorAdd.mBlue),
                      Channel(layer.mColorMult.mAlpha, color.mAlpha, layer.mColorAdd.mAlpha));
            command.mNext = nullptr;
            const int slot = static_cast<int>(
                std::clamp<int64_t>(int64_t{glyph.mOrder} + layer.mBaseOrder + 128, 0, 255));
            if (gLastInSlot[slot] != nullptr) {
                gLastInSlot[slot]->mNext = &command;
            } else {
                gFirstInSlot[slot] = &command;
            }
            gLastInSlot[slot] = &command;

            if (glyphRects != nullptr) {
                glyphRects->push_back(Rect(gx, gy, command.mSrc.mWidth, command.mSrc.mHeight));
            }
            newPenX = std::max(newPenX, penX + advance + kern);
        }
        penX = newPenX;
    }
    if (width != nullptr) {
        *width = ClampToInt(penX - x);
    }

    const Color oldColor = g->GetColor();
    for (DrawCommand* first : gFirstInSlot) {
        for (DrawCommand* command = first; command != nullptr; command = command->mNext) {
            const DrawMode oldMode = g->mDrawMode;
            if (command->mDrawMode != -1) {
                g->SetDrawMode(command->mDrawMode);
            }
            g->SetColor(command->mColor);
            if (command->mImage != nullptr) {
                g->DrawImageSrc(command->mImage, command->mX, command->mY, command->mSrc);
            }
            g->SetDrawMode(oldMode);
        }
    }
    g->SetColor(oldColor);
    g->SetColorizeImages(colorizeImages);
}

} // namespace Vuro
