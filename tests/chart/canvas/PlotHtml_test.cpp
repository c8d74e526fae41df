#include "chart/canvas/CanvasFixture.h"
#include "chart/canvas/PlotHtml.h"

#include <gtest/gtest.h>
#include <random>

namespace {

struct THtmlFixture : TCanvasFixture {
    THtmlFixture() : TCanvasFixture(200, 120)
    {
        Canvas.Font().SetName("DejaVu Sans");
        Canvas.Font().SetSize(10);
        Canvas.Font().SetColor(clBlack);
    }
    TSize Plain(const std::string& Text) { return Canvas.TextExtent(Text); }
    TSize Html(const std::string& Text) { return HtmlTextExtent(Canvas, Text); }
    QRect InkOf(TColor C)
    {
        return InkWhere([C](COLORREF P) {
            return C == clRed ? GetRValue(P) > 128 && GetGValue(P) < 100 && GetBValue(P) < 100
                              : GetBValue(P) > 128 && GetRValue(P) < 100 && GetGValue(P) < 100;
        });
    }
};

TEST(HtmlText, ExtentOfLinesAndStyles)
{
    THtmlFixture F;
    const TSize A = F.Plain("Alpha"), B = F.Plain("Be");
    EXPECT_EQ(F.Html("Alpha"), A);
    EXPECT_EQ(F.Html("Alpha<BR>Be"), (TSize{A.cx, A.cy + B.cy}));
    EXPECT_EQ(F.Html("Alpha\r\nBe"), (TSize{A.cx, A.cy + B.cy}));
    EXPECT_EQ(F.Html("Alpha<p>Be"), (TSize{A.cx, A.cy + B.cy}));
    // Bold widens only the middle run, and its closing tag ends it.
    const int Regular = F.Html("a word b").cx;
    const int Bold = F.Html("a <B>word</B> b").cx;
    F.Canvas.Font().SetStyle(fsBold);
    const int BoldWord = F.Plain("word").cx;
    F.Canvas.Font().SetStyle(0);
    EXPECT_NEAR(Bold - Regular, BoldWord - F.Plain("word").cx, 1); // runs are measured apart
    EXPECT_GT(Bold, Regular);
    EXPECT_EQ(F.Html("<STRONG>word</>").cx, BoldWord);
    EXPECT_EQ(F.Html("<i>w</i><u>w</u><strike>w</strike>").cy, A.cy);
    // A heading is large; the font returns with the closing font tag.
    EXPECT_GT(F.Html("<H1>Alpha</FONT>").cy, 2 * A.cy);
    EXPECT_EQ(F.Html("<BIG>x</FONT>x").cx > F.Plain("xx").cx, true);
    // Measuring leaves the canvas's font as it was.
    F.Html("<B><FONT size=30 color=red>x");
    EXPECT_EQ(F.Canvas.Font().Size(), 10);
    EXPECT_EQ(F.Canvas.Font().Style(), 0u);
    EXPECT_EQ(F.Canvas.Font().Color(), clBlack);
}

TEST(HtmlText, EntitiesAndUnknownTagsAreText)
{
    THtmlFixture F;
    EXPECT_EQ(F.Html("1&lt;2"), F.Plain("1<2"));
    EXPECT_EQ(F.Html("a&amp;lt;b"), F.Plain("a&lt;b"));
    EXPECT_EQ(F.Html("&quot;&gt;"), F.Plain("\">"));
    EXPECT_EQ(F.Html("<BLINK>x</BLINK>").cx,
              F.Plain("<BLINK>").cx + F.Plain("x").cx + F.Plain("</BLINK>").cx);
    EXPECT_EQ(F.Html("</>x"), F.Plain("x")); // nothing open: nothing to close
}

TEST(HtmlText, SuperscriptAndSubscriptReturnToTheLine)
{
    THtmlFixture F;
    HtmlTextOut(F.Canvas, 10, 40,
                "<FONT color=blue>H</FONT><SUPER><FONT color=red>2</FONT></SUPER>"
                "<FONT color=blue>H</FONT>");
    const QRect Base = F.InkOf(clBlue), Up = F.InkOf(clRed);
    ASSERT_FALSE(Up.isEmpty());
    EXPECT_LT(Up.height(), Base.height()); // half size
    EXPECT_LT(Up.bottom(), Base.bottom()); // raised
    EXPECT_GE(Up.top(), Base.top() - Up.height());
    // The second H shares the first one's line: the blue ink is one row band.
    THtmlFixture One;
    HtmlTextOut(One.Canvas, 10, 40, "<FONT color=blue>H</FONT>");
    EXPECT_EQ(Base.top(), One.InkOf(clBlue).top());
    EXPECT_EQ(Base.bottom(), One.InkOf(clBlue).bottom());

    THtmlFixture Sub;
    HtmlTextOut(Sub.Canvas, 10, 40,
                "<FONT color=blue>H</FONT><SUB><FONT color=red>2</FONT></SUB>"
                "<FONT color=blue>H</FONT>");
    EXPECT_GT(Sub.InkOf(clRed).bottom(), Sub.InkOf(clBlue).bottom());
    EXPECT_EQ(Sub.InkOf(clBlue).bottom(), One.InkOf(clBlue).bottom());
}

TEST(HtmlText, FontTagsCentringRulesAndImages)
{
    THtmlFixture F;
    HtmlTextOut(F.Canvas, 5, 5, "<FONT SIZE=+2 COLOR=RED>Big</FONT><FONT color=#0000FF>b</FONT>");
    THtmlFixture Small;
    HtmlTextOut(Small.Canvas, 5, 5, "<FONT COLOR=RED>Big");
    EXPECT_GT(F.InkOf(clRed).width(), Small.InkOf(clRed).width());
    EXPECT_GT(F.InkOf(clRed).height(), Small.InkOf(clRed).height());
    EXPECT_GT(F.InkOf(clBlue).left(), F.InkOf(clRed).right());

    THtmlFixture C;
    HtmlTextOut(C.Canvas, 0, 0, "<CENTER><FONT color=red>mid");
    EXPECT_NEAR((C.InkOf(clRed).left() + C.InkOf(clRed).right()) / 2, 100, 3);

    THtmlFixture R;
    HtmlTextOut(R.Canvas, 30, 20, "<HR>");
    EXPECT_EQ(R.Count(clGray), 100);
    EXPECT_EQ(R.At(30, 20), clGray);
    EXPECT_EQ(R.At(129, 20), clGray);

    THtmlFixture I;
    EXPECT_EQ(HtmlTextExtent(I.Canvas, "<IMG SRC=\"pic.png\" WIDTH=30 HEIGHT=20>"),
              (TSize{30, 20}));
    HtmlTextOut(I.Canvas, 10, 10, "<IMG SRC=pic.png>");
    EXPECT_EQ(I.At(10, 10), clRed); // the placeholder's frame, 40 x 40
    EXPECT_EQ(I.At(49, 49), clRed);
    EXPECT_EQ(I.At(30, 30), clWhite);
    EXPECT_EQ(I.At(50, 50), clWhite);
}

TEST(HtmlText, FaultsAreReportedAndNeverHang)
{
    THtmlFixture F;
    EXPECT_THROW(F.Html("a <B"), HtmlParserException);
    try {
        F.Html("<FONT SHADE=3>x");
        FAIL();
    } catch (const HtmlParserException& E) {
        EXPECT_STREQ(E.what(), "Unknown field in FONT: SHADE");
    }
    EXPECT_THROW(F.Html("<FONT WEIGHT=HEAVY>x"), HtmlParserException);
    EXPECT_THROW(F.Html("<FONT SIZE=big>x"), HtmlParserException);
    // A failed text leaves nothing open for the next one.
    EXPECT_THROW(F.Html("<B><FONT size=20>x<FONT SHADE=1>"), HtmlParserException);
    EXPECT_EQ(F.Html("</>x"), F.Plain("x"));
    // The canvas draws what it can and raises nothing.
    F.Canvas.TextOut(0, 0, "ok <B", true);

    std::mt19937 Random(7);
    const std::string Pieces[] = {
        "<",      ">", "</>", "<B>", "</B>",    "<SUB>", "</SUPER>", "<BR>",  "\r\n",    "&lt;",
        "<FONT ", "=", "x",   " ",   "</FONT>", "<HR>",  "<CENTER>", "<IMG ", "SIZE=-9", "<P>"};
    for (int Round = 0; Round < 300; ++Round) {
        std::string Text;
        for (int I = 0; I < 12; ++I)
            Text += Pieces[Random() % std::size(Pieces)];
        try {
            HtmlTextOut(F.Canvas, 0, 0, Text);
        } catch (const HtmlParserException&) {
        }
    }
}

TEST(HtmlFields, NamesAndValuesSplitAtTheBlankBeforeTheNextName)
{
    EXPECT_EQ(HtmlNumFields("size=3 name=Courier New color=red"), 3);
    std::string L, R;
    HtmlField("size=3 name=Courier New color=red", 1, L, R);
    EXPECT_EQ(L, "name");
    EXPECT_EQ(R, "Courier New");
    HtmlField(" a = 1 ", 0, L, R);
    EXPECT_EQ(std::make_pair(L, R), std::make_pair(std::string("a"), std::string("1")));
    HtmlField("a=1", 3, L, R);
    EXPECT_TRUE(L.empty() && R.empty());
    PushFont("f");
    EXPECT_EQ(PopFont(), "f");
    EXPECT_EQ(PopFont(), "");
}

} // namespace
