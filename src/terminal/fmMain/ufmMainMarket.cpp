#include "terminal/fmMain/ufmMain.h"

#include "domain/uCommon.h"
#include "domain/uDepth.h"
#include "domain/uSymbolShowList.h"
#include "domain/uSymbols.h"
#include "domain/uUser.h"
#include "platform/DateUtils.h"
#include "platform/FloatDigits.h"
#include "platform/FormatSettings.h"
#include "platform/SysUtils.h"
#include "platform/qt/GdiObjects.h"
#include "platform/qt/VirtualStringTree.h"
#include "terminal/charts/uMainChartList.h"
#include "terminal/fmBasic/uFormParts.h"
#include "terminal/fmBasic/uMainGuard.h"
#include "terminal/fmMain/ufmMainLayout.h"

#include <QAction>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <algorithm>
#include <cmath>

// The market watch, navigator, order book and volume monitor show the market
// model as it stands: row i of a grid is item i of its list, asked for only
// when painted.

namespace {

constexpr int cMaxMinColumns[] = {3, 4};
constexpr int cTimeColumn = 7;
constexpr int cSpreadColumn = 8;
constexpr int cSymbolColumn = 0;
// Columns that keep fitting are fitted again at most this often.
constexpr auto cColumnFitPeriod = std::chrono::seconds(1);

// A switch whose check is its state: its handler inverts it. The new check.
bool InvertCheck(QAction& Action)
{
    Action.setChecked(!Action.isChecked());
    return Action.isChecked();
}

void FillCell(QPainter& Painter, const QRect& Cell, std::uint32_t Color)
{
    Painter.fillRect(Cell, ToQColor(ColorToRGB(Color)));
}

// The market watch and the volume monitor keep a selection: a changed count
// drops it, and the first row is selected again, all in one repaint; the
// change handler runs once, for the selection the refresh ends with.
void ShowRowsSelectingFirst(TVirtualStringTree& Grid, int Count)
{
    Grid.BeginUpdate();
    Grid.SetRootNodeCount(Count);
    if (Count > 0 && Grid.FirstSelected() < 0)
        Grid.SelectRow(0);
    Grid.EndUpdate();
    Grid.Invalidate();
}

// Digits after the decimal point of a price as the exchange wrote it.
int PriceDecimals(double Price)
{
    const TFloatDigits Digits = FloatToDigits(Price, 15);
    return std::clamp(int(Digits.Digits.size()) - Digits.Exponent, 0, 18);
}

// Ask minus bid with as many decimals as the finer of the two prices, so that
// the difference shows without the binary noise of the subtraction; empty
// while either price is unknown.
std::string SpreadText(const TSymbol& Symbol)
{
    const double Bid = Symbol.BidPrice(), Ask = Symbol.AskPrice();
    if (!(Bid > 0) || !(Ask > 0))
        return {};
    const int Decimals = std::max(PriceDecimals(Bid), PriceDecimals(Ask));
    return FloatToStrF(Ask - Bid, ffFixed, 15, Decimals, GetFormatSettings());
}

} // namespace

void TfmMain::ConnectMarketGrids()
{
    TMainControls& C = fControls;
    for (TVirtualStringTree* Grid : {C.vstSymbols, C.vstNavigate}) {
        Grid->SetOnGetText([this](int Row, int Column) { return vstSymbolsGetText(Row, Column); });
        Grid->SetOnBeforeCellPaint([this](QPainter& Painter, int Row, int, const QRect& Cell, int) {
            vstSymbolsBeforeCellPaint(Painter, Row, Cell);
        });
    }
    C.vstSymbols->SetOnChange([this](int) { vstSymbolsChange(); });
    new TResizeWatch(*C.vstSymbols->viewport(), [this] {
        if (!fControls.Actions.acMDColAutoSize->isChecked())
            KeepSymbolColumnWidth();
    });
    C.vstDepth->SetOnGetText([this](int Row, int Column) { return vstDepthGetText(Row, Column); });
    C.vstDepth->SetOnBeforeCellPaint(
        [this](QPainter& Painter, int Row, int, const QRect& Cell, int RowLeft) {
            vstDepthBeforeCellPaint(Painter, Row, Cell, RowLeft);
        });
    C.vstVolumeMonitor->SetOnGetText(
        [this](int Row, int Column) { return vstVolumeMonitorGetText(Row, Column); });
    C.vstVolumeMonitor->SetOnChange([this](int Row) { vstVolumeMonitorChange(Row); });

    const TMainActions& A = C.Actions;
    connect(A.acDeleteSymbol, &QAction::triggered, this, [this] { acDeleteSymbolExecute(); });
    connect(A.acHideSymbols, &QAction::triggered, this, [this] { acHideSymbolsExecute(); });
    connect(A.acShowSymbol, &QAction::triggered, this, [this] { acShowSymbolExecute(); });
    connect(A.acMDMaxMin, &QAction::triggered, this, [this] { acMDMaxMinExecute(); });
    connect(A.acMDTime, &QAction::triggered, this, [this] { acMDTimeExecute(); });
    connect(A.acMDGrid, &QAction::triggered, this, [this] { acMDGridExecute(); });
    connect(A.acMDSpred, &QAction::triggered, this, [this] { acMDSpredExecute(); });
    connect(A.acMDColAutoSize, &QAction::triggered, this, [this] { acMDColAutoSizeExecute(); });
}

