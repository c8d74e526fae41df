#include "chart/panel/PlotPanelWidget.h"

#include "platform/qt/AppException.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {

// Nothing may reach Qt from an event handler.
template <class F> void Guarded(const char* Where, F Call)
{
    try {
        Call();
    } catch (...) {
        ApplicationHandleException(Where);
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
    try {
        fPanel.Paint();
    } catch (...) {
        // No window may open from inside a paint.
        ApplicationLogException("TChart.Paint");
    }
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
    if (Event->button() == Qt::LeftButton)
        fClicked = true;
    Guarded("TChart.MouseDown", [&] {
        fPanel.MouseDown(MouseButtonOf(Event->button()),
                         ShiftStateOf(Event->modifiers(), Event->buttons()), P.x(), P.y());
    });
}

void TPlotPanelWidget::mouseReleaseEvent(QMouseEvent* Event)
{
    const QPoint P = Event->position().toPoint();
    const bool Inside = rect().contains(P);
    if (Event->button() == Qt::LeftButton) {
        const bool Click = fClicked && Inside;
        fClicked = false;
        if (Click)
            Guarded("TChart.Click", [&] { fPanel.Click(); });
    }
    Guarded("TChart.MouseUp", [&] {
        fPanel.MouseUp(MouseButtonOf(Event->button()),
                       ShiftStateOf(Event->modifiers(), Event->buttons()), P.x(), P.y());
    });
    // The popup follows the release, as the window system's menu request does.
    if (Event->button() == Qt::RightButton && Inside)
        Popup(mapToGlobal(P));
}

void TPlotPanelWidget::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint P = Event->position().toPoint();
    Guarded("TChart.MouseMove", [&] {
        fPanel.MouseMove(ShiftStateOf(Event->modifiers(), Event->buttons()), P.x(), P.y());
    });
}

void TPlotPanelWidget::mouseDoubleClickEvent(QMouseEvent* Event)
{
    // The second press of a double click is no click of its own; only the
    // left button's is a DblClick.
    fClicked = false;
    const QPoint P = Event->position().toPoint();
    const bool Left = Event->button() == Qt::LeftButton;
    Guarded("TChart.DblClick", [&] {
        if (!Left || fPanel.DblClick())
            fPanel.MouseDown(MouseButtonOf(Event->button()),
                             ShiftStateOf(Event->modifiers(), Event->buttons()) | ssDouble, P.x(),
                             P.y());
    });
}

void TPlotPanelWidget::wheelEvent(QWheelEvent* Event)
{
    const QPoint P = Event->position().toPoint();
    Guarded("TChart.MouseWheel", [&] {
        fPanel.DoMouseWheel(ShiftStateOf(Event->modifiers(), Event->buttons()),
                            Event->angleDelta().y(), P.x(), P.y());
    });
    Event->accept();
}

void TPlotPanelWidget::contextMenuEvent(QContextMenuEvent* Event)
{
    // A mouse's menu request comes with the right release; some window
    // systems send it at the press too, where it is not wanted.
    if (Event->reason() != QContextMenuEvent::Mouse)
        Popup(Event->globalPos());
    Event->accept();
}

void TPlotPanelWidget::Popup(const QPoint& At)
{
    if (QMenu* Menu = fPanel.PopupMenu())
        Menu->popup(At);
}

void TPlotPanelWidget::leaveEvent(QEvent*)
{
    Guarded("TChart.MouseLeave", [&] { fPanel.MouseLeave(); });
}

void TPlotPanelWidget::changeEvent(QEvent* Event)
{
    if (Event->type() == QEvent::PaletteChange || Event->type() == QEvent::StyleChange)
        fPanel.Invalidate();
    QWidget::changeEvent(Event);
}
