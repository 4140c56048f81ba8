#pragma once
// What a slider reports to its owner, with the id given to the slider. Empty by default.

namespace Vuro {

class SliderListener {
public:
    virtual ~SliderListener() = default;
    // value: the slider's new position, 0.0 to 1.0.
    virtual void SliderMoved(int /*id*/, double /*value*/) {}
};

} // namespace Vuro