void TfmMain::RefreshSymbolList()
{
    RunRefreshLogged("RefreshSymbolList", [this] {
        if (!User)
            return;
        ShowRowsSelectingFirst(*fControls.vstSymbols, User->SymbolShowList().Count());
        // Another list of the same length keeps the selected row, not its name.
        vstSymbolsChange();
        OrderSymbolChange();
        FitSymbolColumns(false);
    });
}

void TfmMain::RefreshVolumeList()
{
    RunRefreshLogged("RefreshVolumeList", [this] {
        if (User)
            ShowRowsSelectingFirst(*fControls.vstVolumeMonitor, User->VolumeList().Count());
    });
}

void TfmMain::RefreshDepth()
{
    RunRefreshLogged("RefreshDepth", [this] {
        if (User)
            fControls.vstDepth->ShowRows(User->DepthList().Count());
    });
}

std::string TfmMain::vstSymbolsGetText(int Row, int Column) const
{
    std::string Text;
    RunLogged("vstSymbolsGetText", [&] {
        const TSymbol* Symbol = nullptr;
        if (User && Row < User->SymbolShowList().Count())
            Symbol = User->SymbolShowList().Items(Row);
        if (!Symbol)
            return;
        switch (Column) {
        case 0:
            Text = Symbol->Name();
            break;
        case 1:
            Text = FloatText(Symbol->LastPrice());
            break;
        case 2:
            Text = FloatText(Symbol->PriceChangePercent());
            break;
        case 3:
            Text = FloatText(Symbol->HighPrice());
            break;
        case 4:
            Text = FloatText(Symbol->LowPrice());
            break;
        case 5:
            Text = FloatText(Symbol->BidPrice());
            break;
        case 6:
            Text = FloatText(Symbol->AskPrice());
            break;
        case cTimeColumn:
            Text = TimeToStr(Symbol->Time(), GetFormatSettings());
            break;
        case cSpreadColumn:
            Text = SpreadText(*Symbol);
            break;
        default:
            break;
        }
    });
    return Text;
}

std::string TfmMain::vstDepthGetText(int Row, int Column) const
{
    std::string Text;
    RunLogged("vstDepthGetText", [&] {
        if (!User || Row >= User->DepthList().Count())
            return;
        const TDepth& Level = User->DepthList().Items(Row);
        if (Column == 0)
            Text = FloatText(Level.Price);
        else if (Column == 1)
            Text = FloatText(Level.Quantity);
    });
    return Text;
}

std::string TfmMain::vstVolumeMonitorGetText(int Row, int Column) const
{
    std::string Text;
    RunLogged("vstVolumeMonitorGetText", [&] {
        if (!User || Row >= User->VolumeList().Count())
            return;
        const TVolume& Volume = User->VolumeList().Items(Row);
        const TFormatSettings Settings = GetFormatSettings();
        switch (Column) {
        case 0:
            Text = Volume.Symbol;
            break;
        case 1:
            Text = std::to_string(Volume.Ping);
            break;
        case 2:
            Text = FloatText(Volume.SumVolume);
            break;
        case 3:
            Text = FormatArgs("%0.1f", {Volume.SumVolumePerc}, Settings) + "%";
            break;
        case 4:
            Text = FloatText(Volume.VolumeChange);
            break;
        case 5:
            Text = FormatArgs("%0.1f", {Volume.VolumePerc}, Settings) + "%";
            break;
        case 6:
            Text = DateTimeToStr(Volume.Date, Settings);
            break;
        default:
            break;
        }
    });
    return Text;
}

