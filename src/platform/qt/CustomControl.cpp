#include "platform/qt/CustomControl.h"

#include "platform/qt/GdiBlit.h"
#include "platform/qt/PaintBuffer.h"

#include <QEvent>
#include <QPainter>
#include <QPointer>

namespace {

constexpr const char* AlignProperty = "TAlign";

TRect ClientRectOf(const QWidget& Parent)
{
    if (const auto* Control = dynamic_cast<const TCustomControl*>(&Parent))
        return Control->ClientRect();
    const QRect R = Parent.contentsRect();
    return Bounds(R.x(), R.y(), R.width(), R.height());
}

void RealignParent(QWidget& Control);

// Keeps a widget's alignment: re-aligns the children of a parent that is no
// control of this layer when it is resized, and the siblings of an aligned
// child when it is shown (hidden children are not aligned).
class TAlignWatcher : public QObject {
public:
    static constexpr const char* Name = "TAlignWatcher";
    static void Watch(QWidget& Widget)
    {
        if (!Widget.findChild<TAlignWatcher*>(Name, Qt::FindDirectChildrenOnly))
            new TAlignWatcher(Widget);
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        auto& Widget = *static_cast<QWidget*>(Watched);
        if (Event->type() == QEvent::Resize && !dynamic_cast<TCustomControl*>(&Widget))
            AlignChildren(Widget, ClientRectOf(Widget));
        else if (Event->type() == QEvent::ShowToParent && GetAlign(Widget) != alNone)
            RealignParent(Widget);
        return false;
    }

private:
    explicit TAlignWatcher(QWidget& Widget) : QObject(&Widget)
    {
        setObjectName(Name);
        Widget.installEventFilter(this);
    }
};

void RealignParent(QWidget& Control)
{
    QWidget* Parent = Control.parentWidget();
    if (!Parent)
        return;
    if (auto* Host = dynamic_cast<TCustomControl*>(Parent)) {
        Host->Realign();
        return;
    }
    TAlignWatcher::Watch(*Parent);
    AlignChildren(*Parent, ClientRectOf(*Parent));
}

template <class F> void Guarded(F Call)
{
    try {
        Call();
    } catch (...) {
    }
}

} // namespace

void SetAlign(QWidget& Control, TAlign Value)
{
    if (GetAlign(Control) == Value)
        return;
    Control.setProperty(AlignProperty, int(Value));
    TAlignWatcher::Watch(Control);
    RealignParent(Control);
}

TAlign GetAlign(const QWidget& Control)
{
    return TAlign(Control.property(AlignProperty).toInt());
}

TRect ParentClientRect(const QWidget& Control)
{
    const QWidget* Parent = Control.parentWidget();
    return Parent ? ClientRectOf(*Parent) : TRect{};
}

void AlignChildren(QWidget& Parent, const TRect& Rect)
{
    // A handler may free a child while the others are placed.
    QList<QPointer<QWidget>> Children;
    for (QObject* Child : Parent.children())
        if (auto* W = qobject_cast<QWidget*>(Child); W && !W->isWindow())
            Children << W;
    for (const QPointer<QWidget>& W : Children) {
        const bool Hidden = W && W->isHidden() && W->testAttribute(Qt::WA_WState_ExplicitShowHide);
        if (!W || Hidden || GetAlign(*W) != alClient)
            continue;
        if (auto* Control = dynamic_cast<TCustomControl*>(W.data()))
            Control->SetBoundsRect(Rect);
        else
            W->setGeometry(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    }
}

TCustomControl::TCustomControl(QWidget* Parent) : QWidget(Parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    fFont.OnChange = [this](TGraphicsObject*) { update(); };
}

void TCustomControl::SetColor(TColor Value)
{
    if (StoreChanged(fColor, Value))
        update();
}

void TCustomControl::SetCaption(const std::string& Value)
{
    if (StoreChanged(fCaption, Value))
        TextChanged();
}

void TCustomControl::SetBounds(int Left, int Top, int Width, int Height)
{
    TWindowPos Pos{Left, Top, Width, Height};
    WindowPosChanging(Pos);
    const QRect New(Pos.X, Pos.Y, std::max(Pos.CX, 0), std::max(Pos.CY, 0));
    if (New == geometry())
        return;
    const bool Resized = New.size() != size();
    setGeometry(New);
    // A hidden widget hears of its new size only when shown.
    if (Resized && !isVisible())
        Resize();
    WindowPosChanged();
}

TRect TCustomControl::ClientRect() const
{
    return {fFrameWidth, fFrameWidth, std::max(width() - fFrameWidth, fFrameWidth),
            std::max(height() - fFrameWidth, fFrameWidth)};
}

void TCustomControl::Realign()
{
    TRect R = ClientRect();
    AlignControls(R);
}

void TCustomControl::SetFrameWidth(int Value)
{
    if (!StoreChanged(fFrameWidth, Value))
        return;
    Resize();
    update();
}

void TCustomControl::NcPaint(TGdiDC& DC)
{
    if (fFrameWidth <= 0)
        return;
    TRect R = Rect(0, 0, width(), height());
    DrawEdge(DC, R, EDGE_RAISED, BF_RECT);
}

void TCustomControl::AlignControls(TRect& Rect)
{
    AlignChildren(*this, Rect);
}

void TCustomControl::paintEvent(QPaintEvent*)
{
    // Filling the buffer with Color is the platform's erasing of the background.
    TPaintBuffer Buffer(*this, ToQColor(ColorToRGB(fColor)));
    TGdiDC& DC = Buffer.DC();
    Guarded([&] { NcPaint(DC); });
    const TRect C = ClientRect();
    DC.IntersectClipRect(C.Left, C.Top, C.Right, C.Bottom);
    fCanvas.SetHandle(&DC);
    Guarded([&] { Paint(); });
    fCanvas.SetHandle(nullptr);
}

void TCustomControl::resizeEvent(QResizeEvent*)
{
    Guarded([&] { Resize(); });
}

void TCustomControl::changeEvent(QEvent* Event)
{
    if (Event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(Event);
}
