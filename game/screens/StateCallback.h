#pragma once
// How a child screen or dialog answers the screen that opened it: it calls the opener's
// call-back with its code (each child lists its codes), and the opener acts on the code in its
// next update. The child never sees where the opener keeps it.

#include <functional>

namespace Vuro {

using StateCallback = std::function<void(int state)>;

// The call-back of an opener that keeps the code in a state word of its own, which outlives the
// child.
inline StateCallback StoreIn(int& word) {
    return [&word](int state) { word = state; };
}

} // namespace Vuro
