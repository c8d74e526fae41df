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

TEST(DrawControlText, DisabledTextIsEmbossed)
{
    TBitmap Bitmap;
    Bitmap.SetSize(80, 30);
    auto Draw = [&](bool Enabled) {
        Bitmap.Canvas().Brush().SetStyle(bsSolid);
        Bitmap.Canvas().Brush().SetColor(clYellow);
        Bitmap.Canvas().FillRect(Rect(0, 0, 80, 30));
        Bitmap.Canvas().Font().SetColor(clBlack);
        DrawControlText(Bitmap.Canvas(), Rect(10, 5, 70, 25), "Text", DT_SINGLELINE, Enabled);
        return InkBox(Bitmap.Image(), qRgb(255, 255, 0));
    };
    const QRect Enabled = Draw(true);
    EXPECT_EQ(Bitmap.Canvas().Brush().Style(), bsClear);
    const QRect Disabled = Draw(false);
    EXPECT_EQ(Disabled, Enabled.adjusted(0, 0, 1, 1));
    EXPECT_EQ(Bitmap.Canvas().Font().Color(), clBtnShadow);
}

TEST(DrawControlText, TurnedTextRunsUpwardAndLeavesTheFontLevel)
{
    TBitmap Bitmap;
    Bitmap.SetSize(120, 120);
    auto Draw = [&](int Angle) {
        Bitmap.Canvas().Brush().SetStyle(bsSolid);
        Bitmap.Canvas().Brush().SetColor(clWhite);
        Bitmap.Canvas().FillRect(Rect(0, 0, 120, 120));
        if (Angle)
            DrawAngleControlText(Bitmap.Canvas(), Rect(5, 5, 115, 115), "Chart window", Angle,
                                 DT_SINGLELINE | DT_BOTTOM, true);
        else
            DrawControlText(Bitmap.Canvas(), Rect(5, 5, 115, 115), "Chart window", 0, true);
        return InkBox(Bitmap.Image(), qRgb(255, 255, 255));
    };
    const QRect Turned = Draw(90);
    EXPECT_GT(Turned.height(), 3 * Turned.width());
    EXPECT_LT(Turned.bottom(), 115 - 5) << "from the bottom up";
    const QRect Level = Draw(0);
    EXPECT_GT(Level.width(), 3 * Level.height());
}
