#include "platform/qt/GdiDraw.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QTextLayout>
#include <QTransform>
#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace {

constexpr int DefaultPixelSize = 12;

QFont BaseFont(const TLogFont& LF)
{
    QFont F(LF.FaceName.empty() ? QGuiApplication::font().family()
                                : QString::fromStdString(LF.FaceName));
    F.setWeight(QFont::Weight(std::clamp(LF.Weight == 0 ? int(FW_NORMAL) : LF.Weight, 100, 900)));
    F.setItalic(LF.Italic);
    F.setUnderline(LF.Underline);
    F.setStrikeOut(LF.StrikeOut);
    F.setKerning(false);
    if (LF.Quality == NONANTIALIASED_QUALITY)
        F.setStyleStrategy(QFont::NoAntialias);
    return F;
}

// The largest pixel size whose cell (ascent + descent) fits the height.
int PixelSizeForCell(const QFont& Base, int Cell)
{
    using TKey = std::tuple<QString, int, bool, int>;
    static std::map<TKey, int> Cache;
    const TKey Key{Base.family(), int(Base.weight()), Base.italic(), Cell};
    if (const auto It = Cache.find(Key); It != Cache.end())
        return It->second;
    QFont F = Base;
    int Size = Cell;
    for (; Size > 1; --Size) {
        F.setPixelSize(Size);
        if (QFontMetrics(F).height() <= Cell)
            break;
    }
    Cache.emplace(Key, Size);
    return Size;
}

QFont MakeFont(const TLogFont& LF, int CharExtra)
{
    QFont F = BaseFont(LF);
    if (LF.Height < 0)
        F.setPixelSize(-LF.Height);
    else if (LF.Height > 0)
        F.setPixelSize(PixelSizeForCell(F, LF.Height));
    else
        F.setPixelSize(DefaultPixelSize);
    if (CharExtra != 0)
        F.setLetterSpacing(QFont::AbsoluteSpacing, CharExtra);
    return F;
}

QString ToQ(std::string_view Text)
{
    return QString::fromUtf8(Text.data(), qsizetype(Text.size()));
}

// Offset of the text cell's top-left corner from the reference point.
QPoint AlignOffset(int Align, int Width, const QFontMetrics& FM)
{
    int DX = 0;
    if ((Align & TA_CENTER) == TA_CENTER)
        DX = -Width / 2;
    else if (Align & TA_RIGHT)
        DX = -Width;
    int DY = 0;
    if ((Align & TA_BASELINE) == TA_BASELINE)
        DY = -FM.ascent();
    else if (Align & TA_BOTTOM)
        DY = -FM.height();
    return {DX, DY};
}

// Plain text on one line, level: its glyphs drawn from the font's cache
// give drawText's pixels. Lines through the text and control characters
// are left to drawText.
bool ShapedOnce(const TLogFont& Font, const QString& S)
{
    if (Font.Underline || Font.StrikeOut || Font.Escapement != 0)
        return false;
    return std::none_of(S.begin(), S.end(), [](QChar C) { return C.unicode() < 0x20; });
}

} // namespace

// A font with the texts measured and shaped in it: a chart measures the
// same labels several times a frame and draws them again every frame, and
// each measuring or drawing shapes the text anew. Fonts live as long as the
// process. Texts that keep changing (prices) must not pile up: a full set
// of texts becomes the older one, and what the older set still holds when
// the next fills is forgotten; a text in use moves up from it.
struct TFontTexts {
    struct TText {
        int Width = 0;
        // The glyphs about a baseline at 0, made at the first drawing.
        std::optional<QList<QGlyphRun>> Glyphs;
    };
    using TTexts = std::unordered_map<std::string, TText>;
    QFont Font;
    QFontMetrics Metrics;
    TTexts Texts, Older;
    explicit TFontTexts(const QFont& F) : Font(F), Metrics(F) {}
    TText& Find(std::string_view Text)
    {
        constexpr size_t MostTexts = 256;
        const std::string Key(Text);
        if (const auto It = Texts.find(Key); It != Texts.end())
            return It->second;
        if (Texts.size() >= MostTexts)
            Older = std::exchange(Texts, {});
        if (auto Old = Older.extract(Key))
            return Texts.insert(std::move(Old)).position->second;
        return Texts.emplace(Key, TText{Metrics.horizontalAdvance(ToQ(Text)), {}}).first->second;
    }
    int Width(std::string_view Text) { return Find(Text).Width; }
    // The glyphs as drawText places them on one left-to-right line.
    const QList<QGlyphRun>& Glyphs(std::string_view Text)
    {
        TText& T = Find(Text);
        if (!T.Glyphs) {
            QTextLayout Layout(ToQ(Text), Font);
            QTextOption Option;
            Option.setWrapMode(QTextOption::NoWrap);
            Option.setTextDirection(Qt::LeftToRight);
            Layout.setTextOption(Option);
            Layout.beginLayout();
            QTextLine Line = Layout.createLine();
            Line.setPosition({0, 0});
            Layout.endLayout();
            QList<QGlyphRun> Runs = Layout.glyphRuns();
            for (QGlyphRun& Run : Runs) {
                QList<QPointF> At = Run.positions();
                for (QPointF& P : At)
                    P.ry() -= Line.ascent();
                Run.setPositions(At);
            }
            T.Glyphs = std::move(Runs);
        }
        return *T.Glyphs;
    }
};

