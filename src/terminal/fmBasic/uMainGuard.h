#pragma once

#include <functional>

// No exception may leave a handler of the main window into Qt's event loop.
// Each handler runs its body through one of these, by the kind of handler.

// The handlers whose failures are logged: one alert line
// "TfmBaseMain.<Method> | <class> : <message>"; the user sees nothing.
void RunLogged(const char* Method, const std::function<void()>& Body) noexcept;

// The grid refresh methods: "TfmBaseMain.<Method> error: <message>".
void RunRefreshLogged(const char* Method, const std::function<void()>& Body) noexcept;

// Every other handler: the failure's message in a message box, as the
// application-wide handler shows it.
void RunShown(const std::function<void()>& Body) noexcept;
