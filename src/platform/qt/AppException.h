#pragma once

// The application-wide handler of a failure that escapes an event handler of
// a window (a mouse, wheel, paint or command handler): no exception may reach
// Qt's event loop. UI thread only.

#include <functional>
#include <string>
#include <typeinfo>

// Called inside a catch block. Writes one line "<Where> | <class> : <message>"
// to the application log at once, and shows the message in a box captioned
// "Tavrix" once the event being handled has returned to the event loop (the
// handler never waits for the user inside the event).
void ApplicationHandleException(const std::string& Where) noexcept;

// As ApplicationHandleException without the box: for a paint, where no
// window may open.
void ApplicationLogException(const std::string& Where) noexcept;

// Where the lines go; the program sets its debug log once the log exists and
// clears it before the log goes. Unset, they go to the standard error stream.
using TApplicationLog = std::function<void(const std::string& Line)>;
// Returns the previous one.
TApplicationLog SetApplicationLog(TApplicationLog Log);

// The readable name of a type, as failures are logged with it.
std::string DemangledName(const std::type_info& Type);
