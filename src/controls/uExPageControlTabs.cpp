#include "controls/uExPageControl.h"

#include "controls/uExNativeTabs.h"
#include "platform/qt/Theme.h"

#include <QSignalBlocker>

// The native tabs in step with the showing sheets: their texts, the room of
// their images and margins, their fixed sizes.

namespace {

int TextWidthIn(const TFont& Font, const std::string& Text)
{
    TBitmap Measure;
    Measure.SetSize(1, 1);
    Measure.Canvas().Font().Assign(Font);
    return Measure.Canvas().TextWidth(Text);
}

} // namespace

// The control draws the tabs, also beyond the native strip: a tab that comes
// or goes repaints all of it.
void TExPageControl::InsertTab(TExTabSheet* Page)
{
    {
        const QSignalBlocker Block(fTabs);
        fTabs->insertTab(Page->TabIndex(), QString::fromStdString(NativeTabText(Page)));
    }
    ApplyDummyImages();
    SyncNativeSelection();
    LayoutControls();
    update();
}

void TExPageControl::DeleteTab(int TabIndex)
{
    {
        const QSignalBlocker Block(fTabs);
        fTabs->removeTab(TabIndex);
    }
    SyncNativeSelection();
    LayoutControls();
    update();
}

void TExPageControl::MoveTab(int From, int To)
{
    {
        const QSignalBlocker Block(fTabs);
        fTabs->moveTab(From, To);
    }
    SyncNativeSelection();
    update();
}

void TExPageControl::UpdateTab(TExTabSheet* Page)
{
    if (!Page || !Page->TabShowing())
        return;
    const QSignalBlocker Block(fTabs);
    fTabs->setTabText(Page->TabIndex(), QString::fromStdString(NativeTabText(Page)));
    const TTabMargin& M = fTabMargin;
    fTabs->setTabIcon(
        Page->TabIndex(),
        TabIcon(Page->TabIndex(), DummyExtent(M.LeftMargin(), M.TopMargin(), M.RightMargin())));
    update();
}

// A bold or italic active tab is wider: blanks in the control's font make up
// the difference, so the native tab leaves room for it.
std::string TExPageControl::NativeTabText(TExTabSheet* Page)
{
    if (fTabBorder3D)
        return Page->GetCaption();
    std::string Text = Page->TabCaption();
    if (Page != fActivePage || !(fActiveFont.Style() & (fsBold | fsItalic)))
        return Text;
    const int Surplus = TextWidthIn(fActiveFont, Text) - TextWidthIn(fFont, Text);
    std::string Blanks;
    while (TextWidthIn(fFont, Blanks) < Surplus)
        Blanks += ' ';
    return Text + Blanks;
}

TExTabSheet* TExPageControl::PageAtTab(int TabIndex) const
{
    for (TExTabSheet* Page : fPages)
        if (TabIndex >= 0 && Page->TabIndex() == TabIndex)
            return Page;
    return nullptr;
}

// No active page, or one whose tab is hidden, leaves no tab selected. The
// rows across the page follow the selected row.
void TExPageControl::SyncNativeSelection()
{
    fTabs->Select(fActivePage && fActivePage->TabShowing() ? fActivePage->TabIndex() : -1);
    if (fMultiLine && fScrollOpposite)
        LayoutControls();
}

void TExPageControl::ApplyTabFont()
{
    fTabs->setFont(ToQFont(fFont));
    LayoutControls();
    update();
}

int TExPageControl::DummyExtent(TMarginSize Left, TMarginSize Top, TMarginSize Right) const
{
    if (fTabPosition == tpTop || fTabPosition == tpBottom)
        return Right + Left + (fImages ? fImages->Width() : 0);
    return Right + Top + (fImages ? fImages->Height() : 0);
}

