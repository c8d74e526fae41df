#include "platform/qt/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

QMessageBox::Icon IconOf(std::uint32_t Style)
{
    switch (Style & MB_ICONMASK) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The buttons in the order Win32 shows them, with their answer codes.
std::vector<std::pair<QMessageBox::StandardButton, int>> ButtonsOf(std::uint32_t Style)
{
    switch (Style & MB_BUTTONMASK) {
    case MB_YESNOCANCEL:
        return {
            {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    default:
        return {{QMessageBox::Ok, IDOK}};
    }
}

} // namespace

TQtMessageBox::TQtMessageBox() : fPrevious(SetMessageBox(this)) {}

TQtMessageBox::~TQtMessageBox()
{
    SetMessageBox(fPrevious);
}

int TQtMessageBox::Show(const std::string& Text, const std::string& Caption, std::uint32_t Style)
{
    if (!qApp || QThread::currentThread() != qApp->thread()) {
        std::fprintf(stderr, "%s: %s\n", Caption.c_str(), Text.c_str());
        return IDCANCEL;
    }
    QMessageBox Box(IconOf(Style), QString::fromStdString(Caption), QString::fromStdString(Text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    auto Buttons = ButtonsOf(Style);
    for (const auto& [Button, Code] : Buttons)
        Box.addButton(Button);
    std::size_t Default = (Style & MB_DEFMASK) >> 8;
    if (Default < Buttons.size())
        Box.setDefaultButton(Buttons[Default].first);
    // Closing the box in any way answers like its escape button: Cancel, else No, else OK.
    Box.setEscapeButton(Box.button(Buttons.back().first));
    Box.exec();
    if (!Box.clickedButton())
        return Buttons.back().second;
    QMessageBox::StandardButton Pressed = Box.standardButton(Box.clickedButton());
    for (const auto& [Button, Code] : Buttons)
        if (Button == Pressed)
            return Code;
    return Buttons.back().second;
}
