// Dialogs hosted by id: made, shown, added, looked up and closed. A closed dialog leaves the
// widget tree at once and is deleted by the safe-delete queue, so the button handler that
// closed it may still use it until it returns.

#include "framework/app/VuroAppBase.h"

#include "framework/widgets/Dialog.h"
#include "framework/widgets/WidgetManager.h"

namespace Vuro {

namespace {

// Where a dialog's two buttons land among the application's button ids.
constexpr int kDialogYesOffset = 2000;
constexpr int kDialogNoOffset = 3000;

} // namespace

Dialog* VuroAppBase::CreateDialogWidget(int id, bool modal, const std::string& title,
                                        const std::string& header, const std::string& footer,
                                        int buttonMode) {
    auto* dialog = new Dialog(nullptr, nullptr, id, modal, title, header, footer, buttonMode);
    dialog->mDialogListener = this;
    return dialog;
}

Dialog* VuroAppBase::ShowDialog(int id, bool modal, const std::string& title,
                                const std::string& header, const std::string& footer,
                                int buttonMode) {
    CloseDialog(id);
    Dialog* dialog = CreateDialogWidget(id, modal, title, header, footer, buttonMode);
    AddDialog(id, dialog);
    return dialog;
}

Dialog* VuroAppBase::GetDialog(int id) {
    auto it = mDialogMap.find(id);
    return it == mDialogMap.end() ? nullptr : it->second;
}

int VuroAppBase::GetDialogCount() {
    return static_cast<int>(mDialogMap.size());
}

void VuroAppBase::AddDialogWidget(Dialog* dialog) {
    AddDialog(dialog->mId, dialog);
}

void VuroAppBase::AddDialog(int id, Dialog* dialog) {
    // Adding the dialog already open under this id does nothing: closing it first would queue
    // it for deletion, and the open dialog would be deleted under its host.
    if (GetDialog(id) == dialog) {
        return;
    }
    CloseDialog(id);
    if (dialog->mWidth == 0) {
        int width = mWidth / 2;
        dialog->Resize((mWidth - width) / 2, mHeight / 5, width, dialog->GetPreferredHeight(width));
    }
    mDialogMap[id] = dialog;
    mDialogList.push_back(dialog);
    mWidgetManager->AddWidget(dialog);
    if (dialog->IsModal()) {
        mWidgetManager->PushModal(dialog);
        OnModalOpened();
    }
}

bool VuroAppBase::CloseDialogWidget(Dialog* dialog) {
    return CloseDialog(dialog->mId);
}

bool VuroAppBase::CloseDialog(int id) {
    auto it = mDialogMap.find(id);
    if (it == mDialogMap.end()) {
        return false;
    }
    Dialog* dialog = it->second;
    if (dialog->mResult == -1) {
        dialog->mResult = 0;
    }
    mDialogList.remove(dialog);
    mDialogMap.erase(it);
    mWidgetManager->RemoveWidget(dialog);
    if (dialog->IsModal()) {
        OnModalClosed();
        mWidgetManager->PopModal(dialog);
    }
    QueueWidgetDeletion(dialog);
    return true;
}

void VuroAppBase::DialogButtonPress(int dialogId, int buttonId) {
    if (buttonId == DialogButtonYes) {
        ButtonPress(dialogId + kDialogYesOffset);
    } else if (buttonId == DialogButtonNo) {
        ButtonPress(dialogId + kDialogNoOffset);
    }
}

void VuroAppBase::DialogButtonClick(int dialogId, int buttonId) {
    if (buttonId == DialogButtonYes) {
        ButtonClick(dialogId + kDialogYesOffset);
    } else if (buttonId == DialogButtonNo) {
        ButtonClick(dialogId + kDialogNoOffset);
    }
}

} // namespace Vuro
