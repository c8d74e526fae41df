#pragma once

#include "controls/uExPageControlSheet.h"
#include "controls/uExTabRows.h"
#include "platform/qt/ImageList.h"

#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

class TExNativeTabs;

// A setting the control refuses, with a fixed English text.
class ExPageControlException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TTabStyle { tsClassic, tsDotNet, tsDelphi };
enum TClosePosition { cpLeft, cpRight };
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
using TTabOverlapSize = uint8_t; // 0..15
using TMarginSize = int;

// Margins around a tab's content; a change is announced before it is stored.
class TTabMargin {
public:
    using TMarginChangeEvent =
        std::function<void(TMarginSize NewValue, TMarginSize OldValue, int Index)>;
    enum : int { LeftIndex, TopIndex, RightIndex };
    TMarginSize LeftMargin() const { return fMargins[LeftIndex]; }
    TMarginSize TopMargin() const { return fMargins[TopIndex]; }
    TMarginSize RightMargin() const { return fMargins[RightIndex]; }
    void SetMargin(int Index, TMarginSize Value);
    void Assign(const TTabMargin& Source);
    TMarginChangeEvent OnMarginChange;

private:
    TMarginSize fMargins[3] = {0, 0, 0};
};

// A tabbed page container over a native tab strip. It keeps its own list of
// sheets in page order; only the active page is visible. With TabBorder3D
// False (the default) it draws the strip, the page frame and the tabs itself,
// with per-sheet colours, a separate font for the active tab, hover colours
// and close buttons; with TabBorder3D True the style draws them. Tabs may
// carry a picture of Images before their text and an accelerator ("&" before
// a letter of the caption: Alt and the letter select the page). Sheets are
// its children; sheets closed by their button while FreeOnClose is False
// leave it and are freed with it unless they joined a control again.
// User-interface thread only.
class TExPageControl : public QWidget {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(TExPageControl* Sender)>;
    using TCanChangeEvent =
        std::function<void(TExPageControl* Sender, int FromIndex, int ToIndex, bool& AllowChange)>;
    using TDrawTabEvent =
        std::function<void(TExPageControl* Control, int TabIndex, TRect& Rect, bool Active)>;
    using TClosedSheet = std::pair<std::string, QPointer<TExTabSheet>>;
    // ImageIndex starts as the tab index; the handler may change it.
    using TGetImageIndexEvent =
        std::function<void(TExPageControl* Sender, int TabIndex, int& ImageIndex)>;

    explicit TExPageControl(QWidget* Parent = nullptr);
    ~TExPageControl() override;

    // The control's own version, also as one number of a byte per part
    // (major highest); neither can be set.
    static constexpr std::string_view Version() { return "1.6.1.1"; }
    static constexpr uint32_t VersionNr() { return 1u << 24 | 6u << 16 | 1u << 8 | 1u; }

