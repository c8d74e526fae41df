#pragma once

// The agreement text the form holds (Russian, UTF-8): shown while the
// current language has no agreement file of its own.
extern const char* const cEulaText;
