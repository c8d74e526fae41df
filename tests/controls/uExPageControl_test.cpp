#include "controls/uExPageControl.h"

#include "Pixels.h"

#include "controls/uExNativeTabs.h"

#include <QApplication>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QRegion>
#include <QTabBar>
#include <QTest>
#include <gmock/gmock.h>
#include <map>
#include <stdexcept>

namespace {

using ::testing::ElementsAre;

// The region a widget paints.
struct TPainted : QObject {
    QRegion Region;
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint)
            Region += static_cast<QPaintEvent*>(Event)->region();
        return false;
    }
};

class PageControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Parent.resize(400, 200);
        Control = new TExPageControl(&Parent);
        Control->setGeometry(0, 0, 400, 200);
        Control->SetTabPosition(tpBottom);
        for (const char* Caption : {"Торговля", "Активы", "История счета"})
            Add(Caption);
        Tabs = Control->findChild<QTabBar*>();
    }
    TExTabSheet* Add(const char* Caption)
    {
        auto* Sheet = new TExTabSheet;
        Sheet->setObjectName(QString::fromUtf8(Caption));
        Sheet->SetExPageControl(Control);
        Sheet->SetCaption(Caption);
        return Sheet;
    }
    TExTabSheet* Page(int Index) { return Control->Pages(Index); }
    std::vector<bool> Visible()
    {
        std::vector<bool> V;
        for (int I = 0; I < Control->PageCount(); ++I)
            V.push_back(Page(I)->isVisibleTo(Control));
        return V;
    }
    QPoint Centre(int PageIndex)
    {
        const TRect R = Control->TabRectEx(PageIndex);
        return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    }
    // Mouse events reach the tabs through the native strip, as a user's do.
    void Mouse(QEvent::Type Type, QPoint InControl, Qt::MouseButton Button = Qt::LeftButton)
    {
        const QPointF P = InControl - Tabs->pos();
        QMouseEvent Event(Type, P, P, Button,
                          Type == QEvent::MouseButtonRelease ? Qt::NoButton
                                                             : Qt::MouseButtons(Button),
                          Qt::NoModifier);
        QCoreApplication::sendEvent(Tabs, &Event);
    }
    void Click(QPoint P)
    {
        Mouse(QEvent::MouseButtonPress, P);
        Mouse(QEvent::MouseButtonRelease, P);
    }
    void Key(int KeyCode, Qt::KeyboardModifiers Modifiers)
    {
        QKeyEvent Event(QEvent::KeyPress, KeyCode, Modifiers);
        QCoreApplication::sendEvent(Control, &Event);
    }

    QWidget Parent;
    TExPageControl* Control = nullptr;
    QTabBar* Tabs = nullptr;
};

TEST_F(PageControlTest, OnlyTheActivePageIsVisible)
{
    EXPECT_EQ(Control->ActivePage(), nullptr);
    EXPECT_THAT(Visible(), ElementsAre(false, false, false));
    Control->SetActivePage(Page(1));
    EXPECT_THAT(Visible(), ElementsAre(false, true, false));
    EXPECT_EQ(Tabs->currentIndex(), 1);
    Control->SetActivePage(Page(2));
    EXPECT_THAT(Visible(), ElementsAre(false, false, true));
    EXPECT_EQ(Control->ActivePageIndex(), 2);

    TExPageControl Other;
    auto* Foreign = new TExTabSheet;
    Foreign->SetExPageControl(&Other);
    Control->SetActivePage(Foreign);
    EXPECT_EQ(Control->ActivePageIndex(), 2);
}

TEST_F(PageControlTest, MovedPagesKeepListTabsAndActivePage)
{
    TExTabSheet* Last = Page(2);
    Control->SetActivePage(Last);
    Last->SetPageIndex(0);
    EXPECT_EQ(Page(0), Last);
    EXPECT_EQ(Last->TabIndex(), 0);
    EXPECT_EQ(Tabs->tabText(0).toStdString(), Last->TabCaption());
    EXPECT_EQ(Tabs->currentIndex(), 0);
    Last->SetPageIndex(7);
    EXPECT_EQ(Last->PageIndex(), 2);
    EXPECT_EQ(Control->ActivePage(), Last);
}

