#pragma once
// An image that records the drawing slots the drawing context calls, with their arguments.

#include "framework/graphics/Image.h"

#include <string>
#include <vector>

namespace Vuro::Testing {

class RecordingImage : public Image {
public:
    struct Call {
        std::string mSlot; // "FillRect", "DrawRect", "Blt", "StretchBlt"
        Image* mImage = nullptr;
        Rect mRect; // FillRect/DrawRect rectangle, Blt source, StretchBlt source
        Rect mDest; // Blt (x, y, 0, 0), StretchBlt destination
        Rect mClip; // StretchBlt
        Color mColor;
        DrawMode mMode = 0;
        bool mFast = false;

        bool operator==(const Call&) const = default;
    };

    RecordingImage(int width, int height) {
        mWidth = width;
        mHeight = height;
    }

    void FillRect(const Rect& rect, const Color& color, DrawMode mode) override {
        mCalls.push_back({"FillRect", nullptr, rect, {}, {}, color, mode, false});
    }
    void DrawRect(const Rect& rect, const Color& color, DrawMode mode) override {
        mCalls.push_back({"DrawRect", nullptr, rect, {}, {}, color, mode, false});
    }
    void Blt(Image* image, int x, int y, const Rect& srcRect, const Color& color,
             DrawMode mode) override {
        mCalls.push_back({"Blt", image, srcRect, Rect(x, y, 0, 0), {}, color, mode, false});
    }
    void StretchBlt(Image* image, const Rect& destRect, const Rect& srcRect, const Rect& clipRect,
                    const Color& color, DrawMode mode, bool fastStretch) override {
        mCalls.push_back(
            {"StretchBlt", image, srcRect, destRect, clipRect, color, mode, fastStretch});
    }

    std::vector<Call> mCalls;
};

} // namespace Vuro::Testing
