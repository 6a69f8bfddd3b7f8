// The volumes of this machine, and of a mount table written for the test.
#include "platform/QtVolumes.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace platform;

namespace {

constexpr std::int64_t Slack = 64 << 20; // other programs write meanwhile

std::int64_t Difference(std::uint64_t a, std::uintmax_t b)
{
    return std::abs(std::int64_t(a) - std::int64_t(b));
}

TEST(QtVolumesTest, ListsThisMachinesRootWithTheSpaceTheSystemReports)
{
    const QtVolumes volumes;
    const std::vector<Volumes::Volume> list = volumes.List();
    EXPECT_TRUE(std::any_of(list.begin(), list.end(), [](const auto& v) { return v.root == "/"; }));
    for (const auto& v : list) EXPECT_EQ('/', v.root.back()) << v.root;

    const TempFolder here;
    const std::uintmax_t reported = std::filesystem::space(here.Path()).available;
    ASSERT_GT(reported, 0u);
    const std::optional<std::uint64_t> free = volumes.FreeBytes(here.Path());
    // AnimCD does not exist yet: the space is that of the folder above.
    const std::optional<std::uint64_t> below = volumes.FreeBytes(here / "Quillory/Pairlet/AnimCD");
    ASSERT_TRUE(free && below);
    EXPECT_LT(Difference(*free, reported), Slack);
    EXPECT_LT(Difference(*below, reported), Slack);
}

TEST(QtVolumesTest, NeverQueriesNetworkOrFuseMountsAndAddsTheFoldersNamedByThePlayer)
{
    const TempFolder local, remote, fuse, table;
    const std::string mounts = table.Write("mounts", "/dev/sdb1 " + local.Path() + " ext4 rw 0 0\n" +
                                                         "server:/games " + remote.Path() + " nfs4 rw 0 0\n" +
                                                         "me@host: " + fuse.Path() + " fuse.sshfs rw 0 0\n" +
                                                         "proc /proc proc rw 0 0\n");
    const TempHome listed("PAIRLET_VOLUMES");
    ::setenv("PAIRLET_VOLUMES", "LUMARIS_1=/copies/disc:no-folder:Other=/x/:Empty=", 1);
    const QtVolumes volumes(mounts);
    std::vector<std::pair<std::string, std::string>> seen;
    for (const auto& v : volumes.List()) seen.emplace_back(v.root, v.root == local.Path() + "/" ? "" : v.label);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {local.Path() + "/", ""}, {"/copies/disc/", "LUMARIS_1"}, {"/x/", "Other"}};
    EXPECT_EQ(expected, seen);

    EXPECT_FALSE(volumes.FreeBytes(remote / "AnimCD"));
    EXPECT_FALSE(volumes.FreeBytes(fuse.Path()));
    EXPECT_TRUE(volumes.FreeBytes(local / "AnimCD"));
}

} // namespace
