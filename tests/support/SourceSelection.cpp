#include "support/SourceSelection.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace {

constexpr const char* cOption = "--source=";
constexpr const char* cTestFileEnd = "_test.cpp";

std::string FileName(const std::string& Path)
{
    return std::filesystem::path(Path).filename().string();
}

std::vector<TTestLocation> ProgramTests()
{
    std::vector<TTestLocation> Tests;
    const testing::UnitTest& Unit = *testing::UnitTest::GetInstance();
    for (int S = 0; S < Unit.total_test_suite_count(); ++S) {
        const testing::TestSuite& Suite = *Unit.GetTestSuite(S);
        for (int T = 0; T < Suite.total_test_count(); ++T) {
            const testing::TestInfo& Info = *Suite.GetTestInfo(T);
            Tests.push_back({std::string(Suite.name()) + "." + Info.name(), Info.file()});
        }
    }
    return Tests;
}

} // namespace

std::string TakeSourceArgument(int& argc, char** argv)
{
    std::string Source;
    int Kept = 1;
    for (int I = 1; I < argc; ++I) {
        if (std::strncmp(argv[I], cOption, std::strlen(cOption)) == 0)
            Source = argv[I] + std::strlen(cOption);
        else
            argv[Kept++] = argv[I];
    }
    argc = Kept;
    argv[argc] = nullptr;
    return Source;
}

std::string SourceFilter(const std::vector<TTestLocation>& Tests, const std::string& Source)
{
    std::string Filter;
    for (const TTestLocation& Test : Tests) {
        const std::string Name = FileName(Test.File);
        if (!Name.ends_with(cTestFileEnd))
            throw std::runtime_error(Test.FullName + " is defined in " + Test.File +
                                     ", outside a test file, and would never run");
        if (Name == Source)
            Filter += (Filter.empty() ? "" : ":") + Test.FullName;
    }
    if (Filter.empty())
        throw std::runtime_error("no test is defined in " + Source);
    return Filter;
}

bool SelectTestsOfSource(const std::string& Source)
{
    // A filter of the caller's own (also a death test's child) is kept.
    if (Source.empty() || GTEST_FLAG_GET(filter) != "*")
        return true;
    try {
        GTEST_FLAG_SET(filter, SourceFilter(ProgramTests(), Source));
    } catch (const std::runtime_error& Error) {
        std::cerr << Error.what() << '\n';
        return false;
    }
    return true;
}
