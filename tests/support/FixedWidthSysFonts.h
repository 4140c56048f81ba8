#pragma once
// While alive, the system fonts controls make for themselves are FixedWidthFonts (6 pixels a
// character, ascent 8, padding 1, height 10, line spacing 12), so layouts that use default
// fonts have exact metrics; the maker before it comes back at the end. Main thread only.

#include "framework/widgets/WidgetSysFont.h"
#include "support/FixedWidthFont.h"

#include <vector>

namespace Vuro::Testing {

class FixedWidthSysFonts {
public:
    FixedWidthSysFonts() : mOld(SetSysFontMaker(&Make)) { Requests().clear(); }
    ~FixedWidthSysFonts() { SetSysFontMaker(mOld); }
    FixedWidthSysFonts(const FixedWidthSysFonts&) = delete;
    FixedWidthSysFonts& operator=(const FixedWidthSysFonts&) = delete;

    // The requests answered so far, oldest first.
    static std::vector<SysFontRequest>& Requests() {
        static std::vector<SysFontRequest> requests;
        return requests;
    }

private:
    static Font* Make(const SysFontRequest& request) {
        Requests().push_back(request);
        return new FixedWidthFont(6);
    }

    SysFontMaker mOld;
};

} // namespace Vuro::Testing
