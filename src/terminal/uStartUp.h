#pragma once

#include <string>

// The first-start marker in the per-user roaming folder: written at every
// start once the first-start dialogs are behind, so its absence means the
// language has not been chosen or the agreement not accepted yet.
inline constexpr char cFirstStartMarker[] = "agreement.accepted";

// The program: the first services, the resource files, the first-start
// dialogs, the builder, the message loop and the teardown. Needs the Qt
// application object; runs on its thread. SIGTERM and SIGINT close the main
// window as its close button does (an open dialog cancelled first), or before
// it exists end the start as a cancelled one; a second signal ends the
// process at once. Returns the exit code: 0 after a normal run, a close by
// signal or a start cancelled at a first-start dialog, 1 when the start
// failed (the reason was shown in a message box).
int RunTavrix();
