#pragma once
// What the display asks of the application: the screen size and colour depth to set in full
// screen, whether the 3-D capability test runs, whether a system box is up (full screen then
// blits instead of flipping, so the box stays seen), whether full screen presents by flipping
// at all (else it blits), whether drawing is suspended (the 3-D device then draws nothing), a
// note that the monitor's refresh rate could not be measured, a hook called after a fresh 3-D
// capability test, and the registry its images join. The application implements it; display
// code sees no other part of it.

namespace Vuro {

class ImageRegistry;

class DisplayHost {
public:
    struct ScreenShape {
        int width;
        int height;
        int colorDepth; // bits per pixel: 16 or 32
    };
    virtual ScreenShape WantedScreen() const = 0;
    // Whether Init runs the 3-D capability test, and whether a clean pass turns 3-D on; the
    // video memory (MB) below which 3-D fails, and below which it is not recommended.
    struct Wanted3DTest {
        bool autoEnable;
        bool test;
        int minVidMemory;
        int recommendedVidMemory;
    };
    virtual Wanted3DTest Wanted3D() const = 0;
    virtual bool IsPopupShown() const = 0;
    virtual bool UsesPageFlip() const = 0;
    virtual bool IsDrawingSuspended() const = 0;
    // The display could not measure a refresh rate of 60..100 Hz and assumes one.
    virtual void NoteRefreshRateUnreliable() = 0;
    // The capability test found its outcome now rather than reading it back.
    virtual void Fresh3DTestHook() = 0;
    virtual ImageRegistry* GetImageRegistry() = 0;

protected:
    ~DisplayHost() = default;
};

} // namespace Vuro
