#pragma once
// A rectangle with an ordered list of child widgets and the walks over a subtree. Every widget
// is one, and so is the widget manager at the root of the tree.
//
// What a caller can rely on:
// - Children are listed bottom to top: the first is drawn first and lies lowest. They are not
//   owned: removing a child never deletes it (RemoveAllWidgets can).
// - A container is attached (mWidgetManager set, down the whole subtree) while it or an
//   ancestor is a child of the manager; adding and removing run OnAttached and OnDetached.
// - Walks over the children (update, smooth update, draw, attach, detach) survive children
//   being removed, moved or deleted from inside them: a removed child is not visited again and
//   no child is skipped.
// - Invalidation marks containers dirty up to the top; at the top, overlapping top-level
//   neighbours are dirtied too, because the draw walk redraws only dirty top-level widgets.
// Main thread only; the tree takes no locks.

#include "framework/graphics/Rect.h"
#include "framework/widgets/WidgetFlags.h"

#include <list>

namespace Vuro {

class Graphics;
class Widget;
class WidgetContainer;
class WidgetManager;

// A position in a container's child list that stays valid while children are removed or moved
// during the walk. Walks nest; each lives on the stack of the call that walks.
class ChildWalk {
public:
    explicit ChildWalk(WidgetContainer& container);
    ~ChildWalk();
    ChildWalk(const ChildWalk&) = delete;
    ChildWalk& operator=(const ChildWalk&) = delete;

    // The next child bottom to top; null past the top.
    Widget* Next();
    // The child Next returned last has left the list (or moved) since.
    bool CurrentLeft() const { return mMoved; }

private:
    friend class WidgetContainer;

    WidgetContainer& mContainer;
    std::list<Widget*>::iterator mPos; // the child being visited, or the next one once mMoved
    bool mMoved = true;                // mPos already stands on the child to visit next
    ChildWalk* mOuter;                 // the walk this one nests in
};

class WidgetContainer {
public:
    WidgetContainer() = default;
    WidgetContainer(const WidgetContainer&) = delete;
    WidgetContainer& operator=(const WidgetContainer&) = delete;

    // ---- [Virtual operations, in their fixed order] ----
    // Children still listed are let go (their parent is cleared), never deleted.
    virtual ~WidgetContainer();
    virtual Rect GetRect();
    // The two rectangles overlap; touching edges do not.
    virtual bool Intersects(WidgetContainer* other);
    virtual void InvalidateChild(Widget* child);
    virtual void Invalidate();
    virtual void InvalidateChildArea(Widget* child);
    // Invalidates what this container covers, including what shows through where it is gone.
    virtual void InvalidateArea();
    virtual void OnAttached(WidgetManager* manager);
    virtual void OnDetached(WidgetManager* manager);
    virtual void Update();
    virtual void UpdateAll(TraversalFlags* flags);
    virtual void UpdateSmooth(float fraction);
    virtual void UpdateSmoothAll(TraversalFlags* flags, float fraction);
    virtual void Draw(Graphics* g);
    // Draw under the flags in force, then the visible children bottom to top, each through a
    // copy of g translated to it; a child drawn is clean afterwards.
    virtual void DrawAll(TraversalFlags* flags, Graphics* g);

    // ---- [Operations of the tree] ----
    // Appends w on top; nothing when it is a child already. w must have no other parent.
    void AddWidget(Widget* w);
    // Takes w out (it is not deleted); nothing when it is not a child.
    void RemoveWidget(Widget* w);
    // Removes every child; recursive empties each removed child first, deleteThem deletes it.
    void RemoveAllWidgets(bool deleteThem, bool recursive);
    // The widget at (x, y) in this container's coordinates under the given flags, or null.
    // found is set when a widget, or a disabled widget that swallows the point, was hit.
    // localX and localY (each only when given) receive the point in the hit widget's own
    // coordinates.
    Widget* FindWidgetAtRecursive(int x, int y, int flags, bool* found, int* localX, int* localY);
    // a is drawn before b in this subtree (false when neither is met first).
    bool IsBelow(Widget* a, Widget* b);
    // Invalidate, and every descendant dirty.
    void InvalidateAll();
    // Moves w just above ref, or on top when ref is not a child; then w's ZOrderChanged.
    void BringToFront(Widget* w, Widget* ref);
    // A visible child above child that is opaque (neither translucent nor with transparencies)
    // covers the whole part of child's rectangle inside bounds, so nothing of child shows there.
    bool IsCoveredFromAbove(Widget* child, const Rect& bounds);

    // ---- [Fields] ----
    std::list<Widget*> mWidgets;             // bottom to top; not owned
    WidgetManager* mWidgetManager = nullptr; // null while detached; the manager's is itself
    WidgetContainer* mParent = nullptr;
    int mLastUpdateCount = 0; // the manager's update count when Update last ran
    int mUpdateCount = 0;     // counted by the base Update; the manager's update count
    bool mDirty = false;
    int mX = 0; // in the parent's coordinates
    int mY = 0;
    int mWidth = 0;
    int mHeight = 0;
    bool mTranslucent = false; // what lies below shows through
    bool mClipEnabled = true;  // drawing may clip to the rectangle (with WidgetFlagClip)
    FlagAdjust mFlagAdjust;    // for this container and its subtree
    int mPriority = 0;         // overlays of lower priority are drawn before this container

private:
    friend class ChildWalk;

    // The part of child's rectangle inside bounds; the empty rectangle at 0, 0 when none of
    // it is.
    static Rect VisibleArea(Widget* child, const Rect& bounds);
    // sibling is opaque and holds the whole of area.
    static bool CoversArea(Widget* sibling, const Rect& area);
    // 1 a is met first, -1 b is met first, 0 neither.
    int IsBelowRecursive(Widget* a, Widget* b);
    // Takes the child at pos out of the list; walks standing on it move to the next child.
    void EraseChild(std::list<Widget*>::iterator pos);

    ChildWalk* mWalks = nullptr; // innermost running walk over the children
};

} // namespace Vuro
