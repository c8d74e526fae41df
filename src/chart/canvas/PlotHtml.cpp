#include "chart/canvas/PlotHtml.h"
#include "chart/canvas/PlotCanvas.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <vector>

std::function<std::optional<std::string>(const std::string& Extension)> GraphicFileExtension;
std::function<int(const std::string& Source, QByteArray& Stream)> GraphicDownload;

namespace {

std::vector<std::string> State;
std::vector<std::string> StateFont;

std::string Pop(std::vector<std::string>& Stack)
{
    if (Stack.empty())
        return {};
    std::string S = std::move(Stack.back());
    Stack.pop_back();
    return S;
}

std::string Upper(std::string S)
{
    for (char& C : S)
        C = char(std::toupper(static_cast<unsigned char>(C)));
    return S;
}

std::string Trim(const std::string& S)
{
    const auto Blank = [](char C) { return std::isspace(static_cast<unsigned char>(C)) != 0; };
    const auto B = std::find_if_not(S.begin(), S.end(), Blank);
    const auto E = std::find_if_not(S.rbegin(), S.rend(), Blank).base();
    return B < E ? std::string(B, E) : std::string();
}

std::string Unquoted(const std::string& S)
{
    std::string T = Trim(S);
    std::erase_if(T, [](char C) { return C == '"' || C == '\''; });
    return T;
}

bool StartsWith(const std::string& S, std::string_view Prefix)
{
    return S.compare(0, Prefix.size(), Prefix) == 0;
}

void ReplaceAll(std::string& S, std::string_view From, std::string_view To)
{
    for (size_t P = S.find(From); P != std::string::npos; P = S.find(From, P + To.size()))
        S.replace(P, From.size(), To);
}

int FieldNumber(const std::string& Value)
{
    int N = 0;
    if (!TryStrToInt(Value, N))
        throw HtmlParserException("Not a number: " + Value);
    return N;
}

TColor HtmlColor(const std::string& Value)
{
    static const std::pair<const char*, TColor> Named[] = {
        {"BLACK", 0},        {"RED", 0x0000FF},   {"BLUE", 0xFF0000}, {"YELLOW", 0x00FFFF},
        {"WHITE", 0xFFFFFF}, {"GREEN", 0x008000}, {"LIME", 0x00FF00}};
    const std::string U = Upper(Value);
    for (const auto& [Name, Color] : Named)
        if (U == Name)
            return Color;
    if (StartsWith(U, "#")) {
        int V = 0;
        if (U.size() != 7 || !TryStrToInt("$" + U.substr(1), V))
            throw HtmlParserException("Not a colour: " + Value);
        return TColor(RGB(uint8_t(V >> 16), uint8_t(V >> 8), uint8_t(V)));
    }
    // The form library's colour names and numbers.
    static const std::pair<const char*, TColor> Library[] = {
        {"CLBLACK", clBlack}, {"CLMAROON", clMaroon},   {"CLGREEN", clGreen},
        {"CLOLIVE", clOlive}, {"CLNAVY", clNavy},       {"CLPURPLE", clPurple},
        {"CLTEAL", clTeal},   {"CLGRAY", clGray},       {"CLSILVER", clSilver},
        {"CLRED", clRed},     {"CLLIME", clLime},       {"CLYELLOW", clYellow},
        {"CLBLUE", clBlue},   {"CLFUCHSIA", clFuchsia}, {"CLAQUA", clAqua},
        {"CLWHITE", clWhite}, {"CLNONE", clNone}};
    for (const auto& [Name, Color] : Library)
        if (U == Name)
            return Color;
    return TColor(FieldNumber(Value));
}

std::string WeightText(TFontStyles Style)
{
    std::string W;
    auto Add = [&](TFontStyles Bit, const char* Name) {
        if (Style & Bit)
            W += (W.empty() ? "" : ",") + std::string(Name);
    };
    Add(fsBold, "BOLD");
    Add(fsItalic, "ITALIC");
    Add(fsUnderline, "UNDERLINE");
    Add(fsStrikeOut, "STRIKE");
    return W.empty() ? "NORMAL" : W;
}

// A saved font lists every style it had; a tag names one. Both are read.
TFontStyles WeightStyle(const std::string& Value)
{
    TFontStyles Style = 0;
    size_t Start = 0;
    const std::string U = Upper(Value);
    while (Start <= U.size()) {
        const size_t End = std::min(U.find(',', Start), U.size());
        const std::string Item = Trim(U.substr(Start, End - Start));
        if (Item == "BOLD")
            Style |= fsBold;
        else if (Item == "ITALIC")
            Style |= fsItalic;
        else if (Item == "UNDERLINE")
            Style |= fsUnderline;
        else if (Item == "STRIKE")
            Style |= fsStrikeOut;
        else if (Item != "NORMAL")
            throw HtmlParserException("Unknown field in FONT WEIGHT=" + Value);
        Start = End + 1;
    }
    return Style;
}

// Puts the canvas's font and pen back as they were, also after a fault.
class TCanvasKeeper {
public:
    explicit TCanvasKeeper(TPlotCanvas& C) : fCanvas(C)
    {
        fFont.Assign(C.Font());
        fPen.Assign(C.Pen());
        fBrush.Assign(C.Brush());
    }
    TCanvasKeeper(const TCanvasKeeper&) = delete;
    TCanvasKeeper& operator=(const TCanvasKeeper&) = delete;
    ~TCanvasKeeper()
    {
        fCanvas.Font().Assign(fFont);
        fCanvas.Pen().Assign(fPen);
        fCanvas.Brush().Assign(fBrush);
    }

private:
    TPlotCanvas& fCanvas;
    TFont fFont;
    TPen fPen;
    TBrush fBrush;
};

class THtmlRenderer {
public:
    THtmlRenderer(TPlotCanvas& C, int X, int Y, bool Display)
        : C(C), X0(X), Y0(Y), x(X), y(Y), LineStart(X), LineHeight(C.GetFontHeight()),
          Display(Display)
    {
    }
    void Run(std::string St)
    {
        while (!St.empty())
            DoToken(GetToken(St));
    }
    TSize Extent() const { return Extent_; }

private:
    static std::string GetToken(std::string& St)
    {
        size_t End;
        if (St[0] != '<') {
            // A line break ends the run, so that every line starts afresh.
            const size_t Break = St.find("\r\n");
            End =
                std::min({St.find('<'), Break == std::string::npos ? Break : Break + 2, St.size()});
        } else {
            const size_t Close = St.find('>');
            if (Close == std::string::npos)
                throw HtmlParserException("Missing > at " + St);
            End = Close + 1;
        }
        std::string Token = St.substr(0, End);
        St.erase(0, End);
        return Token;
    }

