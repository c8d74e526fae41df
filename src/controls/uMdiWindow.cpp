#include "controls/uMdiWindow.h"

#include "platform/Resources.h"
#include "platform/qt/GdiExtra.h"

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <vector>

namespace {

constexpr int GlyphSize = 13;
// Distance of each button's left edge from the caption's right end.
constexpr std::array<int, 3> ButtonOffsets = {15, 31, 47};
constexpr COLORREF GlyphTransparent = RGB(128, 0, 128);
constexpr std::array<const char*, 4> GlyphNames = {"GLYPH_CLOSE", "GLYPH_MAX", "GLYPH_MIN",
                                                   "GLYPH_NORMAL"};
// How far along an edge its corner grip reaches.
constexpr int CornerGrip = 16;
// Room beside the caption buttons in a window at its least size.
constexpr int MinCaptionRoom = 4;
// Counts the minimisations of all windows: strips line up in that order.
uint64_t StripCounter = 0;

QImage LoadGlyph(const char* Name)
{
    const auto Bytes = FindResource(std::string(Name) + ".bmp");
    if (!Bytes)
        return {};
    return QImage::fromData(reinterpret_cast<const uchar*>(Bytes->data()), int(Bytes->size()))
        .convertToFormat(QImage::Format_RGB32);
}

int Snap(int Value, int Step)
{
    return Value / Step * Step;
}

// The multiple of the grid step at or above Value; Value without a grid.
int SnapUp(int Value, int Step)
{
    return Step <= 1 ? Value : (Value + Step - 1) / Step * Step;
}

} // namespace

TwinctrlMdiWindowButton::TwinctrlMdiWindowButton(TwinctrlCustomMdiWindow& Window,
                                                 TwinctrlMdiWindowButtonType Type)
    : TCustomControl(&Window), fWindow(Window), fType(Type),
      fGlyph(TwinctrlMdiWindowButtonGlyph(Type))
{
}

void TwinctrlMdiWindowButton::SetGlyph(TwinctrlMdiWindowButtonGlyph Value)
{
    if (StoreChanged(fGlyph, Value))
        update();
}

void TwinctrlMdiWindowButton::DoClick()
{
    if (isEnabled())
        fWindow.DoClickButton(fType);
}

void TwinctrlMdiWindowButton::Paint()
{
    Canvas().Brush().SetStyle(bsSolid);
    Canvas().Brush().SetColor(fWindow.GetStateColor());
    Canvas().FillRect(ClientRect());
    TransparentBlt(*Canvas().Handle(), 0, 0, fWindow.Glyph(fGlyph), GlyphTransparent);
}

void TwinctrlMdiWindowButton::mousePressEvent(QMouseEvent* Event)
{
    // Kept from the window below, which would start a drag; the button may
    // be gone after DoClick.
    Event->accept();
    DoClick();
}

TwinctrlCustomMdiWindow::TwinctrlCustomMdiWindow(QWidget* Parent) : TwinctrlCustomPanel(Parent)
{
    setMouseTracking(true);
    for (size_t I = 0; I < fGlyphs.size(); ++I)
        fGlyphs[I] = LoadGlyph(GlyphNames[I]);
    for (size_t I = 0; I < fButtons.size(); ++I)
        fButtons[I] = new TwinctrlMdiWindowButton(*this, TwinctrlMdiWindowButtonType(I));
    fFocusChanged = connect(qApp, &QApplication::focusChanged, this,
                            [this](QWidget*, QWidget* Now) { FocusChanged(Now); });
    if (Parent)
        Parent->installEventFilter(this);
    RecreateWnd();
}

TwinctrlCustomMdiWindow::~TwinctrlCustomMdiWindow()
{
    // Children freed by the base may move the focus: no notice may reach
    // this half-destroyed window.
    disconnect(fFocusChanged);
    if (fState == wsMinimized && parentWidget())
        LineUpStrips(*parentWidget(), this);
}

void TwinctrlCustomMdiWindow::Activate()
{
    if (HandleAllocated())
        SetActive(true);
}

void TwinctrlCustomMdiWindow::CloseAndFree()
{
    fDoDestroy = true;
    hide();
    deleteLater();
}