// A line bound to no symbol keeps the grid's own background.
void TfmMain::vstSymbolsBeforeCellPaint(QPainter& Painter, int Row, const QRect& Cell) const
{
    RunLogged("vstSymbolsBeforeCellPaint", [&] {
        if (!User || Row >= User->SymbolShowList().Count())
            return;
        const TSymbol* Symbol = User->SymbolShowList().Items(Row);
        if (!Symbol)
            return;
        FillCell(Painter, Cell, clWhite);
        FillCell(Painter, Cell, Symbol->Color());
    });
}

// Each row carries one bar from the grid's left edge, as long as the row's
// share of the book's largest quantity, under both columns' texts.
void TfmMain::vstDepthBeforeCellPaint(QPainter& Painter, int Row, const QRect& Cell,
                                      int RowLeft) const
{
    RunLogged("vstDepthBeforeCellPaint", [&] {
        FillCell(Painter, Cell, clWhite);
        if (!User || Row >= User->DepthList().Count())
            return;
        const TDepthList& Book = User->DepthList();
        const TDepth& Level = Book.Items(Row);
        if (!(Book.MaxQuantity() > 0))
            return;
        const double Share = Level.Quantity / Book.MaxQuantity();
        const int Length =
            int(std::floor(fControls.vstDepth->width() * std::clamp(Share, 0.0, 1.0)));
        QRect Bar = Cell;
        Bar.setRight(RowLeft + Length - 1);
        if (Bar.width() > 0)
            FillCell(Painter, Bar, Level.Side == "ASK" ? clLtRed : clLtGreen);
    });
}

// The selected row names the symbol whose order book, open orders and order
// history are asked for; no selected row, no symbol.
void TfmMain::vstSymbolsChange()
{
    RunLogged("vstSymbolsChange", [this] {
        if (User && User->SelectSymbol(SelectedSymbol()))
            RefreshDepth();
    });
}

void TfmMain::vstVolumeMonitorChange(int Row)
{
    RunLogged("vstVolumeMonitorChange", [&] {
        if (Row >= 0)
            fChartList.RefreshKlinesByInterval(ChartInterval());
    });
}

std::string TfmMain::SelectedSymbol() const
{
    std::string Name;
    RunLogged("SelectedSymbol", [&] {
        const int Row = fControls.vstSymbols->FirstSelected();
        if (User && Row >= 0 && Row < User->SymbolShowList().Count())
            Name = User->SymbolShowList().Names(Row);
    });
    return Name;
}

// Five minutes when no button is checked.
TChartInterval TfmMain::ChartInterval() const
{
    TChartInterval Interval = m5;
    RunLogged("ChartInterval", [&] {
        for (const QAction* Action : fControls.Actions.Intervals)
            if (Action->isChecked()) {
                Interval = static_cast<TChartInterval>(Action->data().toInt());
                return;
            }
    });
    return Interval;
}

void TfmMain::acDeleteSymbolExecute()
{
    RunLogged("acDeleteSymbolExecute", [this] {
        const int Row = fControls.vstSymbols->FirstSelected();
        if (User && Row >= 0 && Row < User->SymbolShowList().Count())
            User->SymbolShowList().DeleteSymbol(User->SymbolShowList().Names(Row));
    });
}

// Keeps only the symbols that have an open chart.
void TfmMain::acHideSymbolsExecute()
{
    RunLogged("acHideSymbolsExecute", [this] {
        if (User)
            User->SymbolShowList().HideSymbols(fChartList.AsSymbolList());
    });
}

void TfmMain::acShowSymbolExecute()
{
    RunLogged("acShowSymbolExecute", [] {
        if (User)
            User->SymbolShowList().FillShowSymbols();
    });
}

void TfmMain::acMDMaxMinExecute()
{
    RunLogged("acMDMaxMinExecute", [this] {
        const bool Shown = InvertCheck(*fControls.Actions.acMDMaxMin);
        for (int Column : cMaxMinColumns)
            fControls.vstSymbols->SetColumnVisible(Column, Shown);
        FitShownColumns();
    });
}