TEST_F(PageControlTest, RemovingTheActivePageActivatesTheNextEnabledOne)
{
    TExTabSheet* Third = Page(2);
    Control->SetActivePage(Page(0));
    Page(1)->SetTabEnable(false);
    delete Page(0);
    EXPECT_EQ(Control->ActivePage(), Third);
    EXPECT_EQ(Control->PageCount(), 2);
    EXPECT_EQ(Tabs->count(), 2);

    // Only a disabled tab would follow: no page stays active.
    delete Third;
    EXPECT_EQ(Control->ActivePage(), nullptr);
    EXPECT_EQ(Control->PageCount(), 1);
}

TEST_F(PageControlTest, CaptionsOfTheNativeTabs)
{
    TExTabSheet* Sheet = Add("Маркет");
    EXPECT_EQ(Sheet->GetCaption(), "Маркет");
    EXPECT_EQ(Tabs->tabText(3), QString::fromUtf8("Марк"));
    Sheet->SetShowClose(true);
    EXPECT_EQ(Tabs->tabText(3), QString::fromUtf8("Маркет "));
    Sheet->SetCaption("A");
    Sheet->SetShowClose(false);
    EXPECT_EQ(Tabs->tabText(3), QString());
}

TEST_F(PageControlTest, BoldActiveTabIsPaddedWithBlanks)
{
    Control->ActiveFont().SetStyle(fsBold);
    Control->SetActivePage(Page(2));
    const auto Width = [&](const TFont& Font, const std::string& Text) {
        TBitmap B;
        B.SetSize(1, 1);
        B.Canvas().Font().Assign(Font);
        return B.Canvas().TextWidth(Text);
    };
    const std::string Base = Page(2)->TabCaption();
    const std::string Native = Tabs->tabText(2).toStdString();
    ASSERT_GT(Native.size(), Base.size());
    const std::string Blanks = Native.substr(Base.size());
    EXPECT_EQ(Blanks.find_first_not_of(' '), std::string::npos);
    const int Surplus = Width(Control->ActiveFont(), Base) - Width(Control->Font(), Base);
    EXPECT_GE(Width(Control->Font(), Blanks), Surplus);
    EXPECT_LT(Width(Control->Font(), Blanks.substr(1)), Surplus);

    Control->SetActivePage(Page(0));
    EXPECT_EQ(Tabs->tabText(2).toStdString(), Base);
}

TEST_F(PageControlTest, HiddenTabsAreSkippedByTheHitTests)
{
    Page(1)->SetTabVisible(false);
    EXPECT_EQ(Tabs->count(), 2);
    EXPECT_EQ(Page(1)->TabIndex(), -1);
    const QRect Second = Tabs->tabRect(1).translated(Tabs->pos());
    EXPECT_EQ(Control->IndexOfTabAtEx(Second.center().x(), Second.center().y()), 2);
    EXPECT_EQ(Control->TabRectEx(2),
              Bounds(Second.x(), Second.y(), Second.width(), Second.height()));
    EXPECT_EQ(Control->IndexOfTabAtEx(200, 20), -1);
}

// The control draws its tabs beyond the native strip: all of it repaints.
TEST_F(PageControlTest, ATabThatGoesRepaintsTheControl)
{
    TPainted Painted;
    Parent.show();
    QCoreApplication::processEvents();
    Control->installEventFilter(&Painted);
    Page(2)->SetTabVisible(false);
    QCoreApplication::processEvents();
    EXPECT_TRUE(QRegion(Control->rect()).subtracted(Painted.Region).isEmpty());
}

TEST_F(PageControlTest, ClickAndKeysChangePagesWithPermission)
{
    std::vector<std::pair<int, int>> Asked;
    bool Allow = true;
    int Changes = 0;
    Control->OnCanChange = [&](TExPageControl*, int From, int To, bool& AllowChange) {
        Asked.emplace_back(From, To);
        AllowChange = Allow;
    };
    Control->OnChange = [&](TExPageControl*) { ++Changes; };
    Control->SetActivePage(Page(0));
    Click(Centre(1));
    EXPECT_EQ(Control->ActivePageIndex(), 1);
    EXPECT_EQ(Changes, 1);

    Key(Qt::Key_Tab, Qt::ControlModifier);
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Control->ActivePageIndex(), 0);
    Key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Control->ActivePageIndex(), 2);
    EXPECT_THAT(Asked,
                ElementsAre(std::pair{0, 1}, std::pair{1, 2}, std::pair{2, 0}, std::pair{0, 2}));

    Allow = false;
    Click(Centre(0));
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Control->ActivePageIndex(), 2);
    EXPECT_EQ(Tabs->currentIndex(), 2);
}