TFontTexts& TGdiDC::FontTexts() const
{
    if (fFontTexts)
        return *fFontTexts;
    // What MakeFont reads.
    using TKey = std::tuple<std::string, int, int, bool, bool, bool, int, int>;
    // Never destroyed: a font must not outlive the application.
    static auto* Fonts = new std::map<TKey, std::unique_ptr<TFontTexts>>;
    const TLogFont& F = fFont;
    const TKey Key{F.FaceName,  F.Height,    F.Weight,  F.Italic,
                   F.Underline, F.StrikeOut, F.Quality, fCharExtra};
    auto& Slot = (*Fonts)[Key];
    if (!Slot)
        Slot = std::make_unique<TFontTexts>(MakeFont(fFont, fCharExtra));
    fFontTexts = Slot.get();
    return *fFontTexts;
}

QFont TGdiDC::QtFont() const
{
    return FontTexts().Font;
}

bool TGdiDC::GetTextExtentPoint32(std::string_view Text, int& CX, int& CY) const
{
    TFontTexts& T = FontTexts();
    CX = T.Width(Text);
    CY = T.Metrics.height();
    return true;
}

bool TGdiDC::GetTextMetrics(TTextMetric& TM) const
{
    const QFont F = QtFont();
    const QFontMetrics FM(F);
    TM.Height = FM.height();
    TM.Ascent = FM.ascent();
    TM.Descent = FM.descent();
    TM.InternalLeading = std::max(FM.height() - F.pixelSize(), 0);
    TM.ExternalLeading = FM.leading();
    TM.AveCharWidth = FM.averageCharWidth();
    TM.MaxCharWidth = FM.maxWidth();
    return true;
}

bool TGdiDC::TextOut(int X, int Y, std::string_view Text)
{
    return ExtTextOut(X, Y, 0, nullptr, Text);
}

bool TGdiDC::ExtTextOut(int X, int Y, int Options, const TRect* R, std::string_view Text)
{
    TFontTexts& T = FontTexts();
    const QFont& F = T.Font;
    const QFontMetrics& FM = T.Metrics;
    const QString S = ToQ(Text);
    const int Width = T.Width(Text);
    if (fTextAlign & TA_UPDATECP) {
        X = fPos.X;
        Y = fPos.Y;
    }
    const QPoint Off = AlignOffset(fTextAlign, Width, FM);
    QTransform Turn;
    Turn.translate(X, Y);
    Turn.rotate(-fFont.Escapement / 10.0);
    if (fTextAlign & TA_UPDATECP) {
        const QPoint Advance = Turn.map(QPoint((fTextAlign & TA_RIGHT) ? -Width : Width, 0));
        if ((fTextAlign & TA_CENTER) != TA_CENTER)
            fPos = {Advance.x(), Advance.y()};
    }
    if (fPathOpen) {
        QPainterPath Glyphs;
        Glyphs.addText(QPointF(Off.x(), Off.y() + FM.ascent()), F, S);
        fPath->addPath(Turn.map(Glyphs));
        return true;
    }
    if (!Drawing())
        return false;
    const bool Shaped = ShapedOnce(fFont, S);
    fPainter->setRenderHint(QPainter::TextAntialiasing, fFont.Quality != NONANTIALIASED_QUALITY);
    if (Shaped && !R && fBkMode == TRANSPARENT &&
        fPainter->compositionMode() == QPainter::CompositionMode_SourceOver) {
        // A plain label, the common text, needs none of the painter's
        // saved state: the next drawing call sets the pen it draws with.
        fPainter->setPen(ToQColor(fTextColor));
        const QPointF Baseline(X + Off.x(), Y + Off.y() + FM.ascent());
        for (const QGlyphRun& Run : T.Glyphs(Text))
            fPainter->drawGlyphRun(Baseline, Run);
        return true;
    }
    fPainter->save();
    fPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (R && (Options & ETO_OPAQUE))
        fPainter->fillRect(QRect(R->Left, R->Top, R->Width(), R->Height()), ToQColor(fBkColor));
    if (R && (Options & ETO_CLIPPED))
        fPainter->setClipRect(QRect(R->Left, R->Top, R->Width(), R->Height()), Qt::IntersectClip);
    fPainter->setTransform(Turn);
    if (fBkMode == OPAQUE)
        fPainter->fillRect(QRect(Off.x(), Off.y(), Width, FM.height()), ToQColor(fBkColor));
    fPainter->setFont(F);
    fPainter->setPen(ToQColor(fTextColor));
    const QPointF Baseline(Off.x(), Off.y() + FM.ascent());
    if (Shaped)
        for (const QGlyphRun& Run : T.Glyphs(Text))
            fPainter->drawGlyphRun(Baseline, Run);
    else
        fPainter->drawText(Baseline, S);
    fPainter->restore();
    return true;
}

