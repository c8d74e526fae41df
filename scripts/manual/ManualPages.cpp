// Draws the user manual's page images (one tall page per language) into
// resources/manual/. Run by hand when the manual changes; not part of the build:
//   g++ -std=c++20 -fPIC ManualPages.cpp ManualEnglish.cpp ManualRussian.cpp $(pkg-config --cflags
//   --libs Qt6Gui) -o /tmp/ManualPages QT_QPA_PLATFORM=offscreen /tmp/ManualPages
//   <repository>/resources/manual
#include "ManualText.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int cHeight = 5606;
constexpr int cMargin = 36;

const QColor cInk(0x20, 0x20, 0x20);
const QColor cAccent(0x1F, 0x5F, 0xA8);
const QColor cFrame(0x80, 0x80, 0x80);
const QColor cPanel(0xEE, 0xF2, 0xF7);
const QColor cUp(0x2E, 0x8B, 0x3E);
const QColor cDown(0xC0, 0x39, 0x2B);

QFont Font(int Pixels, bool Bold = false)
{
    QFont F(QStringLiteral("DejaVu Sans"));
    F.setPixelSize(Pixels);
    F.setBold(Bold);
    return F;
}

class TPage {
public:
    explicit TPage(int Width) : fImage(Width, cHeight, QImage::Format_RGB32), fWidth(Width)
    {
        fImage.fill(Qt::white);
        fPainter.begin(&fImage);
        fPainter.setRenderHint(QPainter::Antialiasing);
        fPainter.setRenderHint(QPainter::TextAntialiasing);
    }

    void Title(const QString& Text, const QString& Subtitle)
    {
        fPainter.fillRect(QRect(0, 0, fWidth, 96), cAccent);
        fPainter.setPen(Qt::white);
        fPainter.setFont(Font(30, true));
        fPainter.drawText(QRect(cMargin, 18, fWidth - 2 * cMargin, 40), Qt::AlignLeft, Text);
        fPainter.setFont(Font(15));
        fPainter.drawText(QRect(cMargin, 60, fWidth - 2 * cMargin, 24), Qt::AlignLeft, Subtitle);
        fY = 124;
    }

    void Heading(const QString& Text)
    {
        fY += 34;
        fPainter.setPen(cAccent);
        fPainter.setFont(Font(24, true));
        fPainter.drawText(QRect(cMargin, fY, fWidth - 2 * cMargin, 30), Qt::AlignLeft, Text);
        fY += 32;
        fPainter.fillRect(QRect(cMargin, fY, fWidth - 2 * cMargin, 2), cAccent);
        fY += 14;
    }

    void Paragraph(const QString& Text)
    {
        fPainter.setPen(cInk);
        fPainter.setFont(Font(17));
        const QRect Box(cMargin, fY, fWidth - 2 * cMargin, cHeight);
        const QRect Used = fPainter.boundingRect(Box, Qt::TextWordWrap, Text);
        fPainter.drawText(Box, Qt::TextWordWrap, Text);
        fY += Used.height() + 16;
    }

    // A framed sketch Height pixels high; Draw paints inside the frame.
    template <class TDraw> void Figure(int Height, const QString& Caption, TDraw Draw)
    {
        fY += 4;
        const QRect Frame(cMargin, fY, fWidth - 2 * cMargin, Height);
        fPainter.setPen(cFrame);
        fPainter.setBrush(Qt::NoBrush);
        fPainter.drawRect(Frame);
        fPainter.save();
        Draw(fPainter, Frame.adjusted(8, 8, -8, -8));
        fPainter.restore();
        fY += Height + 8;
        fPainter.setPen(cFrame);
        fPainter.setFont(Font(12));
        fPainter.drawText(QRect(cMargin, fY, fWidth - 2 * cMargin, 18), Qt::AlignCenter, Caption);
        fY += 40;
    }

    int Used() const { return fY; }

