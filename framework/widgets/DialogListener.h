#pragma once
// What a dialog reports to its owner about its two buttons (ids 1000 and 1001), with the
// dialog's own id. Both operations are empty by default.

namespace Vuro {

class DialogListener {
public:
    virtual ~DialogListener() = default;
    virtual void DialogButtonPress(int /*dialogId*/, int /*buttonId*/) {}
    virtual void DialogButtonClick(int /*dialogId*/, int /*buttonId*/) {}
};

} // namespace Vuro
