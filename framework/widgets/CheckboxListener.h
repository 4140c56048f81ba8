#pragma once
// What a check box reports to its owner, with the id given to the check box. Empty by default.

namespace Vuro {

class CheckboxListener {
public:
    virtual ~CheckboxListener() = default;
    virtual void CheckboxToggled(int /*id*/, bool /*on*/) {}
};

} // namespace Vuro
