#include "framework/fonts/DataElement.h"

namespace Vuro {

DataElement* SingleDataElement::Duplicate() {
    return new SingleDataElement(*this);
}

ListDataElement::ListDataElement(const ListDataElement& other) : DataElement(other) {
    for (DataElement* element : other.mElementVector) {
        mElementVector.push_back(element->Duplicate());
    }
}

ListDataElement& ListDataElement::operator=(const ListDataElement& other) {
    if (this == &other) {
        return *this;
    }
    Clear();
    for (DataElement* element : other.mElementVector) {
        mElementVector.push_back(element->Duplicate());
    }
    return *this;
}

ListDataElement::~ListDataElement() {
    Clear();
}

DataElement* ListDataElement::Duplicate() {
    return new ListDataElement(*this);
}

void ListDataElement::Clear() {
    for (DataElement* element : mElementVector) {
        delete element;
    }
    mElementVector.clear();
}

} // namespace Vuro
