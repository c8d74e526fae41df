#include "terminal/fmMain/ufmMain.h"

#include "controls/uExPageControl.h"
#include "domain/uProfile.h"
#include "domain/uTranslator.h"
#include "domain/uUser.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/VirtualStringTree.h"
#include "terminal/fmBasic/uFormParts.h"
#include "terminal/fmBasic/uMainGuard.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <vector>

namespace {

// The menus whose titles pass through the translator (the items of the user
// manual and of the order book are translated apart).
constexpr const char* cTranslatedMenus[] = {
    "mmFile",     "mmView",   "mmToolBar",   "mmInsert",          "mmIndicator",
    "mmGraphics", "mmPeriod", "mmiTemplate", "mmiTemplateDelete", "mmService",
    "mmWindows",  "mmHelp",   "pmiPeriod",   "pmiTemplate",       "pmiTemplateDelete"};

QString Translated(const QString& Text)
{
    return TranslateText(Text.toStdString());
}

void TranslateHeaders(TVirtualStringTree* Grid)
{
    for (int Column = 0; Column < Grid->ColumnCount(); ++Column)
        Grid->SetHeaderText(Column, Translated(Grid->HeaderText(Column)));
}

bool IsAuthorised()
{
    return User && User->Input().Auth() == uaAuth;
}

void SetState(QAction* Action, bool Enabled, bool Checked)
{
    Action->setEnabled(Enabled);
    Action->setChecked(Checked);
}

} // namespace

void TfmMain::InitUserInterface()
{
    RunLogged("InitUserInterface", [this] {
        const TMainControls& C = fControls;
        const bool TerminalWasHidden = C.dpTerminal->isHidden();
        if (Profile) {
            const TUIVisible& Flags = Profile->UIVisible();
            C.tbIntervals->setVisible(Flags.tbIntervals());
            C.tbCharts->setVisible(Flags.tbCharts());
            C.tbStandart->setVisible(Flags.tbStandarts());
            C.tbInstruments->setVisible(Flags.tbInstruments());
            C.dpMarketView->setVisible(Flags.dpMarketView());
            C.dpNavigate->setVisible(Flags.dpNavigate());
            C.dpMarketDepth->setVisible(Flags.dpMarketDepth());
            C.dpVolumeMonitor->setVisible(Flags.dpVolumeMonitor());
            C.dpTerminal->setVisible(Flags.dpTerminal() && IsAuthorised());
        }
        if (TerminalWasHidden && !C.dpTerminal->isHidden())
            SizeMainDocks(*this, C);
        for (TDockPanel* Panel : {C.dpBuy, C.dpSell}) {
            Panel->SetCurrentDock(Qt::RightDockWidgetArea);
            Panel->SetDefaultDock(Qt::RightDockWidgetArea);
            Panel->hide();
        }
        RefreshUserInterface();
    });
}

// Without a profile there are no flags to follow: the commands stay as they are.
void TfmMain::RefreshUserInterface()
{
    if (!Profile)
        return;
    const TUIVisible& Flags = Profile->UIVisible();
    const TMainControls& C = fControls;
    const TMainActions& A = C.Actions;
    const bool Terminal = Flags.dpTerminal();
    const bool Trading = Terminal && IsAuthorised();
    SetState(A.acChartInterval, Flags.tbIntervals(), !C.tbIntervals->isHidden());
    SetState(A.acCharts, Flags.tbCharts(), !C.tbCharts->isHidden());
    SetState(A.acStandart, Flags.tbStandarts(), !C.tbStandart->isHidden());
    SetState(A.acInstruments, Flags.tbInstruments(), !C.tbInstruments->isHidden());
    SetState(A.acMarketView, Flags.dpMarketView(), !C.dpMarketView->isHidden());
    SetState(A.acNavigate, Flags.dpNavigate(), !C.dpNavigate->isHidden());
    SetState(A.acTerminal, Trading, !C.dpTerminal->isHidden());
    SetState(A.acMarketDepth, Flags.dpMarketDepth(), !C.dpMarketDepth->isHidden());
    SetState(A.acVolumeMonitor, Flags.dpVolumeMonitor(), !C.dpVolumeMonitor->isHidden());
    SetState(A.acNoZeroBalance, A.acTerminal->isEnabled(), User && User->Input().NoZeroBalance());
    A.acStatusBar->setChecked(!C.panStatus->isHidden());
    A.acOrderDelete->setEnabled(Trading);
    A.acLogin->setEnabled(Terminal);
    A.acMultiAdd->setEnabled(Terminal);
    A.acMultiDel->setEnabled(Terminal && !SelectedAccount().empty());
    SetState(A.acBuy, Terminal, !C.dpBuy->isHidden());
    SetState(A.acSell, Terminal, !C.dpSell->isHidden());
}

void TfmMain::TranslateForm()
{
    const TMainControls& C = fControls;
    for (QDockWidget* Panel :
         {C.dpMarketView, C.dpMarketDepth, C.dpNavigate, C.dpVolumeMonitor, C.dpTerminal})
        Panel->setWindowTitle(Translated(Panel->windowTitle()));
    for (int Sheet = 0; Sheet < C.pcTerminal->PageCount(); ++Sheet) {
        TExTabSheet* Page = C.pcTerminal->Pages(Sheet);
        Page->SetCaption(TranslateText(Page->GetCaption()).toStdString());
    }
    for (TVirtualStringTree* Grid :
         {C.vstOrders, C.vstBalances, C.vstOrderHistory, C.vstMulti, C.vstSymbols, C.vstDepth})
        TranslateHeaders(Grid);
    const int Banner = Translator && Translator->Language() == "English" ? 1 : 0;
    for (QLabel* Image : C.Banners)
        Image->setPixmap(PicturePixmap(ilBanner[Banner], cBannerSize, Image->devicePixelRatioF()));
    // The full-screen commands too: the tab menu shows them.
    for (const std::vector<QAction*>* List : {&C.Actions.Actions, &C.Actions.actionFull})
        for (QAction* Action : *List)
            Action->setText(Translated(Action->text()));
    for (const char* Name : cTranslatedMenus)
        if (auto* Menu = findChild<QMenu*>(QString::fromLatin1(Name)))
            Menu->setTitle(Translated(Menu->title()));
    for (const char* Name : {"mmUserManual", "mmMarketDepth", "miNewOrder"})
        if (auto* Item = findChild<QAction*>(QString::fromLatin1(Name)))
            Item->setText(Translated(Item->text()));
}
