#pragma once

#include "platform/MessageBox.h"

// Message boxes as QMessageBox, owned by the active window; a text too long
// for the screen is cut until the box fits on it. While it lives it is the
// process-wide implementation; the previous one comes back after.
class TQtMessageBox : public IMessageBox {
public:
    TQtMessageBox();
    TQtMessageBox(const TQtMessageBox&) = delete;
    TQtMessageBox& operator=(const TQtMessageBox&) = delete;
    ~TQtMessageBox() override;

    // Called on the user-interface thread (MessageBox() sees to that when a
    // dispatcher is set); from another thread the text goes to the standard
    // error stream and the answer is IDCANCEL.
    int Show(const std::string& Text, const std::string& Caption, std::uint32_t Style) override;

private:
    IMessageBox* fPrevious = nullptr;
};
