#include "controls/uMdiWindow.h"

#include "MouseDriver.h"
#include "Pixels.h"

#include <QLineEdit>
#include <gtest/gtest.h>
#include <vector>

namespace {

class MdiWindow : public ::testing::Test {
protected:
    MdiWindow()
    {
        Host.resize(600, 400);
        Host.show();
    }
    TwinctrlMdiWindow* NewWindow(const TRect& R, int Group = 0)
    {
        auto* W = new TwinctrlMdiWindow(&Host);
        W->SetGroupIndex(Group);
        W->SetBoundsRect(R);
        W->show();
        return W;
    }
    void Press(TwinctrlMdiWindow& W, TwinctrlMdiWindowButtonType Type)
    {
        TMouseDriver(W.Button(Type)).Press({5, 5});
    }
    QWidget Host;
};

} // namespace

TEST_F(MdiWindow, MovesAndSizesStayInsideTheParentOnTheGrid)
{
    struct TCase {
        const char* Name;
        uint8_t Grid;
        int HeightConstraint;
        TRect Asked;
        TRect Expect;
    };
    const TCase Cases[] = {
        {"snapped toward zero", 8, 0, Bounds(13, 20, 203, 97), Bounds(8, 16, 200, 96)},
        {"no grid of 1", 1, 0, Bounds(13, 20, 203, 97), Bounds(13, 20, 203, 97)},
        {"no grid of 0", 0, 0, Bounds(13, 20, 203, 97), Bounds(13, 20, 203, 97)},
        {"above and left stop at 0", 8, 0, Bounds(-30, -5, 200, 96), Bounds(0, 0, 200, 96)},
        {"beyond right and bottom", 1, 0, Bounds(500, 350, 200, 96), Bounds(400, 304, 200, 96)},
        {"least height", 8, 5, Bounds(16, 16, 200, 20), Bounds(16, 16, 200, 40)},
        // The caption's buttons and a little room always fit.
        {"least size on the grid", 8, 0, Bounds(16, 16, 20, 10), Bounds(16, 16, 72, 40)},
        {"least size without a grid", 0, 0, Bounds(16, 16, 20, 10), Bounds(16, 16, 65, 37)},
    };
    for (const TCase& C : Cases) {
        TwinctrlMdiWindow* W = NewWindow(Bounds(0, 0, 100, 100));
        W->SetPosDiscrete(C.Grid);
        W->SetHeightConstraint(C.HeightConstraint);
        W->SetHeightConstraint(-1);
        W->SetBoundsRect(C.Asked);
        EXPECT_EQ(W->BoundsRect(), C.Expect) << C.Name;
        delete W;
    }
    Host.hide();
    TwinctrlMdiWindow* Restored = NewWindow(Bounds(500, 350, 203, 97));
    EXPECT_EQ(Restored->BoundsRect(), Bounds(500, 350, 203, 97))
        << "a hidden parent keeps none out";
}

TEST_F(MdiWindow, StatesKeepTheNormalBounds)
{
    TwinctrlMdiWindow* W = NewWindow(Bounds(40, 40, 200, 160));
    W->SetHeightConstraint(5);
    std::vector<TWindowState> Announced;
    W->OnMaximize = [&](TwinctrlCustomMdiWindow& S) { Announced.push_back(S.State()); };
    W->OnMinimize = W->OnMaximize;

    Press(*W, btMaximize);
    EXPECT_EQ(W->BoundsRect(), Rect(0, 0, 600, 400));
    EXPECT_EQ(W->Button(btMaximize).Glyph(), bgNormal);
    Host.resize(700, 500);
    EXPECT_EQ(W->BoundsRect(), Rect(0, 0, 700, 500)) << "follows the parent";
    Press(*W, btMinimize);
    EXPECT_EQ(W->BoundsRect(), Bounds(0, 476, 200, 24)) << "a strip at the bottom";
    EXPECT_EQ(W->NormalBounds(), Bounds(40, 40, 200, 160)) << "the bounds before maximising";
    EXPECT_EQ(W->Button(btMinimize).Glyph(), bgNormal);
    EXPECT_EQ(W->Button(btMaximize).Glyph(), bgMaximize);
    Press(*W, btMinimize);
    EXPECT_EQ(W->BoundsRect(), Bounds(40, 40, 200, 160));
    EXPECT_EQ(W->Button(btMinimize).Glyph(), bgMinimize);
    EXPECT_EQ(Announced, (std::vector{wsMaximized, wsMinimized, wsNormal}));

    W->SetCaptionPosition(cpLeft);
    W->SetState(wsMinimized);
    EXPECT_EQ(W->BoundsRect(), Bounds(0, 300, 24, 200));

    // Normal bounds given to a strip wait for the restore, which takes them
    // whole even while the parent is still short of them.
    W->SetNormalBounds(Bounds(80, 160, 240, 320));
    EXPECT_EQ(W->BoundsRect(), Bounds(0, 300, 24, 200));
    W->SetState(wsMaximized);
    Host.resize(700, 440);
    W->SetState(wsNormal);
    EXPECT_EQ(W->BoundsRect(), Bounds(80, 160, 240, 320));
}

