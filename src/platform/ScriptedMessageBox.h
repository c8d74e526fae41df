#pragma once

#include "platform/MessageBox.h"

#include <deque>
#include <mutex>
#include <vector>

// A message box for tests: answers from a queue and records every message.
// An empty queue answers IDCANCEL, as a box closed without a choice.
// While it lives it is the process-wide implementation; the previous one
// comes back when it is destroyed.
class TScriptedMessageBox : public IMessageBox {
public:
    struct TShown {
        std::string Text;
        std::string Caption;
        std::uint32_t Style = 0;
    };

    TScriptedMessageBox();
    TScriptedMessageBox(const TScriptedMessageBox&) = delete;
    TScriptedMessageBox& operator=(const TScriptedMessageBox&) = delete;
    ~TScriptedMessageBox() override;

    void Answer(int Button);
    std::vector<TShown> Shown() const;

    int Show(const std::string& Text, const std::string& Caption, std::uint32_t Style) override;

private:
    mutable std::mutex fLock;
    std::deque<int> fAnswers;
    std::vector<TShown> fShown;
    IMessageBox* fPrevious = nullptr;
};
