// The volumes of this machine, and of a mount table written for the test.
#include "platform/QtVolumes.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace platform;

TEST(QtVolumesTest, ListsThisMachinesRootWithTheSpaceTheSystemReports)
{
    const QtVolumes volumes;
    const auto list = volumes.List();
    EXPECT_TRUE(std::any_of(list.begin(), list.end(), [](const auto& v) { return v.root == "/"; }));
    const TempFolder here;
    const double reported = double(std::filesystem::space(here.Path()).available);
    // AnimCD does not exist yet: the space is that of the folder above.
    for (const std::string& folder : {here.Path(), here / "Quillory/Pairlet/AnimCD"}) {
        const std::optional<std::uint64_t> free = volumes.FreeBytes(folder);
        ASSERT_TRUE(free) << folder;
        EXPECT_NEAR(reported, double(*free), 64 << 20) << folder; // others write meanwhile
    }
}

TEST(QtVolumesTest, NeverQueriesNetworkOrFuseMountsAndAddsTheFoldersNamedByThePlayer)
{
    const TempFolder local, remote, fuse, table;
    const std::string mounts = table.Write("mounts", "/dev/sdb1 " + local.Path() + " ext4 rw 0 0\nserver:/games " +
                                                         remote.Path() + " nfs4 rw 0 0\nme@host: " + fuse.Path() +
                                                         " fuse.sshfs rw 0 0\nproc /proc proc rw 0 0\n");
    const TempHome listed("PAIRLET_VOLUMES");
    ::setenv("PAIRLET_VOLUMES", "LUMARIS_1=/copies/disc:no-folder:Other=/x/:Empty=", 1);
    const QtVolumes volumes(mounts);
    std::vector<std::string> seen;
    for (const auto& v : volumes.List()) seen.push_back(v.root + (v.root == local.Path() + "/" ? "" : " " + v.label));
    EXPECT_EQ(seen, (std::vector<std::string>{local.Path() + "/", "/copies/disc/ LUMARIS_1", "/x/ Other"}));
    EXPECT_FALSE(volumes.FreeBytes(remote / "AnimCD"));
    EXPECT_FALSE(volumes.FreeBytes(fuse.Path()));
    EXPECT_TRUE(volumes.FreeBytes(local / "AnimCD"));
}
