#pragma once
// What the play field carries over the whole run of the program, across levels and boards:
// the count toward the next golden fruit. The application keeps one for the run and lends it to
// each board's field; a field lent none keeps its own.

namespace Vuro {

struct RunState {
    // Fruit grown in story levels from level 2 on since the last golden one.
    int mFruitSinceGolden = 0;
};

} // namespace Vuro
