#include "shell/SettingsStore.h"

#include "platform/RegistryFile.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string Key = "Software\\Quillory\\Pairlet";

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { SetSettingsKey("CGameWnd", Key); }

    platform::RegistryFile UserFile() const { return platform::RegistryFile(UserSettingsFile()); }

    TempConfigHome home;
};

// Runs body in a child process and waits for it; true if it exited with 0.
template <typename Body> bool InChild(Body body)
{
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body() ? 0 : 1);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

TEST_F(SettingsStoreTest, StringReadsFallBackToTheDefaultCutToTheDestination)
{
    EXPECT_EQ(ReadString("", 261, "no default"), "no default");
    WriteString("", "the default value");
    EXPECT_EQ(ReadString("", 261, "no default"), "the default value");

    WriteString("cd_anim_dir", "0123456789");
    EXPECT_EQ(ReadString("cd_anim_dir", 11, "short"), "0123456789") << "fits with its terminator";
    EXPECT_EQ(ReadString("cd_anim_dir", 10, "a long default text"), "a long de");
    EXPECT_EQ(ReadString("cd_anim_dir", 0, "x"), "");
    EXPECT_EQ(ReadString("absent", 4, "defaulted"), "def");
}

TEST_F(SettingsStoreTest, WritersKilledMidwayLeaveAValidStore)
{
    // Bulk makes each write take long enough to be interrupted inside it; the
    // kills fall at fractions and multiples of one write's time.
    WriteString("bulk", std::string(200000, 'b'));
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 3; ++i) WriteNumber("counter", -1);
    const auto oneWrite = std::chrono::duration_cast<std::chrono::microseconds>(
                              std::chrono::steady_clock::now() - start).count() / 3;
    std::set<std::int32_t> written{-1};
    int killedMidWrite = 0;
    // Until three kills have landed inside a write (a temporary was left)
    // and some writes got through.
    int round = 0;
    for (; round < 300 && (killedMidWrite < 3 || written.size() < 4); ++round) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (std::int32_t n = round * 100000;; ++n) WriteNumber("counter", n);
        }
        ::usleep(static_cast<useconds_t>(oneWrite * (2 + round % 9) / 4));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        if (::unlink((UserSettingsFile() + ".new").c_str()) == 0) ++killedMidWrite;

        const std::int32_t counter = ReadNumber("counter", -1);
        ASSERT_TRUE(UserFile().KeyExists(Key)) << "round " << round;
        ASSERT_EQ(ReadString("bulk", 300000, "").size(), 200000u) << "round " << round;
        ASSERT_TRUE(counter == -1 || counter / 100000 <= round) << counter;
        written.insert(counter);
    }
    EXPECT_GT(written.size(), 2u) << "the writers should have got some writes through";
    EXPECT_GE(killedMidWrite, 1) << "no kill fell inside a write in " << round << " rounds";
}
