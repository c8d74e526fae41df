// main() of the tests that need no Qt application.
#include "support/SourceSelection.h"

#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    const std::string Source = TakeSourceArgument(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    if (!SelectTestsOfSource(Source))
        return 1;
    return RUN_ALL_TESTS();
}
