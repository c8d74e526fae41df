#include "terminal/fmMain/ufmMain.h"

#include "controls/uExPageControl.h"
#include "domain/uSysTime.h"
#include "domain/uTranslator.h"
#include "domain/uUIWriter.h"
#include "domain/uUser.h"
#include "domain/uWorkflow.h"
#include "platform/qt/GdiObjects.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/VirtualStringTree.h"
#include "terminal/charts/uMainChartList.h"
#include "terminal/fmBasic/uFormParts.h"
#include "terminal/fmBasic/uMainGuard.h"
#include "terminal/fmMain/ufmMainDockRoom.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QShowEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

TfmMain* fmMain = nullptr;

namespace {

void SetBackground(QWidget* Widget, TColor Color)
{
    QPalette Palette = Widget->palette();
    Palette.setColor(QPalette::Window, ToQColor(ColorToRGB(Color)));
    Widget->setPalette(Palette);
}

} // namespace

TfmMain::TfmMain(IMainChartList& aChartList, QWidget* Parent)
    : TfrmBasicOf<QMainWindow>(Parent), fChartList(aChartList)
{
    setObjectName(QStringLiteral("fmMain"));
    QFont Font(QStringLiteral("Microsoft JhengHei"));
    Font.setPixelSize(11);
    setFont(Font);
    resize(1105, 613);
    const QSize Least(460, 240);
    setMinimumSize(Least);
    setWindowState(Qt::WindowMaximized);
    setWindowIcon(PictureIcon("tavrix"));
    BuildMainLayout(*this, fControls);
    new TDockRoom(*this, fControls.Panels(), Least);
    ConnectCloseHandlers();
    ConnectMarketGrids();
    ConnectAccountGrids();
    ConnectOrderPanels();
    ConnectCommands();
    connect(fControls.timerLoginForm, &QTimer::timeout, this, [this] { timerLoginFormTimer(); });
    if (!fmMain)
        fmMain = this;
    FormCreate();
}

TfmMain::~TfmMain()
{
    if (fmMain == this)
        fmMain = nullptr;
}

void TfmMain::FormCreate()
{
    RunLogged("FormCreate", [this] {
        TranslateForm();
        fChartList.SetWinControl(fControls.pnlClient);
        fChartList.SetPmIndicator(fControls.ppIndicator);
        fChartList.SetPmChart(fControls.ppmChart);
        Subscribe(&fChartList.Publisher(), 0);
        fChartList.Load();
    });
}

void TfmMain::showEvent(QShowEvent* Event)
{
    QMainWindow::showEvent(Event);
    if (fShown || Event->spontaneous())
        return;
    fShown = true;
    FormShow();
}

void TfmMain::FormShow()
{
    RunLogged("FormShow", [this] {
        setWindowTitle(QStringLiteral("Tavrix "));
        InitUserInterface();
        SizeMainDocks(*this, fControls);
        fControls.pcTerminal->SetActivePage(fControls.pcTerminal->Pages(0));
        SetOnlineMode(false);
        fControls.pcBuy->setCurrentIndex(0);
        fControls.pcSell->setCurrentIndex(0);
        pcBuyChange();
        pcSellChange();
        fControls.timerLoginForm->start();
        fControls.timerCheckZoom->start();
    });
}

void TfmMain::closeEvent(QCloseEvent* Event)
{
    if (!fClosed) {
        fClosed = true;
        FormClose();
    }
    QMainWindow::closeEvent(Event);
    if (fmMain == this)
        QCoreApplication::quit();
}

// The order matters: the workflow stops polling and waits for the model's
// workers before the chart layout is written and the charts are closed.
void TfmMain::FormClose()
{
    RunLogged("FormClose", [this] {
        if (Workflow)
            Workflow->SetState(wfsClosing);
        fChartList.Save();
        fChartList.Clear();
        Unsubscribe(&fChartList.Publisher(), 0);
        UnsubscribeClockAndModel();
        if (UIWriter)
            Unsubscribe(&UIWriter->Publisher(), 0);
        for (TVirtualStringTree* Grid : fControls.ClosingGrids())
            Grid->SetRootNodeCount(0);
        fControls.timerCheckZoom->stop();
    });
}

void TfmMain::SetOnlineMode(bool aIsOnline)
{
    RunLogged("SetOnlineMode", [this, aIsOnline] {
        fIsOnline = aIsOnline;
        SetBackground(fControls.DefaultSheet, clBackground);
        // The saved further accounts are listed whether the exchange answers
        // or not: the profile announced them before the window heard the
        // update queue.
        RefreshMultiAccount();
        std::string_view Status;
        if (aIsOnline) {
            if (SysTime)
                Subscribe(&SysTime->Publisher(), 0);
            if (User)
                Subscribe(&User->Publisher(), 0);
            if (UIWriter)
                Subscribe(&UIWriter->Publisher(), 0);
            RefreshActiveWindow();
            SetStatusColor(clStatusGreen);
            Status = "Подключено";
        } else {
            UnsubscribeClockAndModel();
            SetStatusColor(clStatusRed);
            Status = "Отключено";
        }
        fControls.StatusText->setText(TranslateText(Status));
    });
}

void TfmMain::SetStatusColor(TColor aColor)
{
    RunLogged("SetStatusColor", [this, aColor] {
        SetBackground(fControls.SysTimePanel, aColor);
        fControls.SysTimePanel->clear();
        fControls.SysTimePanel->repaint();
    });
}

void TfmMain::Deinit()
{
    RunLogged("Deinit", [this] { UnsubscribeClockAndModel(); });
}

void TfmMain::UnsubscribeClockAndModel()
{
    if (SysTime)
        Unsubscribe(&SysTime->Publisher(), 0);
    if (User)
        Unsubscribe(&User->Publisher(), 0);
}

// Closing a panel or toolbar by its own button clears its command's check.
void TfmMain::ConnectCloseHandlers()
{
    for (QDockWidget* Panel : fControls.Panels())
        connect(Panel, &QDockWidget::visibilityChanged, this, [this, Panel](bool Visible) {
            if (!Visible && Panel->isHidden())
                dpClose();
        });
    for (QToolBar* Bar : fControls.Toolbars())
        connect(Bar, &QToolBar::visibilityChanged, this, [this, Bar](bool Visible) {
            if (!Visible && Bar->isHidden())
                dpClose();
        });
}

void TfmMain::dpClose()
{
    RunShown([this] { RefreshUserInterface(); });
}

void TfmMain::timerLoginFormTimer()
{
    RunLogged("timerLoginFormTimer", [this] {
        fControls.timerLoginForm->stop();
        RefreshTabs();
    });
}