    QImage Finish(const QString& Footer)
    {
        fPainter.fillRect(QRect(0, cHeight - 40, fWidth, 40), cPanel);
        fPainter.setPen(cFrame);
        fPainter.setFont(Font(13));
        fPainter.drawText(QRect(0, cHeight - 40, fWidth, 40), Qt::AlignCenter, Footer);
        fPainter.end();
        return fImage.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    }

private:
    QImage fImage;
    QPainter fPainter;
    int fWidth;
    int fY = 0;
};

void Box(QPainter& P, QRect R, const QString& Label, QColor Fill = cPanel)
{
    P.setPen(cFrame);
    P.setBrush(Fill);
    P.drawRect(R);
    P.setPen(cInk);
    P.setFont(Font(12));
    P.drawText(R.adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap, Label);
}

void Candles(QPainter& P, QRect R, int Count)
{
    QRandomGenerator Random(7);
    double Price = R.center().y();
    const int Step = R.width() / Count;
    const int Swing = std::max(10, R.height() / 14);
    for (int I = 0; I < Count; ++I) {
        const double Open = Price;
        const double Close = Open + Random.bounded(-Swing, Swing + 2);
        const double High = std::min(Open, Close) - Random.bounded(2, 10);
        const double Low = std::max(Open, Close) + Random.bounded(2, 10);
        Price = std::clamp(Close, R.top() + 30.0, R.bottom() - 30.0);
        const int X = R.left() + I * Step + Step / 2;
        const QColor Colour = Close <= Open ? cUp : cDown;
        P.setPen(Colour);
        P.drawLine(QPointF(X, High), QPointF(X, Low));
        P.setBrush(Colour);
        P.drawRect(QRectF(X - Step / 3.0, std::min(Open, Close), 2 * Step / 3.0,
                          std::max(1.0, std::abs(Close - Open))));
    }
}

void MainWindowSketch(QPainter& P, QRect R, const TManualText& T)
{
    const int Bar = 22;
    Box(P, QRect(R.left(), R.top(), R.width(), Bar), T.Sketch[0]);
    Box(P, QRect(R.left(), R.top() + Bar, R.width(), Bar), T.Sketch[1]);
    const int Top = R.top() + 2 * Bar + 4;
    const int Bottom = R.bottom() - Bar - 4;
    const int Low = Bottom - 90;
    Box(P, QRect(R.left(), Top, 150, Low - Top - 4), T.Sketch[2]);
    Box(P, QRect(R.right() - 150, Top, 150, (Low - Top) / 2 - 4), T.Sketch[3]);
    Box(P, QRect(R.right() - 150, Top + (Low - Top) / 2, 150, (Low - Top) / 2 - 4), T.Sketch[4]);
    const QRect Chart(R.left() + 154, Top, R.width() - 308, Low - Top - 4);
    Box(P, Chart, QString(), Qt::white);
    Candles(P, Chart.adjusted(10, 10, -10, -10), 28);
    P.setPen(cInk);
    P.drawText(Chart.adjusted(6, 4, -6, -4), Qt::AlignLeft | Qt::AlignTop, T.Sketch[5]);
    Box(P, QRect(R.left(), Low, R.width(), Bottom - Low), T.Sketch[6]);
    Box(P, QRect(R.left(), Bottom + 4, R.width(), Bar), T.Sketch[7]);
}

void BookSketch(QPainter& P, QRect R, const TManualText& T)
{
    P.setFont(Font(12));
    const int Row = 20;
    const int Mid = R.center().y();
    for (int I = 0; I < 7; ++I) {
        const double Ask = 42010.5 + (6 - I) * 2.5;
        const double Bid = 42008.0 - I * 2.5;
        const int Width = 40 + (I * 37) % 160;
        P.fillRect(QRect(R.right() - Width, Mid - (7 - I) * Row, Width, Row - 2),
                   QColor(0xF8, 0xD7, 0xD3));
        P.fillRect(QRect(R.right() - Width, Mid + I * Row + 2, Width, Row - 2),
                   QColor(0xD4, 0xEE, 0xD8));
        P.setPen(cDown);
        P.drawText(QRect(R.left() + 10, Mid - (7 - I) * Row, 200, Row), Qt::AlignVCenter,
                   QString::number(Ask, 'f', 2));
        P.setPen(cUp);
        P.drawText(QRect(R.left() + 10, Mid + I * Row + 2, 200, Row), Qt::AlignVCenter,
                   QString::number(Bid, 'f', 2));
    }
    P.setPen(cInk);
    P.drawText(QRect(R.left() + 220, Mid - 3 * Row, 200, Row), Qt::AlignVCenter, T.Sketch[8]);
    P.drawText(QRect(R.left() + 220, Mid + 3 * Row, 200, Row), Qt::AlignVCenter, T.Sketch[9]);
}