    int PageCount() const { return int(fPages.size()); }
    TExTabSheet* Pages(int Index) const { return fPages.at(std::size_t(Index)); }
    TExTabSheet* ActivePage() const { return fActivePage; }
    // A sheet of another control is ignored; a disabled tab is refused; none
    // leaves no tab selected.
    void SetActivePage(TExTabSheet* Page);
    int ActivePageIndex() const { return fActivePage ? fActivePage->PageIndex() : -1; }
    // The next page in page order, wrapping; null when no other page qualifies.
    TExTabSheet* FindNextPage(TExTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
    // Moves to the next page, in that direction, whose tab is visible and
    // enabled, when OnCanChange allows it.
    void SelectNextPage(bool GoForward);
    // The page index of the tab at a client point, or -1.
    int IndexOfTabAtEx(int X, int Y) const;
    // The client rectangle of a page's tab; empty when its tab is not showing.
    TRect TabRectEx(int PageIndex) const;
    // Whether the point lies on the close button of that page's tab.
    bool IsOnButton(int PageIndex, int X, int Y) const;
    void BeginUpdate();
    void EndUpdate();
    const std::vector<TClosedSheet>& ClosedTabList() const { return fClosedTabList; }
    // The image of a showing tab: the image-index handler's answer, else the
    // sheet's own or 0 when it has none, so that every tab keeps the room of
    // an image. The native tab reserves that room when it is 0 or more.
    virtual int GetImageIndex(int TabIndex);
    // Whether a page may be selected by its accelerator: its enabled state.
    virtual bool CanShowTab(int PageIndex) const;

    TFont& Font() { return fFont; }
    TFont& ActiveFont() { return fActiveFont; }
    TColor Color() const { return fColor; }
    void SetColor(TColor Value) { SetAndRepaint(fColor, Value); }
    TTabPosition TabPosition() const { return fTabPosition; }
    void SetTabPosition(TTabPosition Value);
    // Pictures of the tabs; not owned (forgotten when freed).
    TImageList* Images() const { return fImages; }
    void SetImages(TImageList* Value);
    // Fixed tab extents across (height) and along (width) the strip; 0 sizes
    // the tabs by their text.
    int TabHeight() const { return fTabHeight; }
    void SetTabHeight(int Value);
    int TabWidth() const { return fTabWidth; }
    void SetTabWidth(int Value);
    TTabMargin& TabMargin() { return fTabMargin; }
    // Tabs that do not fit in one row wrap into more; the row of the active
    // tab lies next to the page.
    bool MultiLine() const { return fMultiLine; }
    void SetMultiLine(bool Value);
    // With MultiLine: each row keeps its own length; off, several rows are
    // each stretched to the control's length.
    bool RaggedRight() const { return fRaggedRight; }
    void SetRaggedRight(bool Value) { SetRowStyle(fRaggedRight, Value); }
    // With MultiLine: the rows before the active tab's row lie across the
    // page, on its other side, instead of behind the last row.
    bool ScrollOpposite() const { return fScrollOpposite; }
    void SetScrollOpposite(bool Value) { SetRowStyle(fScrollOpposite, Value); }
    // Where the style draws the tabs (TabBorder3D), the tab under the pointer
    // is drawn hot.
    bool HotTrack() const { return fHotTrack; }
    void SetHotTrack(bool Value);
    bool TabBorder3D() const { return fTabBorder3D; }
    void SetTabBorder3D(bool Value);
    TTabStyle TabStyle() const { return fTabStyle; }
    void SetTabStyle(TTabStyle Value) { SetAndRepaint(fTabStyle, Value); }
    bool TabSplitLine() const { return fTabSplitLine; }
    void SetTabSplitLine(bool Value);
    TColor DefaultTextColor() const { return fDefaultTextColor; }
    void SetDefaultTextColor(TColor Value);
    TColor DefaultTabColor() const { return fDefaultTabColor; }
    void SetDefaultTabColor(TColor Value);
    TColor DefaultTabColorTo() const { return fDefaultTabColorTo; }
    void SetDefaultTabColorTo(TColor Value);
    TColor ActiveColor() const { return fActiveColor; }
    void SetActiveColor(TColor Value) { SetAndRepaint(fActiveColor, Value); }
    TColor ActiveColorTo() const { return fActiveColorTo; }
    void SetActiveColorTo(TColor Value) { SetAndRepaint(fActiveColorTo, Value); }
    TColor TabBorderColor() const { return fTabBorderColor; }
    void SetTabBorderColor(TColor Value) { SetAndRepaint(fTabBorderColor, Value); }
    TColor TabHoverColor() const { return fTabHoverColor; }
    void SetTabHoverColor(TColor Value) { SetAndRepaint(fTabHoverColor, Value); }
    TColor TabHoverColorTo() const { return fTabHoverColorTo; }
    void SetTabHoverColorTo(TColor Value) { SetAndRepaint(fTabHoverColorTo, Value); }
    TColor TabHoverBorder() const { return fTabHoverBorder; }
    void SetTabHoverBorder(TColor Value) { SetAndRepaint(fTabHoverBorder, Value); }
    bool TabSheet3D() const { return fTabSheet3D; }
    void SetTabSheet3D(bool Value) { SetAndRepaint(fTabSheet3D, Value); }
    TColor TabSheetBorderColor() const { return fTabSheetBorderColor; }
    void SetTabSheetBorderColor(TColor Value) { SetAndRepaint(fTabSheetBorderColor, Value); }
    TColor TabBackGroundColor() const { return fTabBackGroundColor; }
    void SetTabBackGroundColor(TColor Value) { SetAndRepaint(fTabBackGroundColor, Value); }
    const QImage& TabBackGround() const { return fTabBackGround; }
    void SetTabBackGround(const QImage& Value);
    const QImage& TabBackGroundActive() const { return fTabBackGroundActive; }
    void SetTabBackGroundActive(const QImage& Value);
    const QImage& CloseGlyph() const { return fCloseGlyph; }
    void SetCloseGlyph(const QImage& Value);
    TClosePosition ClosePosition() const { return fClosePosition; }
    void SetClosePosition(TClosePosition Value) { SetAndRepaint(fClosePosition, Value); }
    TTabOverlapSize TabOverlap() const { return fTabOverlap; }
    void SetTabOverlap(TTabOverlapSize Value) { SetAndRepaint(fTabOverlap, Value); }
    bool RoundEdges() const { return fRoundEdges; }
    void SetRoundEdges(bool Value) { SetAndRepaint(fRoundEdges, Value); }
    int LowerActive() const { return fLowerActive; }
    void SetLowerActive(int Value) { SetAndRepaint(fLowerActive, Value); }
    bool ShowFocus() const { return fShowFocus; }
    void SetShowFocus(bool Value) { SetAndRepaint(fShowFocus, Value); }
    bool FreeOnClose() const { return fFreeOnClose; }
    void SetFreeOnClose(bool Value) { fFreeOnClose = Value; }
    bool FullRefresh() const { return fFullRefresh; }
    void SetFullRefresh(bool Value) { SetAndRepaint(fFullRefresh, Value); }

    // With DockSite set, a floating panel let go over the control becomes a
    // sheet holding its content, captioned with its title (up to its first
    // line break, also as the title changes); showing or hiding that content
    // shows or hides the tab; dragging the tab out of the control, or a
    // double click on it, floats the panel again. Any press on the active
    // tab's close button then closes its sheet.
    bool DockSite() const { return fDockSite; }
    void SetDockSite(bool Value);
    // Panel's content in a new sheet, which becomes the active page.
    TExTabSheet* DockControl(QDockWidget* Panel);
    // A docked sheet's content goes back to its panel, floating at At
    // (global); the sheet is freed.
    void UndockSheet(TExTabSheet* Sheet, QPoint At);

    int HoverTab() const { return fHoverTab; }
    bool HoverClosedButton() const { return fHoverClosedButton; }

    TNotifyEvent OnChange;
    TCanChangeEvent OnCanChange;
    TDrawTabEvent OnDrawTab;
    // The tabs are measured again with the handler's answers.
    void SetOnGetImageIndex(TGetImageIndexEvent Handler);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    // The rows across the page lie outside the native strip: the control
    // takes their mouse itself.
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    // Hears every left-button release while DockSite is set: the end of a
    // panel's drag.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    friend class TExTabSheet;
    friend class TExNativeTabs;

    template <class T> void SetAndRepaint(T& Field, const std::type_identity_t<T>& Value)
    {
        if (StoreChanged(Field, Value))
            update();
    }
    // A setting of several rows: a change lays them out again.
    void SetRowStyle(bool& Field, bool Value);
    // Page list and native tabs (the sheets call these).
    void InsertPage(TExTabSheet* Page);
    void RemovePage(TExTabSheet* Page);
    void InsertTab(TExTabSheet* Page);
    void DeleteTab(int TabIndex);
    void MoveTab(int From, int To);
    void UpdateTab(TExTabSheet* Page);
    std::string NativeTabText(TExTabSheet* Page);
    TExTabSheet* PageAtTab(int TabIndex) const;
    void SyncNativeSelection();
    void ApplyTabFont();
    int DummyExtent(TMarginSize Left, TMarginSize Top, TMarginSize Right) const;
    void ApplyDummyImages(int Extent);
    void ApplyDummyImages();
    QIcon TabIcon(int Tab, int Extent);
    // The image painted on a page's tab; -1 for none.
    int DrawnImageIndex(TExTabSheet* Page);
    void ImagesChanged();
    void TabMarginChange(TMarginSize NewValue, TMarginSize OldValue, int Index);
    void LayoutControls();
    // The native strip's bounds and the page frame beside it.
    TRect StripRect() const;
    bool Horizontal() const { return fTabPosition == tpTop || fTabPosition == tpBottom; }
    // The client rectangles of the showing tabs, by tab index.
    std::vector<TRect> TabRects() const;
    // The side of the page each showing tab lies on, by tab index.
    std::vector<TTabPosition> TabSides() const;
    // The showing tabs wrapped into rows of the control's length.
    std::vector<TTabPlace> TabPlaces() const;
    // The band across the page that holds the rows before the active row;
    // empty when there are none.
    TRect AcrossRect() const;
    // The extent of one row of tabs across the strip.
    int RowExtent() const;
    TRect PageFrameRect() const;

    // Activation.
    void ChangeActivePage(TExTabSheet* Page);
    // The next page from Page with a visible, enabled tab; null when none.
    TExTabSheet* NextActivatable(TExTabSheet* Page, bool GoForward = true) const;
    bool CanChange(int ToIndex);
    // The native selection moved: its page becomes active, and a page that
    // did change is announced.
    void Change();
    // An accelerator: selects the first page whose caption carries it.
    void DialogChar(const QKeySequence& Key);
    void UpdateActivePage();
    void TabChange();
    void FireChange();

    // Mouse over the tabs, in client coordinates.
    bool OnActiveCloseButton(QPoint P) const;
    void TabsMouseMove(QPoint P, Qt::MouseButtons Buttons = Qt::NoButton);
    // Native tabs repaint only the tabs whose hot state changes.
    void SetHotTab(int PageIndex);
    bool TabsMousePress(Qt::MouseButton Button, QPoint P);
    // Several rows: the control finds the tab pressed and selects it.
    void RowsMousePress(Qt::MouseButton Button, QPoint P);
    void TabsMouseRelease(Qt::MouseButton Button, QPoint P);
    void TabsDoubleClick(QPoint P);
    // A docked sheet's tab dragged beyond the control floats its panel.
    void DragDockedTab(QPoint P, Qt::MouseButtons Buttons);
    void TabsMouseLeave();
    void CloseActiveSheet();

    // Owner drawing (uExPageControlPaint.cpp).
    void DrawAllTabs(TCanvas& Canvas);
    void DrawPageFrame(TCanvas& Canvas);
    void DrawTabFill(TCanvas& Canvas, TExTabSheet* Page, const TRect& R, bool Active);
    void DrawTabOutline(TCanvas& Canvas, const TRect& R, TTabPosition Side, bool Active,
                        bool NextIsActive, bool Last, int& InactiveDrawn);
    void DrawTabContent(TCanvas& Canvas, TExTabSheet* Page, const TRect& R, bool Active);
    void DrawCloseButton(TCanvas& Canvas, const TRect& TabRect, bool Active);
    void DrawCloseBox(TCanvas& Canvas, TPoint At, TColor Face, TColor Border, TColor Cross);
    void DrawCloseGlyph(TCanvas& Canvas, TPoint At);
    void DrawFocusRectangle(TCanvas& Canvas, const TRect& R);
    void DrawHoverBorder(TCanvas& Canvas, const TRect& R, TTabPosition Side);
    TPoint CloseButtonOrigin(const TRect& TabRect, bool Active) const;
    TPoint ActiveOffset() const;

    std::vector<TExTabSheet*> fPages;
    TExTabSheet* fActivePage = nullptr;
    TTabMargin fTabMargin;
    std::vector<TClosedSheet> fClosedTabList;
    TExNativeTabs* fTabs;
    TFont fFont;
    TColor fColor = clBtnFace;
    TTabPosition fTabPosition = tpTop;
    TColor fDefaultTextColor = clBlack;
    TColor fDefaultTabColor = clBtnFace;
    TColor fDefaultTabColorTo = clNone;
    TColor fActiveColor = clBtnFace;
    TColor fActiveColorTo = clNone;
    bool fTabBorder3D = false;
    TColor fTabBorderColor = clGray;
    TColor fTabHoverColor = clNone;
    TColor fTabHoverColorTo = clNone;
    TColor fTabHoverBorder = clNone;
    bool fShowFocus = false;
    bool fHoverClosedButton = false;
    bool fDownClosedButton = false;
    // The buttons whose press closed a sheet, until released.
    Qt::MouseButtons fClosedByPress;
    TTabOverlapSize fTabOverlap = 0;
    bool fTabSheet3D = false;
    TColor fTabSheetBorderColor = clGray;
    TColor fTabBackGroundColor = clBtnFace;
    bool fTabSplitLine = false;
    bool fRoundEdges = false;
    int fHoverTab = -1;
    QImage fTabBackGround;
    QImage fTabBackGroundActive;
    TTabStyle fTabStyle = tsClassic;
    int fLowerActive = 2;
    bool fFreeOnClose = false;
    TFont fActiveFont;
    QImage fCloseGlyph;
    bool fFullRefresh = false;
    int fUpdateCount = 0;
    TClosePosition fClosePosition = cpLeft;
    TImageListLink fImages;
    int fTabHeight = 0;
    int fTabWidth = 0;
    bool fMultiLine = false;
    bool fRaggedRight = false;
    bool fScrollOpposite = false;
    bool fHotTrack = false;
    bool fDockSite = false;
    // The docked sheet whose tab is held down.
    TExTabSheet* fUndockingPage = nullptr;
    TGetImageIndexEvent fOnGetImageIndex;
};
