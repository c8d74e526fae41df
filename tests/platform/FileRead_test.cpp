#include "platform/FileRead.h"

#include "support/TempHome.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

// Read whole only when a regular file (a link to one is followed) within the
// cap; anything else is refused at once, a FIFO without a writer included.
TEST(ReadWholeFile, ReadsOnlyRegularFilesUpToTheCapWithoutBlocking)
{
    TTempHome Home;
    const fs::path Dir = Home.Path();
    WriteFileAtomic(Dir / "cap", "12345678");
    WriteFileAtomic(Dir / "big", "123456789");
    fs::create_symlink(Dir / "cap", Dir / "link");
    fs::create_symlink("/dev/zero", Dir / "zero");
    fs::create_symlink(Dir / "none", Dir / "dangling");
    mkfifo((Dir / "fifo").c_str(), 0600);
    const struct {
        const char* Name;
        const char* Reason; // empty: read
    } Cases[] = {
        {"cap", ""},
        {"link", ""},
        {"big", "larger than 8 bytes"},
        {"zero", "not a regular file"},
        {"fifo", "not a regular file"},
        {"", "not a regular file"},
        {"none", "No such file or directory"},
        {"dangling", "No such file or directory"},
    };
    for (const auto& C : Cases) {
        const fs::path File = Dir / C.Name;
        try {
            EXPECT_EQ(ReadWholeFile(File, 8), "12345678") << C.Name;
            EXPECT_STREQ(C.Reason, "") << C.Name;
        } catch (const EFileError& E) {
            EXPECT_EQ(std::string(E.what()),
                      "Cannot read file \"" + File.string() + "\": " + C.Reason);
        }
    }
}
