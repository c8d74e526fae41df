#include "controls/uExNativeTabs.h"

#include "platform/qt/Theme.h"

#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionTab>

TExNativeTabs::TExNativeTabs(TExPageControl& Control) : QTabBar(&Control), fControl(Control)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setElideMode(Qt::ElideNone);
    setExpanding(false);
    setDrawBase(false);
    // Connected before the control hears of the change.
    connect(this, &QTabBar::currentChanged, this, [this] { fCleared = false; });
}

void TExNativeTabs::Select(int Index)
{
    const QSignalBlocker Block(this);
    fCleared = Index < 0;
    if (Index >= 0)
        setCurrentIndex(Index);
    update();
}

void TExNativeTabs::Relayout()
{
    QEvent Change(QEvent::FontChange);
    changeEvent(&Change);
}

// A fixed height is the extent across the strip, a fixed width the extent
// along it, whatever side the tabs are on.
QSize TExNativeTabs::tabSizeHint(int Index) const
{
    QSize Size = QTabBar::tabSizeHint(Index);
    const bool Horizontal = fControl.TabPosition() == tpTop || fControl.TabPosition() == tpBottom;
    if (fControl.TabWidth() > 0)
        (Horizontal ? Size.rwidth() : Size.rheight()) = fControl.TabWidth();
    if (fControl.TabHeight() > 0)
        (Horizontal ? Size.rheight() : Size.rwidth()) = fControl.TabHeight();
    return Size;
}

// The tabs' accelerators arrive as the shortcuts the strip holds for them;
// the control alone decides whether one selects its page.
bool TExNativeTabs::event(QEvent* Event)
{
    if (Event->type() != QEvent::Shortcut)
        return QTabBar::event(Event);
    fControl.DialogChar(static_cast<QShortcutEvent*>(Event)->key());
    return true;
}

void TExNativeTabs::paintEvent(QPaintEvent*) {}

QTabBar::Shape TExNativeTabs::ShapeOf(TTabPosition Side)
{
    static constexpr QTabBar::Shape Shapes[] = {QTabBar::RoundedNorth, QTabBar::RoundedSouth,
                                                QTabBar::RoundedWest, QTabBar::RoundedEast};
    return Shapes[Side];
}

void TExNativeTabs::PaintNative(QPainter& Painter)
{
    const std::vector<TRect> Rects = fControl.TabRects();
    const std::vector<TTabPosition> Sides = fControl.TabSides();
    const int Hot = fControl.HotTrack() ? fControl.HoverTab() : -1;
    const auto Colour = [](QStyleOptionTab& Option, QColor Face, QColor Text) {
        if (Face.isValid())
            for (QPalette::ColorRole Role : {QPalette::Button, QPalette::Window})
                Option.palette.setColor(Role, Face);
        for (QPalette::ColorRole Role : {QPalette::ButtonText, QPalette::WindowText})
            Option.palette.setColor(Role, Text);
    };
    const auto Draw = [&](int Tab) {
        QStyleOptionTab Option;
        initStyleOption(&Option, Tab);
        const TRect& R = Rects[std::size_t(Tab)];
        // The style turns the tabs of other sides about the origin: each tab
        // is drawn from its own corner.
        Option.rect = QRect(0, 0, R.Width(), R.Height());
        Option.shape = ShapeOf(Sides[std::size_t(Tab)]);
        Option.state &= ~QStyle::State_MouseOver;
        if (fCleared)
            Option.state &= ~QStyle::State_Selected;
        const TExTabSheet* Page = fControl.PageAtTab(Tab);
        const QPalette P = Option.palette;
        if (Page && Page->Highlighted())
            Colour(Option, P.color(QPalette::Highlight), P.color(QPalette::HighlightedText));
        if (Page && Page->PageIndex() == Hot) {
            Option.state |= QStyle::State_MouseOver;
            Colour(Option, {}, ToQColor(GetSysColor(COLOR_HOTLIGHT)));
        }
        Painter.save();
        Painter.translate(R.Left, R.Top);
        style()->drawControl(QStyle::CE_TabBarTab, &Option, &Painter, this);
        Painter.restore();
    };
    for (int Tab = 0; Tab < count(); ++Tab)
        if (Tab != Selection())
            Draw(Tab);
    if (Selection() >= 0)
        Draw(Selection());
}

// Without a selection the current tab is selected by a click like any other.
// Several rows are the control's own: it finds the tab clicked.
void TExNativeTabs::mousePressEvent(QMouseEvent* Event)
{
    if (fControl.MultiLine()) {
        fControl.RowsMousePress(Event->button(), ToControl(Event));
        return;
    }
    if (!fControl.TabsMousePress(Event->button(), ToControl(Event)))
        return;
    if (fCleared && Event->button() == Qt::LeftButton &&
        tabAt(Event->position().toPoint()) == currentIndex()) {
        fCleared = false;
        fControl.Change();
        return;
    }
    QTabBar::mousePressEvent(Event);
}

void TExNativeTabs::mouseReleaseEvent(QMouseEvent* Event)
{
    QTabBar::mouseReleaseEvent(Event);
    fControl.TabsMouseRelease(Event->button(), ToControl(Event));
}

void TExNativeTabs::mouseMoveEvent(QMouseEvent* Event)
{
    QTabBar::mouseMoveEvent(Event);
    fControl.TabsMouseMove(ToControl(Event), Event->buttons());
}

void TExNativeTabs::mouseDoubleClickEvent(QMouseEvent* Event)
{
    QTabBar::mouseDoubleClickEvent(Event);
    if (Event->button() == Qt::LeftButton)
        fControl.TabsDoubleClick(ToControl(Event));
}

void TExNativeTabs::leaveEvent(QEvent* Event)
{
    QTabBar::leaveEvent(Event);
    fControl.TabsMouseLeave();
}

void TExNativeTabs::wheelEvent(QWheelEvent* Event)
{
    Event->ignore();
}

QPoint TExNativeTabs::ToControl(QMouseEvent* Event) const
{
    return pos() + Event->position().toPoint();
}