// Strips line up along the bottom in the order of minimising, a row up when
// one is full, close ranks when one goes and follow the parent's size.
TEST_F(MdiWindow, MinimisedStripsLineUpWithoutOverlapping)
{
    std::vector<TwinctrlMdiWindow*> Windows;
    for (int i = 0; i < 5; ++i)
        Windows.push_back(NewWindow(Bounds(40, 40, 200, 160)));
    for (int i : {2, 0, 1, 3, 4})
        Windows[std::size_t(i)]->SetState(wsMinimized);
    const auto At = [&](int i) { return Windows[std::size_t(i)]->BoundsRect(); };
    EXPECT_EQ(At(2), Bounds(0, 376, 200, 24));
    EXPECT_EQ(At(0), Bounds(200, 376, 200, 24));
    EXPECT_EQ(At(1), Bounds(400, 376, 200, 24));
    EXPECT_EQ(At(3), Bounds(0, 352, 200, 24)) << "three fit in 600 pixels";
    Windows[0]->SetState(wsNormal);
    EXPECT_EQ(At(0), Bounds(40, 40, 200, 160));
    EXPECT_EQ(At(1), Bounds(200, 376, 200, 24)) << "closed ranks";
    EXPECT_EQ(At(3), Bounds(400, 376, 200, 24));
    delete Windows[2];
    EXPECT_EQ(At(1), Bounds(0, 376, 200, 24));
    Host.resize(800, 300);
    EXPECT_EQ(At(4), Bounds(400, 276, 200, 24)) << "along the new bottom";
}

TEST_F(MdiWindow, CaptionDragsAndFrameSizes)
{
    TwinctrlMdiWindow* W = NewWindow(Bounds(40, 40, 200, 160));
    int PosChanges = 0;
    W->OnPosChanged = [&](TwinctrlCustomMdiWindow&) { ++PosChanges; };
    TMouseDriver Mouse(*W);

    Mouse.Drag({60, 12}, {33, 17});
    EXPECT_EQ(W->BoundsRect(), Bounds(72, 56, 200, 160)) << "moved on the grid";
    EXPECT_TRUE(W->Active()) << "a press activates";
    Mouse.Drag({199, 159}, {41, 20});
    EXPECT_EQ(W->BoundsRect(), Bounds(72, 56, 240, 176)) << "bottom-right corner";
    Mouse.Drag({2, 80}, {-16, 0});
    EXPECT_EQ(W->BoundsRect(), Bounds(56, 56, 256, 176)) << "left edge";
    Mouse.Drag({60, 12}, {600, 600});
    EXPECT_EQ(W->BoundsRect(), Bounds(344, 224, 256, 176)) << "pushed back inside";
    EXPECT_EQ(PosChanges, 4) << "alone, it was in front already";

    W->SetState(wsMaximized);
    Mouse.Drag({1, 80}, {50, 0});
    EXPECT_EQ(W->BoundsRect(), Rect(0, 0, 600, 400)) << "the fixed frame does not size";
}

TEST_F(MdiWindow, HiddenCaptionLetsTheClientAreaDrag)
{
    TwinctrlMdiWindow* W = NewWindow(Bounds(40, 40, 200, 160));
    auto* Child = new QWidget(W);
    Child->show();
    SetAlign(*Child, alClient);
    EXPECT_EQ(Child->geometry(), QRect(7, 26, 186, 127));
    W->SetCaptionVisible(false);
    EXPECT_EQ(Child->geometry(), QRect(7, 7, 186, 146));
    EXPECT_TRUE(W->Button(btClose).isHidden());
    Child->hide();
    TMouseDriver(*W).Drag({100, 100}, {16, 8});
    EXPECT_EQ(W->BoundsRect(), Bounds(56, 48, 200, 160));

    W->SetCaptionVisible(true);
    W->SetCaptionPosition(cpLeft);
    Child->show();
    EXPECT_EQ(Child->geometry(), QRect(26, 7, 167, 146));
    EXPECT_EQ(W->Button(btClose).geometry(), QRect(9, 9, 13, 13));
    EXPECT_EQ(W->Button(btMinimize).geometry(), QRect(9, 41, 13, 13));
}

