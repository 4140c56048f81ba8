#pragma once
// A rectangle with an ordered list of child widgets (bottom first), a dirty field and the walks
// that update a subtree. Every widget is one, and so is the widget manager at the root.
// (Minimal form: the update walk, invalidation upwards and attaching children; hit testing,
// clipping, modal flags and drawing through a drawing context come with the widget tree.)

#include "framework/graphics/Rect.h"

#include <list>

namespace Vuro {

class Graphics;
class Widget;
class WidgetManager;

enum WidgetFlags {
    WidgetFlagUpdate = 1,
    WidgetFlagMarkDirty = 2,
    WidgetFlagDraw = 4,
    WidgetFlagClip = 8,
    WidgetFlagAllowMouse = 16,
    WidgetFlagAllowFocus = 32,
};

// Adjustment of the widget flags for a container and its subtree.
struct FlagAdjust {
    int mAddFlags = 0;
    int mRemoveFlags = 0;
    int Apply(int flags) const { return (flags | mAddFlags) & ~mRemoveFlags; }
};

// Flags a walk carries down the tree: those of the modal widget and what follows it, and
// those of the widgets below it.
struct TraversalFlags {
    int mFlagsAtModal = 0;
    int mFlagsBelowModal = 0;
    bool mPastModal = true;
    int Current() const { return mPastModal ? mFlagsAtModal : mFlagsBelowModal; }
};

class WidgetContainer {
public:
    WidgetContainer() = default;
    virtual ~WidgetContainer() = default;
    WidgetContainer(const WidgetContainer&) = delete;
    WidgetContainer& operator=(const WidgetContainer&) = delete;

    virtual Rect GetRect() { return Rect(mX, mY, mWidth, mHeight); }
    // Marks this container dirty, and its ancestors up to the root.
    virtual void Invalidate();
    virtual void Update() { ++mUpdateCount; }
    // Update (at most once per manager update), then the children bottom to top.
    virtual void UpdateAll(TraversalFlags* flags);
    virtual void UpdateSmooth(float /*fraction*/) {}
    virtual void UpdateSmoothAll(TraversalFlags* flags, float fraction);
    virtual void Draw(Graphics* /*g*/) {}

    // Appends w on top of the children; nothing when it is a child already.
    void AddWidget(Widget* w);
    // Takes w out of the children (it is not deleted); nothing when it is not a child.
    void RemoveWidget(Widget* w);
    // Invalidate, and every descendant dirty.
    void InvalidateAll();
    // Whether a is drawn before b: the first of the two met in a depth-first walk of this
    // subtree (children in list order, each before its own children) is a; false when neither.
    bool IsBelow(Widget* a, Widget* b);

    std::list<Widget*> mWidgets;             // not owned
    WidgetManager* mWidgetManager = nullptr; // null while detached
    WidgetContainer* mParent = nullptr;
    int mLastUpdateCount = 0;
    int mUpdateCount = 0;
    bool mDirty = false;
    int mX = 0;
    int mY = 0;
    int mWidth = 0;
    int mHeight = 0;
    FlagAdjust mFlagAdjust;

private:
    bool IsBelowRecursive(Widget* a, Widget* b, bool* found);
};

} // namespace Vuro
