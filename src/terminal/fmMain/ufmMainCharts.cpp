#include "terminal/fmMain/ufmMain.h"

#include "domain/uSymbolShowList.h"
#include "domain/uTranslator.h"
#include "domain/uUser.h"
#include "platform/qt/VirtualStringTree.h"
#include "terminal/charts/uChartTemplates.h"
#include "terminal/charts/uCharts.h"
#include "terminal/charts/uIndicatorInfo.h"
#include "terminal/charts/uIndicators.h"
#include "terminal/charts/uMainChartList.h"
#include "terminal/fmBasic/uFormParts.h"
#include "terminal/fmBasic/uMainGuard.h"
#include "terminal/fmMain/ufmMainActions.h"
#include "terminal/fmMain/ufmMainLayout.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabBar>
#include <functional>
#include <memory>
#include <string>
#include <utility>

// The chart commands: each acts on the selected chart through the chart
// list, and the commands' states follow that chart. Also the chart tabs, the
// full-screen bar and the template menus, which list the saved templates
// each time they open.

namespace {

// Text with its "%d" filled with Value, translated, then a percent sign.
QString ZoomHint(std::string_view Text, int Value)
{
    const std::string Number = std::to_string(Value);
    const std::string Filled =
        Translator ? Translator->Translate(Text, {Number}) : FillPlaceholders(Text, {Number});
    return QString::fromStdString(Filled + "%");
}

} // namespace

void TfmMain::ConnectChartCommands()
{
    const TMainActions& A = fControls.Actions;
    for (QAction* Interval : A.Intervals)
        OnChartCommand(Interval, [this, Interval] {
            fChartList.RefreshKlinesByInterval(TChartInterval(Interval->data().toInt()));
        });
    for (QAction* Type : {A.acStick, A.acBar, A.acLine})
        OnChartCommand(
            Type, [this, Type] { fChartList.acStickExecute(TChartType(Type->data().toInt())); });
    // The check shown is the chart's: these commands ask for the other state.
    QAction* AutoScroll = FindAction("acAutoScroll");
    QAction* ShiftToEnd = FindAction("acShiftToEnd");
    IMainChartList& L = fChartList;
    const std::pair<const char*, std::function<void()>> Commands[] = {
        {"acZoomIn", [&L] { L.acZoomInExecute(); }},
        {"acZoomOut", [&L] { L.acZoomOutExecute(); }},
        {"acMozaic", [&L] { L.Mozaic(); }},
        {"acAutoScroll", [&L, AutoScroll] { L.acAutoScrollExecute(!AutoScroll->isChecked()); }},
        {"acShiftToEnd", [&L, ShiftToEnd] { L.acShiftToEndExecute(!ShiftToEnd->isChecked()); }},
        {"acChartPages", [&L] { L.SetTabsVisible(!L.TabsVisible()); }},
        {"acChartSettings", [&L] { L.acChartSettingsExecute(); }},
        {"acIndicatorSettings", [&L] { L.acIndicatorSettingsExecute(); }},
        {"acIndicatorDelete", [&L] { L.acIndicatorDeleteExecute(); }},
        {"acNewOrder", [&L] { L.acNewOrderExecute(); }},
        {"acIndicatorMA", [this] { AddIndicator(std::make_unique<TMaIndicatorInfo>()); }},
        {"acIndicatorBollinger",
         [this] { AddIndicator(std::make_unique<TBollingerIndicatorInfo>()); }},
        {"acIndicatorFractal", [this] { AddIndicator(std::make_unique<TFractalIndicatorInfo>()); }},
        {"acIndicatorZigZag", [this] { AddIndicator(std::make_unique<TZigZagIndicatorInfo>()); }},
        {"acTemplateSave", [this] { acTemplateSaveExecute(); }},
        {"acChartMaximize", [&L] { L.Maximize(wsNormal); }},
        {"acChartMinimize", [&L] { L.Maximize(wsMinimized); }},
        {"acChartClose", [this] { acChartCloseExecute(); }},
        {"acCloseChart",
         [&L] {
             if (TChartItem* Chart = L.GetSelected())
                 Chart->DestroyWindow();
         }},
        {"acChartRestore", [&L] { L.acChartRestoreExecute(); }},
        {"acMarketDepthEx", [this] { acMarketDepthExExecute(); }},
    };
    for (const auto& [Name, Command] : Commands)
        OnChartCommand(FindAction(Name), Command);
    ConnectChartMenus();
}

