#include "chart/PlotPanelWidget.h"

#include "chart/PlotLog.h"

#include <QMouseEvent>

namespace {

// Nothing may reach Qt from an event handler; what a handler raises is
// logged under Where.
template <class F> void Guarded(const char* Where, F Call)
{
    try {
        Call();
    } catch (const std::exception& E) {
        PlotLogFault(Where, &E);
    } catch (...) {
        PlotLogFault(Where, nullptr);
    }
}

} // namespace

TMouseButton MouseButtonOf(Qt::MouseButton Button)
{
    switch (Button) {
    case Qt::RightButton:
        return mbRight;
    case Qt::MiddleButton:
        return mbMiddle;
    default:
        return mbLeft;
    }
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons)
{
    TShiftState S = 0;
    if (Modifiers & Qt::ShiftModifier)
        S |= ssShift;
    if (Modifiers & Qt::AltModifier)
        S |= ssAlt;
    if (Modifiers & Qt::ControlModifier)
        S |= ssCtrl;
    if (Buttons & Qt::LeftButton)
        S |= ssLeft;
    if (Buttons & Qt::RightButton)
        S |= ssRight;
    if (Buttons & Qt::MiddleButton)
        S |= ssMiddle;
    return S;
}

TPlotPanelWidget::TPlotPanelWidget(TCustomPlotPanel& Panel, QWidget* Parent)
    : QWidget(Parent), fPanel(Panel)
{
    // The frame covers every pixel: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    fPanel.SetHost(this);
    resize(fPanel.Width(), fPanel.Height());
}

TPlotPanelWidget::~TPlotPanelWidget()
{
    if (fPanel.Host() == this)
        fPanel.SetHost(nullptr);
}

void TPlotPanelWidget::paintEvent(QPaintEvent*)
{
    TGdiDC DC(static_cast<QPaintDevice*>(this));
    fPanel.ControlCanvas().SetHandle(&DC);
    Guarded("TPlotPanelWidget.paintEvent", [&] { fPanel.Paint(); });
    fPanel.ControlCanvas().SetHandle(nullptr);
}

void TPlotPanelWidget::resizeEvent(QResizeEvent*)
{
    if (width() == fPanel.Width() && height() == fPanel.Height())
        return;
    fPanel.SetSize(width(), height());
    // Stale even while repainting is suspended: a buffer of another size
    // is never shown.
    fPanel.PlotCanvas().Invalidate();
}

void TPlotPanelWidget::mousePressEvent(QMouseEvent* Event)
{
    const QPoint P = Event->position().toPoint();
    Guarded("TPlotPanelWidget.mousePressEvent", [&] {
        fPanel.MouseDown(MouseButtonOf(Event->button()),
                         ShiftStateOf(Event->modifiers(), Event->buttons()), P.x(), P.y());
    });
}

void TPlotPanelWidget::mouseReleaseEvent(QMouseEvent* Event)
{
    const QPoint P = Event->position().toPoint();
    Guarded("TPlotPanelWidget.mouseReleaseEvent", [&] {
        fPanel.MouseUp(MouseButtonOf(Event->button()),
                       ShiftStateOf(Event->modifiers(), Event->buttons()), P.x(), P.y());
    });
}

void TPlotPanelWidget::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint P = Event->position().toPoint();
    Guarded("TPlotPanelWidget.mouseMoveEvent", [&] {
        fPanel.MouseMove(ShiftStateOf(Event->modifiers(), Event->buttons()), P.x(), P.y());
    });
}

void TPlotPanelWidget::mouseDoubleClickEvent(QMouseEvent*)
{
    Guarded("TPlotPanelWidget.mouseDoubleClickEvent", [&] { fPanel.DblClick(); });
}

void TPlotPanelWidget::leaveEvent(QEvent*)
{
    Guarded("TPlotPanelWidget.leaveEvent", [&] { fPanel.MouseLeave(); });
}

void TPlotPanelWidget::changeEvent(QEvent* Event)
{
    if (Event->type() == QEvent::PaletteChange || Event->type() == QEvent::StyleChange)
        fPanel.Invalidate();
    QWidget::changeEvent(Event);
}