void TwinctrlCustomMdiWindow::SetState(TWindowState Value)
{
    if (fState == Value)
        return;
    if (fState == wsNormal)
        fNormalBounds = BoundsRect();
    fState = Value;
    RecreateWnd();
    if (Value == wsMaximized) {
        SetAlign(*this, alClient);
    } else {
        SetAlign(*this, alNone);
        TRect R = fNormalBounds;
        if (Value == wsMinimized && fCaptionPosition == cpTop)
            R.Bottom = R.Top + MinimizedSize;
        else if (Value == wsMinimized)
            R.Right = R.Left + MinimizedSize;
        // The normal bounds come back without being pushed into the parent:
        // a maximised window's parent may still be short of a bar that goes
        // with that state.
        fRestoring = Value == wsNormal;
        SetBoundsRect(R);
        fRestoring = false;
    }
    Button(btMaximize).SetGlyph(Value == wsMaximized ? bgNormal : bgMaximize);
    Button(btMinimize).SetGlyph(Value == wsMinimized ? bgNormal : bgMinimize);
    fStripOrder = Value == wsMinimized ? ++StripCounter : 0;
    if (parentWidget())
        LineUpStrips(*parentWidget());
}

void TwinctrlCustomMdiWindow::SetNormalBounds(const TRect& Value)
{
    if (fState == wsNormal)
        SetBoundsRect(Value);
    else
        fNormalBounds = Value;
}

TSize TwinctrlCustomMdiWindow::MinSize() const
{
    const int Along = 2 * SizeFrame + ButtonOffsets[btMinimize] + MinCaptionRoom;
    const int Across = 2 * SizeFrame + CaptionSize + MinCaptionRoom;
    return fCaptionPosition == cpTop ? TSize{Along, Across} : TSize{Across, Along};
}

void TwinctrlCustomMdiWindow::LineUpStrips(QWidget& aParent, const QWidget* aGone)
{
    std::vector<TwinctrlCustomMdiWindow*> Strips;
    for (QObject* Child : aParent.children())
        if (auto* Window = dynamic_cast<TwinctrlCustomMdiWindow*>(Child);
            Window && Window != aGone && Window->fState == wsMinimized && !Window->fDoDestroy)
            Strips.push_back(Window);
    std::sort(Strips.begin(), Strips.end(),
              [](const auto* A, const auto* B) { return A->fStripOrder < B->fStripOrder; });
    for (std::size_t Slot = 0; Slot < Strips.size(); ++Slot)
        Strips[Slot]->PlaceStrip(int(Slot));
}

void TwinctrlCustomMdiWindow::PlaceStrip(int aSlot)
{
    const TRect P = ParentClientRect(*this);
    const bool AlongTop = fCaptionPosition == cpTop;
    const int W = AlongTop ? StripLength : MinimizedSize;
    const int H = AlongTop ? MinimizedSize : StripLength;
    const int PerRow = std::max(1, P.Width() / W);
    SetBoundsRect(Bounds(P.Left + aSlot % PerRow * W, P.Bottom - (aSlot / PerRow + 1) * H, W, H));
}

bool TwinctrlCustomMdiWindow::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == parentWidget() && Event->type() == QEvent::Resize && fState == wsMinimized)
        LineUpStrips(*parentWidget());
    return TwinctrlCustomPanel::eventFilter(Watched, Event);
}

void TwinctrlCustomMdiWindow::SetActiveColor(TColor Value)
{
    if (StoreChanged(fActiveColor, Value))
        update();
}

void TwinctrlCustomMdiWindow::SetInactiveColor(TColor Value)
{
    if (StoreChanged(fInactiveColor, Value))
        update();
}

void TwinctrlCustomMdiWindow::SetCaptionPosition(TwinctrlCaptionPosition Value)
{
    if (StoreChanged(fCaptionPosition, Value))
        CaptionChanged();
}

void TwinctrlCustomMdiWindow::SetCaptionVisible(bool Value)
{
    if (StoreChanged(fCaptionVisible, Value))
        CaptionChanged();
}

void TwinctrlCustomMdiWindow::CaptionChanged()
{
    Realign();
    RealignButtons();
    update();
}

void TwinctrlCustomMdiWindow::SetImages(TImageList* Value)
{
    fImages.Set(Value, this, [this] {
        if (!fImages)
            fIcon = QImage();
        update();
    });
}

void TwinctrlCustomMdiWindow::SetIcon(const QImage& Value)
{
    if (fImages)
        return;
    fIcon = Value;
    update();
}

void TwinctrlCustomMdiWindow::SetIconIndex(int Value)
{
    if (StoreChanged(fIconIndex, Value))
        update();
}

