#include "platform/Persistent.h"

#include "platform/SysUtils.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <string>
#include <typeinfo>

namespace {

std::string ClassName(const TPersistent& Object)
{
    const char* Mangled = typeid(Object).name();
    int Status = 0;
    const std::unique_ptr<char, decltype(&std::free)> Name(
        abi::__cxa_demangle(Mangled, nullptr, nullptr, &Status), &std::free);
    return Status == 0 && Name ? Name.get() : Mangled;
}

} // namespace

void TPersistent::Assign(const TPersistent& Source)
{
    Source.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& Dest) const
{
    throw EConvertError("Cannot assign a " + ClassName(*this) + " to a " + ClassName(Dest) + ".");
}