// In owner-draw mode a tab with an image index carries a blank image whose
// extent along the tab is the margins' and the images' room, so the native
// size leaves room for them; in three-dimensional mode it carries its image.
QIcon TExPageControl::TabIcon(int Tab, int Extent)
{
    const int Index = GetImageIndex(Tab);
    if (fTabBorder3D)
        return fImages ? QIcon(QPixmap::fromImage(fImages->GetIcon(Index))) : QIcon();
    if (Index < 0 || Extent <= 0)
        return {};
    const bool Horizontal = fTabPosition == tpTop || fTabPosition == tpBottom;
    QPixmap Blank(Horizontal ? QSize(Extent, 1) : QSize(1, Extent));
    Blank.fill(Qt::transparent);
    return QIcon(Blank);
}

void TExPageControl::ApplyDummyImages(int Extent)
{
    const bool Horizontal = fTabPosition == tpTop || fTabPosition == tpBottom;
    if (fTabBorder3D && fImages)
        fTabs->setIconSize(QSize(fImages->Width(), fImages->Height()));
    else if (!fTabBorder3D && Extent > 0)
        fTabs->setIconSize(Horizontal ? QSize(Extent, 1) : QSize(1, Extent));
    const QSignalBlocker Block(fTabs);
    for (int Tab = 0; Tab < fTabs->count(); ++Tab)
        fTabs->setTabIcon(Tab, TabIcon(Tab, Extent));
}

void TExPageControl::ApplyDummyImages()
{
    const TTabMargin& M = fTabMargin;
    ApplyDummyImages(DummyExtent(M.LeftMargin(), M.TopMargin(), M.RightMargin()));
}

// The margin is stored after this announcement: the new value is read here.
void TExPageControl::TabMarginChange(TMarginSize NewValue, TMarginSize, int Index)
{
    const TTabMargin& M = fTabMargin;
    TMarginSize Margins[] = {M.LeftMargin(), M.TopMargin(), M.RightMargin()};
    Margins[Index] = NewValue;
    ApplyDummyImages(DummyExtent(Margins[0], Margins[1], Margins[2]));
    LayoutControls();
    update();
}

void TExPageControl::SetTabPosition(TTabPosition Value)
{
    fTabPosition = Value;
    fTabs->setShape(TExNativeTabs::ShapeOf(Value));
    ApplyDummyImages();
    LayoutControls();
    update();
}

void TExPageControl::SetImages(TImageList* Value)
{
    fImages.Set(Value, this, [this] { ImagesChanged(); });
}

// The images or the handler changed: the tabs are measured and painted again.
void TExPageControl::ImagesChanged()
{
    ApplyDummyImages();
    LayoutControls();
    update();
}

void TExPageControl::SetOnGetImageIndex(TGetImageIndexEvent Handler)
{
    fOnGetImageIndex = std::move(Handler);
    ImagesChanged();
}

int TExPageControl::GetImageIndex(int TabIndex)
{
    if (fOnGetImageIndex) {
        int Index = TabIndex;
        try {
            fOnGetImageIndex(this, TabIndex, Index);
        } catch (...) {
        }
        return Index;
    }
    const TExTabSheet* Page = PageAtTab(TabIndex);
    return Page ? Page->fImageIndexDummy : -1;
}

int TExPageControl::DrawnImageIndex(TExTabSheet* Page)
{
    return fOnGetImageIndex ? GetImageIndex(Page->TabIndex()) : Page->ImageIndex();
}

bool TExPageControl::CanShowTab(int PageIndex) const
{
    return PageIndex >= 0 && PageIndex < PageCount() && Pages(PageIndex)->SheetEnabled();
}

void TExPageControl::SetTabHeight(int Value)
{
    if (!StoreChanged(fTabHeight, Value))
        return;
    fTabs->Relayout();
    LayoutControls();
    update();
}

void TExPageControl::SetTabWidth(int Value)
{
    if (!StoreChanged(fTabWidth, Value))
        return;
    fTabs->Relayout();
    LayoutControls();
    update();
}