// The template menus list the templates when they open; the indicator menu
// opens over the indicator double-clicked; the chart tabs.
void TfmMain::ConnectChartMenus()
{
    for (const auto& [Menu, DeleteMenu] : {std::pair{"mmiTemplate", "mmiTemplateDelete"},
                                           std::pair{"tbiTemplate", "tbiTemplateDelete"},
                                           std::pair{"pmiTemplate", "pmiTemplateDelete"}}) {
        QMenu* Opened = findChild<QMenu*>(QString::fromLatin1(Menu));
        QMenu* Deletes = findChild<QMenu*>(QString::fromLatin1(DeleteMenu));
        connect(Opened, &QMenu::aboutToShow, this,
                [this, Opened, Deletes] { RunShown([&] { OnTemplatePopup(Opened, Deletes); }); });
    }
    connect(fControls.ppIndicator, &QMenu::aboutToShow, this, [this] { RefreshIndicators(); });
    QTabBar* Tabs = fControls.tabCharts;
    connect(Tabs, &QTabBar::currentChanged, this,
            [this](int Index) { RunShown([&] { tabChartsChange(Index); }); });
    connect(Tabs, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& At) { RunShown([&] { tabChartsContextPopup(At); }); });
    new TResizeWatch(*this, [this] { panFullResize(); });
}

// A new indicator of its kind's defaults, through the indicator dialog.
void TfmMain::AddIndicator(std::unique_ptr<TBaseIndicatorInfo> aInfo)
{
    if (TChartItem* Chart = fChartList.GetSelected())
        Chart->AddIndicator(std::move(aInfo));
}

// The state the command gave the chart shows at once: the list's own
// announcements may come later, through the update queue.
void TfmMain::OnChartCommand(QAction* Action, std::function<void()> Command)
{
    connect(Action, &QAction::triggered, this, [this, Command = std::move(Command)] {
        RunShown([&] {
            Command();
            RefreshActiveWindow();
            RefreshTabs();
        });
    });
}

// The chart commands follow the selected chart; without one they are off.
void TfmMain::RefreshActiveWindow()
{
    RunLogged("RefreshActiveWindow", [this] {
        RefreshIntervals();
        RefreshChartType();
        RefreshZoom();
        RefreshIndicators();
        TChartItem* Chart = fChartList.GetSelected();
        for (const char* Name :
             {"acNewOrder", "acChartSettings", "acTemplateSave", "acCloseChart", "acMarketDepthEx"})
            FindAction(Name)->setEnabled(Chart != nullptr);
        QAction* AutoScroll = FindAction("acAutoScroll");
        QAction* ShiftToEnd = FindAction("acShiftToEnd");
        AutoScroll->setEnabled(Chart != nullptr);
        ShiftToEnd->setEnabled(Chart != nullptr);
        if (Chart) {
            AutoScroll->setChecked(Chart->ChartSettings().ChartAutoMove());
            ShiftToEnd->setChecked(Chart->ChartSettings().ChartShift());
        }
        SelectChartTab();
    });
}

// An interval without a button leaves the checks as they were.
void TfmMain::RefreshIntervals()
{
    RunLogged("RefreshIntervals", [this] {
        const TChartItem* Chart = fChartList.GetSelected();
        const std::vector<QAction*>& Intervals = fControls.Actions.Intervals;
        for (QAction* Action : Intervals) {
            Action->setEnabled(Chart != nullptr);
            if (Chart && Action->data().toInt() == int(Chart->Interval()))
                CheckRadio(Intervals, Action);
        }
    });
}

