// Every text of every dialog shows whole, in both languages; run once more
// at a scale factor of 2 (QT_SCALE_FACTOR), where glyphs are measured anew.

#include "DialogDriver.h"
#include "support/TempHome.h"
#include "terminal/charts/uIndicatorInfo.h"
#include "terminal/dlgBaseLogon/udlgBaseLogon.h"
#include "terminal/dlgChartSettings/udlgChartSettings.h"
#include "terminal/dlgEula/udlgEula.h"
#include "terminal/dlgIndicator/udlgIndicator.h"
#include "terminal/dlgLanguage/udlgLanguage.h"
#include "terminal/dlgOrder/udlgOrder.h"
#include "terminal/dlgUserManual/udlgUserManual.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// The width a control needs to show its text whole, or none for a control
// without a text of its own.
std::optional<int> NeededWidth(const QWidget& Control)
{
    const QFontMetrics Metrics(Control.font());
    const auto Width = [&](QString Text) {
        return Metrics.horizontalAdvance(Text.remove(QLatin1Char('&')));
    };
    if (const auto* Label = qobject_cast<const QLabel*>(&Control)) {
        if (Label->text().isEmpty() || Label->wordWrap() || Label->textFormat() == Qt::RichText)
            return std::nullopt;
        return Width(Label->text()) + 2 * Label->margin() + std::max(Label->indent(), 0);
    }
    if (qobject_cast<const QCheckBox*>(&Control) || qobject_cast<const QRadioButton*>(&Control))
        return Control.sizeHint().width();
    if (const auto* Button = qobject_cast<const QPushButton*>(&Control)) {
        if (Button->text().isEmpty())
            return std::nullopt;
        return Width(Button->text()) +
               2 * Control.style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &Control);
    }
    if (const auto* Group = qobject_cast<const QGroupBox*>(&Control);
        Group && !Group->title().isEmpty())
        return Width(Group->title()) + 16;
    return std::nullopt;
}

// "name: needs N, has M" for every text of Dialog that is cut.
std::vector<std::string> CutTexts(QWidget& Dialog)
{
    std::vector<std::string> Cut;
    for (QWidget* Control : Dialog.findChildren<QWidget*>()) {
        const std::optional<int> Needed = NeededWidth(*Control);
        const int Height = QFontMetrics(Control->font()).height();
        if (Needed && (*Needed > Control->width() || Height > Control->height()))
            Cut.push_back(Control->objectName().toStdString() + " \"" +
                          Control->property("text").toString().toStdString() + "\": needs " +
                          std::to_string(*Needed) + "x" + std::to_string(Height) + ", has " +
                          std::to_string(Control->width()) + "x" +
                          std::to_string(Control->height()));
    }
    return Cut;
}

TEST(DialogLabels, EveryTextOfEveryDialogShowsWholeInBothLanguages)
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
            EXPECT_EQ(CutTexts(*Dialog), std::vector<std::string>{})
                << Language << " " << Dialog->metaObject()->className();
        }
    }
}

} // namespace