TEST_F(MdiWindow, ActivationFollowsGroups)
{
    TwinctrlMdiWindow* G2 = NewWindow(Bounds(0, 0, 100, 100), 2);
    TwinctrlMdiWindow* G3 = NewWindow(Bounds(100, 0, 100, 100), 3);
    TwinctrlMdiWindow* G0 = NewWindow(Bounds(200, 0, 100, 100), 0);
    int Deactivations = 0;
    G0->OnDeactivate = [&](TwinctrlCustomMdiWindow&) { ++Deactivations; };

    G2->Activate();
    G0->Activate();
    EXPECT_TRUE(G2->Active()) << "group 0 does not reach group 2";
    EXPECT_EQ(Host.children().last(), G0) << "brought to the front";
    G3->Activate();
    EXPECT_TRUE(G2->Active());
    EXPECT_FALSE(G0->Active()) << "group 0 follows every activation";
    EXPECT_EQ(Deactivations, 1);

    // Focus moving into a window activates it; moving out of all deactivates group 0.
    auto* Edit = new QLineEdit(G0);
    auto* Outside = new QLineEdit(&Host);
    Edit->show();
    Outside->show();
    QApplication::setActiveWindow(&Host);
    Edit->setFocus();
    EXPECT_TRUE(G0->Active());
    Outside->setFocus();
    EXPECT_FALSE(G0->Active());
    EXPECT_TRUE(G3->Active());
}

// A docked panel beside the windows' parent takes the focus: the active
// window stays active, as in its frame; a window of the parent takes it.
TEST_F(MdiWindow, FocusInAPanelBesideTheParentKeepsTheActiveWindow)
{
    QWidget Frame;
    auto* Area = new QWidget(&Frame);
    auto* Panel = new QLineEdit(&Frame);
    Area->setGeometry(0, 0, 400, 300);
    Panel->setGeometry(400, 0, 100, 20);
    auto* First = new TwinctrlMdiWindow(Area);
    auto* Second = new TwinctrlMdiWindow(Area);
    auto* Edit = new QLineEdit(Second);
    Frame.show();
    QApplication::setActiveWindow(&Frame);
    First->Activate();
    Panel->setFocus();
    EXPECT_TRUE(First->Active()) << "the panel's focus";
    Edit->setFocus();
    EXPECT_FALSE(First->Active());
    EXPECT_TRUE(Second->Active());
}

TEST_F(MdiWindow, FrameCaptionAndButtonsShowTheActivation)
{
    TwinctrlMdiWindow* W = NewWindow(Bounds(40, 40, 200, 160));
    W->SetActiveColor(clRed);
    W->SetInactiveColor(clBlue);
    struct TCase {
        bool Active;
        TWindowState State;
        int FrameX; // a pixel of the own frame at mid height
        TColor Expect;
    };
    const TCase Cases[] = {
        {false, wsNormal, 6, clBlue},
        {true, wsNormal, 1, clRed},
        {true, wsMaximized, 2, clRed},
    };
    for (const TCase& C : Cases) {
        W->SetState(C.State);
        if (C.Active)
            W->Activate();
        const QImage I = W->grab().toImage();
        const int Mid = I.height() / 2;
        EXPECT_EQ(I.pixel(0, Mid), qRgb(0, 0, 0));
        EXPECT_EQ(I.pixel(C.FrameX, Mid), Rgb(C.Expect)) << C.State;
        EXPECT_EQ(I.pixel(C.FrameX + 1 + W->FrameWidth(), Mid), Rgb(clBtnFace)) << "client";
        const TRect Caption = W->GetCaptionRect();
        EXPECT_EQ(I.pixel(Caption.Left + 60, Caption.Bottom - 1), Rgb(C.Expect));
        const QImage B = W->Button(btClose).grab().toImage();
        EXPECT_EQ(B.pixel(6, 1), Rgb(C.Expect)) << "glyph's transparent face";
        EXPECT_EQ(B.pixel(0, 0), qRgb(80, 80, 80)) << "glyph's frame";
    }
    W->SetState(wsMinimized);
    const QImage I = W->grab().toImage();
    EXPECT_NE(I.pixel(1, I.height() / 2), Rgb(clRed)) << "no own frame on the strip";
}

