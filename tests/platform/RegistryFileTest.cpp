#include "platform/RegistryFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

using platform::RegistryFile;
using platform::RegistryValue;

TEST(RegistryFile, DamagedFilesReadAsEmptyAndAreSetAsideByTheNextWrite)
{
    TempFolder dir;
    RegistryFile store(dir / "store.reg");
    ASSERT_TRUE(store.SetValue("K", "rows", RegistryValue::FromNumber(8)));
    const std::string good = dir.Read("store.reg");

    const std::string damaged[] = {
        "",
        "garbage",
        good.substr(0, good.size() / 2),
        good.substr(0, good.size() - 3),
        "QUILLORY-REGISTRY 1\n\"rows\"=dword:00000008\nEND",      // value outside any key
        "QUILLORY-REGISTRY 1\n[K]\n\"rows\"=dword:0008\nEND",      // short number
        "QUILLORY-REGISTRY 1\n[K]\n\"rows\"=\"unterminated\nEND",  // open quote
        "QUILLORY-REGISTRY 1\n[K]\n\"rows\"=hex(1):0,1\nEND",      // bad hex
        "QUILLORY-REGISTRY 1\n[K]\n\"rows\"=\"bad \\q escape\"\nEND",
        std::string("QUILLORY-REGISTRY 1\n[K]\n\"rows\"=dword:00000008\n\0\0\0END", 50),
    };
    for (const std::string& text : damaged) {
        dir.Write("store.reg", text);
        EXPECT_FALSE(store.Query("K", "rows")) << text;
        EXPECT_FALSE(store.KeyExists("K")) << text;
    }

    dir.Write("store.reg", "garbage");
    ASSERT_TRUE(store.SetValue("K", "columns", RegistryValue::FromNumber(9)));
    EXPECT_EQ(dir.Read("store.reg.damaged"), "garbage");
    EXPECT_TRUE(store.Query("K", "columns"));
    EXPECT_FALSE(store.Query("K", "rows"));
}
