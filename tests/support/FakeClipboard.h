#pragma once
// A clipboard that holds its text in memory. Installs itself as the process's clipboard for its
// lifetime, so tests never touch the desktop's clipboard.

#include "platform/Clipboard.h"

namespace Vuro::Test {

class FakeClipboard : public Platform::Clipboard {
public:
    FakeClipboard() { Platform::SetSystemClipboard(this); }
    ~FakeClipboard() override { Platform::SetSystemClipboard(nullptr); }
    FakeClipboard(const FakeClipboard&) = delete;
    FakeClipboard& operator=(const FakeClipboard&) = delete;

    bool SetText(const std::string& text) override {
        mText = text;
        ++mWrites;
        return true;
    }
    std::string GetText() override { return mText; }

    std::string mText;
    int mWrites = 0;
};

} // namespace Vuro::Test
