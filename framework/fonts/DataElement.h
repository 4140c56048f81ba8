#pragma once
// Values of the font descriptor language: a single token or a list of values. A list owns its
// elements and deletes them with itself; Duplicate gives a deep copy owned by the caller.

#include <string>
#include <vector>

namespace Vuro {

class DataElement {
public:
    DataElement() = default;
    DataElement(const DataElement&) = default;
    DataElement& operator=(const DataElement&) = default;
    virtual ~DataElement() = default;
    [[nodiscard]] virtual DataElement* Duplicate() = 0;

    bool mIsList = false; // false for a single value, true for a list
};

class SingleDataElement : public DataElement {
public:
    SingleDataElement() = default;
    explicit SingleDataElement(const std::string& text) : mText(text) {}
    [[nodiscard]] DataElement* Duplicate() override;

    std::string mText; // the token exactly as written, quote characters included
};

class ListDataElement : public DataElement {
public:
    ListDataElement() { mIsList = true; }
    ListDataElement(const ListDataElement& other);
    ListDataElement& operator=(const ListDataElement& other);
    ~ListDataElement() override;
    [[nodiscard]] DataElement* Duplicate() override;

    // Deletes every element and leaves the list empty.
    void Clear();

    std::vector<DataElement*> mElementVector; // the list's values in order, owned
};

} // namespace Vuro
