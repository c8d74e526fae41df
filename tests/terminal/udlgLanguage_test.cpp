#include "terminal/dlgLanguage/udlgLanguage.h"

#include "DialogDriver.h"
#include "support/TempHome.h"

#include <QComboBox>
#include <QPushButton>

namespace {

struct TLanguageCase {
    int Index;
    const char* Close; // the button pressed, or nullptr for the window's close button
    bool Accepted;
    std::string Language;
};

TEST(ExecuteDlgLanguage, ReturnsTheChosenLanguageOrNothing)
{
    const TLanguageCase Cases[] = {
        {0, "btnOk", true, "English"}, {1, "btnOk", true, "Russian"}, {0, "btnCancel", false, ""},
        {1, "btnCancel", false, ""},   {1, nullptr, false, ""},
    };
    for (const TLanguageCase& Case : Cases) {
        std::string Language = "German";
        const bool Accepted = DriveModal<bool>(
            [&](QDialog& Dialog) {
                Control<QComboBox>(Dialog, "cbLanguage").setCurrentIndex(Case.Index);
                if (Case.Close)
                    Control<QPushButton>(Dialog, Case.Close).click();
                else
                    Dialog.close();
            },
            [&] { return ExecuteDlgLanguage(Language); });
        EXPECT_EQ(Accepted, Case.Accepted) << Case.Index << " " << (Case.Close ? Case.Close : "");
        EXPECT_EQ(Language, Case.Language) << Case.Index << " " << (Case.Close ? Case.Close : "");
    }
}

TEST(TfmLanguage, ShowsItsOwnTextsWhateverTheLanguage)
{
    TTempHome Home;
    TTranslatorScope English("English", Home.ConfigHome());
    TfmLanguage Dialog;
    EXPECT_EQ(Dialog.windowTitle(), "Выберите язык");
    EXPECT_EQ(Control<QPushButton>(Dialog, "btnOk").text(), "Дальше");
    EXPECT_EQ(Control<QComboBox>(Dialog, "cbLanguage").itemText(1), "Русский");
}

} // namespace
