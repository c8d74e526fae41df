#pragma once

#include <Qt>
#include <string>

// The cursor over every window of the program, as one setting: the default
// arrow lets each widget show its own cursor again.
void SetScreenCursor(Qt::CursorShape Shape);
Qt::CursorShape ScreenCursor();

// Opens Url in the user's default browser; false when none could be started.
bool OpenURL(const std::string& Url);
