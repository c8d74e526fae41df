#include "platform/CoreDumps.h"

#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// The keys are held in clear: no core file, no reading by a debugger. In a
// child, so that the test program keeps its own settings.
TEST(DisableCoreDumps, LeavesNoCoreLimitAndAProcessThatCannotBeDumped)
{
    const pid_t Child = fork();
    ASSERT_GE(Child, 0);
    if (Child == 0) {
        rlimit Core{};
        const bool Off = DisableCoreDumps() && getrlimit(RLIMIT_CORE, &Core) == 0 &&
                         Core.rlim_cur == 0 && Core.rlim_max == 0 && prctl(PR_GET_DUMPABLE) == 0;
        _exit(Off ? 0 : 1);
    }
    int Status = 0;
    ASSERT_EQ(waitpid(Child, &Status, 0), Child);
    EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0) << Status;
}