void TwinctrlCustomMdiWindow::SetHeightConstraint(int Value)
{
    if (Value >= 0)
        fHeightConstraint = Value;
}

TRect TwinctrlCustomMdiWindow::GetCaptionRect() const
{
    TRect R = ClientRect();
    if (fCaptionVisible && fCaptionPosition == cpTop)
        R.Bottom = R.Top + CaptionSize;
    else if (fCaptionVisible)
        R.Right = R.Left + CaptionSize;
    return R;
}

void TwinctrlCustomMdiWindow::CalcDiscretePos(int& X, int& Y, int& CX, int& CY) const
{
    if (fPosDiscrete <= 1)
        return;
    X = Snap(X, fPosDiscrete);
    Y = Snap(Y, fPosDiscrete);
    CX = Snap(CX, fPosDiscrete);
    CY = Snap(CY, fPosDiscrete);
}

void TwinctrlCustomMdiWindow::RecreateWnd()
{
    SetFrameWidth(fState == wsNormal ? SizeFrame : DialogFrame);
}

void TwinctrlCustomMdiWindow::Resize()
{
    TwinctrlCustomPanel::Resize();
    RealignButtons();
}

void TwinctrlCustomMdiWindow::RealignButtons()
{
    const TRect R = GetCaptionRect();
    for (size_t I = 0; I < fButtons.size(); ++I) {
        const int Offset = ButtonOffsets[I];
        if (fCaptionPosition == cpTop)
            fButtons[I]->SetBounds(R.Right - Offset, R.Top + 2, GlyphSize, GlyphSize);
        else
            fButtons[I]->SetBounds(R.Left + 2, R.Top + Offset - GlyphSize, GlyphSize, GlyphSize);
        fButtons[I]->setVisible(fCaptionVisible);
    }
}

void TwinctrlCustomMdiWindow::AlignControls(TRect& Rect)
{
    if (fCaptionVisible && fCaptionPosition == cpTop)
        Rect.Top += CaptionSize;
    else if (fCaptionVisible)
        Rect.Left += CaptionSize;
    TwinctrlCustomPanel::AlignControls(Rect);
}

// A parent not on screen yet has no lasting size: a window placed in it
// (a saved layout restored while the main window is built) keeps its bounds.
void TwinctrlCustomMdiWindow::WindowPosChanging(TWindowPos& Pos)
{
    if (!parentWidget() || !parentWidget()->isVisible())
        return;
    const TRect P = ParentClientRect(*this);
    if (!fRestoring) {
        if (Pos.X < P.Left)
            Pos.X = P.Left;
        if (Pos.Y < P.Top)
            Pos.Y = P.Top;
        if (Pos.X + Pos.CX > P.Right)
            Pos.X = P.Right - Pos.CX;
        if (Pos.Y + Pos.CY > P.Bottom)
            Pos.Y = P.Bottom - Pos.CY;
    }
    if (fState != wsNormal)
        return;
    if (fPosDiscrete > 1) {
        if (fHeightConstraint > 0 && Pos.CY < fPosDiscrete * fHeightConstraint)
            Pos.CY = fPosDiscrete * fHeightConstraint;
        // The grid counts from the parent's client origin.
        int X = Pos.X - P.Left;
        int Y = Pos.Y - P.Top;
        CalcDiscretePos(X, Y, Pos.CX, Pos.CY);
        Pos.X = P.Left + X;
        Pos.Y = P.Top + Y;
    }
    // Never so small that the caption's buttons are cut off.
    const TSize Least = MinSize();
    Pos.CX = std::max(Pos.CX, SnapUp(Least.cx, fPosDiscrete));
    Pos.CY = std::max(Pos.CY, SnapUp(Least.cy, fPosDiscrete));
}

void TwinctrlCustomMdiWindow::WindowPosChanged()
{
    if (OnPosChanged)
        OnPosChanged(*this);
}

void TwinctrlCustomMdiWindow::NcPaint(TGdiDC& DC)
{
    TwinctrlCustomPanel::NcPaint(DC);
    DrawBorder(DC);
}

