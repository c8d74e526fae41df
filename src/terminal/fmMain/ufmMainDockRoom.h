#pragma once

#include <QObject>
#include <QSize>
#include <vector>

class QDockWidget;
class QMainWindow;

// Keeps the docked panels usable while the main window is resized: the
// window gets no smaller than its panels' least sizes (nor than Least), so no
// panel is drawn over another or over the status bar; and a panel squeezed
// by the window shrinking gets its size back as the window grows again. The
// size a panel takes while the window keeps its own (a splitter dragged, a
// panel shown, docked or sized by the program) is the size it returns to.
class TDockRoom : public QObject {
public:
    TDockRoom(QMainWindow& Window, const std::vector<QDockWidget*>& Panels, QSize Least);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    struct TPanel {
        QDockWidget* Dock;
        QSize Wanted;
    };

    void KeepLeast();
    // The window has grown from Before: the panels below their wanted size
    // are given it back, in each direction the window grew.
    void GiveBack(QSize Before);

    QMainWindow& fWindow;
    std::vector<TPanel> fPanels;
    QSize fLeast;
    // The window's size once its panels were laid out for it.
    QSize fWindowSize;
    bool fGivingBack = false;
};
