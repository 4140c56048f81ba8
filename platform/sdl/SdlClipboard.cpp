#include "platform/Clipboard.h"
#include "platform/TextEncoding.h"
#include "platform/sdl/SdlVideo.h"

#include <SDL.h>

#include <atomic>

namespace Vuro::Platform {

namespace {

class SdlClipboard : public Clipboard {
public:
    bool SetText(const std::string& text) override {
        SdlVideoUser video;
        return video.IsReady() && SDL_SetClipboardText(Cp1251ToUtf8(text).c_str()) == 0;
    }

    std::string GetText() override {
        SdlVideoUser video;
        if (!video.IsReady() || !SDL_HasClipboardText()) {
            return std::string();
        }
        char* utf8 = SDL_GetClipboardText();
        if (!utf8) {
            return std::string();
        }
        std::string text = Utf8ToCp1251(utf8);
        SDL_free(utf8);
        return text;
    }
};

std::atomic<Clipboard*> gClipboard{nullptr};

} // namespace

Clipboard& GetSystemClipboard() {
    static SdlClipboard sdlClipboard;
    Clipboard* installed = gClipboard.load();
    return installed ? *installed : sdlClipboard;
}

void SetSystemClipboard(Clipboard* clipboard) {
    gClipboard = clipboard;
}

} // namespace Vuro::Platform
