#pragma once

#include "platform/qt/Canvas.h"

#include <QWidget>
#include <string>

// The form library's windowed control with a canvas, over a QWidget. Geometry
// is the window's outer bounds; a non-client frame of FrameWidth() pixels
// surrounds the client area. Every rectangle of this layer is in the
// control's own pixels, frame included. User-interface thread only.

enum TAlign { alNone, alClient };

// A child's alignment is kept on the child, so that any widget can be
// aligned; setting it re-aligns the parent's children at once.
void SetAlign(QWidget& Control, TAlign Value);
TAlign GetAlign(const QWidget& Control);
// The parent's client rectangle in its own pixels; empty without a parent.
TRect ParentClientRect(const QWidget& Control);

// A move or size on its way: a handler may change it before it takes effect.
struct TWindowPos {
    int X = 0;
    int Y = 0;
    int CX = 0;
    int CY = 0;
};

class TCustomControl : public QWidget {
public:
    explicit TCustomControl(QWidget* Parent = nullptr);

    TCanvas& Canvas() { return fCanvas; }
    TFont& Font() { return fFont; }
    TColor Color() const { return fColor; }
    void SetColor(TColor Value);
    const std::string& Caption() const { return fCaption; }
    void SetCaption(const std::string& Value);

    // Moves and sizes the control: the proposed bounds pass WindowPosChanging,
    // then WindowPosChanged runs when anything changed. All of this layer's
    // moves go through here.
    void SetBounds(int Left, int Top, int Width, int Height);
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    TRect BoundsRect() const { return Bounds(x(), y(), width(), height()); }
    TRect ClientRect() const;
    int FrameWidth() const { return fFrameWidth; }
    // Places the aligned children in the client rectangle again.
    void Realign();

protected:
    void SetFrameWidth(int Value);
    // The non-client frame, on a context over the whole window; this base
    // draws the platform's raised edge.
    virtual void NcPaint(TGdiDC& DC);
    virtual void Paint() {}
    // Shrinks Rect for what the control keeps for itself, then places the
    // aligned children in what is left.
    virtual void AlignControls(TRect& Rect);
    virtual void WindowPosChanging(TWindowPos&) {}
    virtual void WindowPosChanged() {}
    // After every change of size and of the frame.
    virtual void Resize() { Realign(); }
    virtual void TextChanged() {}

    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    TCanvas fCanvas;
    TFont fFont;
    TColor fColor = clBtnFace;
    std::string fCaption;
    int fFrameWidth = 0;
};

// Places the alClient children of Parent in Rect (alignment of any widget).
void AlignChildren(QWidget& Parent, const TRect& Rect);
