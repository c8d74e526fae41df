#include "terminal/fmMain/ufmMain.h"

#include "domain/uSymbolShowList.h"
#include "domain/uUser.h"
#include "platform/qt/Screen.h"
#include "platform/qt/VirtualStringTree.h"
#include "terminal/charts/uMainChartList.h"
#include "terminal/dlgOrder/udlgOrder.h"
#include "terminal/dlgUserManual/udlgUserManual.h"
#include "terminal/fmBasic/uMainGuard.h"
#include "terminal/fmMain/ufmMainActions.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

// The window's own commands: panels and toolbars shown and hidden, the
// status bar, the cursor tools, the help items, and the symbol-group and
// new-chart menus that list what exists when they open.

namespace {

// The maker's web page, opened by "О программе".
constexpr char cMakerAddress[] = "https://tavrix.exchange";

} // namespace

void TfmMain::ConnectCommands()
{
    TMainControls& C = fControls;
    const TMainActions& A = C.Actions;
    for (const auto& [Action, Panel] :
         {std::pair{A.acMarketView, C.dpMarketView}, std::pair{A.acNavigate, C.dpNavigate},
          std::pair{A.acTerminal, C.dpTerminal}, std::pair{A.acMarketDepth, C.dpMarketDepth},
          std::pair{A.acVolumeMonitor, C.dpVolumeMonitor}, std::pair{A.acBuy, C.dpBuy},
          std::pair{A.acSell, C.dpSell}})
        connect(Action, &QAction::triggered, this,
                [this, Action, Panel] { TogglePanel(*Action, *Panel); });
    for (const auto& [Action, Bar] :
         {std::pair{A.acChartInterval, C.tbIntervals}, std::pair{A.acCharts, C.tbCharts},
          std::pair{A.acStandart, C.tbStandart}})
        connect(Action, &QAction::triggered, this,
                [this, Action, Bar] { ToggleToolbar(*Action, *Bar); });
    connect(A.acStatusBar, &QAction::triggered, this, [this] { acStatusBarExecute(); });
    connect(FindAction("acQuit"), &QAction::triggered, this, [this] { close(); });
    connect(FindAction("acAbout"), &QAction::triggered, this,
            [] { RunShown([] { OpenURL(cMakerAddress); }); });
    connect(FindAction("mmUserManual"), &QAction::triggered, this,
            [] { RunShown([] { ExecuteDlgUserManual(); }); });
    connect(FindAction("acCursor"), &QAction::triggered, this,
            [] { SetScreenCursor(Qt::ArrowCursor); });
    connect(FindAction("acCross"), &QAction::triggered, this,
            [] { SetScreenCursor(Qt::CrossCursor); });
    connect(FindAction("acNewChart"), &QAction::triggered, this,
            [this] { RunShown([this] { fChartList.AddNewChart(SelectedSymbol()); }); });
    connect(FindAction("acSaveSymbolGroup"), &QAction::triggered, this,
            [this] { RunShown([this] { acSaveSymbolGroupExecute(); }); });

    QAction* NewOrder = FindAction("miNewOrder");
    connect(NewOrder, &QAction::triggered, this, [NewOrder] {
        RunShown([&] { ExecuteOrder(NewOrder->data().toString().toStdString()); });
    });
    ConnectPopup(C.vstSymbols, C.ppmSymbols);
    connect(C.ppmSymbols, &QMenu::aboutToShow, this,
            [this] { RunShown([this] { ppmSymbolsPopup(); }); });
    connect(C.tbiNewChartPopup, &QMenu::aboutToShow, this,
            [this] { RunShown([this] { tbiNewChartPopup(); }); });
    ConnectChartCommands();
}

