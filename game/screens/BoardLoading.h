#pragma once
// The loading screen shown while a play board, or the menu after a level, loads: one of three
// pictures on black, filled from the left as the application's loading tasks are done. The
// fill shows 1 / remaining of its width (all of it once one task or none remains).
//
// The screen switch creates it, calls LoadImages, shows it and drops it when the switch ends; a
// missing picture ends in the application's fatal Popup.

#include "framework/widgets/Widget.h"

#include <span>

namespace Vuro {

class Image;
class VuroAppBase;

class BoardLoading : public Widget {
public:
    // A frame picture and the fill drawn over it.
    struct PicturePair {
        const char* mFrame;
        const char* mFill;
    };
    static constexpr int kX = 167;
    static constexpr int kY = 173;

    // The int is not used.
    BoardLoading(VuroAppBase* app, int mode);
    ~BoardLoading() override;

    // Main thread: chooses a pair at random (the third half of the time) and loads it.
    void LoadImages();

    void Update() override;
    void Draw(Graphics* g) override;

    // The pairs by the random number modulo 4.
    static std::span<const PicturePair> Pairs();

    VuroAppBase* mApp; // not owned
    Image* mFrame = nullptr;
    Image* mFill = nullptr;
};

} // namespace Vuro
