#pragma once

// Turns off the process's core dumps for good (soft and hard limit 0) and
// marks it not dumpable, so that neither a crash nor a debugger of the same
// user reads the API keys the process holds in clear. Call first in main,
// before any key is read. False when the system refused either.
bool DisableCoreDumps();
