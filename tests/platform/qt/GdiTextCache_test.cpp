// Texts are measured and shaped once per font: what is measured and drawn
// from the font's cache matches measuring and drawing the text afresh.
#include "GdiFixture.h"

#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

struct TFontCase {
    TLogFont Font;
    int CharExtra;
};

const TFontCase Fonts[] = {
    {{.Height = -11, .FaceName = "DejaVu Sans"}, 0},
    {{.Height = -11, .Weight = FW_BOLD, .FaceName = "DejaVu Sans"}, 0},
    {{.Height = 16, .Italic = true, .FaceName = "DejaVu Sans"}, 0},
    {{.Height = -13, .FaceName = "Tahoma"}, 2},
    {{.Height = -9, .FaceName = "DejaVu Sans Mono"}, 0},
};

const char* const Texts[] = {"12:45",      "0.00001230",    "40,123.5", "Пн 07.12",
                             "BTC 比特币", " spaced  out ", "",         "WWW iii"};

TEST(GdiTextCache, DrawnAndMeasuredTextsMatchTheUncachedWay)
{
    // Every text twice, in every font in turn: the second round comes from
    // the caches, after other fonts took the context in between.
    for (int Round = 0; Round < 2; ++Round)
        for (const TFontCase& FC : Fonts)
            for (const char* Text : Texts) {
                TCanvasFixture F(160, 40);
                F.DC.SelectFont(FC.Font);
                F.DC.SetTextCharacterExtra(FC.CharExtra);
                F.DC.SetBkMode(TRANSPARENT);
                F.DC.SetTextColor(RGB(20, 40, 160));
                F.DC.TextOut(7, 5, Text);
                const QFont Font = F.DC.QtFont();
                const QFontMetrics FM(Font);
                const QString S = QString::fromUtf8(Text);
                QImage Expected(160, 40, QImage::Format_RGB32);
                Expected.fill(Qt::white);
                {
                    QPainter P(&Expected);
                    P.setRenderHint(QPainter::TextAntialiasing, true);
                    P.setFont(Font);
                    P.setPen(ToQColor(RGB(20, 40, 160)));
                    P.drawText(QPointF(7, 5 + FM.ascent()), S);
                }
                const std::string Name = FC.Font.FaceName + " " + std::to_string(FC.Font.Height) +
                                         " \"" + Text + "\" round " + std::to_string(Round);
                EXPECT_EQ(F.Image, Expected) << Name;
                int CX = 0, CY = 0;
                F.DC.GetTextExtentPoint32(Text, CX, CY);
                EXPECT_EQ(CX, FM.horizontalAdvance(S)) << Name;
                EXPECT_EQ(CY, FM.height()) << Name;
            }
}

// Prices that keep changing: old texts make room, a text in use stays, and
// every text measures and draws as it should throughout.
TEST(GdiTextCache, ChangingTextsKeepTheirWidthsRight)
{
    TCanvasFixture F(200, 30);
    F.DC.SelectFont(Fonts[0].Font);
    const QFontMetrics FM(F.DC.QtFont());
    for (int I = 0; I < 3000; ++I) {
        for (const std::string& Text :
             {std::to_string(40'000 + I * 7) + ".25", std::string("12:45")}) {
            int CX = 0, CY = 0;
            F.DC.GetTextExtentPoint32(Text, CX, CY);
            ASSERT_EQ(CX, FM.horizontalAdvance(QString::fromStdString(Text))) << Text;
            if (I % 500 == 0)
                F.DC.TextOut(0, 0, Text);
        }
    }
    int CX = 0, CY = 0;
    F.DC.GetTextExtentPoint32("40000.25", CX, CY);
    EXPECT_EQ(CX, FM.horizontalAdvance("40000.25"));
}

} // namespace