    void NewLine()
    {
        x = LineStart;
        LastLineHeight = LineHeight;
        LineHeight = 0;
    }

    void SaveFont()
    {
        const TFont& F = C.Font();
        const COLORREF Color = ColorToRGB(F.Color());
        PushFont("<FONT size=" + std::to_string(F.Size()) + " name=" + F.Name() + " color=#" +
                 IntToHex(GetRValue(Color), 2) + IntToHex(GetGValue(Color), 2) +
                 IntToHex(GetBValue(Color), 2) + " weight=" + WeightText(F.Style()) + ">");
        LastWasFont = true;
    }

    void RestoreFont()
    {
        const std::string Saved = PopFont();
        if (!Saved.empty())
            FontTag(Saved.substr(6, Saved.size() - 7));
    }

    void SetSize(int Size) { C.Font().SetSize(std::max(Size, 1)); }

    void FontTag(const std::string& Fields)
    {
        TFont& F = C.Font();
        for (int I = 0; I < HtmlNumFields(Fields); ++I) {
            std::string Name, Value;
            HtmlField(Fields, I, Name, Value);
            Name = Upper(Name);
            Value = Unquoted(Value);
            if (Name == "NAME" || Name == "FAMILY")
                F.SetName(Value);
            else if (Name == "SIZE")
                SetSize(StartsWith(Value, "+") || StartsWith(Value, "-")
                            ? F.Size() + FieldNumber(Value.substr(Value[0] == '+' ? 1 : 0))
                            : FieldNumber(Value));
            else if (Name == "COLOR")
                F.SetColor(HtmlColor(Value));
            else if (Name == "WEIGHT")
                F.SetStyle(WeightStyle(Value));
            else
                throw HtmlParserException("Unknown field in FONT: " + Name);
        }
    }

    void AddStyle(TFontStyles Bit, const std::string& Tag)
    {
        C.Font().SetStyle(C.Font().Style() | Bit);
        PushState(Tag);
        LastWasFont = false;
    }

    // Raises (negative) or lowers the text; the closing tag takes back
    // exactly what its opening tag moved, so the line's base returns.
    void Shift(int By)
    {
        y += By;
        Shifts.push_back(By);
    }
    void Unshift()
    {
        if (!Shifts.empty()) {
            y -= Shifts.back();
            Shifts.pop_back();
        }
    }

