#include "controls/uBaseControls.h"

#include "Pixels.h"

#include <gtest/gtest.h>

namespace {

// Records what the rectangle's hooks saw; vetoes or edits the proposal on request.
class TProbeRect : public TwinctrlRect {
public:
    bool Veto = false;
    int Nudge = 0;
    int Changings = 0;
    int Changes = 0;
    TRect Proposed;

protected:
    void Changing(TRect& NewRect, bool& AllowChange) override
    {
        ++Changings;
        Proposed = NewRect;
        NewRect.Left += Nudge;
        AllowChange = !Veto;
    }
    void Change() override { ++Changes; }
};

class TOther : public TPersistent {};

} // namespace

TEST(TwinctrlRect, ChangesAreOfferedAndMayBeVetoed)
{
    TProbeRect R;
    R.SetRight(30);
    EXPECT_EQ(R.Proposed, Rect(0, 0, 30, 0));
    R.Nudge = 5;
    R.SetLeft(10);
    EXPECT_EQ(R.Rect(), Rect(10, 0, 30, 0)) << "the setter's value, not the edited proposal";
    EXPECT_EQ(R.Changes, 2);

    R.SetLeft(10);
    EXPECT_EQ(R.Changings, 2) << "the same value offers nothing";
    R.Veto = true;
    R.SetBottom(40);
    TProbeRect Source;
    Source.SetBottom(99);
    R.Assign(Source);
    EXPECT_EQ(R.Rect(), Rect(10, 0, 30, 0));
    EXPECT_EQ(R.Changes, 2) << "a vetoed change announces nothing";

    R.Veto = false;
    R.Assign(Source);
    EXPECT_EQ(R.Rect(), Rect(0, 0, 0, 99));
    EXPECT_EQ(R.Changes, 3);
    R.Assign(TOther());
    EXPECT_EQ(R.Changings, 5) << "another kind of source is ignored";
}

TEST(TwinctrlCustomPanel, AlignedChildrenKeepTheIndent)
{
    TwinctrlCustomPanel Panel;
    Panel.resize(200, 120);
    auto* Child = new QWidget(&Panel);
    SetAlign(*Child, alClient);
    EXPECT_EQ(Child->geometry(), QRect(0, 0, 200, 120));
    Panel.AlignIndent().SetLeft(5);
    Panel.AlignIndent().SetTop(10);
    EXPECT_EQ(Child->geometry(), QRect(5, 10, 195, 110));
    Panel.AlignIndent().SetRight(20);
    Panel.AlignIndent().SetBottom(30);
    Panel.SetBounds(0, 0, 300, 200);
    EXPECT_EQ(Child->geometry(), QRect(5, 10, 275, 160));
}

TEST(TwinctrlBaseControl, TransparentShowsTheParentBehind)
{
    // The parent paints a black square at (20, 20)-(30, 30) on white.
    class TParent : public TwinctrlCustomPanel {
        void CustomPaint() override
        {
            Canvas().Brush().SetColor(clBlack);
            Canvas().FillRect(Rect(20, 20, 30, 30));
        }
    } Parent;
    Parent.SetColor(clWhite);
    Parent.resize(100, 100);
    auto* Child = new TwinctrlBaseControl(&Parent);
    Child->SetBounds(15, 25, 20, 20);
    EXPECT_TRUE(InkBox(Child->grab().toImage(), qRgb(240, 240, 240)).isEmpty()) << "its colour";
    Child->SetTransparent(true);
    EXPECT_EQ(InkBox(Child->grab().toImage(), qRgb(255, 255, 255)), QRect(5, 0, 10, 5));
}

// Draws on yellow and gives the box of the ink: level text, or turned by Angle.
QRect TextInk(TBitmap& Bitmap, bool Enabled, int Angle = 0)
{
    Bitmap.Canvas().Brush().SetStyle(bsSolid);
    Bitmap.Canvas().Brush().SetColor(clYellow);
    Bitmap.Canvas().FillRect(Rect(0, 0, 120, 120));
    Bitmap.Canvas().Font().SetColor(clBlack);
    const TRect Box = Rect(5, 5, 115, 115);
    if (Angle)
        DrawAngleControlText(Bitmap.Canvas(), Box, "Chart window", Angle, DT_SINGLELINE | DT_BOTTOM,
                             Enabled);
    else
        DrawControlText(Bitmap.Canvas(), Box, "Chart window", DT_SINGLELINE, Enabled);
    return InkBox(Bitmap.Image(), qRgb(255, 255, 0));
}

TEST(DrawControlText, DisabledTextIsEmbossedTurnedTextRunsUpward)
{
    TBitmap Bitmap;
    Bitmap.SetSize(120, 120);
    const QRect Enabled = TextInk(Bitmap, true);
    EXPECT_EQ(Bitmap.Canvas().Brush().Style(), bsClear);
    EXPECT_GT(Enabled.width(), 3 * Enabled.height());
    EXPECT_EQ(TextInk(Bitmap, false), Enabled.adjusted(0, 0, 1, 1));
    EXPECT_EQ(Bitmap.Canvas().Font().Color(), clBtnShadow);
    const QRect Turned = TextInk(Bitmap, true, 90);
    EXPECT_GT(Turned.height(), 3 * Turned.width());
    EXPECT_LT(Turned.bottom(), 115 - 5) << "from the bottom up";
}

// Each real change of a frame's colour, edges or width reaches the control's
// hook once; setting a value it holds does not.
TEST(TwinctrlFrame, ChangesReachTheControl)
{
    struct TProbe : TwinctrlCustomControl {
        std::vector<const TwinctrlFrame*> Seen;
        void FrameChanged(TwinctrlFrame& Frame) override { Seen.push_back(&Frame); }
    } Control;
    TwinctrlFrame Frame(Control);
    Frame.SetColor(clRed);
    Frame.SetEdges(feLeft | feBottom);
    Frame.SetWidth(3);
    Frame.SetColor(clRed);
    Frame.SetEdges(feLeft | feBottom);
    Frame.SetWidth(3);
    EXPECT_EQ(Control.Seen, std::vector<const TwinctrlFrame*>(3, &Frame));
    EXPECT_EQ(Frame.Color(), clRed);
    EXPECT_EQ(Frame.Edges(), unsigned(feLeft | feBottom));
    EXPECT_EQ(Frame.Width(), 3);
}
