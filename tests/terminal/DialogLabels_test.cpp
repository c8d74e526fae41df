// Every label of every dialog shows its text whole, in both languages.

#include "DialogDriver.h"
#include "support/TempHome.h"
#include "terminal/dlgBaseLogon/udlgBaseLogon.h"
#include "terminal/dlgChartSettings/udlgChartSettings.h"
#include "terminal/dlgEula/udlgEula.h"
#include "terminal/dlgIndicator/udlgIndicator.h"
#include "terminal/dlgLanguage/udlgLanguage.h"
#include "terminal/dlgOrder/udlgOrder.h"
#include "terminal/dlgUserManual/udlgUserManual.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

TEST(DialogLabels, EveryLabelOfEveryDialogShowsWholeInBothLanguages)
{
    TTempHome Home;
    const std::function<std::unique_ptr<QWidget>()> Dialogs[] = {
        [] { return std::make_unique<TdlgBaseLogon>(); },
        [] { return std::make_unique<TfmChartSettings>(); },
        [] { return std::make_unique<TfmEula>(); },
        [] { return std::make_unique<TfmLanguage>(); },
        [] { return std::make_unique<TdlgOrder>(); },
        [] { return std::make_unique<TfmUserManual>(); },
        [] { return std::make_unique<TfmIndicator>(); },
    };
    for (const char* Language : {"Russian", "English"}) {
        TTranslatorScope Scope(Language, Home.ConfigHome() / "Quorvel" / "Tavrix");
        for (const auto& Make : Dialogs) {
            const std::unique_ptr<QWidget> Dialog = Make();
            Dialog->show();
            std::vector<std::string> Cut;
            for (const QLabel* Label : Dialog->findChildren<QLabel*>()) {
                if (Label->wordWrap() || Label->textFormat() == Qt::RichText)
                    continue;
                const int Needed = QFontMetrics(Label->font())
                                       .horizontalAdvance(Label->text().remove(QLatin1Char('&'))) +
                                   2 * Label->margin() + std::max(Label->indent(), 0);
                if (Needed > Label->width())
                    Cut.push_back(Label->objectName().toStdString() + " needs " +
                                  std::to_string(Needed));
            }
            EXPECT_EQ(Cut, std::vector<std::string>{}) << Language;
        }
    }
}

} // namespace
