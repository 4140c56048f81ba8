#pragma once
// The system font a control makes for itself when it has to draw a label and was given no
// font. The controls ask through this one function; by default it makes a SysFont, and a test
// may install a maker of its own (or none: then no font is made and no label is drawn).

#include <string>

namespace Vuro {

class Font;

struct SysFontRequest {
    std::string mFace;
    int mPointSize = 0;
    int mCharSet = 0;
    bool mBold = false;
    bool mItalic = false;
    bool mUnderline = false;
};

// Answers a new font the caller owns, or null.
using SysFontMaker = Font* (*)(const SysFontRequest& request);

// Installs the maker (null removes it) and answers the one it replaces. Main thread only.
SysFontMaker SetSysFontMaker(SysFontMaker maker);
// The installed maker's font for the request, or null without a maker.
[[nodiscard]] Font* MakeSysFont(const SysFontRequest& request);

} // namespace Vuro