void TwinctrlCustomMdiWindow::DrawBorder(TGdiDC& DC)
{
    if (fState == wsMinimized)
        return;
    TCanvas C(&DC);
    C.Pen().SetColor(GetStateColor());
    C.Pen().SetStyle(psSolid);
    C.Brush().SetStyle(bsClear);
    const int W = width();
    const int H = height();
    if (fState == wsNormal) {
        C.Pen().SetWidth(6);
        C.Rectangle(4, 4, W - 3, H - 3);
    } else {
        C.Pen().SetWidth(2);
        C.Rectangle(2, 2, W - 1, H - 1);
    }
    C.Pen().SetColor(clBlack);
    C.Pen().SetWidth(1);
    C.Pen().SetStyle(psInsideFrame);
    C.Rectangle(0, 0, W, H);
}

void TwinctrlCustomMdiWindow::CustomPaint()
{
    if (!fCaptionVisible)
        return;
    DrawCaption();
    DrawIcon();
}

void TwinctrlCustomMdiWindow::DrawCaption()
{
    TRect R = GetCaptionRect();
    if (fCaptionPosition == cpTop)
        R.Right += 2;
    else
        R.Bottom += 2;
    TCanvas& C = Canvas();
    C.Brush().SetStyle(bsSolid);
    C.Brush().SetColor(GetStateColor());
    C.FillRect(R);
    const int IconOffset = !fIcon.isNull() || (fImages && fIconIndex >= 0) ? 17 : 0;
    C.Font().Assign(Font());
    if (fCaptionPosition == cpTop) {
        R.Left += IconOffset + 4;
        R.Top -= 2;
        DrawControlText(C, R, Caption(), DT_SINGLELINE | DT_VCENTER, isEnabled());
    } else {
        R.Bottom += 7 - IconOffset;
        DrawAngleControlText(C, R, Caption(), 90, DT_SINGLELINE | DT_BOTTOM, isEnabled());
    }
}

void TwinctrlCustomMdiWindow::DrawIcon()
{
    if (fImages)
        fIcon = fIconIndex >= 0 ? fImages->GetIcon(fIconIndex) : QImage();
    // An icon given directly is drawn too: its place is kept in the caption.
    if (fIcon.isNull())
        return;
    TRect S = GetCaptionRect();
    if (fCaptionPosition == cpTop) {
        S.Left += 2;
    } else {
        S.Bottom += 2;
        S.Top = S.Bottom - CaptionSize;
    }
    Canvas().StretchDraw(Bounds(S.Left, S.Top, 16, 16), fIcon);
}

void TwinctrlCustomMdiWindow::SetActive(bool Value)
{
    if (!StoreChanged(fActive, Value))
        return;
    update();
    if (!Value) {
        if (OnDeactivate)
            OnDeactivate(*this);
        return;
    }
    const QPointer<TwinctrlCustomMdiWindow> Self(this);
    if (fFocusControl)
        fFocusControl->setFocus();
    BringToFront();
    if (Self && OnActivate)
        OnActivate(*this);
    if (Self)
        NotifyActivation();
}

void TwinctrlCustomMdiWindow::BringToFront()
{
    const QWidget* Parent = parentWidget();
    const QWidget* Topmost = nullptr;
    if (Parent)
        for (const QObject* Child : Parent->children())
            if (Child->isWidgetType())
                Topmost = static_cast<const QWidget*>(Child);
    raise();
    if (Topmost && Topmost != this)
        WindowPosChanged();
}

void TwinctrlCustomMdiWindow::NotifyActivation()
{
    if (!HandleAllocated())
        return;
    // Receivers may restack or free siblings while the notice goes round.
    QList<QPointer<QWidget>> Siblings;
    for (QObject* Child : parentWidget()->children())
        if (Child->isWidgetType())
            Siblings << static_cast<QWidget*>(Child);
    TActivatedEvent Event(fGroupIndex, this);
    for (const QPointer<QWidget>& W : Siblings)
        if (W)
            QCoreApplication::sendEvent(W, &Event);
}

void TwinctrlCustomMdiWindow::CNActivated(const TActivatedEvent& Event)
{
    if (!HandleAllocated())
        return;
    if (fGroupIndex > 0 && Event.GroupIndex != fGroupIndex)
        return;
    SetActive(Event.Window == this);
}

// As a child window stays active in its frame while the focus is in the
// frame's other panels, only a move into another of the parent's children
// deactivates: the commands that act on the active window keep it.
void TwinctrlCustomMdiWindow::FocusChanged(QWidget* Now)
{
    if (!HandleAllocated() || !Now || Now->window() != window())
        return;
    if (Now == this || isAncestorOf(Now))
        NotifyActivation();
    else if (fGroupIndex <= 0 && parentWidget()->isAncestorOf(Now))
        SetActive(false);
}

