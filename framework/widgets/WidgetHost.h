#pragma once
// What widgets ask of the application: the mouse cursor, the clipboard, a step of the main loop
// for a modal dialog, closing a hosted dialog, the widget manager of the main window, and (as
// the dialogs' default listener) the dialog buttons. The application implements it; widget code
// sees no other part of the application.

#include "framework/fonts/FontHost.h"
#include "framework/widgets/DialogListener.h"

#include <string>

namespace Vuro {

class WidgetManager;

// The cursor numbers the application shows (its cursor images are indexed the same way).
enum class CursorKind { kArrow = 0, kHand = 1, kDrag = 2, kText = 3, kNoEntry = 4, kNone = 5 };

class WidgetHost : public FontHost, public DialogListener {
public:
    // A cursor number (CursorKind); from another thread the change is only asked for.
    virtual void SetCursor(int cursorNum) = 0;
    // Clipboard text, code page 1251; the empty string when there is none.
    virtual void CopyToClipboard(const std::string& text) = 0;
    virtual std::string GetClipboard() = 0;
    // One step of the main loop; false when the loop asks the caller to stop stepping.
    virtual bool RunLoopStep(bool* updated) = 0;
    // Closes the hosted dialog of that id; false when there is none.
    virtual bool CloseDialog(int id) = 0;
    virtual WidgetManager* GetWidgetManager() = 0;

    // The process's application object, or null while there is none.
    static WidgetHost* Current();
    // Shows the cursor through the application, when there is one.
    static void ShowCursor(CursorKind kind);

protected:
    ~WidgetHost() = default;
};

} // namespace Vuro
