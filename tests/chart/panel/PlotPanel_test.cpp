#include "chart/core/PlotLog.h"
#include "chart/panel/PlotPanelWidget.h"
#include "chart/panel/PlotShape.h"

#include <QTest>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A panel that paints its frame and fills the chart rectangle, as the axis
// panel does at the start of every frame.
class TTestPanel : public TCustomPlotPanelExtended {
public:
    int Frames = 0;
    std::function<void()> DrawMore;
    void InternalDraw(const TRect& UserRect) override
    {
        ++Frames;
        PanelPaint(UserRect);
        Canvas().Brush().SetColor(clRed);
        Canvas().FillRect(ChartRect);
        if (DrawMore)
            DrawMore();
    }
    TColor At(int X, int Y) { return TColor(FromQRgb(PlotCanvas().Bitmap()->Image().pixel(X, Y))); }
    void Frame() { Draw(&ControlCanvas(), GetRectangle()); }
    void PixelMargins(const TRect& M)
    {
        SetMarginUnits(muPixels);
        SetMargin(0, M.Left);
        SetMargin(1, M.Top);
        SetMargin(2, M.Right);
        SetMargin(3, M.Bottom);
    }
};

TEST(PlotPanel, ChartRectangleFromMarginsFrameAndShadow)
{
    struct TCase {
        const char* Name;
        TPlotUnits Units;
        TRect Margins;
        TBevelCut Outer;
        int BorderPen; // 0: hidden
        int ShadowH, ShadowV;
        TRect Expect;
    };
    const TCase Cases[] = {
        {"default percent", muPercent, {3, 4, 3, 4}, bvNone, 0, 0, 0, {12, 10, 388, 240}},
        {"pixels, no frame", muPixels, {0, 3, 0, 3}, bvNone, 0, 0, 0, {0, 3, 400, 247}},
        {"pixels and bevel", muPixels, {0, 3, 0, 3}, bvRaised, 0, 0, 0, {1, 4, 399, 246}},
        {"border pen", muPixels, {5, 5, 5, 5}, bvNone, 2, 0, 0, {7, 7, 393, 243}},
        {"shadow right down", muPixels, {0, 0, 0, 0}, bvNone, 0, 3, 2, {0, 0, 394, 246}},
        {"shadow left up", muPixels, {0, 0, 0, 0}, bvNone, 0, -3, -2, {6, 4, 400, 250}},
        {"margins overlap", muPixels, {300, 0, 300, 0}, bvNone, 0, 0, 0, {300, 0, 301, 250}},
    };
    for (const TCase& C : Cases) {
        TTestPanel P;
        P.SetMarginUnits(C.Units);
        P.SetMargin(0, C.Margins.Left);
        P.SetMargin(1, C.Margins.Top);
        P.SetMargin(2, C.Margins.Right);
        P.SetMargin(3, C.Margins.Bottom);
        P.BevelOuter = C.Outer;
        if (C.BorderPen) {
            P.Border().SetWidth(C.BorderPen);
            P.Border().Show();
        }
        if (C.ShadowH || C.ShadowV) {
            P.Shadow().SetVisible(true);
            P.Shadow().SetHorizSize(C.ShadowH);
            P.Shadow().SetVertSize(C.ShadowV);
        }
        P.Frame();
        EXPECT_EQ(P.ChartRect, C.Expect) << C.Name;
        EXPECT_EQ(P.ChartWidth(), C.Expect.Width()) << C.Name;
    }
}

TEST(PlotPanel, OnlyChangedSettingsMakeThePictureStale)
{
    TTestPanel P;
    P.Frame();
    ASSERT_FALSE(P.PlotCanvas().Dirty());
    P.SetMargin(0, P.MarginLeft());
    P.SetMarginUnits(P.MarginUnits());
    EXPECT_FALSE(P.PlotCanvas().Dirty());
    P.SetMargin(0, 7);
    EXPECT_TRUE(P.PlotCanvas().Dirty());
    P.Frame();
    P.SetAutoRepaint(false);
    P.SetMargin(0, 9);
    EXPECT_FALSE(P.PlotCanvas().Dirty()); // suspended while the chart is built
}

