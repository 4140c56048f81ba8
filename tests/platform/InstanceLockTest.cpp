#include "platform/InstanceLock.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace Vuro::Platform {
namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        mFolder = std::filesystem::temp_directory_path() /
                  ("vuro_lock_" + std::to_string(random()) + "_" + std::to_string(random()));
        std::filesystem::create_directories(mFolder);
    }
    void TearDown() override { std::filesystem::remove_all(mFolder); }

    std::filesystem::path mFolder;
};

TEST_F(InstanceLockTest, ASecondCopyIsRefusedAndRaisesTheFirst) {
    InstanceLock first("Quandrellis Mutex", mFolder.string());
    ASSERT_EQ(first.Acquire(), InstanceLock::Result::Acquired);
    EXPECT_TRUE(first.IsHeld());
    EXPECT_FALSE(first.TakeNotification());

    InstanceLock second("Quandrellis Mutex", mFolder.string());
    EXPECT_EQ(second.Acquire(), InstanceLock::Result::HeldElsewhere);
    EXPECT_FALSE(second.IsHeld());
    EXPECT_TRUE(second.NotifyHolder());
    EXPECT_TRUE(second.NotifyHolder());

    // Two notifications since the last look are one request to come forward.
    EXPECT_TRUE(first.TakeNotification());
    EXPECT_FALSE(first.TakeNotification());
}

TEST_F(InstanceLockTest, TheLockIsFreeAgainOnceTheHolderIsGone) {
    {
        InstanceLock first("Product", mFolder.string());
        ASSERT_EQ(first.Acquire(), InstanceLock::Result::Acquired);
    }
    InstanceLock next("Product", mFolder.string());
    EXPECT_EQ(next.Acquire(), InstanceLock::Result::Acquired);
    // Nobody listens for a holder that has gone.
    InstanceLock other("Other", mFolder.string());
    EXPECT_FALSE(other.NotifyHolder());
}

TEST_F(InstanceLockTest, DifferentNamesDoNotConflict) {
    InstanceLock a("GameA", mFolder.string());
    InstanceLock b("GameB", mFolder.string());
    EXPECT_EQ(a.Acquire(), InstanceLock::Result::Acquired);
    EXPECT_EQ(b.Acquire(), InstanceLock::Result::Acquired);
}

TEST_F(InstanceLockTest, NamesBecomeSafeFileNames) {
    // "/" cannot leave the folder: the name is one file inside it.
    InstanceLock odd("../a/b c", mFolder.string());
    ASSERT_EQ(odd.Acquire(), InstanceLock::Result::Acquired);
    EXPECT_TRUE(std::filesystem::exists(mFolder / ".._a_b_c.lock"));
}

TEST_F(InstanceLockTest, WithoutARuntimeFolderTheLockInTmpIsTheUsersOwn) {
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedValue = saved != nullptr ? saved : "";
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(InstanceLock("Quandrellis Mutex").LockPath(),
              "/tmp/Quandrellis_Mutex-" + std::to_string(getuid()) + ".lock");
    if (saved != nullptr) {
        setenv("XDG_RUNTIME_DIR", savedValue.c_str(), 1);
    } else {
        unsetenv("XDG_RUNTIME_DIR");
    }
}

TEST_F(InstanceLockTest, AnotherUsersLockFileOrALinkIsNeverUsed) {
    // Another user made the file and holds it: it must not keep this user's game from running.
    const int theirs = open((mFolder / "Product.lock").c_str(), O_RDWR | O_CREAT, 0666);
    ASSERT_GE(theirs, 0);
    ASSERT_EQ(flock(theirs, LOCK_EX), 0);
    if (fchown(theirs, getuid() + 1, static_cast<gid_t>(-1)) != 0) {
        close(theirs);
        GTEST_SKIP() << "only root can give a file to another user";
    }
    InstanceLock lock("Product", mFolder.string());
    EXPECT_EQ(lock.Acquire(), InstanceLock::Result::Unavailable);
    close(theirs);
    std::filesystem::create_symlink(mFolder / "elsewhere", mFolder / "Linked.lock");
    InstanceLock linked("Linked", mFolder.string());
    EXPECT_EQ(linked.Acquire(), InstanceLock::Result::Unavailable);
    EXPECT_FALSE(std::filesystem::exists(mFolder / "elsewhere"));
}

TEST_F(InstanceLockTest, AnUnusableFolderRunsWithoutTheCheck) {
    InstanceLock lock("Product", (mFolder / "missing").string());
    EXPECT_EQ(lock.Acquire(), InstanceLock::Result::Unavailable);
    EXPECT_FALSE(lock.TakeNotification());
}

} // namespace
} // namespace Vuro::Platform