void TfmMain::ConnectPopup(TVirtualStringTree* Grid, QMenu* Menu)
{
    Grid->setContextMenuPolicy(Qt::CustomContextMenu);
    // At is in the viewport's coordinates.
    connect(Grid, &QWidget::customContextMenuRequested, this, [Grid, Menu](const QPoint& At) {
        if (const int Row = Grid->rowAt(At.y()); Row >= 0)
            Grid->SelectRow(Row);
        Menu->popup(Grid->viewport()->mapToGlobal(At));
    });
}

QAction* TfmMain::FindAction(const char* Name) const
{
    return findChild<QAction*>(QString::fromLatin1(Name));
}

// Shown again, a panel docks at its default place, also when it floated.
// The check is set last: re-docking hides the panel for a moment.
void TfmMain::TogglePanel(QAction& Action, TDockPanel& Panel)
{
    RunShown([&] {
        const bool Show = Panel.isHidden();
        if (Show)
            Panel.SetCurrentDock(Panel.DefaultDock());
        Panel.setVisible(Show);
        Action.setChecked(!Panel.isHidden());
    });
}

void TfmMain::ToggleToolbar(QAction& Action, QToolBar& Bar)
{
    RunShown([&] {
        const bool Show = Bar.isHidden();
        if (Show)
            SetCurrentDock(*this, &Bar);
        Bar.setVisible(Show);
        Action.setChecked(!Bar.isHidden());
    });
}

// The status bar always sits below every bottom panel.
void TfmMain::acStatusBarExecute()
{
    RunShown([this] {
        QStatusBar* Bar = fControls.panStatus;
        Bar->setVisible(Bar->isHidden());
        fControls.Actions.acStatusBar->setChecked(!Bar->isHidden());
    });
}

// "New Order" is for the row the menu opens on. The saved groups are listed
// afresh: a click on a name loads that group, one in "Удалить" deletes its
// file at once.
void TfmMain::ppmSymbolsPopup()
{
    QAction* NewOrder = FindAction("miNewOrder");
    const std::string Symbol = SelectedSymbol();
    NewOrder->setData(QString::fromStdString(Symbol));
    NewOrder->setEnabled(!Symbol.empty());
    if (!User)
        return;
    TSymbolShowList& Symbols = User->SymbolShowList();
    RemoveMenuItemsAfter(fControls.miSymbolSet, 3);
    RemoveMenuItemsAfter(fControls.miSetDelete, 0);
    for (const std::string& Name : Symbols.GetFileList()) {
        const QString Caption = QString::fromStdString(Name);
        QAction* Load = fControls.miSymbolSet->addAction(Caption);
        connect(Load, &QAction::triggered, this,
                [Name] { RunShown([&] { User->SymbolShowList().LoadFromFile(Name); }); });
        QAction* Delete = fControls.miSetDelete->addAction(Caption);
        connect(Delete, &QAction::triggered, this,
                [Name] { RunShown([&] { User->SymbolShowList().DeleteSaved(Name); }); });
    }
}

// The group is written under the name the user gives, in the groups folder.
void TfmMain::acSaveSymbolGroupExecute()
{
    if (!User)
        return;
    TSymbolShowList& Symbols = User->SymbolShowList();
    const QString FileName = QFileDialog::getSaveFileName(
        this, QString(), QString::fromStdString(Symbols.DoNotifyFolders()));
    if (!FileName.isEmpty())
        Symbols.SaveToFile(FileName.toStdString());
}

// One item per symbol of the market watch; choosing one opens a chart of
// that symbol.
void TfmMain::tbiNewChartPopup()
{
    QMenu* Menu = fControls.tbiNewChartPopup;
    RemoveMenuItemsAfter(Menu, 0);
    if (!User)
        return;
    const TSymbolShowList& Symbols = User->SymbolShowList();
    for (int Index = 0; Index < Symbols.Count(); ++Index) {
        const std::string Symbol = Symbols.Names(Index);
        connect(Menu->addAction(QString::fromStdString(Symbol)), &QAction::triggered, this,
                [this, Symbol] { RunShown([&] { fChartList.AddNewChart(Symbol); }); });
    }
}
