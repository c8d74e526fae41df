#include "platform/MessageBox.h"

#include <atomic>
#include <cstdio>

namespace {

std::atomic<IMessageBox*> gMessageBox{nullptr};

} // namespace

IMessageBox* SetMessageBox(IMessageBox* Impl)
{
    return gMessageBox.exchange(Impl);
}

IMessageBox* GetMessageBox()
{
    return gMessageBox.load();
}

int MessageBox(const std::string& Text, const std::string& Caption, std::uint32_t Style)
{
    if (IMessageBox* Impl = gMessageBox.load())
        return Impl->Show(Text, Caption, Style);
    std::fprintf(stderr, "%s: %s\n", Caption.c_str(), Text.c_str());
    return IDCANCEL;
}
