#pragma once
// The system clipboard, holding text. Text handed in and out is code page 1251, as everywhere
// inside the system; the window system's clipboard holds UTF-8 and the conversion happens here
// (a character code page 1251 cannot hold comes back as "?").
//
// - SetText answers false when the clipboard cannot be written (no window system).
// - GetText answers the empty string when the clipboard holds no text or cannot be read.
// - On SDL the text stays on the clipboard while the program has a window open.

#include <string>

namespace Vuro::Platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual bool SetText(const std::string& text) = 0;
    virtual std::string GetText() = 0;
};

// The clipboard in use: the SDL one unless a test installed another.
Clipboard& GetSystemClipboard();
// Installs a clipboard for the whole process; null goes back to the SDL one. The caller keeps
// ownership and keeps it alive while installed.
void SetSystemClipboard(Clipboard* clipboard);

} // namespace Vuro::Platform
