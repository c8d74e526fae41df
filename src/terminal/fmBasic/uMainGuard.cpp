#include "terminal/fmBasic/uMainGuard.h"

#include "domain/uLog.h"
#include "platform/qt/AppException.h"
#include "terminal/fmBasic/ufrmBasic.h"

#include <exception>
#include <string>

namespace {

constexpr const char* cUnknownKind = "unknown exception";

// Never throws: a failure while reporting a failure is dropped.
void WriteAlert(const std::string& Text) noexcept
{
    try {
        WriteLog(Text, mtAlert, 0);
    } catch (...) {
    }
}

std::string Prefix(const char* Method)
{
    return std::string("TfmBaseMain.") + Method;
}

} // namespace

void RunLogged(const char* Method, const std::function<void()>& Body) noexcept
{
    try {
        Body();
    } catch (const std::exception& E) {
        WriteAlert(Prefix(Method) + " | " + DemangledName(typeid(E)) + " : " + E.what());
    } catch (...) {
        WriteAlert(Prefix(Method) + " | " + cUnknownKind);
    }
}

void RunRefreshLogged(const char* Method, const std::function<void()>& Body) noexcept
{
    try {
        Body();
    } catch (const std::exception& E) {
        WriteAlert(Prefix(Method) + " error: " + E.what());
    } catch (...) {
        WriteAlert(Prefix(Method) + " error: " + cUnknownKind);
    }
}

void RunShown(const std::function<void()>& Body) noexcept
{
    try {
        Body();
    } catch (...) {
        ApplicationHandleException("TfmBaseMain");
    }
}
