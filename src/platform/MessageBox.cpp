#include "platform/MessageBox.h"

#include "platform/TextCut.h"
#include "platform/UIDispatcher.h"

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

namespace {

int ShowHere(const std::string& Text, const std::string& Caption, std::uint32_t Style)
{
    if (IMessageBox* Impl = gMessageBox.load())
        return Impl->Show(Text, Caption, Style);
    std::fprintf(stderr, "%s: %s\n", Caption.c_str(), Text.c_str());
    return IDCANCEL;
}

} // namespace

int MessageBox(const std::string& Text, const std::string& Caption, std::uint32_t Style)
{
    // A worker's message is shown by the user-interface thread, which owns the windows.
    TUIDispatcher* Dispatcher = GetUIDispatcher();
    if (!Dispatcher || Dispatcher->IsUIThread())
        return ShowHere(Text, Caption, Style);
    int Answer = IDCANCEL;
    Dispatcher->InvokeSync([&] { Answer = ShowHere(Text, Caption, Style); });
    return Answer;
}

std::string ShownText(std::string_view Text)
{
    return CutText(Text, cShownChars);
}