TEST(PlotPanel, ZoomRectangleTwiceRestoresThePicture)
{
    TTestPanel P;
    P.Frame();
    const QImage Before = P.PlotCanvas().Bitmap()->Image().copy();
    P.Zoom().Activate(150, 90); // corners given the wrong way round
    P.Zoom().X1 = 20;
    P.Zoom().Y1 = 30;
    P.Zoom().Check();
    EXPECT_EQ(std::tuple(P.Zoom().X0, P.Zoom().Y0, P.Zoom().X1, P.Zoom().Y1),
              std::tuple(20, 30, 150, 90));
    P.DrawZoomRectangle();
    const QImage During = P.PlotCanvas().Bitmap()->Image().copy();
    EXPECT_NE(During, Before);
    EXPECT_NE(During.pixel(20, 50), Before.pixel(20, 50)); // the left edge shows
    EXPECT_EQ(During.pixel(80, 50), Before.pixel(80, 50)); // the clear brush keeps the inside
    P.DrawZoomRectangle();
    EXPECT_EQ(P.PlotCanvas().Bitmap()->Image(), Before);
    EXPECT_FALSE(P.PlotCanvas().Dirty());
}

TEST(PlotPanel, MouseReachesHandlerThenListeners)
{
    struct TListener : IPlotEventListener {
        std::vector<TChartMouseEventKind> Kinds;
        void PlotEvent(TPlotEvent& E) override
        {
            if (auto* M = dynamic_cast<TPlotMouseEvent*>(&E))
                Kinds.push_back(M->Event);
        }
    } L;
    TTestPanel P;
    std::vector<std::string> Order;
    P.OnMouseDown = [&](TMouseButton, TShiftState, int X, int Y) {
        Order.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
        P.SetCancelMouse(true);
    };
    P.MouseMove(0, 1, 1); // no listeners yet: nothing to tell
    P.Listeners().push_back(&L);
    P.MouseDown(mbLeft, ssLeft, 5, 6);
    EXPECT_TRUE(P.CancelMouse());
    P.MouseMove(ssLeft, 7, 8);
    EXPECT_FALSE(P.CancelMouse());
    P.MouseUp(mbLeft, 0, 7, 8);
    EXPECT_EQ(Order, std::vector<std::string>{"down 5,6"});
    EXPECT_EQ(L.Kinds, (std::vector<TChartMouseEventKind>{cmeDown, cmeMove, cmeUp}));

    P.OnDblClick = [&] { P.SetCancelMouse(true); };
    EXPECT_FALSE(P.DblClick());
    P.OnDblClick = nullptr;
    EXPECT_TRUE(P.DblClick());

    P.Panning().Activate(3, 4);
    P.SetCursor(Qt::SizeAllCursor);
    P.MouseLeave();
    EXPECT_FALSE(P.Panning().Active);
    EXPECT_EQ(P.Cursor(), Qt::ArrowCursor);
}

TEST(PlotPanel, WidgetPaintsFromTheBufferAndRedrawsAfterAResize)
{
    QWidget Window;
    TTestPanel P;
    P.PixelMargins({10, 10, 10, 10});
    TPlotPanelWidget W(P, &Window);
    W.resize(100, 60);
    const QImage First = W.grab().toImage();
    EXPECT_EQ(First.pixel(50, 30), qRgb(255, 0, 0));
    // One pixel of raised bevel, then the margins.
    EXPECT_EQ(First.pixel(11, 11), qRgb(255, 0, 0));
    EXPECT_NE(First.pixel(10, 30), qRgb(255, 0, 0));
    EXPECT_EQ(First.pixel(0, 30), qRgb(255, 255, 255));
    const int Frames = P.Frames;
    W.grab(); // unchanged: the buffer is shown again
    EXPECT_EQ(P.Frames, Frames);
    W.resize(140, 60);
    const QImage Second = W.grab().toImage();
    EXPECT_EQ(P.Frames, Frames + 1);
    EXPECT_EQ(Second.pixel(128, 30), qRgb(255, 0, 0));
    EXPECT_NE(Second.pixel(129, 30), qRgb(255, 0, 0));
}

