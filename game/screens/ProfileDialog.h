#pragma once
// The modal dialog in which the player creates, deletes and chooses a profile: the profile names
// in a list with a scroll bar (current profile first), and the buttons new, delete and OK. It
// asks for a name or a confirmation through a SimpleDialog and reports refusals through an
// OKDialog; both write into mResultCode, which the dialog's update acts on. The profile work is
// the ProfileManager's; only the OK button writes the list file.
//
// What a caller can rely on:
// - At most six profiles: the new button then shows the too-many message instead.
// - A name refused, or one whose file could not be written, leaves the profiles, the current
//   record and the files as they were; a message says which.
// - With no profile (a first start) the name question opens at the first update and cannot be
//   cancelled; so does it after the last profile was deleted, with the default name "Player" in
//   the field and the menu's state word at 789 until a name is given. Another name replaces the
//   placeholder; a file of the default name goes with it only when it holds no progress.
// - Whatever place it is given, the dialog stands at 180, 50, 300 x 390; its list, scroll bar
//   and buttons are widgets of the manager beside it, in screen coordinates.

#include "framework/widgets/ListListener.h"
#include "game/screens/MenuDialog.h"
#include "platform/TextEncoding.h"

#include <string>

namespace Vuro {

class DialogButton;
class ListWidget;
class BoardMenu;
class ProfileManager;
class ScrollbarWidget;

class ProfileDialog : public MenuDialog, public ListListener {
public:
    static constexpr int kDialogId = 7;
    static constexpr int kMaxProfiles = 6; // `MaxProfiles`
    static constexpr int kListId = 1;      // `ProfileListId`
    static constexpr int kNewButtonId = 8;
    static constexpr int kDeleteButtonId = 9;
    static constexpr int kOkButtonId = 10;
    // mResultCode: what the dialogs it opens answered (0: nothing pending).
    static constexpr int kAddProfile = 1;
    static constexpr int kDeleteProfile = 3;
    static constexpr int kNoProfile = 10; // set when attached with no profile
    // The refusal of a name whose file could not be written; the help texts' refusal blames
    // the name.
    static constexpr auto kNotSavedText =
        "Профиль не удалось сохранить: диск полон или запись запрещена."_cp1251;

    ProfileDialog(BoardMenu* owner, std::string header);
    ~ProfileDialog() override;

    void OnAttached(WidgetManager* manager) override;
    void OnDetached(WidgetManager* manager) override;
    void Update() override;
    // Ignores its arguments.
    void Resize(int x, int y, int width, int height) override;
    void ButtonClick(int id) override;
    void ListItemClicked(int id, int index, int clickCount) override;

    BoardMenu* mOwner;         // not owned
    ProfileManager* mProfiles; // the application's
    int mResultCode = 0;
    std::string mPendingName;    // handed to the name question, filled by it
    int mSelectedIndex = -1;     // the selected line; -1 none
    ListWidget* mList = nullptr; // made when attached
    ScrollbarWidget* mScrollbar = nullptr;
    DialogButton* mNewButton;
    DialogButton* mDeleteButton;
    DialogButton* mOkButton;

private:
    void AddPendingProfile();
    void DeleteSelectedProfile();
    void AskForName(int mode);
    void ShowMessage(const std::string& text, int height);
    void Select(int index);
    std::string SelectedLine();
};

} // namespace Vuro
