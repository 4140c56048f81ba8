#pragma once
// Stands in for the browser: while it lives, links that pass the platform's checks are
// recorded here instead of being opened, and answer mSucceeds. One at a time.

#include "platform/LinkOpener.h"

#include <string>
#include <vector>

namespace Vuro::Test {

class FakeLinkOpener {
public:
    FakeLinkOpener() : mPrevious(Platform::SetLinkOpener(&Open)) { sCurrent = this; }
    ~FakeLinkOpener() {
        Platform::SetLinkOpener(mPrevious);
        sCurrent = nullptr;
    }
    FakeLinkOpener(const FakeLinkOpener&) = delete;
    FakeLinkOpener& operator=(const FakeLinkOpener&) = delete;

    std::vector<std::string> mOpened; // addresses, in order
    bool mSucceeds = true;

private:
    static bool Open(const std::string& address) {
        sCurrent->mOpened.push_back(address);
        return sCurrent->mSucceeds;
    }

    static inline FakeLinkOpener* sCurrent = nullptr;
    Platform::LinkOpener mPrevious;
};

} // namespace Vuro::Test
