#pragma once
// What a list reports to its owner, with the id given to the list. Every operation is empty by
// default; the order of the operations is fixed.

namespace Vuro {

class ListListener {
public:
    virtual ~ListListener() = default;
    virtual void ListItemClicked(int /*id*/, int /*index*/, int /*clickCount*/) {}
    virtual void ListRemoved(int /*id*/) {}
    virtual void ListHoverChanged(int /*id*/, int /*oldIndex*/, int /*newIndex*/) {}
};

} // namespace Vuro
