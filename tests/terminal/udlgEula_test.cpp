#include "terminal/dlgEula/udlgEula.h"

#include "DialogDriver.h"
#include "support/TempHome.h"

#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>

namespace {

bool OkEnabled(QDialog& Dialog)
{
    return Control<QPushButton>(Dialog, "btnOk").isEnabled();
}

// Tries every way to OK; the dialog must stay open.
void TryToAccept(QDialog& Dialog)
{
    Control<QPushButton>(Dialog, "btnOk").click();
    QKeyEvent Enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&Dialog, &Enter);
    Dialog.accept();
    EXPECT_TRUE(Dialog.isVisible());
    EXPECT_EQ(Dialog.result(), QDialog::Rejected);
}

// Accepted only by OK with the terms accepted; Cancel or closing declines.
TEST(ExecuteDlgEula, AcceptsOnlyWithTheTermsAccepted)
{
    for (const char* Close : {"btnOk", "btnCancel", ""}) {
        const bool Accepted = DriveModal<bool>(
            [Close](QDialog& Dialog) {
                EXPECT_TRUE(Control<QRadioButton>(Dialog, "rbNotApply").isChecked());
                EXPECT_FALSE(OkEnabled(Dialog));
                TryToAccept(Dialog);
                Control<QRadioButton>(Dialog, "rbApply").click();
                EXPECT_TRUE(OkEnabled(Dialog));
                Control<QRadioButton>(Dialog, "rbNotApply").click();
                TryToAccept(Dialog);
                Control<QRadioButton>(Dialog, "rbApply").click();
                if (*Close)
                    Control<QPushButton>(Dialog, Close).click();
                else
                    Dialog.close();
            },
            [] { return ExecuteDlgEula(); });
        EXPECT_EQ(Accepted, std::string_view(Close) == "btnOk") << Close;
    }
}

struct TLicenseCase {
    const char* Language;
    const char* LicenseFile; // written as "english.license" when not null
    const char* Caption;
    const char* Accept;
    const char* TextStart;
};

TEST(TfmEula, ShowsTheAgreementOfTheLanguage)
{
    const TLicenseCase Cases[] = {
        {"English", "TERMS\r\nLine two\r\n", "License Agreement", "I accept the agreement",
         "TERMS\nLine two\n"},
        {"English", "", "License Agreement", "I accept the agreement", "ЛИЦЕНЗИОННОЕ СОГЛАШЕНИЕ"},
        {"English", nullptr, "License Agreement", "I accept the agreement",
         "ЛИЦЕНЗИОННОЕ СОГЛАШЕНИЕ"},
        {"Russian", nullptr, "Лицензионное соглашение", "Я принимаю условия соглашения",
         "ЛИЦЕНЗИОННОЕ СОГЛАШЕНИЕ"},
    };
    for (const TLicenseCase& Case : Cases) {
        TTempHome Home;
        const auto Folder = Home.ConfigHome();
        if (Case.LicenseFile) {
            std::filesystem::create_directories(Folder);
            std::ofstream(Folder / "english.license", std::ios::binary) << Case.LicenseFile;
        }
        TTranslatorScope Scope(Case.Language, Folder);
        TfmEula Dialog;
        const std::string Where =
            std::string(Case.Language) + " " + std::to_string(!!Case.LicenseFile);
        EXPECT_EQ(Dialog.windowTitle().toStdString(), Case.Caption) << Where;
        EXPECT_EQ(Control<QRadioButton>(Dialog, "rbApply").text().toStdString(), Case.Accept)
            << Where;
        EXPECT_EQ(Control<QLabel>(Dialog, "lblText1").text().toStdString(), Case.Caption) << Where;
        const QString Text = Control<QTextEdit>(Dialog, "edLicense").toPlainText();
        EXPECT_TRUE(Text.startsWith(QString::fromUtf8(Case.TextStart)))
            << Where << "\n"
            << Text.left(40).toStdString();
    }
}

// The agreement cannot be edited, Tab goes on from it, and the header is
// white.
TEST(TfmEula, TheAgreementIsReadOnlyTabLeavesItAndTheHeaderIsWhite)
{
    TfmEula Dialog;
    Dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Dialog));
    auto& License = Control<QTextEdit>(Dialog, "edLicense");
    const QString Text = License.toPlainText();
    License.setFocus();
    QTest::keyClicks(&License, "xyz");
    QTest::keyClick(&License, Qt::Key_Delete);
    EXPECT_EQ(License.toPlainText(), Text);
    QTest::keyClick(&License, Qt::Key_Tab);
    EXPECT_FALSE(License.hasFocus());
    EXPECT_EQ(License.toPlainText(), Text);
    const QImage Header = Dialog.grab(QRect(0, 0, 300, 54)).toImage();
    for (const QPoint Empty : {QPoint(4, 4), QPoint(290, 50), QPoint(10, 50)})
        EXPECT_EQ(Header.pixel(Empty), qRgb(255, 255, 255)) << Empty.x() << "," << Empty.y();
}

} // namespace
