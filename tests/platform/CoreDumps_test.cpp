#include "platform/CoreDumps.h"

#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// The process holds the keys in clear: after the call a crash leaves no core
// file, and the process cannot be read by a debugger of the same user. Tried
// in a child, so that the test program keeps its own settings.
TEST(DisableCoreDumps, LeavesNoCoreLimitAndAProcessThatCannotBeDumped)
{
    const pid_t Child = fork();
    ASSERT_GE(Child, 0);
    if (Child == 0) {
        rlimit Core{};
        const bool Took = DisableCoreDumps();
        const bool Checked = getrlimit(RLIMIT_CORE, &Core) == 0 && Core.rlim_cur == 0 &&
                             Core.rlim_max == 0 && prctl(PR_GET_DUMPABLE) == 0;
        _exit(Took && Checked ? 0 : 1);
    }
    int Status = 0;
    ASSERT_EQ(waitpid(Child, &Status, 0), Child);
    ASSERT_TRUE(WIFEXITED(Status));
    EXPECT_EQ(WEXITSTATUS(Status), 0);
}
