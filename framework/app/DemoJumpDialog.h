#pragma once
// The jump to a time before the end of a playing demo: a small modal dialog titled "Jump To
// Time" with an edit field, an "OK" and a "Cancel" button.
//
// What a caller can rely on:
// - The field opens with the text given (the stored jump time), all of it selected; the
//   application gives the field the focus once the dialog is shown.
// - OK (or Enter in the field) stores the text as the jump time, sets the playback target and
//   closes the dialog; Cancel closes it without a jump.

#include "framework/app/DemoControlDialog.h"
#include "framework/widgets/EditListener.h"

namespace Vuro {

class EditWidget;

inline constexpr int kDemoJumpDialogId = 32001;

class DemoJumpDialog : public DemoControlDialog, public EditListener {
public:
    // Sized and placed in the middle of the application's screen.
    DemoJumpDialog(VuroAppBase& app, const std::string& jumpTime);
    ~DemoJumpDialog() override;

    void OnAttached(WidgetManager* manager) override;
    void OnDetached(WidgetManager* manager) override;
    void ZOrderChanged() override;
    void Resize(int x, int y, int width, int height) override;
    void ButtonClick(int id) override;
    void EditTextEntered(int id, const std::string& text) override;

    EditWidget* mEdit = nullptr; // owned
};

} // namespace Vuro