// What the window does with a paint's or a handler's failure: PlotPanelWidget_test.
// The engine's fault log is the sink the start-up sets; without one a fault is dropped.
std::vector<std::string> LoggedFaults;

TEST(PlotPanel, MalformedHtmlTextInAPaintGoesToTheLogSink)
{
    TTestPanel P;
    P.DrawMore = [&] { P.Canvas().TextOut(5, 5, "a <B", true); };
    LoggedFaults.clear();
    SetPlotLogSink([](const std::string& Line) { LoggedFaults.push_back(Line); });
    P.Frame();
    PlotLogFault("Where", nullptr);
    SetPlotLogSink(nullptr);
    PlotLogFault("Dropped", nullptr);
    EXPECT_THAT(LoggedFaults, testing::ElementsAre("TPlotCanvas.TextOut | Missing > at <B",
                                                   "Where | unknown exception"));
}

TEST(PlotPanel, BitmapRenderingUsesTheSamePipeline)
{
    TTestPanel P;
    P.PixelMargins({0, 0, 0, 0});
    P.BevelOuter = bvNone;
    auto B = P.PlotCreateBitmap(clWhite, {0, 0, 50, 40});
    ASSERT_EQ(B->Width(), 50);
    EXPECT_EQ(B->Canvas().Pixel(49, 39), clRed);
    EXPECT_TRUE(P.PlotCanvas().Dirty());
}

TEST(PlotPanel, PanelPaintFillsBevelsAndBackImage)
{
    TTestPanel P;
    P.SetSize(40, 30);
    P.SetColor(clYellow);
    P.SetMarginUnits(muPixels);
    P.SetMargin(2, 25); // the chart rectangle keeps to the left: x 1..13
    P.Frame();
    EXPECT_EQ(P.At(0, 10), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(P.At(39, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(P.At(30, 15), clYellow);

    QImage Tile(4, 4, QImage::Format_RGB32);
    Tile.fill(Qt::green);
    P.BackImage().SetGraphic(Tile);
    P.BackImage().Mode = pbmCenter;
    P.Frame();
    EXPECT_EQ(P.At(20, 15), TColor(RGB(0, 255, 0)));
    EXPECT_EQ(P.At(30, 15), clYellow);
    P.BackImage().Mode = pbmTile;
    P.Frame();
    EXPECT_EQ(P.At(30, 15), TColor(RGB(0, 255, 0)));
    EXPECT_EQ(P.At(0, 10), ColorToRGB(clBtnHighlight)); // bevels over the image

    P.SetColor(clNone);
    P.BackImage().SetGraphic(QImage());
    P.Frame(); // no fill: what the buffer held stays
    EXPECT_EQ(P.At(30, 15), TColor(RGB(0, 255, 0)));
}

TEST(PlotShape, FillFrameAndVisibility)
{
    TTestPanel P;
    TPlotCustomShapePosition S(&P);
    TPlotCustomShape Hidden(&P);
    P.DrawMore = [&] {
        S.Draw();
        Hidden.Draw();
    };
    S.ShapeBounds = {10, 10, 30, 20};
    S.SetColor(clBlue);
    S.Pen().SetColor(clBlack);
    Hidden.ShapeBounds = {40, 10, 60, 20};
    Hidden.Hide();
    P.Frame();
    EXPECT_EQ(P.At(10, 10), clBlack);
    EXPECT_EQ(P.At(29, 19), clBlack);
    EXPECT_EQ(P.At(20, 15), clBlue);
    EXPECT_EQ(P.At(30, 15), clRed);
    EXPECT_EQ(P.At(50, 15), clRed);
    EXPECT_FALSE(S.CustomPosition());
    S.SetLeft(100);
    EXPECT_TRUE(S.CustomPosition());
    EXPECT_EQ(S.ShapeBounds, (TRect{100, 10, 120, 20}));
}

TEST(PlotShape, RotatedCornersTurnAboutTheCentre)
{
    const TFourPoints P = RotatedCorners({0, 0, 20, 10}, 90);
    EXPECT_EQ(P[0], (TPoint{5, 15})); // top-left goes down-left on screen
    EXPECT_EQ(P[2], (TPoint{15, -5}));
}

} // namespace
