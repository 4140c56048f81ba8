#include "framework/debug/ReportText.h"

namespace Vuro {

ReportText::ReportText(char* buffer, size_t capacity) : mBuffer(buffer), mCapacity(capacity) {
    Clear();
}

void ReportText::Clear() {
    mSize = 0;
    if (mCapacity > 0) {
        mBuffer[0] = '\0';
    }
}

ReportText& ReportText::Add(const char* text, size_t length) {
    // One byte stays for the closing null.
    for (size_t i = 0; i < length && mSize + 1 < mCapacity; ++i) {
        mBuffer[mSize++] = text[i];
    }
    if (mCapacity > 0) {
        mBuffer[mSize] = '\0';
    }
    return *this;
}

ReportText& ReportText::Add(const char* text) {
    size_t length = 0;
    while (text[length] != '\0') {
        ++length;
    }
    return Add(text, length);
}

ReportText& ReportText::Digits(uint64_t value, unsigned base, int minDigits, bool upper) {
    const char* digitChars = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char reversed[32];
    int count = 0;
    do {
        reversed[count++] = digitChars[value % base];
        value /= base;
    } while (value != 0);
    while (count < minDigits && count < static_cast<int>(sizeof(reversed))) {
        reversed[count++] = '0';
    }
    char text[32];
    for (int i = 0; i < count; ++i) {
        text[i] = reversed[count - 1 - i];
    }
    return Add(text, static_cast<size_t>(count));
}

ReportText& ReportText::Hex(uint64_t value, int digits) {
    return Digits(value, 16, digits, true);
}

ReportText& ReportText::LowerHex(uint64_t value) {
    return Digits(value, 16, 1, false);
}

ReportText& ReportText::Decimal(int64_t value) {
    if (value < 0) {
        Add("-", 1);
        // Negated in unsigned arithmetic, so the most negative value stays exact.
        return Digits(0 - static_cast<uint64_t>(value), 10, 1, false);
    }
    return Digits(static_cast<uint64_t>(value), 10, 1, false);
}

} // namespace Vuro