void TfmMain::RefreshChartType()
{
    TChartItem* Chart = fChartList.GetSelected();
    const TMainActions& A = fControls.Actions;
    const std::vector<QAction*> Types{A.acStick, A.acBar, A.acLine};
    for (QAction* Type : Types) {
        Type->setEnabled(Chart != nullptr);
        if (Chart && Type->data().toInt() == int(Chart->ChartSettings().ChartType()))
            CheckRadio(Types, Type);
    }
}

// Each zoom command tells the level it leads to, or that there is none.
void TfmMain::RefreshZoom()
{
    RunLogged("RefreshZoom", [this] {
        QAction* ZoomIn = FindAction("acZoomIn");
        QAction* ZoomOut = FindAction("acZoomOut");
        TChartItem* Chart = fChartList.GetSelected();
        if (!Chart) {
            ZoomIn->setEnabled(false);
            ZoomOut->setEnabled(false);
            return;
        }
        const TZoom Zoom = Chart->ChartSettings().Zoom();
        ZoomIn->setEnabled(Zoom != z0);
        ZoomIn->setToolTip(Zoom != z0 ? ZoomHint("Увеличение %d", cZoom[Zoom - 1])
                                      : TranslateText("Увеличение не доступно"));
        ZoomOut->setEnabled(Zoom != z5);
        ZoomOut->setToolTip(Zoom != z5 ? ZoomHint("Уменьшение %d", cZoom[Zoom + 1])
                                       : TranslateText("Уменьшение не доступно"));
    });
}

// New indicators go to the selected chart; settings and delete act on the
// indicator last double-clicked there.
void TfmMain::RefreshIndicators()
{
    const TChartItem* Chart = fChartList.GetSelected();
    for (const char* Name :
         {"acIndicatorMA", "acIndicatorBollinger", "acIndicatorFractal", "acIndicatorZigZag"})
        FindAction(Name)->setEnabled(Chart != nullptr);
    const bool Picked = Chart && Chart->IndicatorList().Selected();
    for (const char* Name : {"acIndicatorSettings", "acIndicatorDelete"})
        FindAction(Name)->setEnabled(Picked);
}

// One tab per chart in list order, shown with the tabs switched on or in
// full mode; each tab knows its chart by number, so that a tab left over
// from a chart since closed acts on none.
void TfmMain::RefreshTabs()
{
    RunLogged("RefreshTabs", [this] {
        const int Count = fChartList.Count();
        const bool FullMode = fChartList.FullMode();
        QTabBar* Tabs = fControls.tabCharts;
        const QSignalBlocker Quiet(Tabs);
        Tabs->setVisible(Count > 0 && (FullMode || fChartList.TabsVisible()));
        fControls.panFull->setVisible(Count > 0 && FullMode);
        for (const char* Name :
             {"acMozaic", "acChartMaximize", "acChartMinimize", "acChartRestore"})
            FindAction(Name)->setEnabled(Count > 0);
        FindAction("acChartClose")->setEnabled(!Tabs->isHidden());
        if (Tabs->isHidden())
            return;
        while (Tabs->count() > 0)
            Tabs->removeTab(0);
        for (int i = 0; i < Count; ++i) {
            const TChartItem& Chart = fChartList.Items(i);
            const std::string Caption =
                Chart.Symbol() + ", " + std::string(TChartIntervalStrEx[Chart.Interval()]);
            Tabs->addTab(QString::fromStdString(Caption));
            Tabs->setTabData(i, QVariant::fromValue(Chart.Link()->ID()));
        }
        SelectChartTab();
        panFullResize();
    });
}

// The selected chart's tab, or the first without one; selecting it here
// brings no window to the front.
void TfmMain::SelectChartTab()
{
    QTabBar* Tabs = fControls.tabCharts;
    const QSignalBlocker Quiet(Tabs);
    const TChartItem* Selected = fChartList.GetSelected();
    int Index = Tabs->count() - 1;
    while (Index > 0 && (!Selected || TabChart(Index) != Selected))
        --Index;
    Tabs->setCurrentIndex(Index);
}

TChartItem* TfmMain::TabChart(int Index) const
{
    if (Index < 0 || Index >= fControls.tabCharts->count())
        return nullptr;
    const auto ID = fControls.tabCharts->tabData(Index).value<TChartID>();
    for (int i = 0; i < fChartList.Count(); ++i)
        if (TChartItem& Chart = fChartList.Items(i); Chart.Link()->ID() == ID)
            return &Chart;
    return nullptr;
}

