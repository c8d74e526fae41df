#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

// A file that could not be read or written; the message names the file and the reason.
class EFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    EFileError(const std::string& Message, std::string Reason)
        : std::runtime_error(Message), fReason(std::move(Reason))
    {
    }
    // The system's reason alone ("No space left on device") when it is
    // known, else the whole message.
    std::string Reason() const { return fReason.empty() ? what() : fReason; }

private:
    std::string fReason;
};

// Replaces the file's whole content so that a reader, or the next start after
// a crash, sees either the old file or the new one, never a part: the bytes go
// to a temporary file in the same folder, are flushed to the disk, and the
// temporary file is renamed over the old one. Mode sets the permission bits
// (e.g. 0600 for a file holding keys); without it an existing file keeps its
// bits and a new one gets 0666 less the umask. Raises EFileError on failure,
// leaving the old file untouched. The temporary file is named "." + the
// file's name + "." + the writer's process id + "." + six letters or digits;
// those of the same file that an ended writer left behind are removed first
// (RemoveStaleTemps).
void WriteFileAtomic(const std::filesystem::path& FileName, std::string_view Bytes,
                     std::optional<unsigned> Mode = std::nullopt);

// Removes from Folder the temporary files that WriteFileAtomic left behind
// when its process was killed between writing and renaming: those of
// FileName, or of any file when FileName is empty. Only regular files named
// exactly as WriteFileAtomic names them go, and only when their writer has
// ended: no process has its id, the one that has it has ended but is not
// reaped yet, or it started after the file was last written (the id was
// given anew). A file of a running writer stays however old: its save may
// be stalled and still has to rename it. Nothing for an empty Folder. Best
// effort: failures are ignored.
void RemoveStaleTemps(const std::filesystem::path& Folder, std::string_view FileName = {});

// WriteFileAtomic, unless the file already holds exactly Bytes: a full or
// read-only folder then still serves as long as nothing in it has to
// change. True when the file was written.
bool WriteFileIfChanged(const std::filesystem::path& FileName, std::string_view Bytes);