TEST_F(PageControlTest, DisabledTabsAndRefusedSettings)
{
    Control->SetActivePage(Page(0));
    try {
        Page(0)->SetTabEnable(false);
        FAIL();
    } catch (const ExPageControlException& E) {
        EXPECT_STREQ(E.what(), "Can not disable active tab.");
    }
    EXPECT_TRUE(Page(0)->TabEnable());

    Control->SetTabStyle(tsDotNet);
    EXPECT_THROW(Control->SetTabSplitLine(true), ExPageControlException);
    EXPECT_FALSE(Control->TabSplitLine());
}

// Bottom tabs, button on the left: (L + 2, T + 2) to (L + 14, T + 13) with
// the margins added; on the right it starts 14 + RightMargin before R.Right.
TEST_F(PageControlTest, CloseButtonHitTest)
{
    Control->TabMargin().SetMargin(TTabMargin::LeftIndex, 3);
    Control->TabMargin().SetMargin(TTabMargin::TopIndex, 1);
    const TRect R = Control->TabRectEx(1);
    const int L = R.Left + 3, T = R.Top + 1;
    for (auto [X, Y, Hit] : {std::tuple{L + 2, T + 2, true},
                             {L + 13, T + 12, true},
                             {L + 1, T + 2, false},
                             {L + 14, T + 12, false},
                             {L + 13, T + 13, false}})
        EXPECT_EQ(Control->IsOnButton(1, X, Y), Hit) << X - L << "," << Y - T;
    Control->SetClosePosition(cpRight);
    const TRect Q = Control->TabRectEx(1);
    for (auto [X, Hit] : {std::pair{Q.Right - 14, true}, {Q.Right - 15, false}, {Q.Right, false}})
        EXPECT_EQ(Control->IsOnButton(1, X, Q.Top + 1), Hit) << Q.Right - X;
    // The active tab's button is drawn LowerActive pixels lower: it is hit there.
    Control->SetClosePosition(cpLeft);
    Control->SetLowerActive(4);
    Control->SetActivePage(Page(1));
    const TRect A = Control->TabRectEx(1);
    for (auto [Dy, Hit] : {std::pair{5, false}, {6, true}, {16, true}})
        EXPECT_EQ(Control->IsOnButton(1, A.Left + 5, A.Top + 1 + Dy), Hit) << Dy;
}

TEST_F(PageControlTest, CloseButtonClosesTheActiveSheet)
{
    TExTabSheet* First = Page(0);
    First->SetShowClose(true);
    Control->SetActivePage(First);
    bool CanClose = false;
    int Closed = 0;
    First->OnCanClose = [&](TExTabSheet*, bool& Can) { Can = CanClose; };
    First->OnClose = [&](TExTabSheet*) { ++Closed; };
    const TRect R = Control->TabRectEx(0);
    const QPoint Button(R.Left + 5, R.Top + 5);
    Click(Button);
    EXPECT_EQ(Control->PageCount(), 3);

    CanClose = true;
    Click(Button);
    EXPECT_EQ(Closed, 1);
    EXPECT_EQ(Control->ActivePageIndex(), 0);
    EXPECT_EQ(Control->PageCount(), 2);
    ASSERT_EQ(Control->ClosedTabList().size(), 1u);
    EXPECT_EQ(Control->ClosedTabList()[0].first, "Торговля");
    EXPECT_EQ(First->ExPageControl(), nullptr);
    EXPECT_EQ(First->parentWidget(), nullptr);

    Control->SetFreeOnClose(true);
    Page(1)->SetTabVisible(false);
    QPointer<TExTabSheet> Only = Page(0);
    Only->SetShowClose(true);
    const TRect Q = Control->TabRectEx(0);
    Click({Q.Left + 5, Q.Top + 5});
    EXPECT_TRUE(Only.isNull());
    EXPECT_EQ(Control->ActivePage(), nullptr);
}