namespace {

struct TTextLine {
    QString Text;
    int Mnemonic = -1; // index of the underlined character
};

TTextLine StripPrefix(const QString& S)
{
    TTextLine L;
    for (qsizetype I = 0; I < S.size(); ++I) {
        if (S[I] == '&' && I + 1 < S.size()) {
            ++I;
            if (S[I] != '&')
                L.Mnemonic = int(L.Text.size());
        }
        L.Text += S[I];
    }
    return L;
}

QString ExpandTabs(const QString& S)
{
    QString Out;
    for (QChar C : S) {
        if (C != '\t') {
            Out += C;
            continue;
        }
        do
            Out += ' ';
        while (Out.size() % 8 != 0);
    }
    return Out;
}

QStringList WrapWords(const QString& Line, const QFontMetrics& FM, int Width)
{
    QStringList Out;
    QString Cur;
    for (const QString& Word : Line.split(' ')) {
        const QString Try = Cur.isEmpty() ? Word : Cur + ' ' + Word;
        if (!Cur.isEmpty() && FM.horizontalAdvance(Try) > Width) {
            Out << Cur;
            Cur = Word;
        } else {
            Cur = Try;
        }
    }
    Out << Cur;
    return Out;
}

QString EndEllipsis(const QString& S, const QFontMetrics& FM, int Width)
{
    if (FM.horizontalAdvance(S) <= Width)
        return S;
    QString Cut = S;
    while (!Cut.isEmpty() && FM.horizontalAdvance(Cut + "...") > Width)
        Cut.chop(1);
    return Cut + "...";
}

} // namespace

namespace {

// The lines DrawText shows: split, prefixes taken out, wrapped, shortened.
std::vector<TTextLine> LayoutLines(QString S, const QFontMetrics& FM, int Width, unsigned Format)
{
    S.remove('\r');
    if (Format & DT_EXPANDTABS)
        S = ExpandTabs(S);
    const QStringList Raw =
        (Format & DT_SINGLELINE) ? QStringList{QString(S).replace('\n', ' ')} : S.split('\n');
    std::vector<TTextLine> Lines;
    for (const QString& Part : Raw) {
        const TTextLine Stripped = (Format & DT_NOPREFIX) ? TTextLine{Part} : StripPrefix(Part);
        const QStringList Wrapped = (Format & DT_WORDBREAK) && !(Format & DT_SINGLELINE)
                                        ? WrapWords(Stripped.Text, FM, Width)
                                        : QStringList{Stripped.Text};
        for (const QString& W : Wrapped)
            Lines.push_back({W, Wrapped.size() == 1 ? Stripped.Mnemonic : -1});
    }
    if (Format & DT_END_ELLIPSIS)
        for (TTextLine& L : Lines)
            L.Text = EndEllipsis(L.Text, FM, Width);
    return Lines;
}

} // namespace

int TGdiDC::DrawText(std::string_view Text, TRect& R, unsigned Format)
{
    const QFontMetrics FM(QtFont());
    const std::vector<TTextLine> Lines = LayoutLines(ToQ(Text), FM, R.Width(), Format);
    const int LineH = FM.height();
    const int Height = LineH * int(Lines.size());
    if (Format & DT_CALCRECT) {
        int Widest = 0;
        for (const TTextLine& L : Lines)
            Widest = std::max(Widest, FM.horizontalAdvance(L.Text));
        if (!(Format & DT_WORDBREAK) || Widest > R.Width())
            R.Right = R.Left + Widest;
        R.Bottom = R.Top + Height;
        return Height;
    }
    int Y = R.Top;
    if ((Format & DT_SINGLELINE) && (Format & DT_VCENTER))
        Y = R.Top + (R.Height() - LineH) / 2;
    else if ((Format & DT_SINGLELINE) && (Format & DT_BOTTOM))
        Y = R.Bottom - LineH;
    const int SavedAlign = SetTextAlign(TA_LEFT | TA_TOP);
    const TGdiPen SavedPen = SelectPen(CreatePen(PS_SOLID, 1, fTextColor));
    const int Options = (Format & DT_NOCLIP) ? 0 : ETO_CLIPPED;
    for (const TTextLine& L : Lines) {
        const int W = FM.horizontalAdvance(L.Text);
        int X = R.Left;
        if (Format & DT_CENTER)
            X = R.Left + (R.Width() - W) / 2;
        else if (Format & DT_RIGHT)
            X = R.Right - W;
        const QByteArray Utf8 = L.Text.toUtf8();
        ExtTextOut(X, Y, Options, &R, std::string_view(Utf8.constData(), size_t(Utf8.size())));
        if (L.Mnemonic >= 0 && !(Format & DT_HIDEPREFIX)) {
            const int UX = X + FM.horizontalAdvance(L.Text.left(L.Mnemonic));
            const int UW = FM.horizontalAdvance(L.Text.at(L.Mnemonic));
            MoveToEx(UX, Y + FM.ascent() + 1);
            LineTo(UX + UW, Y + FM.ascent() + 1);
        }
        Y += LineH;
    }
    SelectPen(SavedPen);
    SetTextAlign(SavedAlign);
    return Height;
}
