#pragma once

// The three states of a child window (uMdiWindow.h): kept apart so that code
// which only names a state need not see the window's other declarations.
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