// Disabled tabs are passed over by Ctrl+Tab and by a closed sheet, and only
// real changes are announced; with no page active no tab is selected, so the
// former tab's click selects its page again.
TEST_F(PageControlTest, DisabledTabsAreSkippedAndOnlyRealChangesAnnounced)
{
    std::vector<int> Announced;
    Control->OnChange = [&](TExPageControl*) { Announced.push_back(Control->ActivePageIndex()); };
    Control->SetActivePage(Page(0));
    Page(1)->SetTabEnable(false);
    Key(Qt::Key_Tab, Qt::ControlModifier);
    Key(Qt::Key_Tab, Qt::ControlModifier);
    Key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    Click(Centre(1));
    Control->SetActivePage(Page(0));
    Page(0)->SetShowClose(true);
    const TRect R = Control->TabRectEx(0);
    Click({R.Left + 5, R.Top + 7});
    EXPECT_THAT(Announced, ElementsAre(2, 0, 2, 2)) << "the last: closed, its successor disabled";

    Control->SetActivePage(nullptr);
    EXPECT_EQ(Control->findChild<TExNativeTabs*>()->Selection(), -1);
    Click(Centre(1));
    EXPECT_THAT(Announced, ElementsAre(2, 0, 2, 2, 1));
}

// Alt and a caption's accelerator select its page: not a disabled sheet's,
// not one OnCanChange refuses. Fixed extents: height across, width along.
TEST_F(PageControlTest, AcceleratorsAndFixedTabExtents)
{
    Page(1)->SetCaption("A&ctives");
    Page(2)->SetCaption("&History");
    bool Allow = true;
    Control->OnCanChange = [&](TExPageControl*, int, int, bool& Can) { Can = Allow; };
    Parent.show();
    Parent.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Parent));
    for (const auto& [Letter, Enabled, Allowed, Active] :
         {std::tuple{Qt::Key_C, true, true, 1}, std::tuple{Qt::Key_H, false, true, 1},
          std::tuple{Qt::Key_H, true, false, 1}, std::tuple{Qt::Key_H, true, true, 2}}) {
        Page(2)->setEnabled(Enabled);
        Allow = Allowed;
        QTest::keyClick(&Parent, Letter, Qt::AltModifier);
        EXPECT_EQ(Control->ActivePageIndex(), Active) << char(Letter);
    }

    Control->SetTabPosition(tpLeft);
    Control->SetTabWidth(90);
    Control->SetTabHeight(30);
    EXPECT_EQ(Control->TabRectEx(2), Bounds(0, Control->TabRectEx(1).Bottom, 30, 90));
}

TEST_F(PageControlTest, HoverTracking)
{
    Control->SetActivePage(Page(0));
    Mouse(QEvent::MouseMove, Centre(1), Qt::NoButton);
    EXPECT_EQ(Control->HoverTab(), -1);
    Control->SetTabHoverColor(clYellow);
    Mouse(QEvent::MouseMove, Centre(1), Qt::NoButton);
    EXPECT_EQ(Control->HoverTab(), 1);
    const QImage Shot = Control->grab().toImage();
    const TRect R = Control->TabRectEx(1);
    EXPECT_EQ(FromQRgb(Shot.pixel(R.Left + 2, R.Bottom - 3)), ColorToRGB(clYellow));
    QEvent Leave(QEvent::Leave);
    QCoreApplication::sendEvent(Tabs, &Leave);
    EXPECT_EQ(Control->HoverTab(), -1);

    Page(0)->SetShowClose(true);
    const TRect A = Control->TabRectEx(0);
    Mouse(QEvent::MouseMove, {A.Left + 5, A.Top + 5}, Qt::NoButton);
    EXPECT_TRUE(Control->HoverClosedButton());
    Mouse(QEvent::MouseMove, Centre(0), Qt::NoButton);
    EXPECT_FALSE(Control->HoverClosedButton());

    // Where the style draws the tabs, HotTrack writes the tab under the
    // pointer in the hot-light colour; only the tabs that change repaint.
    Control->SetTabBorder3D(true);
    const auto Hot = [&](int Index) {
        const QImage Shot = Control->grab().toImage();
        const TRect R = Control->TabRectEx(Index);
        bool Found = false;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                Found |= qBlue(Shot.pixel(X, Y)) - qRed(Shot.pixel(X, Y)) > 60;
        return Found;
    };
    Mouse(QEvent::MouseMove, Centre(1), Qt::NoButton);
    EXPECT_FALSE(Hot(1)) << "off by default";
    Control->SetHotTrack(true);
    Mouse(QEvent::MouseMove, Centre(1), Qt::NoButton);
    EXPECT_TRUE(Hot(1));
    Parent.show();
    QCoreApplication::processEvents();
    TPainted Painted;
    Control->installEventFilter(&Painted);
    Mouse(QEvent::MouseMove, Centre(2), Qt::NoButton);
    QCoreApplication::processEvents();
    const TRect Old = Control->TabRectEx(1), New = Control->TabRectEx(2);
    EXPECT_EQ(Painted.Region, QRegion(Old.Left, Old.Top, New.Right - Old.Left, Old.Height()));
    EXPECT_TRUE(Hot(2));
    EXPECT_FALSE(Hot(1));
    QEnterEvent Enter({}, {}, {});
    QCoreApplication::sendEvent(Page(0), &Enter);
    EXPECT_FALSE(Hot(2)) << "the pointer went onto the page";
}