TEST_F(MdiWindow, DisabledCaptionIsEmbossedAndIconTakesItsPlace)
{
    TwinctrlMdiWindow* W = NewWindow(Bounds(40, 40, 200, 160));
    W->SetCaption("Chart");
    W->SetActiveColor(clYellow);
    W->Activate();
    // The box of the pixels that differ from the caption colour, left of the buttons.
    auto TextBox = [&] {
        const TRect C = W->GetCaptionRect();
        return InkBox(W->grab().toImage(), Rgb(clYellow),
                      QRect(C.Left, C.Top, C.Width() - 50, C.Height()));
    };
    const QRect Enabled = TextBox();
    ASSERT_FALSE(Enabled.isEmpty());
    EXPECT_EQ(Enabled.left(), 7 + 4);
    W->setEnabled(false);
    const QRect Disabled = TextBox();
    EXPECT_EQ(Disabled.topLeft(), Enabled.topLeft());
    EXPECT_EQ(Disabled.size(), Enabled.size() + QSize(1, 1)) << "the copy one pixel down-right";

    W->setEnabled(true);
    QImage Red(16, 16, QImage::Format_RGB32);
    Red.fill(Qt::red);
    W->SetIcon(Red);
    const QRect WithIcon = TextBox();
    EXPECT_EQ(WithIcon.left(), 7 + 2) << "the icon";
    EXPECT_EQ(W->grab().toImage().pixel(7 + 2 + 8, 7 + 8), qRgb(255, 0, 0));
}

TEST_F(MdiWindow, IconFromAnImageListThatMayEnd)
{
    TwinctrlMdiWindow* W = NewWindow(Bounds(40, 40, 200, 160));
    auto* Images = new TImageList;
    W->SetImages(Images);
    W->SetIconIndex(1);
    QImage Green(16, 16, QImage::Format_RGB32);
    Green.fill(Qt::green);
    Images->Add(Green);
    Images->Add(Green);
    EXPECT_EQ(W->grab().toImage().pixel(17, 15), qRgb(0, 255, 0));
    W->SetIcon(QImage(2, 2, QImage::Format_RGB32));
    EXPECT_EQ(W->Icon().size(), QSize(16, 16)) << "a list keeps the icon its own";
    delete Images;
    EXPECT_EQ(W->Images(), nullptr);
    EXPECT_TRUE(W->Icon().isNull());
    EXPECT_NE(W->grab().toImage().pixel(17, 15), qRgb(0, 255, 0));
}

TEST_F(MdiWindow, CloseButton)
{
    TwinctrlMdiWindow* Kept = NewWindow(Bounds(0, 0, 100, 100));
    Kept->SetDestroyOnClose(false);
    int Closes = 0;
    Kept->OnClose = [&](TwinctrlCustomMdiWindow&) { ++Closes; };
    Press(*Kept, btClose);
    EXPECT_EQ(Closes, 1);
    EXPECT_TRUE(Kept->isVisible()) << "the owner decides";

    QPointer<TwinctrlMdiWindow> Freed = NewWindow(Bounds(0, 0, 100, 100));
    bool HiddenAtClose = false;
    Freed->OnClose = [&](TwinctrlCustomMdiWindow& W) { HiddenAtClose = W.isHidden(); };
    Press(*Freed, btClose);
    EXPECT_TRUE(HiddenAtClose);
    ASSERT_TRUE(Freed) << "freed once the press is handled";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(Freed);
}

// At a pixel ratio of 2 the frame and the caption are drawn at the screen's
// resolution: the one-pixel black edge stays one screen pixel wide and the
// caption's glyphs are finer than a stretched picture.
TEST_F(MdiWindow, SharpAtPixelRatioTwo)
{
    TwinctrlMdiWindow* W = NewWindow(Bounds(0, 0, 200, 100));
    W->SetCaption("ETHBTC, H1");
    const QImage Twice = RenderAt(*W, 2);
    ASSERT_EQ(Twice.size(), W->size() * 2);
    EXPECT_EQ(Twice.pixel(0, 100), qRgb(0, 0, 0));
    EXPECT_NE(Twice.pixel(1, 100), qRgb(0, 0, 0));
    const TRect C = W->GetCaptionRect();
    EXPECT_FALSE(IsStretched(Twice, QRect(C.Left * 2, C.Top * 2, 100, C.Height() * 2)));
}
