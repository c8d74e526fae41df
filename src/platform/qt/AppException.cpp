#include "platform/qt/AppException.h"

#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <exception>
#include <memory>
#include <utility>

namespace {

TApplicationLog& Log()
{
    static TApplicationLog Current;
    return Current;
}

// The log line and the message of the exception being handled.
void Describe(const std::string& Where, std::string& Line, std::string& Message)
{
    try {
        throw;
    } catch (const std::exception& E) {
        Message = E.what();
        Line = Where + " | " + DemangledName(typeid(E)) + " : " + Message;
    } catch (...) {
        Message = "unknown exception";
        Line = Where + " | " + Message;
    }
}

void WriteLine(const std::string& Line) noexcept
{
    try {
        if (const TApplicationLog Sink = Log())
            Sink(Line);
        else
            std::fprintf(stderr, "%s\n", Line.c_str());
    } catch (...) {
    }
}

void ShowBox(const std::string& Message) noexcept
{
    try {
        MessageBox(Message, "Tavrix", MB_OK | MB_ICONERROR);
    } catch (...) {
        WriteLine(Message);
    }
}

} // namespace

void ApplicationHandleException(const std::string& Where) noexcept
{
    try {
        std::string Line, Message;
        Describe(Where, Line, Message);
        WriteLine(Line);
        QCoreApplication* App = QCoreApplication::instance();
        if (!App) {
            ShowBox(Message);
            return;
        }
        QMetaObject::invokeMethod(
            App, [Message] { ShowBox(Message); }, Qt::QueuedConnection);
    } catch (...) {
    }
}

void ApplicationLogException(const std::string& Where) noexcept
{
    try {
        std::string Line, Message;
        Describe(Where, Line, Message);
        WriteLine(Line);
    } catch (...) {
    }
}

TApplicationLog SetApplicationLog(TApplicationLog Sink)
{
    return std::exchange(Log(), std::move(Sink));
}

std::string DemangledName(const std::type_info& Type)
{
    int Status = 0;
    std::unique_ptr<char, decltype(&std::free)> Name(
        abi::__cxa_demangle(Type.name(), nullptr, nullptr, &Status), &std::free);
    return Status == 0 && Name ? std::string(Name.get()) : std::string(Type.name());
}
