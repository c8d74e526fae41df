#include "platform/qt/QtMessageBox.h"

#include "platform/TextCut.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <string>
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

// A box whose text is cut, at a character and with "…", until the box fits
// in nine tenths of its screen (the rest is room for the window's frame):
// however long or unbreakable the text, the box and its buttons stay on
// screen. The size is known only once the box lays itself out to be shown.
class TFittingBox : public QMessageBox {
public:
    TFittingBox(Icon aIcon, const QString& aTitle, std::string aText, QWidget* aParent)
        : QMessageBox(aIcon, aTitle, QString::fromStdString(aText), NoButton, aParent),
          fText(std::move(aText))
    {
    }

protected:
    void showEvent(QShowEvent* aEvent) override
    {
        QMessageBox::showEvent(aEvent);
        FitOnScreen();
    }

private:
    // Each cut is in proportion to how far the box is over, so a few do.
    void FitOnScreen()
    {
        constexpr int cMaxCuts = 20;
        const QScreen* Screen = screen();
        if (!Screen)
            return;
        const QSize Room = Screen->availableGeometry().size() * 0.9;
        std::size_t Chars = Utf8Length(fText);
        for (int Cut = 0; Cut < cMaxCuts && Chars > 1; ++Cut) {
            const QSize Size = frameGeometry().size();
            if (Size.width() <= Room.width() && Size.height() <= Room.height())
                return;
            const double Over = std::max(double(Size.width()) / Room.width(),
                                         double(Size.height()) / Room.height());
            Chars = std::clamp<std::size_t>(std::size_t(double(Chars) / Over * 0.9), 1, Chars - 1);
            setText(QString::fromStdString(CutText(fText, Chars)));
        }
    }

    std::string fText;
};

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
    TFittingBox Box(IconOf(Style), QString::fromStdString(Caption), Text,
                    QApplication::activeWindow());
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