void TfmMain::tabChartsChange(int Index)
{
    if (TChartItem* Chart = TabChart(Index))
        Chart->SetActive(true);
}

void TfmMain::tabChartsContextPopup(const QPoint& At)
{
    QTabBar* Tabs = fControls.tabCharts;
    if (const int Index = Tabs->tabAt(At); Index >= 0)
        Tabs->setCurrentIndex(Index);
    fControls.ppTab->popup(Tabs->mapToGlobal(At));
}

void TfmMain::acChartCloseExecute()
{
    if (TChartItem* Chart = TabChart(fControls.tabCharts->currentIndex()))
        Chart->DestroyWindow();
}

// The order book shown for the selected chart's symbol: its line selected
// in the market watch, or, when the watch does not list it, the symbol
// asked for all the same.
void TfmMain::acMarketDepthExExecute()
{
    const TChartItem* Chart = fChartList.GetSelected();
    if (!Chart || !User)
        return;
    if (fControls.dpMarketDepth->isHidden())
        TogglePanel(*fControls.Actions.acMarketDepth, *fControls.dpMarketDepth);
    const TSymbolShowList& Shown = User->SymbolShowList();
    for (int Row = 0; Row < Shown.Count(); ++Row)
        if (Shown.Names(Row) == Chart->Symbol()) {
            fControls.vstSymbols->SelectRow(Row);
            return;
        }
    if (User->SelectSymbol(Chart->Symbol()))
        RefreshDepth();
}

void TfmMain::panFullResize()
{
    QWidget* Bar = fControls.panFull;
    Bar->move(width() - Bar->width(), 0);
    Bar->raise();
}

// The templates listed afresh after the menu's first three items (save,
// delete submenu, separator); a name picked applies that template to the
// selected chart, one in the delete submenu removes its file at once.
void TfmMain::OnTemplatePopup(QMenu* Menu, QMenu* DeleteMenu)
{
    RemoveMenuItemsAfter(Menu, 3);
    RemoveMenuItemsAfter(DeleteMenu, 0);
    if (!ChartTemplates)
        return;
    const bool Selected = fChartList.GetSelected() != nullptr;
    for (const std::string& FileName : ChartTemplates->GetFileList()) {
        const std::string Caption = TChartTemplates::NameOf(FileName);
        QAction* Select = Menu->addAction(QString::fromStdString(Caption));
        Select->setEnabled(Selected);
        connect(Select, &QAction::triggered, this, [this, Caption] {
            RunShown([&] {
                if (TChartItem* Chart = fChartList.GetSelected(); Chart && ChartTemplates)
                    ChartTemplates->Load(Caption, *Chart);
                RefreshActiveWindow();
            });
        });
        QAction* Delete = DeleteMenu->addAction(QString::fromStdString(Caption));
        connect(Delete, &QAction::triggered, this, [Caption] {
            RunShown([&] {
                if (ChartTemplates)
                    ChartTemplates->Delete(Caption);
            });
        });
    }
}

// The selected chart's settings and indicators, under the name the user
// gives, in the templates folder.
void TfmMain::acTemplateSaveExecute()
{
    if (!ChartTemplates || !fChartList.GetSelected())
        return;
    QFileDialog Dialog(this);
    Dialog.setAcceptMode(QFileDialog::AcceptSave);
    Dialog.setDefaultSuffix(QStringLiteral("tpl"));
    Dialog.setNameFilter(QStringLiteral("Template Files (*.tpl)"));
    Dialog.setDirectory(QString::fromStdString(ChartTemplates->DoNotifyFolders()));
    Dialog.selectFile(QStringLiteral("template_name.tpl"));
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
        return;
    // The chart may have closed while the dialog was open.
    if (TChartItem* Chart = fChartList.GetSelected(); Chart && ChartTemplates)
        ChartTemplates->Save(Dialog.selectedFiles().front().toStdString(), *Chart);
}
