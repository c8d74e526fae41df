#pragma once

#include "chart/canvas/PlotCanvasTypes.h"

#include <QByteArray>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

// Text in a small subset of HTML for titles, legends and marks: line
// breaks, headings, bold, italic, underline, strike-out, font changes, sub-
// and superscript, centring, preformatted text, rules and images. Tags the
// renderer does not know are drawn as text. User-interface thread only: the
// tag and font stacks are process-wide.

// A tag without its closing ">", or a field it cannot read.
class HtmlParserException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Draws Text with its top-left at (x, y). The canvas's font and pen are as
// before afterwards. Throws HtmlParserException; what was drawn up to the
// fault stays.
void HtmlTextOut(TPlotCanvas& ACanvas, int x, int y, const std::string& Text);
// The size the text would take, drawing nothing.
TSize HtmlTextExtent(TPlotCanvas& ACanvas, const std::string& Text);
TSize InternalHtmlText(TPlotCanvas& ACanvas, int x, int y, const std::string& Text, bool Display);

// The number of "=" signs.
int HtmlNumFields(const std::string& St);
// The name and value of the Index-th (from 0) pair "name=value"; both are
// trimmed and a value ends at the blank before the next name.
void HtmlField(const std::string& s, int Index, std::string& left, std::string& right);

void PushState(const std::string& s);
// The last text pushed, or an empty text when there is none.
std::string PopState();
void PushFont(const std::string& s);
std::string PopFont();

// Where images come from; neither is installed in the terminal. The first
// gives the image format for an upper-case file extension (none: not an
// image), the second fills Stream with the source's bytes and returns 0 on
// success.
extern std::function<std::optional<std::string>(const std::string& Extension)> GraphicFileExtension;
extern std::function<int(const std::string& Source, QByteArray& Stream)> GraphicDownload;
