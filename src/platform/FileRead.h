#pragma once

#include "platform/FileWrite.h"

#include <cstddef>
#include <filesystem>
#include <string>

// The largest file the program reads: far above any file it writes itself.
inline constexpr std::size_t cMaxReadFileBytes = 4 * 1024 * 1024;

// The one reader of every file the program reads (profile, settings, symbol
// groups, translation table, chart layout, templates). Only a regular file,
// after following links, of at most aMaxBytes is read, so a device, a FIFO or
// a huge file can neither block the caller nor exhaust memory. Raises
// EFileError when the file is refused or cannot be opened or read (missing,
// a folder, no permission); the message names the file and the reason.
std::string ReadWholeFile(const std::filesystem::path& FileName,
                          std::size_t aMaxBytes = cMaxReadFileBytes);
