#pragma once

#include <string>
#include <vector>

// A test folder builds into one program; CTest starts it once per test file
// with "--source=<file name>", so that every file still runs as a process of
// its own, in parallel with the others, as it would as a program of its own.

// Removes "--source=<file name>" from the arguments and returns the name, or
// an empty text when there is none.
std::string TakeSourceArgument(int& argc, char** argv);

// The filter that runs exactly the program's tests defined in Source (a file
// name without folder), given every test as its full name and its file. Fails
// (std::runtime_error) when no test is defined there, or when a test is
// defined outside a *_test.cpp file: no file's run would ever include it.
struct TTestLocation {
    std::string FullName; // "Suite.Name"
    std::string File;     // as the compiler saw it
};
std::string SourceFilter(const std::vector<TTestLocation>& Tests, const std::string& Source);

// Called between InitGoogleTest and RUN_ALL_TESTS with the taken file name:
// unless it is empty or the caller gave a --gtest_filter of its own, narrows
// the run to that file's tests. False, after a message, when that fails.
bool SelectTestsOfSource(const std::string& Source);
