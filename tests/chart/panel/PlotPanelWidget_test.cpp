#include "chart/panel/ChartFixture.h"

#include "chart/panel/PlotPanelWidget.h"
#include "platform/ScriptedMessageBox.h"
#include "platform/qt/AppException.h"

#include <QMenu>
#include <QTest>
#include <QWheelEvent>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace chart_test;

// A chart shown in its window, recording the events Qt's input becomes.
struct PlotPanelWidgetTest : testing::Test {
    TTestChart Chart{240, 160, {10, 10, 10, 10}};
    QWidget Window;
    TPlotPanelWidget Host{Chart, &Window};
    std::vector<std::string> Got;
    PlotPanelWidgetTest()
    {
        auto Record = [this](const char* What) {
            return [this, What](auto...) { Got.push_back(What); };
        };
        Chart.OnMouseDown = [this](TMouseButton B, TShiftState S, int, int) {
            Got.push_back(B == mbLeft && S & ssDouble ? "double down" : "down");
        };
        Chart.OnMouseUp = Record("up");
        Chart.OnMouseMove = Record("move");
        Chart.OnClick = Record("click");
        Chart.OnDblClick = Record("double click");
        Chart.OnMouseWheelDown = Record("wheel down");
        Chart.OnMouseWheelUp = Record("wheel up");
        Window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Window));
    }
    // Qt's events as a real mouse sends them: a double click is a press,
    // a release, a double-click event in place of the second press, a release.
    void Mouse(QEvent::Type Type, Qt::MouseButton Button, Qt::MouseButtons Held, QPoint At)
    {
        QMouseEvent E(Type, QPointF(At), Host.mapToGlobal(QPointF(At)), Button, Held,
                      Qt::NoModifier);
        QApplication::sendEvent(&Host, &E);
    }
    void Press(Qt::MouseButton B, QPoint At = {50, 50})
    {
        Mouse(QEvent::MouseButtonPress, B, B, At);
    }
    void Release(Qt::MouseButton B, QPoint At = {50, 50})
    {
        Mouse(QEvent::MouseButtonRelease, B, Qt::NoButton, At);
    }
    void DoubleClick()
    {
        Press(Qt::LeftButton);
        Release(Qt::LeftButton);
        Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {50, 50});
        Release(Qt::LeftButton);
    }
    void Wheel(int Delta)
    {
        QWheelEvent E(QPointF(50, 50), Host.mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, Delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&Host, &E);
    }
};

TEST_F(PlotPanelWidgetTest, QtInputBecomesThePanelsEventsInOrder)
{
    using TList = std::vector<std::string>;
    Press(Qt::LeftButton);
    Release(Qt::LeftButton);
    EXPECT_EQ(Got, (TList{"down", "click", "up"})) << "a click comes before the release";
    Got.clear();
    DoubleClick();
    EXPECT_EQ(Got, (TList{"down", "click", "up", "double click", "double down", "up"}))
        << "the second release is no click";
    Got.clear();
    Press(Qt::LeftButton);
    Mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {60, 50});
    Release(Qt::LeftButton, {500, 50});
    EXPECT_EQ(Got, (TList{"down", "move", "up"})) << "released outside: no click";

    Got.clear();
    for (int Delta : {120, -240, -60, -60, 50})
        Wheel(Delta);
    EXPECT_EQ(Got, (TList{"wheel up", "wheel down", "wheel down", "wheel down"}));
    Got.clear();
    Chart.OnDblClick = [this] {
        Got.push_back("double click");
        Chart.SetCancelMouse(true);
    };
    DoubleClick();
    EXPECT_EQ(Got, (TList{"down", "click", "up", "double click", "up"}))
        << "a cancelled double click presses nothing";
}

TEST_F(PlotPanelWidgetTest, RightReleaseShowsThePopup)
{
    QMenu Menu;
    Menu.addAction("Item");
    Chart.SetPopupMenu(&Menu);
    Press(Qt::RightButton);
    EXPECT_FALSE(Menu.isVisible()) << "not at the press";
    Release(Qt::RightButton);
    EXPECT_TRUE(Menu.isVisible());
    Menu.hide();
}

TEST_F(PlotPanelWidgetTest, FailuresAreLoggedAndMouseOnesShownAfterTheEvent)
{
    TScriptedMessageBox Box;
    std::vector<std::string> Lines;
    SetApplicationLog([&](const std::string& Line) { Lines.push_back(Line); });
    Chart.SetBackColor(clYellow);
    Chart.OnMouseDown = [](TMouseButton, TShiftState, int, int) {
        throw std::runtime_error("pressed badly");
    };
    Chart.OnAfterDraw = [](TCustomPlotPanelExtended*) { throw std::runtime_error("overlay"); };
    Press(Qt::LeftButton);
    EXPECT_TRUE(Box.Shown().empty()) << "not inside the event";
    const QImage Picture = Host.grab().toImage();
    QCoreApplication::sendPostedEvents();
    SetApplicationLog(nullptr);
    EXPECT_EQ(Lines,
              (std::vector<std::string>{"TChart.MouseDown | std::runtime_error : pressed badly",
                                        "TChart.Paint | std::runtime_error : overlay"}));
    ASSERT_EQ(Box.Shown().size(), 1u) << "a paint opens no box";
    EXPECT_EQ(Box.Shown()[0].Text, "pressed badly");
    EXPECT_EQ(Box.Shown()[0].Caption, "Tavrix");
    EXPECT_EQ(Picture.pixel(100, 60), qRgb(255, 255, 0)) << "what was drawn stays shown";
}

} // namespace
