#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The program's raw-data resources: every file under resources/ is compiled
// into the program under its path relative to that folder ("english.lng").
struct TEmbeddedResource {
    const char* Name;
    const unsigned char* Data;
    std::size_t Size;
};

// The bytes of the named resource (names are case-sensitive), or nothing.
// The view stays valid for the life of the process.
std::optional<std::string_view> FindResource(std::string_view Name);

// The names of the resources that begin with Prefix, sorted.
std::vector<std::string> ResourceNames(std::string_view Prefix);

// Adds or replaces a resource at run time (tests, generated content). Call it
// before other threads look resources up.
void RegisterResource(std::string Name, std::string Bytes);
