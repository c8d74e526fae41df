#include "terminal/dlgUserManual/udlgUserManual.h"

#include "DialogDriver.h"
#include "support/TempHome.h"

#include <QLabel>
#include <QScrollArea>

namespace {

struct TPageCase {
    const char* Language; // nullptr: no translator at all
    bool Russian;
    bool English;
};

TEST(TfmUserManual, ShowsThePageOfTheCurrentLanguageOnly)
{
    const TPageCase Cases[] = {
        {"Russian", true, false},
        {"English", false, true},
        {"German", false, false},
        {nullptr, false, false},
    };
    for (const TPageCase& Case : Cases) {
        TTempHome Home;
        std::optional<TTranslatorScope> Scope;
        if (Case.Language)
            Scope.emplace(Case.Language, Home.ConfigHome());
        TfmUserManual Dialog;
        const std::string Where = Case.Language ? Case.Language : "none";
        const auto& Rus = Control<QLabel>(Dialog, "imageRus");
        const auto& Eng = Control<QLabel>(Dialog, "imageEng");
        EXPECT_EQ(!Rus.isHidden(), Case.Russian) << Where;
        EXPECT_EQ(!Eng.isHidden(), Case.English) << Where;
        const QSize Scrolled = Control<QScrollArea>(Dialog, "ScrollBox1").widget()->size();
        EXPECT_EQ(Scrolled.height(), Case.Russian || Case.English ? 5606 : 0) << Where;
    }
}

} // namespace
