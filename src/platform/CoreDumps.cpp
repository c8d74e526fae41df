#include "platform/CoreDumps.h"

#include <sys/prctl.h>
#include <sys/resource.h>

bool DisableCoreDumps()
{
    const rlimit None{0, 0};
    const bool Limited = setrlimit(RLIMIT_CORE, &None) == 0;
    const bool Hidden = prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) == 0;
    return Limited && Hidden;
}
