#include "terminal/fmMain/ufmMainDockRoom.h"

#include <QDockWidget>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>

namespace {

int Extent(QSize Size, Qt::Orientation Along)
{
    return Along == Qt::Horizontal ? Size.width() : Size.height();
}

} // namespace

TDockRoom::TDockRoom(QMainWindow& Window, const std::vector<QDockWidget*>& Panels, QSize Least)
    : QObject(&Window), fWindow(Window), fLeast(Least)
{
    Window.installEventFilter(this);
    for (QDockWidget* Dock : Panels) {
        fPanels.push_back({Dock, QSize()});
        Dock->installEventFilter(this);
    }
}

// The window's layout has placed its panels by the time its own resize
// arrives: panel resizes in between came from the window, not the trader.
bool TDockRoom::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == &fWindow) {
        if (Event->type() == QEvent::LayoutRequest || Event->type() == QEvent::Show)
            KeepLeast();
        else if (Event->type() == QEvent::Resize) {
            const QSize Before = fWindowSize;
            fWindowSize = fWindow.size();
            GiveBack(Before);
        }
        return false;
    }
    if (Event->type() != QEvent::Resize || fGivingBack || fWindow.size() != fWindowSize)
        return false;
    for (TPanel& Panel : fPanels)
        if (Panel.Dock == Watched && Panel.Dock->isVisible() && !Panel.Dock->isFloating())
            Panel.Wanted = Panel.Dock->size();
    return false;
}

void TDockRoom::KeepLeast()
{
    const QSize Least = fWindow.layout()->totalMinimumSize().expandedTo(fLeast);
    if (fWindow.minimumSize() != Least)
        fWindow.setMinimumSize(Least);
}

void TDockRoom::GiveBack(QSize Before)
{
    if (!Before.isValid())
        return;
    bool Given = false;
    for (const Qt::Orientation Along : {Qt::Horizontal, Qt::Vertical}) {
        if (Extent(fWindowSize, Along) <= Extent(Before, Along))
            continue;
        QList<QDockWidget*> Docks;
        QList<int> Sizes;
        for (const TPanel& Panel : fPanels)
            if (Panel.Wanted.isValid() && Panel.Dock->isVisible() && !Panel.Dock->isFloating() &&
                Extent(Panel.Dock->size(), Along) < Extent(Panel.Wanted, Along)) {
                Docks.push_back(Panel.Dock);
                Sizes.push_back(Extent(Panel.Wanted, Along));
            }
        if (Docks.isEmpty())
            continue;
        fWindow.resizeDocks(Docks, Sizes, Along);
        Given = true;
    }
    if (!Given)
        return;
    fGivingBack = true;
    fWindow.layout()->activate();
    fGivingBack = false;
}
