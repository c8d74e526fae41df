#include "terminal/dlgIndicator/udlgIndicator.h"

#include "DialogDriver.h"
#include "controls/uExComboBox.h"
#include "platform/ScriptedMessageBox.h"
#include "support/TempHome.h"
#include "terminal/dlgIndicator/uIndicatorBoxes.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <memory>
#include <set>
#include <tuple>

namespace {

std::string Saved(TBaseIndicatorInfo& Info)
{
    TIndicatorJson Array = TIndicatorJson::array();
    Info.Save(Array);
    return Array.at(0).dump();
}

QString Text(QDialog& Dialog, const QString& Name)
{
    if (auto* Edit = Dialog.findChild<QLineEdit*>(Name))
        return Edit->text();
    return Control<QComboBox>(Dialog, Name.toLatin1().constData()).currentText();
}

struct TShownCase {
    std::shared_ptr<TBaseIndicatorInfo> Info;
    const char* Panel;
    const char* Fields; // control=text ...
};

TEST(TfmIndicator, ANewIndicatorOpensOnItsOwnPanelWithItsDefaults)
{
    const TShownCase cases[] = {
        {std::make_shared<TMaIndicatorInfo>(), "panelMA",
         "edPeriod=14 edShift=0 cbMethod=Simple cbPrice=Close cbColor=Red cbWidth=1"},
        {std::make_shared<TFractalIndicatorInfo>(), "panelFractal", "cbFColor=Red"},
        {std::make_shared<TBollingerIndicatorInfo>(), "panelBollinger",
         "edBPeriod=20 edBShift=0 edBDev=2 cbBPrice=Close cbBColor=Red cbBWidth=1"},
        {std::make_shared<TZigZagIndicatorInfo>(), "panelZZ",
         "edZZDepth=12 edZZBackstep=3 cbZZColor=Red cbZZWidth=1"},
    };
    for (const TShownCase& c : cases) {
        TfmIndicator Dialog;
        Dialog.SetIndicator(c.Info.get());
        EXPECT_EQ(Dialog.size(), QSize(431, 222));
        for (const char* Panel : {"panelMA", "panelFractal", "panelBollinger", "panelZZ"})
            EXPECT_EQ(Control<QWidget>(Dialog, Panel).isVisibleTo(&Dialog),
                      std::string(Panel) == c.Panel)
                << Panel << " for " << c.Panel;
        for (const QString& Field : QString::fromLatin1(c.Fields).split(' '))
            EXPECT_EQ(Text(Dialog, Field.section('=', 0, 0)), Field.section('=', 1)) << c.Fields;
        for (const char* Style : {"cbStyle", "cbBStyle", "cbZZStyle"})
            EXPECT_EQ(Control<QComboBox>(Dialog, Style).currentIndex(), STYLE_SOLID) << Style;
        EXPECT_FALSE(Control<QPushButton>(Dialog, "btnReset").isVisibleTo(&Dialog));
        // OK without a change keeps every value.
        const std::string Before = Saved(*c.Info);
        EXPECT_EQ(Saved(*Dialog.GetIndicator()), Before) << c.Panel;
    }
}

TEST(TfmIndicator, ListsMapToTheIndicatorBothWaysAndOutOfTableValuesToTheNearestEntry)
{
    // Stored, shown, read back.
    const std::tuple<TIndicatorPrice, int, TIndicatorPrice> Prices[] = {
        {PRICE_OPEN, 0, PRICE_OPEN},
        {PRICE_CLOSE, 1, PRICE_CLOSE},
        {PRICE_HIGH, 2, PRICE_HIGH},
        {PRICE_LOW, 3, PRICE_LOW},
        {PRICE_WEIGHTED, 3, PRICE_LOW}};
    for (auto [Price, Index, Read] : Prices) {
        TBollingerIndicatorInfo Info;
        Info.SetPrice(Price);
        TfmIndicator Dialog;
        Dialog.SetIndicator(&Info);
        EXPECT_EQ(Control<QComboBox>(Dialog, "cbBPrice").currentIndex(), Index) << Price;
        EXPECT_EQ(Dialog.GetIndicator(), &Info);
        EXPECT_EQ(Info.Price(), Read) << Index;
    }
    struct TLineCase {
        int Method, Style, Width;                // stored
        int MethodIndex, StyleIndex, WidthIndex; // shown, and read back as the value
    };
    const TLineCase Lines[] = {{0, 0, 1, 0, 0, 0},        {1, 1, 2, 1, 1, 1},   {2, 2, 3, 2, 2, 2},
                               {3, 4, 5, 3, 4, 4},        {200, 9, 0, 3, 4, 0}, {3, 4, -7, 3, 4, 0},
                               {0, 0, INT32_MAX, 0, 0, 4}};
    for (const TLineCase& c : Lines) {
        TMaIndicatorInfo Info;
        Info.SetMethod(static_cast<TIndicatorMethod>(c.Method));
        Info.SetLineStyle(static_cast<TLineStyle>(c.Style));
        Info.SetLineWidth(c.Width);
        TfmIndicator Dialog;
        Dialog.SetIndicator(&Info);
        EXPECT_EQ(Control<QComboBox>(Dialog, "cbMethod").currentIndex(), c.MethodIndex);
        EXPECT_EQ(Control<QComboBox>(Dialog, "cbStyle").currentIndex(), c.StyleIndex);
        EXPECT_EQ(Control<TExComboBox>(Dialog, "cbWidth").currentIndex(), c.WidthIndex);
        Dialog.GetIndicator();
        EXPECT_EQ(Info.Method(), c.MethodIndex);
        EXPECT_EQ(Info.LineStyle(), c.StyleIndex);
        EXPECT_EQ(Info.LineWidth(), c.WidthIndex + 1) << "width = index + 1";
    }
}

TEST(TfmIndicator, ColoursFromOutsideTheListReadBackUnchanged)
{
    TZigZagIndicatorInfo Info;
    for (const TColor Colour : {TColor(0x123456), clBlue, TColor(0x654321), clBtnFace}) {
        Info.SetLineColor(Colour);
        TfmIndicator Dialog;
        Dialog.SetIndicator(&Info);
        Info.SetLineColor(clBlack);
        Dialog.GetIndicator();
        EXPECT_EQ(Info.LineColor(), Colour);
    }
}

struct TOkCase {
    const char* Field;
    const char* Typed;
    const char* Error; // nullptr: OK closes the dialog
};

// Every number is read before anything changes: a field that is not a
// number shows the conversion error, keeps the dialog open and the
// indicator as it was.
TEST(ExecuteDlgIndicator, OkTakesTheFieldsOnlyWhenEveryOneIsANumber)
{
    const TOkCase cases[] = {
        {"edBDev", "", "'' is not a valid integer value"},
        {"edBDev", "99999999999", "'99999999999' is not a valid integer value"},
        {"edBPeriod", "", "'' is not a valid integer value"},
        {"edBDev", "3", nullptr},
    };
    for (const TOkCase& c : cases) {
        TScriptedMessageBox Box;
        TBollingerIndicatorInfo Info;
        const std::string Before = Saved(Info);
        bool StayedOpen = false;
        const bool Accepted = DriveModal<bool>(
            [&](QDialog& Dialog) {
                Control<QLineEdit>(Dialog, "edBShift").setText("5");
                Control<QComboBox>(Dialog, "cbBPrice").setCurrentIndex(3);
                Control<QLineEdit>(Dialog, c.Field).setText(QString::fromLatin1(c.Typed));
                Control<QPushButton>(Dialog, "btnOk").click();
                QCoreApplication::sendPostedEvents();
                StayedOpen = Dialog.isVisible();
                if (StayedOpen)
                    Control<QPushButton>(Dialog, "btnCancel").click();
            },
            [&] { return ExecuteDlgIndicator(Info); });
        EXPECT_EQ(Accepted, !c.Error) << c.Field << " " << c.Typed;
        EXPECT_EQ(StayedOpen, bool(c.Error)) << c.Field << " " << c.Typed;
        if (c.Error) {
            ASSERT_EQ(Box.Shown().size(), 1u);
            EXPECT_EQ(Box.Shown()[0].Text, c.Error);
            EXPECT_EQ(Saved(Info), Before) << "nothing changed";
        } else {
            EXPECT_TRUE(Box.Shown().empty());
            EXPECT_EQ(Info.Shift(), 5);
            EXPECT_EQ(Info.Dev(), 3);
            EXPECT_EQ(Info.Price(), PRICE_LOW);
        }
    }
}

TEST(TfmIndicator, NumberFieldsTakeDigitsOnlyWhilePasteIsNotFiltered)
{
    TMaIndicatorInfo Info;
    TfmIndicator Dialog;
    Dialog.SetIndicator(&Info);
    auto& Period = Control<QLineEdit>(Dialog, "edPeriod");
    Period.clear();
    QTest::keyClicks(&Period, QStringLiteral("a1 -b2.,3x"));
    EXPECT_EQ(Period.text(), QStringLiteral("123"));
    QTest::keyClick(&Period, Qt::Key_Backspace);
    QTest::keyClick(&Period, Qt::Key_Home);
    QTest::keyClick(&Period, Qt::Key_Delete);
    EXPECT_EQ(Period.text(), QStringLiteral("2"));
    QGuiApplication::clipboard()->setText(QStringLiteral("-4x"));
    QTest::keyClick(&Period, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Period.text(), QStringLiteral("-4x2"));
    EXPECT_THROW(Dialog.GetIndicator(), EConvertError);
    EXPECT_EQ(Info.Period(), 14);
}

TEST(TfmIndicator, TextsPassThroughTheTranslator)
{
    TTempHome Home;
    TTranslatorScope English("English", Home.ConfigHome());
    TfmIndicator Dialog;
    EXPECT_EQ(Dialog.windowTitle(), "Indicator Settings");
    EXPECT_EQ(Control<QLabel>(Dialog, "lblMethod").text(), "MA method:");
    EXPECT_EQ(Control<QLabel>(Dialog, "lblBDev").text(), "Deviations:");
    EXPECT_EQ(Control<QLabel>(Dialog, "lblZZDepth").text(), "Depth:");
}

TEST(TfmIndicator, LineStylePicturesDrawThePenOfTheirStyle)
{
    // The middle row of each picture, inked or not.
    std::set<std::string> Patterns;
    for (int Style = STYLE_SOLID; Style <= STYLE_DASHDOTDOT; ++Style) {
        const QImage Image = LineStylePicture(static_cast<TLineStyle>(Style)).toImage();
        std::string Row;
        for (int x = 2; x < Image.width() - 2; ++x)
            Row += Image.pixel(x, Image.height() / 2) == qRgb(0, 0, 0) ? '#' : '.';
        EXPECT_EQ(Row.find('.') == std::string::npos, Style == STYLE_SOLID) << Row;
        EXPECT_GT(std::count(Row.begin(), Row.end(), '#'), 10) << Row;
        Patterns.insert(Row);
    }
    EXPECT_EQ(Patterns.size(), 5u);
}

} // namespace
