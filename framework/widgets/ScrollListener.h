#pragma once
// What a scroll bar reports to its owner, with the id given to the scroll bar. Empty by default.

namespace Vuro {

class ScrollListener {
public:
    virtual ~ScrollListener() = default;
    virtual void ScrollPositionChanged(int /*id*/, double /*position*/) {}
};

} // namespace Vuro
