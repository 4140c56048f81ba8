// A process killed at any point while it saves leaves every stored file as it was before that
// save or as the save made it, never half written: a child saves a player file and the settings
// in a loop, one version after the other, and is killed at random points. The temporary file a
// kill leaves behind goes with the next save of that file, so they never pile up.

#include "PlayerDataFolder.h"
#include "game/player/PlayerRecord.h"
#include "platform/LittleEndian.h"
#include "platform/Registry.h"
#include "support/WaitLimit.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

namespace Vuro {
namespace {

constexpr int kKills = 40;
// Within the test's time-out however busy the machine is; the kills made by then are checked.
constexpr auto kTimeLimit = std::chrono::seconds(40);

// The temporary files of a stored file in a folder.
int Temporaries(const std::string& folder, const std::string& file) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        count += entry.path().filename().string().starts_with(file + ".tmp.") ? 1 : 0;
    }
    return count;
}

PlayerRecord Version(int32_t n) {
    PlayerRecord record;
    record.SetName("Kim");
    record.totalScore = n;
    record.storyLevel = n % 7;
    return record;
}

void SetVolume(Platform::FileRegistry& registry, uint32_t n) {
    const uint8_t value[4] = {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8),
                              static_cast<uint8_t>(n >> 16), static_cast<uint8_t>(n >> 24)};
    (void)registry.SetValue("Saver", "", "Volume", Platform::kRegDword, value, 4);
}

// The child: saves versions n = 1, 2, ... forever, telling the parent after each pair.
[[noreturn]] void SaveForever(int progress) {
    Platform::FileRegistry registry("settings");
    (void)registry.CreateKey("Saver", "");
    for (uint32_t n = 1;; ++n) {
        (void)Version(static_cast<int32_t>(n)).Save("data\\Kim.pf");
        SetVolume(registry, n);
        const char tick = 1;
        (void)!write(progress, &tick, 1);
    }
}

// One saving child, killed and waited for however the round ends: a failed ASSERT returns
// from the test, and the child would save on for ever.
class SavingChild {
public:
    SavingChild() {
        int ends[2];
        if (pipe(ends) != 0) {
            return;
        }
        mPid = fork();
        if (mPid == 0) {
            close(ends[0]);
            SaveForever(ends[1]);
        }
        close(ends[1]);
        mProgress = ends[0];
    }
    ~SavingChild() {
        (void)Kill();
        if (mProgress >= 0) {
            close(mProgress);
        }
    }
    SavingChild(const SavingChild&) = delete;
    SavingChild& operator=(const SavingChild&) = delete;

    bool Started() const { return mPid > 0; }
    // The end of the child's next pair of saves; false when it did not come within the bound.
    bool SaveFinished() {
        pollfd ready{mProgress, POLLIN, 0};
        char tick = 0;
        const auto limit = std::chrono::duration_cast<std::chrono::milliseconds>(Test::kWaitLimit);
        return poll(&ready, 1, static_cast<int>(limit.count())) == 1 &&
               read(mProgress, &tick, 1) == 1;
    }
    // Kills the child and waits for it; false when it was not there to wait for.
    bool Kill() {
        if (mPid <= 0) {
            return false;
        }
        kill(mPid, SIGKILL);
        const bool reaped = waitpid(mPid, nullptr, 0) == mPid;
        mPid = -1;
        return reaped;
    }

private:
    pid_t mPid = -1;
    int mProgress = -1;
};

class KillWhileSavingTest : public Test::PlayerDataTest {};

TEST_F(KillWhileSavingTest, EveryFileReadsBackWholeAfterAKillAtAnyPoint) {
    std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed());
    const auto start = std::chrono::steady_clock::now();
    int kills = 0;
    for (; kills < kKills && std::chrono::steady_clock::now() - start < kTimeLimit; ++kills) {
        SavingChild child;
        ASSERT_TRUE(child.Started());
        // Let a random number of saves finish, then kill somewhere inside a later one.
        const int saves = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < saves; ++i) {
            ASSERT_TRUE(child.SaveFinished()) << "kill " << kills << ", save " << i;
        }
        const auto spin = std::chrono::microseconds(random() % 800);
        for (auto until = std::chrono::steady_clock::now() + spin;
             std::chrono::steady_clock::now() < until;) {
        }
        ASSERT_TRUE(child.Kill());

        // Whole, and no older than the last save the child finished.
        PlayerRecord record;
        ASSERT_TRUE(record.Load("data\\Kim.pf")) << "kill " << kills;
        EXPECT_EQ(record.storyLevel, record.totalScore % 7) << "kill " << kills;
        EXPECT_GE(record.totalScore, saves) << "kill " << kills;
        Platform::FileRegistry registry("settings");
        uint8_t value[4] = {};
        uint32_t type = 0;
        uint32_t length = 4;
        ASSERT_EQ(registry.QueryValue("Saver", "", "Volume", type, value, length),
                  Platform::RegResult::Ok)
            << "kill " << kills;
        EXPECT_EQ(length, 4u);
        EXPECT_GE(Platform::LoadLE(value, 4), static_cast<uint32_t>(saves)) << "kill " << kills;
    }
    ASSERT_GE(kills, 1);
    // Only the last kill's temporary files can be left: each new save removed the one before.
    EXPECT_LE(Temporaries("data", "Kim.pf"), 1);
    EXPECT_LE(Temporaries("settings", "Saver.reg"), 1);
}

} // namespace
} // namespace Vuro
