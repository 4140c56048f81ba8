// The manager's draw pass: dirty top-level widgets onto the screen image, then the deferred
// overlays by priority.

#include "framework/display/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetHost.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>

namespace Vuro {

bool WidgetManager::DrawScreen() {
    TraversalFlags flags;
    InitTraversalFlags(&flags);
    const bool anyDirty =
        std::any_of(mWidgets.begin(), mWidgets.end(), [](const Widget* w) { return w->mDirty; });
    mLowestOverlayPriority = kNoOverlay;
    std::stable_sort(
        mOverlays.begin(), mOverlays.end(),
        [](const QueuedOverlay& a, const QueuedOverlay& b) { return a.mPriority < b.mPriority; });
    Graphics screen(mImage);
    mCurrentGraphics = &screen;
    auto* surfaceImage = dynamic_cast<DDImage*>(mImage);
    const bool locked = surfaceImage != nullptr && surfaceImage->LockSurface();
    bool drew = false;
    if (anyDirty) {
        const bool is3D = mApp != nullptr && mApp->Is3DOn();
        ChildWalk walk(*this);
        while (Widget* w = walk.Next()) {
            if (w == mModalWidget) {
                flags.mPastModal = true;
            }
            if (!w->mDirty || !w->mVisible) {
                continue;
            }
            // Fast path: an opaque widget above hides every pixel of this one (a screen left
            // below the one shown), so drawing it would only be painted over.
            if (IsCoveredFromAbove(w, Rect(0, 0, mScreenWidth, mScreenHeight))) {
                if (!walk.CurrentLeft()) {
                    w->mDirty = false;
                }
                continue;
            }
            Graphics g(screen);
            g.SetFastStretch(!is3D);
            g.SetLinearBlend(is3D);
            g.Translate(w->mX, w->mY);
            w->DrawAll(&flags, &g);
            drew = true;
            if (!walk.CurrentLeft()) {
                w->mDirty = false;
            }
        }
    }
    DrawQueuedOverlays(kNoOverlay);
    if (locked) {
        surfaceImage->UnlockSurface();
    }
    mCurrentGraphics = nullptr;
    return drew;
}

void WidgetManager::DrawQueuedOverlays(int limit) {
    if (mCurrentGraphics == nullptr) {
        return;
    }
    for (;;) {
        int lowest = kNoOverlay;
        // By index: an overlay's drawing may queue more.
        for (size_t i = 0; i < mOverlays.size(); ++i) {
            Widget* w = mOverlays[i].mWidget;
            if (w == nullptr) {
                continue;
            }
            const int priority = mOverlays[i].mPriority;
            if (priority == mLowestOverlayPriority) {
                mOverlays[i].mWidget = nullptr;
                Graphics g(*mCurrentGraphics);
                g.Translate(w->mX, w->mY);
                w->DrawOnTop(&g);
            } else {
                lowest = std::min(lowest, priority);
            }
        }
        mLowestOverlayPriority = lowest;
        if (lowest == kNoOverlay) {
            mOverlays.clear();
            return;
        }
        if (lowest >= limit) {
            return;
        }
    }
}

} // namespace Vuro
