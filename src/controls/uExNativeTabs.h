#pragma once

#include "controls/uExPageControl.h"

#include <QTabBar>

// The native tab strip of a TExPageControl: it sizes the tabs from their
// texts (or the control's fixed tab extents), finds the tab under a point,
// holds the selection, which may be none, and hears the tabs' accelerators.
// It paints nothing itself: the control draws the tabs, also those of rows
// across the page, and shows through. It hands the mouse to the control.
// User-interface thread only.
class TExNativeTabs : public QTabBar {
public:
    explicit TExNativeTabs(TExPageControl& Control);

    // The selected tab, or -1 when none is.
    int Selection() const { return fCleared ? -1 : currentIndex(); }
    // Moves the selection without announcing it; -1 selects no tab.
    void Select(int Index);
    // The tabs are measured again (their fixed extents changed).
    void Relayout();
    // A tab's own size: its text, image room and the style's spacing.
    QSize TabSize(int Index) const { return tabSizeHint(Index); }
    // Three-dimensional mode, on the control's painter: the style's tabs in
    // the shape of their side, highlighted ones in the highlight colours, the
    // hot one in the hover state and the hot-light colour, the selected one
    // (if any) last.
    void PaintNative(QPainter& Painter);
    static QTabBar::Shape ShapeOf(TTabPosition Side);

protected:
    QSize tabSizeHint(int Index) const override;
    bool event(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    // The selection moves by the mouse and by the control's keys only.
    void wheelEvent(QWheelEvent* Event) override;

private:
    QPoint ToControl(QMouseEvent* Event) const;

    TExPageControl& fControl;
    // QTabBar always keeps a current tab; with this set it stands for none.
    bool fCleared = false;
};
