#pragma once

#include "platform/Persistent.h"
#include "platform/qt/CustomControl.h"

#include <memory>
#include <string>

// The base classes of the window controls: a rectangle whose changes can be
// vetoed, a control that can show its parent as background, a panel whose
// aligned children keep an indent, and the caption text routines.
// User-interface thread only.

class TwinctrlRect : public TPersistent {
public:
    int Left() const { return fRect.Left; }
    int Top() const { return fRect.Top; }
    int Right() const { return fRect.Right; }
    int Bottom() const { return fRect.Bottom; }
    const TRect& Rect() const { return fRect; }
    // A new value is offered to Changing first; when allowed it is stored as
    // given (edits Changing made to the proposal are not taken) and Change runs.
    void SetLeft(int Value) { SetSide(&TRect::Left, Value); }
    void SetTop(int Value) { SetSide(&TRect::Top, Value); }
    void SetRight(int Value) { SetSide(&TRect::Right, Value); }
    void SetBottom(int Value) { SetSide(&TRect::Bottom, Value); }
    // Takes the whole rectangle of another TwinctrlRect, when Changing allows;
    // any other source is ignored.
    void Assign(const TPersistent& Source) override;

protected:
    virtual void Change() {}
    virtual void Changing(TRect& NewRect, bool& AllowChange) {}

private:
    void SetSide(int TRect::*Side, int Value);
    TRect fRect;
};

class TwinctrlCustomControl;

// The indent of a control: every change tells the control.
class TwinctrlControlIndent : public TwinctrlRect {
public:
    explicit TwinctrlControlIndent(TwinctrlCustomControl& Control) : fControl(Control) {}

protected:
    void Change() override;

private:
    TwinctrlCustomControl& fControl;
};

class TwinctrlBaseControl : public TCustomControl {
public:
    explicit TwinctrlBaseControl(QWidget* Parent = nullptr) : TCustomControl(Parent) {}
    // A transparent control paints its parent's picture as its background.
    bool Transparent() const { return fTransparent; }
    void SetTransparent(bool Value);

protected:
    void Paint() override;

private:
    bool fTransparent = false;
};

// The sides a frame is drawn on.
enum TwinctrlFrameEdge : unsigned {
    feLeft = 1,
    feTop = 2,
    feRight = 4,
    feBottom = 8,
    feAll = feLeft | feTop | feRight | feBottom
};

// A control's frame: its colour, the edges drawn and their width in pixels.
// Every change tells the control.
class TwinctrlFrame {
public:
    explicit TwinctrlFrame(TwinctrlCustomControl& Control) : fControl(Control) {}
    TColor Color() const { return fColor; }
    void SetColor(TColor Value) { Set(fColor, Value); }
    unsigned Edges() const { return fEdges; }
    void SetEdges(unsigned Value) { Set(fEdges, Value); }
    int Width() const { return fWidth; }
    void SetWidth(int Value) { Set(fWidth, Value); }

private:
    template <class T> void Set(T& Field, const std::type_identity_t<T>& Value);
    TwinctrlCustomControl& fControl;
    TColor fColor = clBlack;
    unsigned fEdges = feAll;
    int fWidth = 1;
};

class TwinctrlCustomControl : public TwinctrlBaseControl {
public:
    using TwinctrlBaseControl::TwinctrlBaseControl;
    // Hooks of descendants: an indent or a frame of the control changed.
    virtual void IndentChanged(TwinctrlRect& Indent) {}
    virtual void FrameChanged(TwinctrlFrame& Frame) {}
};

template <class T> void TwinctrlFrame::Set(T& Field, const std::type_identity_t<T>& Value)
{
    if (StoreChanged(Field, Value))
        fControl.FrameChanged(*this);
}

class TwinctrlCustomPanel : public TwinctrlCustomControl {
public:
    explicit TwinctrlCustomPanel(QWidget* Parent = nullptr);
    // Aligned children keep this distance from the client edges.
    TwinctrlControlIndent& AlignIndent() { return *fAlignIndent; }
    void IndentChanged(TwinctrlRect& Indent) override;

protected:
    void AlignControls(TRect& Rect) override;
    void Paint() override;
    // The drawing of descendants, after the background.
    virtual void CustomPaint() {}

private:
    std::unique_ptr<TwinctrlControlIndent> fAlignIndent;
};

// Paints Control's parent, without its children, under Control on Canvas.
void DrawParentImage(QWidget& Control, TCanvas& Canvas);
// Draws Text in R with the platform's text flags on a hollow brush. Disabled
// text is embossed: once one pixel down and right in clBtnHighlight, then in
// clBtnShadow, which stays the font colour afterwards.
void DrawControlText(TCanvas& Canvas, TRect R, const std::string& Text, unsigned Format,
                     bool Enabled);
// DrawControlText with the font turned by Angle degrees counter-clockwise.
void DrawAngleControlText(TCanvas& Canvas, const TRect& R, const std::string& Text, int Angle,
                          unsigned Format, bool Enabled);
