#pragma once

#include "chart/PlotPanel.h"

#include <QWidget>

// Shows a panel: paints it from its buffer in the paint event (Qt paints a
// window nowhere else), passes size changes and mouse events on, and repaints
// when the system colours change. The panel must outlive the widget.
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
    void leaveEvent(QEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    TCustomPlotPanel& fPanel;
};

// The button and shift state of a Qt mouse event.
TMouseButton MouseButtonOf(Qt::MouseButton Button);
TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
