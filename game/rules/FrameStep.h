#pragma once
// The step the field's frame animations share (FrameAnim, LoopAnim, EffectAnim): on update
// ticks that are multiples of the period the frame moves on by one, and after the last frame
// back to 0. Each animation adds what a pass through its cels means to it.

namespace Vuro {

enum class FrameStep {
    None,    // not a stepping tick
    Next,    // the frame moved on
    Wrapped, // the frame went back to 0
};

inline FrameStep StepFrame(int tick, int period, int lastFrame, int& frame) {
    if (tick % period != 0) {
        return FrameStep::None;
    }
    if (frame < lastFrame) {
        ++frame;
        return FrameStep::Next;
    }
    frame = 0;
    return FrameStep::Wrapped;
}

} // namespace Vuro
