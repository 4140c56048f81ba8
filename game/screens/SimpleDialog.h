#pragma once
// The game's two-button dialog in the menu's look: it asks for a player name in a one-line
// field, or asks a question. The caller hands it a string and a call-back; the dialog writes
// the name into the string and hands its answer to the call-back, which the caller acts on.
//
// Modes and what the buttons answer (button 2 is labelled with help text 1, button 1 with help
// text 2):
//   0 name:             2 a non-empty name -> 1        1 cancel -> 777
//   1 any name:         2 any name, also empty -> 2    1 cancel -> 777
//   2 confirm the text: 2 -> 3                         1 cancel -> 777
//   3 name, no cancel:  2 a non-empty name -> 1        1 nothing
//   4 the question:     2 -> 100                       1 cancel -> 777
// A caller whose asksPlainly holds when a button is clicked (the stage map while its word holds
// MapMessage::kDifficultyQuestion) gets a plain yes (330) or no (0) instead, in every mode. Enter
// in the field acts as button 2 of modes 0, 1 and 3 when the field is not empty.
//
// The name field holds at most 7 characters and takes one key or character every 9 updates:
// Backspace, Enter, letters (code page 1251 included), digits, the blank, ! and ?. The pacing of
// keys and that of characters are each shared by every dialog, so a dialog opened right after
// another waits out the turn taken there. A name never holds what a profile's file name cannot:
// no path separator, dot, control character or zero byte.
//
// The dialog stands at 120, 150, 400 x 200 whatever size it is given; its buttons and field are
// widgets of the manager beside it, in screen coordinates.

#include "framework/widgets/EditListener.h"
#include "game/screens/MenuDialog.h"

#include <functional>
#include <string>

namespace Vuro {

class BoardMenu;
class DialogButton;
class EditWidget;

class SimpleDialog : public MenuDialog, public EditListener {
public:
    enum Mode {
        AskName = 0,
        AskAnyName = 1,
        Confirm = 2,
        AskNameNoCancel = 3,
        Question = 4,
    };
    // What the dialog answers.
    static constexpr int kNameGiven = 1;
    static constexpr int kAnyNameGiven = 2;
    static constexpr int kConfirmed = 3;
    static constexpr int kYes = 100;
    static constexpr int kCancelled = 777;
    static constexpr int kPlainYes = 330;
    static constexpr int kPlainNo = 0;

    static constexpr int kDialogId = 0;
    static constexpr int kCancelButtonId = 1;
    static constexpr int kAcceptButtonId = 2;
    static constexpr int kEditId = 1;
    static constexpr int kMaxNameLength = 7;
    static constexpr int kInputPacing = 8; // updates after an accepted input before the next

    // text: the field's first text and the name's destination, or the question's body (modes
    // 2 and 4); not owned. asksPlainly is asked at each click (none: never plain).
    SimpleDialog(BoardMenu* owner, std::string header, std::string* text, int mode,
                 StateCallback answer, std::function<bool()> asksPlainly = {});
    ~SimpleDialog() override;

    void OnAttached(WidgetManager* manager) override;
    void OnDetached(WidgetManager* manager) override;
    // Ignores its arguments.
    void Resize(int x, int y, int width, int height) override;
    void ButtonClick(int id) override;

    void EditTextEntered(int id, const std::string& text) override;
    bool EditAllowKey(int id, int key) override;
    bool EditAllowChar(int id, char c) override;
    bool EditAllowText(int id, const std::string& text) override;

    // A character a profile name may hold.
    static bool IsNameChar(char c);
    // A name a profile's file can hold: name characters only.
    static bool IsStorableName(const std::string& text);

    int mMode;
    BoardMenu* mOwner; // not owned
    StateCallback mAnswer;
    std::function<bool()> mAsksPlainly;
    std::string mHeaderCopy;
    std::string* mText;          // not owned
    EditWidget* mEdit = nullptr; // modes 0, 1 and 3, while attached
    DialogButton* mCancelButton; // id 1
    DialogButton* mAcceptButton; // id 2

private:
    bool HasNameField() const;
};

} // namespace Vuro
