#include "platform/ScriptedMessageBox.h"

TScriptedMessageBox::TScriptedMessageBox() : fPrevious(SetMessageBox(this)) {}

TScriptedMessageBox::~TScriptedMessageBox()
{
    SetMessageBox(fPrevious);
}

void TScriptedMessageBox::Answer(int Button)
{
    std::lock_guard Guard(fLock);
    fAnswers.push_back(Button);
}

std::vector<TScriptedMessageBox::TShown> TScriptedMessageBox::Shown() const
{
    std::lock_guard Guard(fLock);
    return fShown;
}

int TScriptedMessageBox::Show(const std::string& Text, const std::string& Caption,
                              std::uint32_t Style)
{
    std::lock_guard Guard(fLock);
    fShown.push_back({Text, Caption, Style});
    if (fAnswers.empty())
        return IDCANCEL;
    int Button = fAnswers.front();
    fAnswers.pop_front();
    return Button;
}
