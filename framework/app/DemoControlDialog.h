#pragma once
// The common part of the small modal windows that steer demo playback: a dialog titled with
// its header line, in one small "Tahoma" system font (also its buttons'), centred on the
// application's screen, that reports its buttons to nobody but itself.

#include "framework/widgets/Dialog.h"

#include <memory>
#include <string>

namespace Vuro {

class VuroAppBase;

class DemoControlDialog : public Dialog {
public:
    DemoControlDialog(VuroAppBase& app, int id, const std::string& title, const std::string& footer,
                      int buttonMode);
    ~DemoControlDialog() override;

protected:
    // Sizes the dialog and puts it in the middle of the application's screen.
    void Centre(int width, int height);
    // The y just below the title line, local; the client area starts there.
    int TitleBottom();

    VuroAppBase& mApp;
    std::unique_ptr<Font> mFont; // null when no system font could be made
};

} // namespace Vuro
