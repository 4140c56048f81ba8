#pragma once
// While it lives, files this process writes cannot grow past `bytes`: a write beyond fails as it
// would on a full disk (the limit holds for every user, root too). The signal such a write
// raises is ignored, so the write just comes short.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

namespace Vuro::Test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &mSaved), 0);
        mSavedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = mSaved;
        limit.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &mSaved);
        std::signal(SIGXFSZ, mSavedHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit mSaved{};
    void (*mSavedHandler)(int) = nullptr;
};

} // namespace Vuro::Test