void OrderSketch(QPainter& P, QRect R, const TManualText& T)
{
    const QStringList Tabs = {T.Sketch[10], T.Sketch[11], T.Sketch[12]};
    for (int I = 0; I < Tabs.size(); ++I)
        Box(P, QRect(R.left() + I * 130, R.top(), 126, 24), Tabs[I], I == 0 ? Qt::white : cPanel);
    for (int I = 0; I < 3; ++I) {
        P.setPen(cInk);
        P.setFont(Font(13));
        P.drawText(QRect(R.left(), R.top() + 40 + I * 34, 140, 24), Qt::AlignVCenter,
                   T.Sketch[13 + I]);
        Box(P, QRect(R.left() + 150, R.top() + 40 + I * 34, 200, 24), QString(), Qt::white);
    }
    Box(P, QRect(R.left() + 150, R.top() + 146, 200, 30), T.Sketch[16], QColor(0xD4, 0xEE, 0xD8));
}

void AccountsSketch(QPainter& P, QRect R, const TManualText& T)
{
    const int Columns[] = {0, 220, 380};
    for (int Row = 0; Row < 4; ++Row)
        for (int C = 0; C < 3; ++C) {
            const QRect Cell(R.left() + Columns[C], R.top() + Row * 26,
                             C == 2 ? R.width() - 380 : Columns[C + 1] - Columns[C], 26);
            Box(P, Cell, T.Accounts[Row * 3 + C], Row == 0 ? cPanel : Qt::white);
        }
}

void Render(const TManualText& T, int Width, const QString& File)
{
    TPage Page(Width);
    Page.Title(T.Title, T.Subtitle);
    for (const TManualSection& Section : T.Sections) {
        Page.Heading(Section.Heading);
        for (const QString& Text : Section.Paragraphs)
            Page.Paragraph(Text);
        switch (Section.Figure) {
        case TFigure::MainWindow:
            Page.Figure(470, Section.Caption,
                        [&](QPainter& P, QRect R) { MainWindowSketch(P, R, T); });
            break;
        case TFigure::Book:
            Page.Figure(360, Section.Caption, [&](QPainter& P, QRect R) { BookSketch(P, R, T); });
            break;
        case TFigure::Chart:
            Page.Figure(380, Section.Caption, [&](QPainter& P, QRect R) { Candles(P, R, 48); });
            break;
        case TFigure::Order:
            Page.Figure(210, Section.Caption, [&](QPainter& P, QRect R) { OrderSketch(P, R, T); });
            break;
        case TFigure::Accounts:
            Page.Figure(124, Section.Caption,
                        [&](QPainter& P, QRect R) { AccountsSketch(P, R, T); });
            break;
        case TFigure::None:
            break;
        }
        for (const QString& Text : Section.After)
            Page.Paragraph(Text);
    }
    std::printf("%s: %d of %d pixels used\n", qPrintable(File), Page.Used(), cHeight);
    if (Page.Used() > cHeight - 40)
        std::printf("%s: the text does not fit\n", qPrintable(File));
    Page.Finish(T.Title).save(File, "PNG", 9);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication App(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ManualPages <output folder>\n");
        return 2;
    }
    const QDir Out(QString::fromLocal8Bit(argv[1]));
    Render(RussianManual(), 754, Out.filePath(QStringLiteral("russian.png")));
    Render(EnglishManual(), 750, Out.filePath(QStringLiteral("english.png")));
    return 0;
}
