#include "framework/widgets/WidgetContainer.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>
#include <cassert>

namespace Vuro {

namespace {

// Applies a container's adjustment to both flag words for the length of its walk; pastModal is
// left as the walk set it.
class AdjustedFlags {
public:
    AdjustedFlags(TraversalFlags* flags, const FlagAdjust& adjust)
        : mFlags(flags), mAtModal(flags->mFlagsAtModal), mBelowModal(flags->mFlagsBelowModal) {
        flags->mFlagsAtModal = adjust.Apply(mAtModal);
        flags->mFlagsBelowModal = adjust.Apply(mBelowModal);
    }
    ~AdjustedFlags() {
        mFlags->mFlagsAtModal = mAtModal;
        mFlags->mFlagsBelowModal = mBelowModal;
    }
    AdjustedFlags(const AdjustedFlags&) = delete;
    AdjustedFlags& operator=(const AdjustedFlags&) = delete;

private:
    TraversalFlags* mFlags;
    int mAtModal;
    int mBelowModal;
};

bool IsModal(WidgetManager* manager, Widget* w) {
    return manager != nullptr && manager->mModalWidget == w;
}

} // namespace

// ---- [Walks over the children] ----

ChildWalk::ChildWalk(WidgetContainer& container)
    : mContainer(container), mPos(container.mWidgets.begin()), mOuter(container.mWalks) {
    container.mWalks = this;
}

ChildWalk::~ChildWalk() {
    mContainer.mWalks = mOuter;
}

Widget* ChildWalk::Next() {
    if (!mMoved && mPos != mContainer.mWidgets.end()) {
        ++mPos;
    }
    mMoved = false;
    return mPos == mContainer.mWidgets.end() ? nullptr : *mPos;
}

void WidgetContainer::EraseChild(std::list<Widget*>::iterator pos) {
    for (ChildWalk* walk = mWalks; walk != nullptr; walk = walk->mOuter) {
        if (walk->mPos == pos) {
            ++walk->mPos;
            walk->mMoved = true;
        }
    }
    mWidgets.erase(pos);
}

// ---- [Virtual operations] ----

WidgetContainer::~WidgetContainer() {
    for (Widget* child : mWidgets) {
        child->mParent = nullptr;
    }
}

Rect WidgetContainer::GetRect() {
    return Rect(mX, mY, mWidth, mHeight);
}

bool WidgetContainer::Intersects(WidgetContainer* other) {
    Rect a = GetRect();
    Rect b = other->GetRect();
    return a.mX < b.mX + b.mWidth && b.mX < a.mX + a.mWidth && a.mY < b.mY + b.mHeight &&
           b.mY < a.mY + a.mHeight;
}

void WidgetContainer::InvalidateChild(Widget* child) {
    if (child->mDirty) {
        return;
    }
    Invalidate();
    child->mDirty = true;
    if (mParent != nullptr) {
        return;
    }
    if (child->mTranslucent) {
        InvalidateChildArea(child);
        return;
    }
    // Top-level widgets above the child that overlap it are drawn over it and must follow.
    auto pos = std::find(mWidgets.begin(), mWidgets.end(), child);
    if (pos == mWidgets.end()) {
        return;
    }
    for (++pos; pos != mWidgets.end(); ++pos) {
        Widget* above = *pos;
        if (above->mVisible && above->Intersects(child)) {
            InvalidateChild(above);
        }
    }
}

void WidgetContainer::Invalidate() {
    if (mParent == nullptr) {
        mDirty = true;
    } else {
        // Only widgets are ever added to a container.
        mParent->InvalidateChild(static_cast<Widget*>(this));
    }
}

void WidgetContainer::InvalidateChildArea(Widget* child) {
    InvalidateArea();
    child->mDirty = true;
    if (mParent != nullptr) {
        return;
    }
    auto pos = std::find(mWidgets.begin(), mWidgets.end(), child);
    if (pos == mWidgets.end()) {
        return;
    }
    // What shows where the child was: siblings below it, down to the first opaque one that
    // covers the child's whole visible rectangle.
    const Rect area = VisibleArea(child, Rect(0, 0, mWidth, mHeight));
    for (auto below = std::make_reverse_iterator(pos); below != mWidgets.rend(); ++below) {
        Widget* sibling = *below;
        if (!sibling->mVisible) {
            continue;
        }
        if (CoversArea(sibling, area)) {
            sibling->Invalidate();
            break;
        }
        if (sibling->Intersects(child)) {
            InvalidateChild(sibling);
        }
    }
    // And what is drawn over it.
    for (++pos; pos != mWidgets.end(); ++pos) {
        Widget* above = *pos;
        if (above->mVisible && above->Intersects(child)) {
            InvalidateChild(above);
        }
    }
}

Rect WidgetContainer::VisibleArea(Widget* child, const Rect& bounds) {
    const Rect area = child->GetRect().Intersection(bounds);
    return area.IsEmpty() ? Rect() : area;
}

bool WidgetContainer::CoversArea(Widget* sibling, const Rect& area) {
    return !sibling->mTranslucent && !sibling->mHasTransparencies &&
           sibling->Contains(area.mX, area.mY) &&
           sibling->Contains(area.mX + area.mWidth - 1, area.mY + area.mHeight - 1);
}

bool WidgetContainer::IsCoveredFromAbove(Widget* child, const Rect& bounds) {
    auto pos = std::find(mWidgets.begin(), mWidgets.end(), child);
    if (pos == mWidgets.end()) {
        return false;
    }
    const Rect area = VisibleArea(child, bounds);
    return std::any_of(std::next(pos), mWidgets.end(),
                       [&](Widget* above) { return above->mVisible && CoversArea(above, area); });
}

void WidgetContainer::InvalidateArea() {
    if (mParent == nullptr) {
        mDirty = true;
    } else {
        mParent->InvalidateChildArea(static_cast<Widget*>(this));
    }
}

void WidgetContainer::OnAttached(WidgetManager* manager) {
    ChildWalk walk(*this);
    while (Widget* child = walk.Next()) {
        child->mWidgetManager = manager;
        child->OnAttached(manager);
        Invalidate();
    }
}

void WidgetContainer::OnDetached(WidgetManager* manager) {
    ChildWalk walk(*this);
    while (Widget* child = walk.Next()) {
        manager->ForgetWidget(child);
        manager->ForgetLeavingWidget(child);
        child->OnDetached(manager);
        child->mWidgetManager = nullptr;
    }
    if (manager->mPopupWidget == this) {
        manager->mPopupWidget = nullptr;
    }
}

void WidgetContainer::Update() {
    ++mUpdateCount;
}

void WidgetContainer::UpdateAll(TraversalFlags* flags) {
    AdjustedFlags adjusted(flags, mFlagAdjust);
    int current = flags->Current();
    if (current & WidgetFlagMarkDirty) {
        Invalidate();
    }
    if ((current & WidgetFlagUpdate) && mWidgetManager != nullptr &&
        mLastUpdateCount != mWidgetManager->mUpdateCount) {
        mLastUpdateCount = mWidgetManager->mUpdateCount;
        Update();
    }
    ChildWalk walk(*this);
    while (Widget* child = walk.Next()) {
        if (IsModal(mWidgetManager, child)) {
            flags->mPastModal = true;
        }
        child->UpdateAll(flags);
    }
}

void WidgetContainer::UpdateSmooth(float /*fraction*/) {}

void WidgetContainer::UpdateSmoothAll(TraversalFlags* flags, float fraction) {
    AdjustedFlags adjusted(flags, mFlagAdjust);
    if (flags->Current() & WidgetFlagUpdate) {
        UpdateSmooth(fraction);
    }
    ChildWalk walk(*this);
    while (Widget* child = walk.Next()) {
        if (IsModal(mWidgetManager, child)) {
            flags->mPastModal = true;
        }
        child->UpdateSmoothAll(flags, fraction);
    }
}

void WidgetContainer::Draw(Graphics* /*g*/) {}

void WidgetContainer::DrawAll(TraversalFlags* flags, Graphics* g) {
    // Overlays of lower priority lie beneath this container.
    if (mWidgetManager != nullptr && mPriority > mWidgetManager->mLowestOverlayPriority) {
        mWidgetManager->DrawQueuedOverlays(mPriority);
    }
    AdjustedFlags adjusted(flags, mFlagAdjust);
    const int current = flags->Current();
    if (mClipEnabled && (current & WidgetFlagClip)) {
        g->ClipRect(0, 0, mWidth, mHeight);
    }
    if (mWidgets.empty()) {
        if (current & WidgetFlagDraw) {
            Draw(g);
        }
        return;
    }
    if (current & WidgetFlagDraw) {
        g->PushState();
        Draw(g);
        g->PopState();
    }
    ChildWalk walk(*this);
    while (Widget* child = walk.Next()) {
        if (!child->mVisible) {
            continue;
        }
        if (IsModal(mWidgetManager, child)) {
            flags->mPastModal = true;
        }
        Graphics childGraphics(*g);
        childGraphics.Translate(child->mX, child->mY);
        child->DrawAll(flags, &childGraphics);
        if (!walk.CurrentLeft()) {
            child->mDirty = false;
        }
    }
}

// ---- [Operations of the tree] ----

void WidgetContainer::AddWidget(Widget* w) {
    if (std::find(mWidgets.begin(), mWidgets.end(), w) != mWidgets.end()) {
        return;
    }
    assert(w->mParent == nullptr && "a widget has one parent: remove it from the other first");
    mWidgets.push_back(w);
    w->mWidgetManager = mWidgetManager;
    w->mParent = this;
    if (mWidgetManager != nullptr) {
        w->OnAttached(mWidgetManager);
        w->InvalidateArea();
        mWidgetManager->RefreshMouseState();
    }
    Invalidate();
}

void WidgetContainer::RemoveWidget(Widget* w) {
    if (std::find(mWidgets.begin(), mWidgets.end(), w) == mWidgets.end()) {
        return;
    }
    if (WidgetManager* manager = mWidgetManager) {
        manager->ForgetWidget(w);
        manager->ForgetLeavingWidget(w);
        w->OnDetached(manager);
        InvalidateChildArea(w);
    }
    w->mWidgetManager = nullptr;
    w->mParent = nullptr;
    // The calls above may have changed the list.
    auto pos = std::find(mWidgets.begin(), mWidgets.end(), w);
    if (pos != mWidgets.end()) {
        EraseChild(pos);
    }
}

void WidgetContainer::RemoveAllWidgets(bool deleteThem, bool recursive) {
    while (!mWidgets.empty()) {
        Widget* w = mWidgets.front();
        RemoveWidget(w);
        if (recursive) {
            w->RemoveAllWidgets(deleteThem, recursive);
        }
        if (deleteThem) {
            delete w;
        }
    }
}

Widget* WidgetContainer::FindWidgetAtRecursive(int x, int y, int flags, bool* found, int* localX,
                                               int* localY) {
    flags = mFlagAdjust.Apply(flags);
    for (auto pos = mWidgets.rbegin(); pos != mWidgets.rend(); ++pos) {
        Widget* child = *pos;
        if ((flags & WidgetFlagAllowMouse) && child->mVisible) {
            int childX = x - child->mX;
            int childY = y - child->mY;
            bool foundInside = false;
            Widget* hit =
                child->FindWidgetAtRecursive(childX, childY, flags, &foundInside, localX, localY);
            if (hit != nullptr || foundInside) {
                *found = true;
                return hit;
            }
            Rect margin = child->GetMarginRect();
            if (child->mMouseVisible && x >= margin.mX && x < margin.mX + margin.mWidth &&
                y >= margin.mY && y < margin.mY + margin.mHeight) {
                *found = true;
                if (child->mDisabled) {
                    // A disabled widget swallows the point: nothing below it is hit either.
                    return nullptr;
                }
                if (child->IsPointVisible(childX, childY)) {
                    if (localX != nullptr) {
                        *localX = childX;
                    }
                    if (localY != nullptr) {
                        *localY = childY;
                    }
                    return child;
                }
            }
        }
        if (IsModal(mWidgetManager, child)) {
            flags = mWidgetManager->mBelowModalAdjust.Apply(flags);
        }
    }
    *found = false;
    return nullptr;
}

bool WidgetContainer::IsBelow(Widget* a, Widget* b) {
    return IsBelowRecursive(a, b) > 0;
}

int WidgetContainer::IsBelowRecursive(Widget* a, Widget* b) {
    for (Widget* child : mWidgets) {
        if (child == a) {
            return 1;
        }
        if (child == b) {
            return -1;
        }
        if (int met = child->IsBelowRecursive(a, b); met != 0) {
            return met;
        }
    }
    return 0;
}

void WidgetContainer::InvalidateAll() {
    Invalidate();
    for (Widget* child : mWidgets) {
        child->mDirty = true;
        child->InvalidateAll();
    }
}

void WidgetContainer::BringToFront(Widget* w, Widget* ref) {
    auto pos = std::find(mWidgets.begin(), mWidgets.end(), w);
    if (pos == mWidgets.end()) {
        return;
    }
    EraseChild(pos);
    auto refPos = std::find(mWidgets.begin(), mWidgets.end(), ref);
    mWidgets.insert(refPos == mWidgets.end() ? mWidgets.end() : std::next(refPos), w);
    w->ZOrderChanged();
}

} // namespace Vuro
