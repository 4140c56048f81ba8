#pragma once
// The widget flags, their per-container adjustment and the record the update and draw walks
// carry down the tree.

namespace Vuro {

// Bits of the flags in force for a container during a walk.
enum WidgetFlags {
    WidgetFlagUpdate = 1,      // Update and UpdateSmooth run
    WidgetFlagMarkDirty = 2,   // the update walk invalidates the container every update
    WidgetFlagDraw = 4,        // Draw runs
    WidgetFlagClip = 8,        // drawing is clipped to the container's rectangle
    WidgetFlagAllowMouse = 16, // the container and its subtree take part in hit testing
    WidgetFlagAllowFocus = 32, // widgets below a modal widget may keep the focus
};

// What the manager starts every walk with: everything but WidgetFlagMarkDirty.
inline constexpr int kDefaultWidgetFlags = WidgetFlagUpdate | WidgetFlagDraw | WidgetFlagClip |
                                           WidgetFlagAllowMouse | WidgetFlagAllowFocus;

// Flags added and then removed for a container and its whole subtree.
struct FlagAdjust {
    int mAddFlags = 0;
    int mRemoveFlags = 0;
    int Apply(int flags) const { return (flags | mAddFlags) & ~mRemoveFlags; }
};

// The flags of a walk: those of the modal widget and everything after it in walk order, and
// those of the widgets before it (below it). mPastModal turns true when the walk reaches the
// modal widget and stays so.
struct TraversalFlags {
    int mFlagsAtModal = 0;
    int mFlagsBelowModal = 0;
    bool mPastModal = true;
    int Current() const { return mPastModal ? mFlagsAtModal : mFlagsBelowModal; }
};

} // namespace Vuro
