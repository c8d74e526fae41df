#include "GdiFixture.h"

#include <gtest/gtest.h>

namespace {

TLogFont Dejavu(int Height)
{
    TLogFont LF;
    LF.Height = Height;
    LF.FaceName = "DejaVu Sans";
    return LF;
}

// Opaque blue text on blue: the ink is exactly the text cell.
void BlueCells(TCanvasFixture& F)
{
    F.DC.SetBkMode(OPAQUE);
    F.DC.SetBkColor(Blue);
    F.DC.SetTextColor(Blue);
}

TEST(GdiText, AlignmentPlacesTheCellAboutTheReferencePoint)
{
    const TLogFont LF = Dejavu(-12);
    struct TCase {
        int Align;
        int DX, DY; // expected cell corner relative to (50, 30), in units of W, H, ascent
        const char* Name;
    };
    const TCase Cases[] = {
        {TA_LEFT | TA_TOP, 0, 0, "left top"},       {TA_RIGHT | TA_TOP, -2, 0, "right top"},
        {TA_CENTER | TA_TOP, -1, 0, "centre top"},  {TA_LEFT | TA_BOTTOM, 0, -2, "left bottom"},
        {TA_LEFT | TA_BASELINE, 0, -1, "baseline"},
    };
    for (const TCase& C : Cases) {
        TCanvasFixture F(120, 60);
        F.DC.SelectFont(LF);
        BlueCells(F);
        F.DC.SetTextAlign(C.Align);
        int W = 0, H = 0;
        F.DC.GetTextExtentPoint32("Wig", W, H);
        TTextMetric TM;
        F.DC.GetTextMetrics(TM);
        F.DC.TextOut(50, 30, "Wig");
        const int X = 50 + (C.DX == -2 ? -W : C.DX == -1 ? -W / 2 : 0);
        const int Y = 30 + (C.DY == -2 ? -H : C.DY == -1 ? -TM.Ascent : 0);
        EXPECT_EQ(InkBox(F, Blue), QRect(X, Y, W, H)) << C.Name;
    }
}

TEST(GdiText, HeightSignSelectsEmOrCellHeight)
{
    TCanvasFixture F;
    TLogFont LF;
    LF.FaceName = "DejaVu Sans";
    for (int Cell : {10, 13, 16, 24}) {
        LF.Height = Cell;
        F.DC.SelectFont(LF);
        TTextMetric TM;
        F.DC.GetTextMetrics(TM);
        EXPECT_LE(TM.Height, Cell);
        EXPECT_GE(TM.Height, Cell - 2) << Cell;
        LF.Height = -Cell;
        F.DC.SelectFont(LF);
        F.DC.GetTextMetrics(TM);
        EXPECT_EQ(TM.Height - TM.InternalLeading, Cell);
        EXPECT_GT(TM.Height, Cell);
    }
}

TEST(GdiText, ExtentGrowsWithCharacterExtraAndDrawTextMeasures)
{
    TCanvasFixture F(100, 60);
    F.DC.SelectFont(Dejavu(-11));
    int W0 = 0, H0 = 0, W1 = 0, H1 = 0;
    F.DC.GetTextExtentPoint32("abcd", W0, H0);
    F.DC.SetTextCharacterExtra(2);
    F.DC.GetTextExtentPoint32("abcd", W1, H1);
    EXPECT_EQ(W1, W0 + 8);
    EXPECT_EQ(H1, H0);
    F.DC.SetTextCharacterExtra(0);
    TRect R{0, 0, 100, 0};
    EXPECT_EQ(F.DC.DrawText("one\ntwo", R, DT_CALCRECT), 2 * H0);
    EXPECT_EQ(R.Bottom, 2 * H0);
    TRect Single{0, 0, 100, 0};
    F.DC.DrawText("&File", Single, DT_CALCRECT | DT_SINGLELINE);
    int WF = 0, HF = 0;
    F.DC.GetTextExtentPoint32("File", WF, HF);
    EXPECT_EQ(Single.Width(), WF);
}

TEST(GdiText, DrawTextCentresASingleLine)
{
    TCanvasFixture F(100, 40);
    F.DC.SelectFont(Dejavu(-11));
    BlueCells(F);
    TRect R{0, 0, 100, 40};
    F.DC.DrawText("Mid", R, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    int W = 0, H = 0;
    F.DC.GetTextExtentPoint32("Mid", W, H);
    EXPECT_EQ(InkBox(F, Blue), QRect((100 - W) / 2, (40 - H) / 2, W, H));
}

TEST(GdiText, UpdateCpAdvancesByTheExtent)
{
    TCanvasFixture F(100, 30);
    F.DC.SelectFont(Dejavu(-11));
    F.DC.SetTextAlign(TA_UPDATECP);
    F.DC.MoveToEx(5, 5);
    int W = 0, H = 0;
    F.DC.GetTextExtentPoint32("ab", W, H);
    F.DC.TextOut(0, 0, "ab");
    EXPECT_EQ(F.DC.GetCurrentPosition(), (TPoint{5 + W, 5}));
}

TEST(GdiText, ExtTextOutFillsAndClipsToItsRectangle)
{
    TCanvasFixture F(60, 30);
    F.DC.SelectFont(Dejavu(-20));
    F.DC.SetBkMode(TRANSPARENT);
    F.DC.SetBkColor(Blue);
    F.DC.SetTextColor(Red);
    const TRect R{10, 5, 20, 15};
    F.DC.ExtTextOut(8, 0, ETO_OPAQUE | ETO_CLIPPED, &R, "WWW");
    const QRect Painted = InkBox(F, Blue) | InkBox(F, Red);
    EXPECT_EQ(InkBox(F, Blue) | QRect(10, 5, 10, 10), QRect(10, 5, 10, 10));
    EXPECT_TRUE(QRect(10, 5, 10, 10).contains(Painted));
    for (int Y = 0; Y < 30; ++Y) {
        for (int X = 0; X < 60; ++X) {
            if (!QRect(10, 5, 10, 10).contains(X, Y)) {
                ASSERT_EQ(F.At(X, Y), White) << X << "," << Y;
            }
        }
    }
}

TEST(GdiText, EscapementTurnsTheCellAboutTheReferencePoint)
{
    TCanvasFixture F(80, 80);
    TLogFont LF = Dejavu(-12);
    LF.Escapement = 900;
    F.DC.SelectFont(LF);
    BlueCells(F);
    int W = 0, H = 0;
    F.DC.GetTextExtentPoint32("Turn", W, H);
    F.DC.TextOut(30, 70, "Turn");
    // Upwards from the reference point, the cell's top on the left.
    const QRect Box = InkBox(F, Blue);
    EXPECT_NEAR(Box.left(), 30, 1);
    EXPECT_NEAR(Box.width(), H, 1);
    EXPECT_NEAR(Box.bottom(), 69, 1);
    EXPECT_NEAR(Box.height(), W, 1);
}

TEST(GdiText, DrawTextWrapsWordsAndShortensWithAnEllipsis)
{
    TCanvasFixture F(100, 100);
    F.DC.SelectFont(Dejavu(-11));
    int WordW = 0, H = 0;
    F.DC.GetTextExtentPoint32("alpha beta", WordW, H);
    TRect Narrow{0, 0, WordW + 2, 0};
    EXPECT_EQ(F.DC.DrawText("alpha beta alpha beta", Narrow, DT_CALCRECT | DT_WORDBREAK), 2 * H);
    EXPECT_LE(Narrow.Width(), WordW + 2);

    BlueCells(F);
    TRect Short{0, 0, 40, 20};
    F.DC.DrawText("a very long line of text", Short, DT_SINGLELINE | DT_END_ELLIPSIS);
    const QRect Box = InkBox(F, Blue);
    EXPECT_LE(Box.right(), 39);
    EXPECT_GT(Box.width(), 20);
}

TEST(GdiText, PathFromTextClipsToTheGlyphs)
{
    TCanvasFixture F(80, 40);
    F.DC.SelectFont(Dejavu(-30));
    F.DC.BeginPath();
    F.DC.TextOut(5, 2, "IO");
    F.DC.EndPath();
    ASSERT_TRUE(F.DC.SelectClipPath(RGN_AND));
    F.DC.FillRect({0, 0, 80, 40}, CreateSolidBrush(Red));
    int W = 0, H = 0;
    F.DC.GetTextExtentPoint32("IO", W, H);
    const QRect Box = InkBox(F, Red);
    EXPECT_TRUE(QRect(5, 2, W, H).contains(Box));
    EXPECT_GT(F.Count(Red), 50);
    EXPECT_LT(F.Count(Red), W * H / 2);
}

} // namespace
