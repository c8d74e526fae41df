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

// Registered names live for the whole process: each run of the test (the
// program may repeat it) takes names of its own.
TEST(Resources, RegisteredAtRunTimeAndLookedUpByExactName)
{
    static int Runs = 0;
    const std::string Prefix = "test" + std::to_string(++Runs) + ".";
    const std::string Name = Prefix + "bin";
    EXPECT_FALSE(FindResource(Name));
    std::string Binary("\0\x01\xfe", 3);
    RegisterResource(Name, Binary);
    auto First = FindResource(Name);
    ASSERT_TRUE(First);
    EXPECT_EQ(*First, Binary);

    RegisterResource(Name, "replaced");
    EXPECT_EQ(FindResource(Name).value_or(""), "replaced");
    // The earlier view stays valid.
    EXPECT_EQ(*First, Binary);
    EXPECT_FALSE(FindResource(Prefix + "BIN"));

    RegisterResource(Prefix + "a", "");
    EXPECT_EQ(ResourceNames(Prefix), (std::vector<std::string>{Prefix + "a", Name}));
    const std::vector<std::string> Shipped = ResourceNames("english.");
    EXPECT_EQ(Shipped, (std::vector<std::string>{"english.license", "english.lng"}));
}