TEST_F(PageControlTest, UpdatesNestAndNeverGoBelowZero)
{
    Parent.show();
    // Each step, and whether the control paints after it.
    for (auto [Begin, Paints] : {std::pair{true, false},
                                 {true, false},
                                 {false, false},
                                 {false, true},
                                 {false, true},
                                 {true, false},
                                 {false, true}}) {
        Begin ? Control->BeginUpdate() : Control->EndUpdate();
        EXPECT_EQ(Control->updatesEnabled(), Paints);
    }
}

TEST_F(PageControlTest, NewDefaultsReachOnlySheetsWithTheOldOnes)
{
    Page(1)->SetTabColor(clRed);
    Control->SetDefaultTabColor(clAqua);
    EXPECT_EQ(Page(0)->TabColor(), clAqua);
    EXPECT_EQ(Page(1)->TabColor(), clRed);
    Control->SetDefaultTextColor(clNavy);
    Page(2)->SetTextColor(clGreen);
    Control->SetDefaultTextColor(clMaroon);
    EXPECT_EQ(Page(0)->TextColor(), clMaroon);
    EXPECT_EQ(Page(2)->TextColor(), clGreen);
    EXPECT_EQ(Add("x")->TextColor(), clMaroon);
}

// Twelve tabs at 300 pixels wrap into rows along the page; the active tab's
// row lies next to the page, and hit tests, clicks, keys and close boxes work
// in every row.
class MultiLineTest : public PageControlTest {
protected:
    void SetUp() override
    {
        PageControlTest::SetUp();
        for (const char* Caption : {"Мультиаккаунт", "Новости", "Маркет", "Сигналы", "Библиотека",
                                    "Эксперты", "Журнал", "Инвестиции", "Ещё"})
            Add(Caption);
        Control->setGeometry(0, 0, 300, 200);
        Control->SetMultiLine(true);
        Control->SetActivePage(Page(0));
    }
    // The rows from the page outward: each one's top and its page indexes.
    std::map<int, std::vector<int>> Rows()
    {
        std::map<int, std::vector<int>> ByTop;
        for (int I = 0; I < Control->PageCount(); ++I)
            ByTop[Control->TabRectEx(I).Top].push_back(I);
        return ByTop;
    }
};

