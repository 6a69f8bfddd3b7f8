#include "platform/RegistryFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

using platform::RegistryFile;
using platform::RegistryValue;

TEST(RegistryFile, KeepsTypesNamesAndOddBytesAcrossASave)
{
    TempFolder dir;
    RegistryFile store(dir / "store.reg");
    const std::string key = "Software\\Quillory\\Pairlet";
    const std::string odd = std::string("tab\there \"quoted\" back\\slash \x01\x7f end");
    RegistryValue binary;
    binary.type = 3;
    binary.bytes = std::string("\0\1\2", 3);

    ASSERT_TRUE(store.SetValue(key, "rows", RegistryValue::FromNumber(0xFFFFFFFEu)));
    ASSERT_TRUE(store.SetValue(key, "odd \"name\"", RegistryValue::FromText(odd)));
    ASSERT_TRUE(store.SetValue(key, "", RegistryValue::FromText("default")));
    ASSERT_TRUE(store.SetValue(key, "blob", binary));
    ASSERT_TRUE(store.SetValue("Other\\Key", "ROWS", RegistryValue::FromNumber(3)));

    EXPECT_EQ(store.Query(key, "ROWS")->bytes, RegistryValue::FromNumber(0xFFFFFFFEu).bytes);
    EXPECT_EQ(store.Query(key, "ROWS")->type, RegistryValue::Number);
    EXPECT_EQ(store.Query(key, "odd \"name\"")->bytes, odd + '\0');
    EXPECT_EQ(store.Query("software\\QUILLORY\\pairlet", "")->bytes, std::string("default", 8));
    EXPECT_EQ(store.Query(key, "blob")->type, 3u);
    EXPECT_EQ(store.Query(key, "blob")->bytes, binary.bytes);
    EXPECT_EQ(store.Query("Other\\Key", "rows")->bytes, RegistryValue::FromNumber(3).bytes);
    EXPECT_FALSE(store.Query(key, "columns"));
    EXPECT_FALSE(store.Query("Missing", "rows"));
}

TEST(RegistryFile, RefusesKeyPathsItCannotHold)
{
    TempFolder dir;
    RegistryFile store(dir / "store.reg");
    EXPECT_FALSE(store.CreateKey(""));
    EXPECT_FALSE(store.CreateKey("a]b"));
    EXPECT_FALSE(store.SetValue("a\nb", "v", RegistryValue::FromNumber(1)));
    EXPECT_TRUE(store.CreateKey("a\\b"));
    EXPECT_TRUE(store.KeyExists("A\\B"));
}

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
