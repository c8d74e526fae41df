#pragma once

#include "platform/FileWrite.h"

#include <filesystem>
#include <string>

// The whole file as bytes. Raises EFileError when it cannot be opened or read
// (missing, a folder, no permission).
std::string ReadWholeFile(const std::filesystem::path& FileName);