    void DoToken(std::string Tmp)
    {
        if (StartsWith(Tmp, "\r\n")) {
            NewLine();
            Tmp.erase(0, 2);
            if (Tmp.empty())
                return;
        }
        const std::string U = Upper(Tmp);
        static const std::pair<const char*, TFontStyles> Styles[] = {
            {"B", fsBold},   {"BOLD", fsBold},   {"STRONG", fsBold},
            {"I", fsItalic}, {"U", fsUnderline}, {"STRIKE", fsStrikeOut}};
        for (const auto& [Name, Bit] : Styles) {
            if (U == "<" + std::string(Name) + ">") {
                AddStyle(Bit, U);
                return;
            }
            if (U == "</" + std::string(Name) + ">") {
                C.Font().SetStyle(C.Font().Style() & ~Bit);
                return;
            }
        }
        static const int Headings[] = {48, 36, 24, 18, 12, 8};
        if (U == "<BR>" || U == "<P>") {
            NewLine();
        } else if (U == "<BIG>" || U == "<SMALL>") {
            SaveFont();
            SetSize(C.Font().Size() + (U == "<BIG>" ? 2 : -2));
        } else if (U == "<SUB>") {
            SaveFont();
            SetSize(C.Font().Size() / 2);
            Shift(C.GetFontHeight());
        } else if (U == "<SUPER>") {
            SaveFont();
            SetSize(C.Font().Size() / 2);
            Shift(-C.GetFontHeight() / 2);
        } else if (U == "</SUB>" || U == "</SUPER>") {
            RestoreFont();
            Unshift();
        } else if (U.size() == 4 && StartsWith(U, "<H") && U[2] >= '1' && U[2] <= '6' &&
                   U[3] == '>') {
            SaveFont();
            SetSize(Headings[U[2] - '1']);
        } else if (U == "<PRE>") {
            SaveFont();
            FontTag("NAME=\"COURIER NEW\"");
        } else if (U == "<CENTER>") {
            Centered = true;
        } else if (U == "</CENTER>") {
            Centered = false;
        } else if (StartsWith(U, "<IMG ")) {
            Image(Tmp.substr(5, Tmp.size() - 6));
        } else if (StartsWith(U, "</FONT") || U == "</PRE>") {
            RestoreFont();
        } else if (StartsWith(U, "<FONT ")) {
            SaveFont();
            FontTag(Tmp.substr(6, Tmp.size() - 7));
        } else if (U == "</>") {
            CloseLast();
        } else if (U == "<HR>") {
            Rule();
        } else {
            OutputText(std::move(Tmp));
        }
    }

    void CloseLast()
    {
        if (LastWasFont) {
            RestoreFont();
            return;
        }
        const std::string Tag = PopState();
        if (!Tag.empty())
            DoToken("</" + Tag.substr(1));
    }

    void Rule()
    {
        x = LineStart;
        if (Display) {
            C.Pen().SetColor(0x808080);
            C.Pen().SetStyle(psSolid);
            C.Pen().SetWidth(1);
            C.Line(x, y, x + 100, y);
        }
        Grow(x + 100, y + 1);
        y += C.GetFontHeight();
    }

    void Image(const std::string& Fields)
    {
        std::string Source;
        int W = 0, H = 0;
        for (int I = 0; I < HtmlNumFields(Fields); ++I) {
            std::string Name, Value;
            HtmlField(Fields, I, Name, Value);
            Name = Upper(Name);
            if (Name == "SRC")
                Source = Unquoted(Value);
            else if (Name == "WIDTH")
                W = FieldNumber(Unquoted(Value));
            else if (Name == "HEIGHT")
                H = FieldNumber(Unquoted(Value));
        }
        QImage Graphic = LoadImage(Source);
        if (!Graphic.isNull()) {
            W = W ? W : Graphic.width();
            H = H ? H : Graphic.height();
            if (Display && W == Graphic.width() && H == Graphic.height())
                C.Draw(x, y, Graphic);
            else if (Display)
                C.StretchDraw({x, y, x + W, y + H}, Graphic);
        } else {
            if (W == 0 || H == 0)
                W = H = 40;
            if (Display) {
                C.Brush().SetStyle(bsSolid);
                C.Brush().SetColor(clWhite);
                C.Pen().SetStyle(psSolid);
                C.Pen().SetWidth(1);
                C.Pen().SetColor(clRed);
                C.Rectangle(x, y, x + W, y + H);
            }
        }
        Grow(x + W, y + H);
        x += W;
        y += H;
    }

