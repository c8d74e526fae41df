#pragma once

#include <functional>

// No exception may leave a handler of the main window into Qt's event loop.
// Each handler runs its body through one of these, by the kind of handler.

// The handlers whose failures are logged: one alert line
// "TfmBaseMain.<Method> | <class> : <message>"; the user sees nothing.
void RunLogged(const char* Method, const std::function<void()>& Body) noexcept;

// The grid refresh methods: "TfmBaseMain.<Method> error: <message>".
void RunRefreshLogged(const char* Method, const std::function<void()>& Body) noexcept;

// Every other handler: the application-wide handler logs the failure and
// shows its message in a message box once the event has returned.
void RunShown(const std::function<void()>& Body) noexcept;
