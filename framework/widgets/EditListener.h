#pragma once
// What an edit field reports to its owner and asks of it, with the id given to the field. By
// default nothing happens on entry and every key, character and text is allowed. The order of
// the operations is fixed.

#include <string>

namespace Vuro {

class EditListener {
public:
    virtual ~EditListener() = default;
    virtual void EditTextEntered(int /*id*/, const std::string& /*text*/) {}
    virtual bool EditAllowKey(int /*id*/, int /*key*/) { return true; }
    virtual bool EditAllowChar(int /*id*/, char /*c*/) { return true; }
    virtual bool EditAllowText(int /*id*/, const std::string& /*text*/) { return true; }
};

} // namespace Vuro
