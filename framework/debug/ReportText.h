#pragma once
// Text built in a fixed buffer without allocating, for the crash report, which is made inside a
// fault handler where the heap may be locked or broken. What does not fit is cut off; the text
// always ends with a null.
//
// The numbers are written as printf writes them with the formats named beside each operation.

#include <cstddef>
#include <cstdint>

namespace Vuro {

class ReportText {
public:
    ReportText(char* buffer, size_t capacity);

    void Clear();
    ReportText& Add(const char* text);
    ReportText& Add(const char* text, size_t length);
    // "%0*llX" with width digits (upper case, at least `digits` of them).
    ReportText& Hex(uint64_t value, int digits);
    // "%x": lower case, no leading zeros.
    ReportText& LowerHex(uint64_t value);
    // "%d".
    ReportText& Decimal(int64_t value);

    const char* Data() const { return mBuffer; }
    size_t Size() const { return mSize; }

private:
    ReportText& Digits(uint64_t value, unsigned base, int minDigits, bool upper);

    char* mBuffer;
    size_t mCapacity;
    size_t mSize = 0;
};

} // namespace Vuro