void TfmMain::acMDTimeExecute()
{
    RunLogged("acMDTimeExecute", [this] {
        fControls.vstSymbols->SetColumnVisible(cTimeColumn,
                                               InvertCheck(*fControls.Actions.acMDTime));
        FitShownColumns();
    });
}

void TfmMain::acMDGridExecute()
{
    RunLogged("acMDGridExecute", [this] {
        fControls.vstSymbols->SetGridLines(InvertCheck(*fControls.Actions.acMDGrid));
    });
}

void TfmMain::acMDSpredExecute()
{
    RunLogged("acMDSpredExecute", [this] {
        fControls.vstSymbols->SetColumnVisible(cSpreadColumn,
                                               InvertCheck(*fControls.Actions.acMDSpred));
        FitShownColumns();
    });
}

// While checked, the symbol column gives up stretching so that it too keeps
// the width of its text; unchecked, it stretches again where there is room.
void TfmMain::acMDColAutoSizeExecute()
{
    RunLogged("acMDColAutoSizeExecute", [this] {
        if (InvertCheck(*fControls.Actions.acMDColAutoSize))
            fControls.vstSymbols->horizontalHeader()->setSectionResizeMode(
                cSymbolColumn, QHeaderView::Interactive);
        FitSymbolColumns(true);
    });
}

// A column shown or hidden: the columns fit again at once.
void TfmMain::FitShownColumns()
{
    FitSymbolColumns(true);
}

// Checked, each shown column takes the width of its widest text in the rows
// on screen and of its caption; unchecked, the symbol column keeps the room
// it needs.
void TfmMain::FitSymbolColumns(bool Always)
{
    const auto Now = std::chrono::steady_clock::now();
    if (!Always && Now - fColumnsFitAt < cColumnFitPeriod)
        return;
    fColumnsFitAt = Now;
    if (!fControls.Actions.acMDColAutoSize->isChecked()) {
        KeepSymbolColumnWidth();
        return;
    }
    TVirtualStringTree& Grid = *fControls.vstSymbols;
    for (int Column = 0; Column < Grid.ColumnCount(); ++Column)
        if (Grid.ColumnVisible(Column))
            Grid.resizeColumnToContents(Column);
}

void TfmMain::KeepSymbolColumnWidth()
{
    TVirtualStringTree& Grid = *fControls.vstSymbols;
    QHeaderView& Header = *Grid.horizontalHeader();
    int Others = 0;
    for (int Column = 0; Column < Grid.ColumnCount(); ++Column)
        if (Column != cSymbolColumn && Grid.ColumnVisible(Column))
            Others += Header.sectionSize(Column);
    const int Least = SymbolColumnLeast();
    const QHeaderView::ResizeMode Mode = Grid.viewport()->width() - Others >= Least
                                             ? QHeaderView::Stretch
                                             : QHeaderView::Interactive;
    if (Header.sectionResizeMode(cSymbolColumn) != Mode)
        Header.setSectionResizeMode(cSymbolColumn, Mode);
    if (Mode == QHeaderView::Interactive && Header.sectionSize(cSymbolColumn) != Least)
        Header.resizeSection(cSymbolColumn, Least);
}

// The widest name of the whole list as a cell draws it, and the caption.
// The prices refresh the list every second; its names are measured only when
// they changed.
int TfmMain::SymbolColumnLeast() const
{
    const TVirtualStringTree& Grid = *fControls.vstSymbols;
    int Least = Grid.horizontalHeader()->sectionSizeHint(cSymbolColumn);
    if (!User)
        return Least;
    const TSymbolShowList& Symbols = User->SymbolShowList();
    if (fWidestSymbolRevision != Symbols.Revision()) {
        fWidestSymbolRevision = Symbols.Revision();
        const QFontMetrics Metrics(Grid.font());
        int Widest = -1;
        fWidestSymbolRow = -1;
        for (int Row = 0; Row < Symbols.Count(); ++Row)
            if (const int Width =
                    Metrics.horizontalAdvance(QString::fromStdString(Symbols.Names(Row)));
                Width > Widest) {
                Widest = Width;
                fWidestSymbolRow = Row;
            }
    }
    const int WidestRow = fWidestSymbolRow;
    if (WidestRow >= 0 && WidestRow < Grid.RootNodeCount())
        Least = std::max(Least, Grid.sizeHintForIndex(Grid.model()->index(WidestRow, 0)).width() +
                                    (Grid.GridLines() ? 1 : 0));
    return Least;
}
