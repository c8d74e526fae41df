#include "domain/uSaveReport.h"

#include "domain/uCommon.h"
#include "domain/uLog.h"
#include "domain/uTranslator.h"
#include "platform/FileWrite.h"

#include <exception>
#include <mutex>
#include <set>

namespace {

// The files whose last save failed and was told.
std::mutex gFailedLock;
std::set<std::string> gFailed;

// True the first time a file fails since it was last saved.
bool FirstFailure(const std::string& aFileName)
{
    std::lock_guard Guard(gFailedLock);
    return gFailed.insert(aFileName).second;
}

void Saved(const std::string& aFileName)
{
    std::lock_guard Guard(gFailedLock);
    gFailed.erase(aFileName);
}

void Tell(const std::string& aFileName, std::string_view aFailure, const std::string& aReason)
{
    // Marked before the box: a save from within the box's own event loop
    // does not bring a second one.
    if (!FirstFailure(aFileName))
        return;
    Alert(Translator ? Translator->Translate(aFailure, {aReason})
                     : FillPlaceholders(aFailure, {aReason}));
}

} // namespace

bool SaveReported(const std::string& aFileName, std::string_view aFailure,
                  const std::function<void()>& aWrite)
{
    try {
        aWrite();
    } catch (const std::exception& E) {
        WriteLog(E.what(), mtAlert, 0);
        const auto* FileError = dynamic_cast<const EFileError*>(&E);
        Tell(aFileName, aFailure, FileError ? FileError->Reason() : std::string(E.what()));
        return false;
    }
    Saved(aFileName);
    return true;
}
