#pragma once

#include "chart/panel/PlotPanel.h"

#include <QWidget>

// Shows a panel: paints it from its buffer in the paint event (Qt paints a
// window nowhere else), passes size changes on, repaints when the system
// colours change, and turns Qt's input into the panel's events once, here:
// a double click is DblClick and then (unless a handler set CancelMouse) a
// press with ssDouble; a left press and release inside raise Click before
// the release; the wheel is passed on as turned, a right release or the
// menu key shows the panel's popup menu. What a handler raises never reaches
// Qt: the application's handler logs it, and, but for a paint, shows it once
// the event has returned. The panel must outlive the widget.
class TPlotPanelWidget : public QWidget {
    Q_OBJECT
public:
    explicit TPlotPanelWidget(TCustomPlotPanel& Panel, QWidget* Parent = nullptr);
    ~TPlotPanelWidget() override;
    TCustomPlotPanel& Panel() { return fPanel; }

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    void Popup(const QPoint& At);

    TCustomPlotPanel& fPanel;
    // A plain left press awaits its release to become a click.
    bool fClicked = false;
};

// The button and shift state of a Qt mouse event.
TMouseButton MouseButtonOf(Qt::MouseButton Button);
TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