TEST_F(MultiLineTest, TabsWrapIntoRowsWithTheActiveRowAtThePage)
{
    const auto Before = Rows();
    ASSERT_GE(Before.size(), 3u);
    const int Height = Control->TabRectEx(0).Height();
    int Expected = Before.begin()->first;
    for (const auto& [Top, Pages] : Before) {
        EXPECT_EQ(Top, Expected) << "rows follow each other";
        Expected += Height;
        int Left = Control->TabRectEx(Pages.front()).Left;
        for (const int Index : Pages) {
            EXPECT_EQ(Control->TabRectEx(Index).Left, Left) << "tabs follow each other";
            Left = Control->TabRectEx(Index).Right;
        }
        EXPECT_LE(Left, 300);
    }
    EXPECT_EQ(Before.rbegin()->first + Height, 200) << "the strip ends at the control's bottom";
    EXPECT_EQ(Before.begin()->second.front(), 0) << "the active row next to the page";
    EXPECT_LT(Page(0)->geometry().bottom(), Before.begin()->first);

    // A click on a tab of the last row selects it and turns that row to the page.
    const int Far = Before.rbegin()->second.back();
    Click(Centre(Far));
    EXPECT_EQ(Control->ActivePageIndex(), Far);
    const auto After = Rows();
    EXPECT_EQ(After.begin()->second, Before.rbegin()->second);
    EXPECT_EQ(std::next(After.begin())->second, Before.begin()->second);
    for (int I = 0; I < Control->PageCount(); ++I)
        EXPECT_EQ(Control->IndexOfTabAtEx(Centre(I).x(), Centre(I).y()), I) << I;

    Control->SetMultiLine(false);
    EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(MultiLineTest, KeysAndCloseBoxesInEveryRow)
{
    Parent.show();
    QApplication::setActiveWindow(&Parent);
    auto* Field = new QLineEdit(Page(0));
    Field->show();
    Field->setFocus();
    ASSERT_TRUE(Field->hasFocus());
    Key(Qt::Key_Left, Qt::NoModifier);
    EXPECT_EQ(Control->ActivePageIndex(), 0) << "an arrow a page's control left unused";
    Control->setFocus();
    ASSERT_TRUE(Control->hasFocus());
    Key(Qt::Key_Left, Qt::NoModifier);
    EXPECT_EQ(Control->ActivePageIndex(), 11) << "back from the first page to the last";
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Control->ActivePageIndex(), 0);
    Key(Qt::Key_Right, Qt::NoModifier);
    Key(Qt::Key_Down, Qt::NoModifier);
    EXPECT_EQ(Control->ActivePageIndex(), 2);

    TExTabSheet* Far = Page(10);
    Far->SetShowClose(true);
    Control->SetActivePage(Far);
    const TRect R = Control->TabRectEx(10);
    EXPECT_EQ(Rows().begin()->first, R.Top) << "its row is at the page";
    Click({R.Left + 5, R.Top + 5 + Control->LowerActive()});
    EXPECT_EQ(Control->PageCount(), 11);
    EXPECT_EQ(Control->ActivePage(), Page(10)) << "the next page takes its place";
}

// Several rows fill the control's width unless RaggedRight. With
// ScrollOpposite the rows before the active row lie across the page in their
// order, where the control takes their clicks. The style draws every tab in
// its place, also in rows away from the strip's edge.
TEST_F(MultiLineTest, RaggedRowsAndRowsAcrossThePage)
{
    for (const auto& [Top, Pages] : Rows())
        EXPECT_EQ(Control->TabRectEx(Pages.back()).Right, 300) << Top;
    Control->SetRaggedRight(true);
    EXPECT_LT(Control->TabRectEx(2).Right, 300);

    Control->SetScrollOpposite(true);
    const auto Before = Rows();
    ASSERT_GE(Before.size(), 3u);
    Click(Centre(Before.rbegin()->second.back()));
    const auto After = Rows();
    auto Row = Before.begin();
    for (const auto& [Top, Pages] : After)
        EXPECT_EQ(Pages, (Row++)->second) << Top;
    EXPECT_EQ(After.begin()->first, 0);
    ASSERT_EQ(Control->childAt(Centre(0)), nullptr) << "the page leaves the rows across it";
    QTest::mouseClick(Control, Qt::LeftButton, {}, Centre(0));
    EXPECT_EQ(Rows(), Before);

    Control->SetTabBorder3D(true);
    for (const auto& [Active, Drawn] : {std::pair{0, 11}, {11, 0}}) {
        Control->SetActivePage(Page(Active));
        const TRect R = Control->TabRectEx(Drawn);
        const QPoint P(R.Left + 2, (R.Top + R.Bottom) / 2);
        EXPECT_NE(Control->grab().toImage().pixel(P), Rgb(Control->Color())) << Drawn;
    }
}

// A floating panel let go over a docking page control becomes its sheet;
// dragged out by its tab, or double-clicked there, it floats again.
class DockingTest : public PageControlTest {
protected:
    void SetUp() override
    {
        PageControlTest::SetUp();
        Parent.move(100, 100);
        Parent.show();
        Panel = new QDockWidget(QStringLiteral("Символы"));
        Panel->setObjectName(QStringLiteral("dpMarketView"));
        Content = new QLabel(QStringLiteral("grid"));
        Panel->setWidget(Content);
        Panel->setFloating(true);
        Panel->show();
    }
    void TearDown() override { delete Panel; }
    // The end of a drag of a panel (ours unless named), the mouse at At in the control.
    void LetGo(QPoint At, QDockWidget* Dragged = nullptr)
    {
        const QPoint Global = Control->mapToGlobal(At);
        QMouseEvent Release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(Global),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Dragged ? Dragged : Panel, &Release);
        QCoreApplication::processEvents();
    }
    QDockWidget* Panel = nullptr;
    QLabel* Content = nullptr;
};