void TwinctrlCustomMdiWindow::DoClickButton(TwinctrlMdiWindowButtonType AButtonType)
{
    const QPointer<TwinctrlCustomMdiWindow> Self(this);
    switch (AButtonType) {
    case btClose:
        if (fDestroyOnClose)
            hide();
        if (OnClose)
            OnClose(*this);
        if (Self && fDestroyOnClose)
            CloseAndFree();
        break;
    case btMaximize:
        SetState(fState == wsMaximized ? wsNormal : wsMaximized);
        NotifyActivation();
        if (Self && OnMaximize)
            OnMaximize(*this);
        break;
    case btMinimize:
        SetState(fState == wsMinimized ? wsNormal : wsMinimized);
        NotifyActivation();
        if (Self && OnMinimize)
            OnMinimize(*this);
        break;
    }
}

bool TwinctrlCustomMdiWindow::event(QEvent* Event)
{
    if (Event->type() != CN_ACTIVATED)
        return TwinctrlCustomPanel::event(Event);
    CNActivated(static_cast<const TActivatedEvent&>(*Event));
    return true;
}

int TwinctrlCustomMdiWindow::FrameEdges(QPoint P) const
{
    const TRect C = ClientRect();
    if (P.x() >= C.Left && P.x() < C.Right && P.y() >= C.Top && P.y() < C.Bottom)
        return 0;
    int Edges = 0;
    if (P.x() < CornerGrip)
        Edges |= tkLeft;
    else if (P.x() >= width() - CornerGrip)
        Edges |= tkRight;
    if (P.y() < CornerGrip)
        Edges |= tkTop;
    else if (P.y() >= height() - CornerGrip)
        Edges |= tkBottom;
    return Edges;
}

void TwinctrlCustomMdiWindow::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton)
        return TwinctrlCustomPanel::mousePressEvent(Event);
    const QPoint P = Event->position().toPoint();
    fTrackStart = Event->globalPosition().toPoint();
    fTrackBounds = BoundsRect();
    if (const int Edges = FrameEdges(P)) {
        // Only the resizable frame of a normal window sizes it.
        fTracking = fState == wsNormal ? Edges : 0;
        return;
    }
    const QPointer<TwinctrlCustomMdiWindow> Self(this);
    NotifyActivation();
    const TRect C = GetCaptionRect();
    if (Self && P.x() >= C.Left && P.x() < C.Right && P.y() >= C.Top && P.y() < C.Bottom)
        fTracking = tkMove;
}

void TwinctrlCustomMdiWindow::mouseMoveEvent(QMouseEvent* Event)
{
    if (!fTracking) {
        const int Edges = fState == wsNormal ? FrameEdges(Event->position().toPoint()) : 0;
        const bool Diagonal = Edges == (tkLeft | tkTop) || Edges == (tkRight | tkBottom);
        const bool AntiDiagonal = Edges == (tkRight | tkTop) || Edges == (tkLeft | tkBottom);
        setCursor(Diagonal                     ? Qt::SizeFDiagCursor
                  : AntiDiagonal               ? Qt::SizeBDiagCursor
                  : Edges & (tkLeft | tkRight) ? Qt::SizeHorCursor
                  : Edges                      ? Qt::SizeVerCursor
                                               : Qt::ArrowCursor);
        return;
    }
    const QPoint D = Event->globalPosition().toPoint() - fTrackStart;
    TRect R = fTrackBounds;
    if (fTracking == tkMove)
        R = Bounds(R.Left + D.x(), R.Top + D.y(), R.Width(), R.Height());
    // A left or top edge stops where the window reaches its least size,
    // rather than pushing the opposite edge.
    const TSize Least = MinSize();
    if (fTracking & tkLeft)
        R.Left = std::min(R.Left + D.x(), R.Right - Least.cx);
    if (fTracking & tkRight)
        R.Right += D.x();
    if (fTracking & tkTop)
        R.Top = std::min(R.Top + D.y(), R.Bottom - Least.cy);
    if (fTracking & tkBottom)
        R.Bottom += D.y();
    SetBoundsRect(R);
}

void TwinctrlCustomMdiWindow::mouseReleaseEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton)
        fTracking = 0;
    TwinctrlCustomPanel::mouseReleaseEvent(Event);
}