    static QImage LoadImage(const std::string& Source)
    {
        if (!GraphicFileExtension || !GraphicDownload)
            return {};
        const size_t Dot = Source.rfind('.');
        const std::optional<std::string> Format =
            GraphicFileExtension(Upper(Dot == std::string::npos ? "" : Source.substr(Dot + 1)));
        QByteArray Stream;
        if (!Format || GraphicDownload(Source, Stream) != 0 || Stream.isEmpty())
            return {};
        QImage Graphic;
        Graphic.loadFromData(Stream, Format->c_str());
        return Graphic;
    }

    void OutputText(std::string Text)
    {
        ReplaceAll(Text, "&lt;", "<");
        ReplaceAll(Text, "&gt;", ">");
        ReplaceAll(Text, "&amp;", "&");
        ReplaceAll(Text, "&quot;", "\"");
        const bool Break = Text.size() >= 2 && Text.compare(Text.size() - 2, 2, "\r\n") == 0;
        if (Break)
            Text.resize(Text.size() - 2);
        const int W = C.TextWidth(Text), H = C.TextHeight(Text);
        if (Centered)
            x = (C.Bounds().Left + C.Bounds().Right) / 2 - W / 2;
        // A new line starts below the one it ends, however tall that was.
        if (LineHeight == 0) {
            y += LastLineHeight;
            LineHeight = H;
        }
        const int Top = H < LineHeight ? y + LineHeight - H : y;
        LineHeight = std::max(LineHeight, H);
        if (Display)
            C.TextOut(x, Top, Text);
        x += W;
        Grow(x, std::max(y + LineHeight, Top + H));
        if (Break)
            NewLine();
    }

    void Grow(int Right, int Bottom)
    {
        Extent_.cx = std::max(Extent_.cx, Right - X0);
        Extent_.cy = std::max(Extent_.cy, Bottom - Y0);
    }

    TPlotCanvas& C;
    const int X0, Y0;
    int x, y;
    int LineStart;
    int LineHeight;
    int LastLineHeight = 0;
    bool Centered = false;
    bool LastWasFont = false;
    bool Display;
    std::vector<int> Shifts;
    TSize Extent_;
};

} // namespace

int HtmlNumFields(const std::string& St)
{
    return int(std::count(St.begin(), St.end(), '='));
}

void HtmlField(const std::string& s, int Index, std::string& left, std::string& right)
{
    std::vector<size_t> Signs;
    for (size_t P = s.find('='); P != std::string::npos; P = s.find('=', P + 1))
        Signs.push_back(P);
    left.clear();
    right.clear();
    if (Index < 0 || size_t(Index) >= Signs.size())
        return;
    // A value runs to the last blank before the next "=": the next name
    // lies between.
    auto ValueEnd = [&](size_t I) {
        if (I + 1 >= Signs.size())
            return s.size();
        const size_t Blank = s.find_last_of(" \t", Signs[I + 1]);
        return Blank == std::string::npos || Blank < Signs[I] ? Signs[I + 1] : Blank;
    };
    const size_t I = size_t(Index);
    const size_t NameStart = I == 0 ? 0 : ValueEnd(I - 1);
    left = Trim(s.substr(NameStart, Signs[I] - NameStart));
    right = Trim(s.substr(Signs[I] + 1, ValueEnd(I) - Signs[I] - 1));
}

void PushState(const std::string& s)
{
    State.push_back(s);
}

std::string PopState()
{
    return Pop(State);
}

void PushFont(const std::string& s)
{
    StateFont.push_back(s);
}

std::string PopFont()
{
    return Pop(StateFont);
}

TSize InternalHtmlText(TPlotCanvas& ACanvas, int x, int y, const std::string& Text, bool Display)
{
    // Tags left open by a text, or by one that failed, do not carry over
    // into the next.
    struct TStacksCleared {
        TStacksCleared() { Clear(); }
        ~TStacksCleared() { Clear(); }
        static void Clear()
        {
            State.clear();
            StateFont.clear();
        }
    } Stacks;
    TCanvasKeeper Keep(ACanvas);
    THtmlRenderer R(ACanvas, x, y, Display);
    R.Run(Text);
    return R.Extent();
}

void HtmlTextOut(TPlotCanvas& ACanvas, int x, int y, const std::string& Text)
{
    InternalHtmlText(ACanvas, x, y, Text, true);
}

TSize HtmlTextExtent(TPlotCanvas& ACanvas, const std::string& Text)
{
    return InternalHtmlText(ACanvas, 0, 0, Text, false);
}