TEST_F(DockingTest, PanelBecomesASheetAndFloatsAgain)
{
    LetGo({200, 50});
    EXPECT_EQ(Control->PageCount(), 3) << "no docking without DockSite";

    Control->SetDockSite(true);
    LetGo({200, 500});
    EXPECT_EQ(Control->PageCount(), 3) << "let go outside the control";
    LetGo({200, 50});
    ASSERT_EQ(Control->PageCount(), 4);
    TExTabSheet* Sheet = Page(3);
    EXPECT_EQ(Sheet->GetCaption(), "Символы");
    EXPECT_EQ(Control->ActivePage(), Sheet);
    EXPECT_EQ(Sheet->DockedPanel(), Panel);
    EXPECT_TRUE(Sheet->isAncestorOf(Content));
    EXPECT_TRUE(Content->isVisibleTo(Sheet));
    EXPECT_TRUE(Panel->isHidden());
    Panel->setWindowTitle(QStringLiteral("Обзор\r\nрынка"));
    EXPECT_EQ(Sheet->GetCaption(), "Обзор");
    for (const bool Shown : {false, true}) {
        Content->setVisible(Shown);
        EXPECT_EQ(Sheet->TabVisible(), Shown) << "the content's visibility is the tab's";
    }

    // Pressed on its tab and dragged beyond the control.
    const QPoint Tab = Centre(3);
    Mouse(QEvent::MouseButtonPress, Tab);
    const QPointF Out = QPointF(Tab.x(), -40) - Tabs->pos();
    QMouseEvent Move(QEvent::MouseMove, Out, Out, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Tabs, &Move);
    EXPECT_EQ(Control->PageCount(), 3);
    EXPECT_TRUE(Panel->isVisible());
    EXPECT_TRUE(Panel->isFloating());
    EXPECT_EQ(Panel->widget(), Content);
    EXPECT_EQ(Control->ActivePageIndex(), 0) << "the next page took its place";
    Mouse(QEvent::MouseButtonRelease, QPoint(Tab.x(), -40));

    LetGo({200, 50});
    ASSERT_EQ(Control->PageCount(), 4);
    Mouse(QEvent::MouseButtonDblClick, Centre(3));
    EXPECT_EQ(Control->PageCount(), 3);
    EXPECT_EQ(Panel->widget(), Content);
    EXPECT_TRUE(Panel->isVisible());
}

// With DockSite any press on the active tab's close box closes its sheet;
// the release closes not the next one, whose box is then under the mouse.
TEST_F(DockingTest, WithDockSiteAPressOnTheCloseBoxCloses)
{
    Control->SetDockSite(true);
    for (int I = 0; I < Control->PageCount(); ++I)
        Page(I)->SetShowClose(true);
    Control->SetActivePage(Page(0));
    const TRect R = Control->TabRectEx(0);
    const QPoint Box(R.Left + 5, R.Top + 7);
    for (const Qt::MouseButton Button : {Qt::RightButton, Qt::LeftButton}) {
        const int Count = Control->PageCount();
        Mouse(QEvent::MouseButtonPress, Box, Button);
        ASSERT_TRUE(Control->IsOnButton(0, Box.x(), Box.y()));
        Mouse(QEvent::MouseButtonRelease, Box, Button);
        EXPECT_EQ(Control->PageCount(), Count - 1) << Button;
    }
}

TEST_F(DockingTest, APanelHoldingTheControlStaysOutOfIt)
{
    Control->SetDockSite(true);
    QDockWidget Holder(QStringLiteral("Терминал"));
    Holder.setWidget(&Parent);
    Holder.setFloating(true);
    Holder.show();
    LetGo({200, 50}, &Holder);
    EXPECT_EQ(Control->PageCount(), 3);
    EXPECT_EQ(Holder.widget(), &Parent);
    Holder.setWidget(nullptr);
    Parent.setParent(nullptr);
}

TEST(ExPageControl, Version)
{
    EXPECT_EQ(TExPageControl::Version(), "1.6.1.1");
    EXPECT_EQ(TExPageControl::VersionNr(), 0x01060101u);
}

} // namespace
