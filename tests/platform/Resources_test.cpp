#include "platform/Resources.h"

#include "platform/FileRead.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(Resources, EveryFileUnderTheResourceFolderIsEmbeddedByteForByte)
{
    const fs::path Root = fs::path(TAVRIX_SOURCE_DIR) / "resources";
    ASSERT_TRUE(fs::is_directory(Root)) << Root;
    for (const auto& Entry : fs::recursive_directory_iterator(Root)) {
        if (!Entry.is_regular_file())
            continue;
        std::string Name = fs::relative(Entry.path(), Root).generic_string();
        auto Bytes = FindResource(Name);
        ASSERT_TRUE(Bytes) << Name;
        EXPECT_EQ(*Bytes, ReadWholeFile(Entry.path())) << Name;
    }
}

TEST(Resources, RegisteredAtRunTimeAndLookedUpByExactName)
{
    EXPECT_FALSE(FindResource("test.bin"));
    std::string Binary("\0\x01\xfe", 3);
    RegisterResource("test.bin", Binary);
    auto First = FindResource("test.bin");
    ASSERT_TRUE(First);
    EXPECT_EQ(*First, Binary);

    RegisterResource("test.bin", "replaced");
    EXPECT_EQ(FindResource("test.bin").value_or(""), "replaced");
    // The earlier view stays valid.
    EXPECT_EQ(*First, Binary);
    EXPECT_FALSE(FindResource("TEST.BIN"));

    RegisterResource("test.a", "");
    EXPECT_EQ(ResourceNames("test."), (std::vector<std::string>{"test.a", "test.bin"}));
    const std::vector<std::string> Shipped = ResourceNames("english.");
    EXPECT_EQ(Shipped, (std::vector<std::string>{"english.license", "english.lng"}));
}
