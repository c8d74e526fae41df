#include "support/SourceSelection.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(SourceSelection, FilterNamesExactlyTheTestsOfTheFile)
{
    const std::vector<TTestLocation> Tests = {
        {"Axis.Range", "/src/tests/chart/Axis_test.cpp"},
        {"Axis.Steps", "/src/tests/chart/Axis_test.cpp"},
        {"Grid.Lines", "/src/tests/chart/MyAxis_test.cpp"},
        {"Typed/0.Kind", "/src/tests/chart/Axis_test.cpp"},
    };
    EXPECT_EQ(SourceFilter(Tests, "Axis_test.cpp"), "Axis.Range:Axis.Steps:Typed/0.Kind");
    EXPECT_EQ(SourceFilter(Tests, "MyAxis_test.cpp"), "Grid.Lines");
    EXPECT_THROW(SourceFilter(Tests, "Axis.cpp"), std::runtime_error);
    EXPECT_THROW(SourceFilter({}, "Axis_test.cpp"), std::runtime_error);
}

TEST(SourceSelection, TestOutsideATestFileFailsEveryFile)
{
    const std::vector<TTestLocation> Tests = {
        {"Axis.Range", "/src/tests/chart/Axis_test.cpp"},
        {"Fixture.Shared", "/src/tests/chart/AxisFixture.h"},
    };
    EXPECT_THROW(SourceFilter(Tests, "Axis_test.cpp"), std::runtime_error);
}

TEST(SourceSelection, ArgumentIsTakenOutOfTheCommandLine)
{
    struct TCase {
        std::vector<std::string> Args;
        std::string Source;
        std::vector<std::string> Left;
    };
    const TCase Cases[] = {
        {{"prog", "--source=A_test.cpp", "--gtest_brief=1"},
         "A_test.cpp",
         {"prog", "--gtest_brief=1"}},
        {{"prog", "--gtest_brief=1"}, "", {"prog", "--gtest_brief=1"}},
        {{"prog", "--sources=x", "--source=B_test.cpp"}, "B_test.cpp", {"prog", "--sources=x"}},
    };
    for (const TCase& C : Cases) {
        std::vector<std::string> Storage = C.Args;
        std::vector<char*> Argv;
        for (std::string& Arg : Storage)
            Argv.push_back(Arg.data());
        Argv.push_back(nullptr);
        int Argc = int(C.Args.size());
        EXPECT_EQ(TakeSourceArgument(Argc, Argv.data()), C.Source);
        EXPECT_EQ(std::vector<std::string>(Argv.data(), Argv.data() + Argc), C.Left);
        EXPECT_EQ(Argv[Argc], nullptr);
    }
}

} // namespace
