#include "controls/uExPageControl.h"

#include "controls/uExNativeTabs.h"
#include "platform/qt/PaintBuffer.h"
#include "platform/qt/Theme.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace {

bool PtIn(const TRect& R, int X, int Y)
{
    return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

TTabPosition OppositeSide(TTabPosition Side)
{
    constexpr TTabPosition Opposite[] = {tpBottom, tpTop, tpRight, tpLeft};
    return Opposite[Side];
}

} // namespace

void TTabMargin::SetMargin(int Index, TMarginSize Value)
{
    TMarginSize& Margin = fMargins[Index];
    if (Margin == Value)
        return;
    if (OnMarginChange)
        OnMarginChange(Value, Margin, Index);
    Margin = Value;
}

void TTabMargin::Assign(const TTabMargin& Source)
{
    for (int Index : {LeftIndex, TopIndex, RightIndex})
        SetMargin(Index, Source.fMargins[Index]);
}

TExPageControl::TExPageControl(QWidget* Parent) : QWidget(Parent), fTabs(new TExNativeTabs(*this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(fTabs, &QTabBar::currentChanged, this, [this] { Change(); });
    fTabMargin.OnMarginChange = [this](TMarginSize New, TMarginSize Old, int Index) {
        TabMarginChange(New, Old, Index);
    };
    fFont.OnChange = [this](TGraphicsObject*) { ApplyTabFont(); };
    fActiveFont.OnChange = [this](TGraphicsObject*) {
        if (fActivePage)
            UpdateTab(fActivePage);
        update();
    };
    SetTabPosition(tpTop);
    ApplyTabFont();
}

// The sheets are children and go with the widget; they must not call back
// into a control that is going.
TExPageControl::~TExPageControl()
{
    fTabs->disconnect(this);
    for (TExTabSheet* Page : fPages) {
        Page->fExPageControl = nullptr;
        Page->fTabShowing = false;
    }
    fPages.clear();
    fActivePage = nullptr;
    for (const TClosedSheet& Closed : fClosedTabList)
        if (Closed.second && !Closed.second->parentWidget())
            delete Closed.second;
}

void TExPageControl::InsertPage(TExTabSheet* Page)
{
    fPages.push_back(Page);
    Page->hide();
    Page->SetTabShowing(Page->TabVisible());
    LayoutControls();
}

// The next active page is chosen before anything changes; a removed active
// page never stays active, also when no page can follow it.
void TExPageControl::RemovePage(TExTabSheet* Page)
{
    TExTabSheet* Next = NextActivatable(Page);
    Page->SetTabShowing(false);
    std::erase(fPages, Page);
    if (fUndockingPage == Page)
        fUndockingPage = nullptr;
    fHoverTab = -1;
    if (fActivePage == Page) {
        fActivePage = nullptr;
        Page->hide();
        ChangeActivePage(Next);
        SyncNativeSelection();
    }
    update();
}

TExTabSheet* TExPageControl::NextActivatable(TExTabSheet* Page, bool GoForward) const
{
    TExTabSheet* First = FindNextPage(Page, GoForward, true);
    for (TExTabSheet* Next = First; Next && Next != Page;) {
        if (Next->TabEnable())
            return Next;
        Next = FindNextPage(Next, GoForward, true);
        if (Next == First)
            break;
    }
    return nullptr;
}

void TExPageControl::SetTabBorder3D(bool Value)
{
    if (!StoreChanged(fTabBorder3D, Value))
        return;
    ApplyDummyImages();
    for (auto It = fPages.rbegin(); It != fPages.rend(); ++It)
        UpdateTab(*It);
    fTabs->update();
    update();
}

void TExPageControl::SetTabSplitLine(bool Value)
{
    if (Value && (fTabStyle == tsDotNet || fTabStyle == tsDelphi))
        throw ExPageControlException(
            "TabSplitLine must be false when TabStyle is tsDotNet/tsDelphi");
    SetAndRepaint(fTabSplitLine, Value);
}

void TExPageControl::SetDefaultTextColor(TColor Value)
{
    for (TExTabSheet* Page : fPages)
        if (Page->TextColor() == fDefaultTextColor)
            Page->SetTextColor(Value);
    SetAndRepaint(fDefaultTextColor, Value);
}

void TExPageControl::SetDefaultTabColor(TColor Value)
{
    for (TExTabSheet* Page : fPages)
        if (Page->TabColor() == fDefaultTabColor)
            Page->SetTabColor(Value);
    SetAndRepaint(fDefaultTabColor, Value);
}

void TExPageControl::SetDefaultTabColorTo(TColor Value)
{
    for (TExTabSheet* Page : fPages)
        if (Page->TabColorTo() == fDefaultTabColorTo)
            Page->SetTabColorTo(Value);
    SetAndRepaint(fDefaultTabColorTo, Value);
}

void TExPageControl::SetTabBackGround(const QImage& Value)
{
    fTabBackGround = Value;
    update();
}

void TExPageControl::SetTabBackGroundActive(const QImage& Value)
{
    fTabBackGroundActive = Value;
    update();
}

void TExPageControl::SetCloseGlyph(const QImage& Value)
{
    fCloseGlyph = Value;
    update();
}

// The strip lies along one side; the page frame takes the rest, its far
// edges 2 pixels inside the control and its edge at the strip on the strip's
// first row, where the active tab's fill opens it. Rows across the page take
// the far side's edge onto their first row likewise.
TRect TExPageControl::StripRect() const
{
    const QRect G = fTabs->geometry();
    return Bounds(G.x(), G.y(), G.width(), G.height());
}

TRect TExPageControl::PageFrameRect() const
{
    const TRect G = StripRect(), A = AcrossRect();
    const bool None = A.IsEmpty();
    const int W = width(), H = height();
    switch (fTabPosition) {
    case tpTop:
        return Rect(2, G.Bottom - 1, W - 2, None ? H - 2 : A.Top + 1);
    case tpBottom:
        return Rect(2, None ? 2 : A.Bottom - 1, W - 2, G.Top + 1);
    case tpLeft:
        return Rect(G.Right - 1, 2, None ? W - 2 : A.Left + 1, H - 2);
    case tpRight:
        return Rect(None ? 2 : A.Right - 1, 2, G.Left + 1, H - 2);
    }
    return Rect(0, 0, W, H);
}

void TExPageControl::SetMultiLine(bool Value)
{
    if (!StoreChanged(fMultiLine, Value))
        return;
    fTabs->setUsesScrollButtons(!Value);
    LayoutControls();
    update();
}

void TExPageControl::SetRowStyle(bool& Field, bool Value)
{
    if (!StoreChanged(Field, Value) || !fMultiLine)
        return;
    LayoutControls();
    update();
}

int TExPageControl::RowExtent() const
{
    int Extent = 0;
    for (int Tab = 0; Tab < fTabs->count(); ++Tab) {
        const QSize Size = fTabs->TabSize(Tab);
        Extent = std::max(Extent, Horizontal() ? Size.height() : Size.width());
    }
    const QSize Hint = fTabs->sizeHint();
    return Extent > 0 ? Extent : (Horizontal() ? Hint.height() : Hint.width());
}

std::vector<TTabPlace> TExPageControl::TabPlaces() const
{
    std::vector<int> Lengths;
    for (int Tab = 0; Tab < fTabs->count(); ++Tab) {
        const QSize Size = fTabs->TabSize(Tab);
        Lengths.push_back(Horizontal() ? Size.width() : Size.height());
    }
    return LayoutTabRows(Lengths, Horizontal() ? width() : height(), fTabs->Selection(),
                         {.Stretch = !fRaggedRight, .Opposite = fScrollOpposite});
}

std::vector<TTabPosition> TExPageControl::TabSides() const
{
    std::vector<TTabPosition> Sides(std::size_t(fTabs->count()), fTabPosition);
    if (!fMultiLine)
        return Sides;
    const std::vector<TTabPlace> Places = TabPlaces();
    for (std::size_t Tab = 0; Tab < Places.size(); ++Tab)
        if (Places[Tab].Opposite)
            Sides[Tab] = OppositeSide(fTabPosition);
    return Sides;
}

TRect TExPageControl::AcrossRect() const
{
    const int Extent = fMultiLine ? TabRowCount(TabPlaces(), true) * RowExtent() : 0;
    const int W = width(), H = height();
    switch (fTabPosition) {
    case tpTop:
        return Rect(0, H - Extent, W, H);
    case tpBottom:
        return Rect(0, 0, W, Extent);
    case tpLeft:
        return Rect(W - Extent, 0, W, H);
    case tpRight:
        return Rect(0, 0, Extent, H);
    }
    return {};
}

// Row 0 of each side lies along the page; the others follow away from it.
std::vector<TRect> TExPageControl::TabRects() const
{
    std::vector<TRect> Rects;
    if (!fMultiLine) {
        for (int Tab = 0; Tab < fTabs->count(); ++Tab) {
            const QRect R = fTabs->tabRect(Tab).translated(fTabs->pos());
            Rects.push_back(Bounds(R.x(), R.y(), R.width(), R.height()));
        }
        return Rects;
    }
    const TRect Strip = StripRect(), Opposite = AcrossRect();
    const int Across = RowExtent();
    for (const TTabPlace& P : TabPlaces()) {
        const TRect& S = P.Opposite ? Opposite : Strip;
        switch (P.Opposite ? OppositeSide(fTabPosition) : fTabPosition) {
        case tpTop:
            Rects.push_back(Bounds(P.Start, S.Bottom - (P.Row + 1) * Across, P.Length, Across));
            break;
        case tpBottom:
            Rects.push_back(Bounds(P.Start, S.Top + P.Row * Across, P.Length, Across));
            break;
        case tpLeft:
            Rects.push_back(Bounds(S.Right - (P.Row + 1) * Across, P.Start, Across, P.Length));
            break;
        case tpRight:
            Rects.push_back(Bounds(S.Left + P.Row * Across, P.Start, Across, P.Length));
            break;
        }
    }
    return Rects;
}

void TExPageControl::LayoutControls()
{
    QSize Hint = fTabs->sizeHint();
    if (fMultiLine) {
        const int Rows = TabRowCount(TabPlaces()) * RowExtent();
        (Horizontal() ? Hint.rheight() : Hint.rwidth()) = Rows;
    }
    const int W = width(), H = height();
    switch (fTabPosition) {
    case tpTop:
        fTabs->setGeometry(0, 0, W, Hint.height());
        break;
    case tpBottom:
        fTabs->setGeometry(0, H - Hint.height(), W, Hint.height());
        break;
    case tpLeft:
        fTabs->setGeometry(0, 0, Hint.width(), H);
        break;
    case tpRight:
        fTabs->setGeometry(W - Hint.width(), 0, Hint.width(), H);
        break;
    }
    const TRect F = PageFrameRect();
    const QRect Display(F.Left + 4, F.Top + 4, std::max(F.Width() - 8, 0),
                        std::max(F.Height() - 8, 0));
    for (TExTabSheet* Page : fPages)
        Page->setGeometry(Display);
}

void TExPageControl::resizeEvent(QResizeEvent*)
{
    LayoutControls();
}

void TExPageControl::SetActivePage(TExTabSheet* Page)
{
    if (Page && Page->ExPageControl() != this)
        return;
    ChangeActivePage(Page);
    if (fActivePage == Page)
        SyncNativeSelection();
}

// A focus on the old page goes to the new page's first control that takes
// it, or to the control, before the old page hides.
void TExPageControl::ChangeActivePage(TExTabSheet* Page)
{
    if (Page == fActivePage || (Page && !Page->TabEnable()))
        return;
    TExTabSheet* Old = fActivePage;
    const QWidget* Focus = QApplication::focusWidget();
    const bool FocusOnOld = Old && Focus && (Old == Focus || Old->isAncestorOf(Focus));
    if (Page) {
        Page->raise();
        Page->show();
    }
    if (FocusOnOld) {
        QWidget* Next = Page ? Page->nextInFocusChain() : nullptr;
        while (Next && Next != Page &&
               !(Page->isAncestorOf(Next) && Next->isEnabled() &&
                 (Next->focusPolicy() & Qt::TabFocus)))
            Next = Next->nextInFocusChain();
        if (Next && Next != Page)
            Next->setFocus(Qt::TabFocusReason);
        else
            setFocus(Qt::TabFocusReason);
    }
    if (Old)
        Old->hide();
    fActivePage = Page;
    UpdateTab(Old);
    UpdateTab(Page);
    update();
}

TExTabSheet* TExPageControl::FindNextPage(TExTabSheet* CurPage, bool GoForward,
                                          bool CheckTabVisible) const
{
    const int Count = PageCount();
    if (Count == 0)
        return nullptr;
    const auto Found = std::find(fPages.begin(), fPages.end(), CurPage);
    const int Start =
        Found != fPages.end() ? int(Found - fPages.begin()) : (GoForward ? Count - 1 : 0);
    for (int Step = 1; Step <= Count; ++Step) {
        const int Index = ((GoForward ? Start + Step : Start - Step) % Count + Count) % Count;
        TExTabSheet* Page = fPages[std::size_t(Index)];
        if (Page != CurPage && (!CheckTabVisible || Page->TabVisible()))
            return Page;
    }
    return nullptr;
}

void TExPageControl::SelectNextPage(bool GoForward)
{
    TExTabSheet* Page = NextActivatable(fActivePage, GoForward);
    if (!Page || Page == fActivePage || !CanChange(Page->PageIndex()))
        return;
    fTabs->Select(Page->TabIndex());
    Change();
}

int TExPageControl::IndexOfTabAtEx(int X, int Y) const
{
    int Tab = -1;
    if (fMultiLine) {
        const std::vector<TRect> Rects = TabRects();
        for (int Index = 0; Index < int(Rects.size()) && Tab < 0; ++Index)
            if (PtIn(Rects[std::size_t(Index)], X, Y))
                Tab = Index;
    } else {
        Tab = fTabs->tabAt(QPoint(X, Y) - fTabs->pos());
    }
    const TExTabSheet* Page = PageAtTab(Tab);
    return Page ? Page->PageIndex() : -1;
}

TRect TExPageControl::TabRectEx(int PageIndex) const
{
    if (PageIndex < 0 || PageIndex >= PageCount())
        return {};
    const int Tab = Pages(PageIndex)->TabIndex();
    if (Tab < 0)
        return {};
    if (fMultiLine)
        return TabRects().at(std::size_t(Tab));
    const QRect R = fTabs->tabRect(Tab).translated(fTabs->pos());
    return Bounds(R.x(), R.y(), R.width(), R.height());
}

bool TExPageControl::IsOnButton(int PageIndex, int X, int Y) const
{
    const TRect R = TabRectEx(PageIndex);
    if (R.IsEmpty())
        return false;
    const TTabMargin& M = fTabMargin;
    // The active tab's button is drawn moved with its content: it is hit there.
    const int O = PageIndex == ActivePageIndex() ? fLowerActive : 0;
    TRect Button;
    if (fTabPosition == tpLeft) {
        int Left = R.Left + M.LeftMargin() + O;
        int Bottom =
            fClosePosition == cpRight ? R.Top + M.RightMargin() + 13 : R.Bottom - M.TopMargin();
        if (!fTabBackGroundActive.isNull()) {
            Left += 2;
            Bottom += fTabOverlap;
        }
        Button = Rect(Left + 2, Bottom - 13, Left + 14, Bottom - 2);
    } else if (fClosePosition == cpRight && fTabPosition != tpRight) {
        const int Left = R.Right - M.RightMargin() - 14, Top = R.Top + M.TopMargin() + O;
        Button = Rect(Left, Top, Left + 14, Top + 13);
    } else if (fClosePosition == cpRight) {
        const int Left = R.Left + M.LeftMargin() - O, Top = R.Bottom - M.RightMargin() - 13;
        Button = Rect(Left, Top, Left + 14, Top + 13);
    } else {
        const bool Right = fTabPosition == tpRight;
        const int Left = R.Left + M.LeftMargin() - (Right ? O : 0);
        const int Top = R.Top + M.TopMargin() + (Right ? 0 : O);
        Button = Rect(Left + 2, Top + 2, Left + 14, Top + 13);
    }
    return PtIn(Button, X, Y);
}

void TExPageControl::BeginUpdate()
{
    if (fUpdateCount++ == 0 && isVisible())
        setUpdatesEnabled(false);
}

void TExPageControl::EndUpdate()
{
    if (fUpdateCount == 0 || --fUpdateCount > 0)
        return;
    setUpdatesEnabled(true);
    update();
}

bool TExPageControl::CanChange(int ToIndex)
{
    bool Allow = true;
    if (OnCanChange) {
        try {
            OnCanChange(this, ActivePageIndex(), ToIndex, Allow);
        } catch (...) {
            return false;
        }
    }
    return Allow;
}

// Rows that turn repaint once, after the change.
void TExPageControl::Change()
{
    const TExTabSheet* Old = fActivePage;
    if (fMultiLine)
        BeginUpdate();
    UpdateActivePage();
    if (fMultiLine)
        EndUpdate();
    if (fActivePage != Old)
        FireChange();
}

// A refused page leaves the native selection on the active page's tab.
void TExPageControl::UpdateActivePage()
{
    if (TExTabSheet* Page = PageAtTab(fTabs->Selection()))
        SetActivePage(Page);
    SyncNativeSelection();
}

// The first page whose caption carries the accelerator is selected, if its
// sheet is enabled and the control could take the focus.
void TExPageControl::DialogChar(const QKeySequence& Key)
{
    if (!isVisible() || !isEnabled())
        return;
    for (TExTabSheet* Page : fPages) {
        if (!Page->TabShowing() || !CanShowTab(Page->PageIndex()) ||
            QKeySequence::mnemonic(QString::fromStdString(Page->GetCaption())) != Key)
            continue;
        if (Page != fActivePage && CanChange(Page->PageIndex())) {
            fTabs->Select(Page->TabIndex());
            Change();
        }
        return;
    }
}

void TExPageControl::TabChange()
{
    FireChange();
    update();
}

void TExPageControl::FireChange()
{
    if (!OnChange)
        return;
    try {
        OnChange(this);
    } catch (...) {
    }
}

void TExPageControl::keyPressEvent(QKeyEvent* Event)
{
    const bool Tab = Event->key() == Qt::Key_Tab || Event->key() == Qt::Key_Backtab;
    if (Tab && (Event->modifiers() & Qt::ControlModifier)) {
        SelectNextPage(!(Event->modifiers() & Qt::ShiftModifier) &&
                       Event->key() != Qt::Key_Backtab);
        Event->accept();
        return;
    }
    // With the focus on the control itself (not passed on by a page's
    // control that did not use them), the arrows step through the pages in
    // their order, whatever row a tab lies in.
    if (hasFocus() &&
        (Event->modifiers() == Qt::NoModifier || Event->modifiers() == Qt::KeypadModifier)) {
        switch (Event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            SelectNextPage(false);
            return;
        case Qt::Key_Right:
        case Qt::Key_Down:
            SelectNextPage(true);
            return;
        default:
            break;
        }
    }
    QWidget::keyPressEvent(Event);
}

void TExPageControl::mousePressEvent(QMouseEvent* Event)
{
    const QPoint P = Event->position().toPoint();
    if (fMultiLine && IndexOfTabAtEx(P.x(), P.y()) >= 0)
        RowsMousePress(Event->button(), P);
    else
        QWidget::mousePressEvent(Event);
}

void TExPageControl::mouseReleaseEvent(QMouseEvent* Event)
{
    TabsMouseRelease(Event->button(), Event->position().toPoint());
    QWidget::mouseReleaseEvent(Event);
}

void TExPageControl::mouseDoubleClickEvent(QMouseEvent* Event)
{
    QWidget::mouseDoubleClickEvent(Event);
    if (Event->button() == Qt::LeftButton)
        TabsDoubleClick(Event->position().toPoint());
}

void TExPageControl::mouseMoveEvent(QMouseEvent* Event)
{
    TabsMouseMove(Event->position().toPoint(), Event->buttons());
    QWidget::mouseMoveEvent(Event);
}

void TExPageControl::leaveEvent(QEvent* Event)
{
    TabsMouseLeave();
    QWidget::leaveEvent(Event);
}

void TExPageControl::TabsMouseMove(QPoint P, Qt::MouseButtons Buttons)
{
    DragDockedTab(P, Buttons);
    if (fTabBorder3D && fHotTrack)
        SetHotTab(IndexOfTabAtEx(P.x(), P.y()));
    if (fTabBorder3D || fTabHoverColor == clNone)
        return;
    if (fTabBackGround.isNull()) {
        const int Tab = IndexOfTabAtEx(P.x(), P.y());
        if (Tab != fHoverTab) {
            fHoverTab = Tab;
            update();
        }
    }
    const bool OnButton = OnActiveCloseButton(P);
    if (OnButton != fHoverClosedButton) {
        fHoverClosedButton = OnButton;
        update();
    }
}

void TExPageControl::TabsMouseLeave()
{
    if (fTabBorder3D) {
        SetHotTab(-1);
        return;
    }
    if (fTabBackGround.isNull())
        update();
    fHoverTab = -1;
}

void TExPageControl::SetHotTrack(bool Value)
{
    if (StoreChanged(fHotTrack, Value) && fTabBorder3D)
        SetHotTab(-1);
}

void TExPageControl::SetHotTab(int PageIndex)
{
    if (PageIndex == fHoverTab)
        return;
    for (const int Index : {std::exchange(fHoverTab, PageIndex), PageIndex}) {
        const TRect R = TabRectEx(Index);
        update(R.Left, R.Top, R.Width(), R.Height());
    }
}

bool TExPageControl::OnActiveCloseButton(QPoint P) const
{
    return !fTabBorder3D && fActivePage && fActivePage->ShowClose() &&
           IsOnButton(ActivePageIndex(), P.x(), P.y());
}

// Answers whether the native strip may move its selection. A docking site
// closes on any press on the close button, elsewhere the left release does.
bool TExPageControl::TabsMousePress(Qt::MouseButton Button, QPoint P)
{
    if (OnActiveCloseButton(P) && fDockSite) {
        fClosedByPress |= Button;
        CloseActiveSheet();
        return false;
    }
    if (OnActiveCloseButton(P) && Button == Qt::LeftButton) {
        fDownClosedButton = true;
        update();
        return false;
    }
    const int Target = IndexOfTabAtEx(P.x(), P.y());
    fUndockingPage = Button == Qt::LeftButton && Target >= 0 && Pages(Target)->DockedPanel()
                         ? Pages(Target)
                         : nullptr;
    return Target < 0 || Target == ActivePageIndex() || CanChange(Target);
}

void TExPageControl::RowsMousePress(Qt::MouseButton Button, QPoint P)
{
    if (!TabsMousePress(Button, P))
        return;
    const int Index = IndexOfTabAtEx(P.x(), P.y());
    const int Tab = Index >= 0 ? Pages(Index)->TabIndex() : -1;
    if (Button == Qt::LeftButton && Tab >= 0 && Tab != fTabs->Selection()) {
        fTabs->Select(Tab);
        Change();
    }
}

// The release of a press that closed a sheet closes no other.
void TExPageControl::TabsMouseRelease(Qt::MouseButton Button, QPoint P)
{
    fUndockingPage = nullptr;
    if (std::exchange(fDownClosedButton, false))
        update();
    if (fClosedByPress & Button) {
        fClosedByPress &= ~Qt::MouseButtons(Button);
        return;
    }
    if (Button == Qt::LeftButton && OnActiveCloseButton(P))
        CloseActiveSheet();
}

// A handler that throws ends the close where it stands.
void TExPageControl::CloseActiveSheet()
try {
    TExTabSheet* Sheet = fActivePage;
    TExTabSheet* Next = NextActivatable(Sheet);
    if (!Sheet->CanCloseClick())
        return;
    Sheet->CloseButtonClick();
    SetActivePage(Next);
    TabChange();
    if (fFreeOnClose) {
        delete Sheet;
    } else {
        fClosedTabList.emplace_back(Sheet->objectName().toStdString(), Sheet);
        Sheet->SetExPageControl(nullptr);
    }
    update();
} catch (...) {
}

void TExPageControl::paintEvent(QPaintEvent*)
{
    if (fUpdateCount > 0)
        return;
    if (fTabBorder3D) {
        QPainter Painter(this);
        Painter.fillRect(rect(), ToQColor(ColorToRGB(fColor)));
        QStyleOptionTabWidgetFrame Frame;
        Frame.initFrom(this);
        const TRect F = PageFrameRect();
        Frame.rect = QRect(F.Left, F.Top, F.Width(), F.Height());
        Frame.shape = fTabs->shape();
        style()->drawPrimitive(QStyle::PE_FrameTabWidget, &Frame, &Painter, this);
        fTabs->PaintNative(Painter);
        return;
    }
    TPaintBuffer Buffer(*this, ToQColor(ColorToRGB(fColor)));
    DrawAllTabs(Buffer.Canvas());
}
