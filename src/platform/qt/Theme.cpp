#include "platform/qt/Theme.h"

#include "platform/qt/GdiBlit.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

namespace {

bool WidgetApplication()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

// The style's button face with a down arrow over it.
void DrawStyledDropButton(QWidget* Widget, QPainter& Painter, int StateId, const TRect& R)
{
    QStyle* Style = Widget ? Widget->style() : QApplication::style();
    QStyleOptionButton Opt;
    if (Widget)
        Opt.initFrom(Widget);
    Opt.rect = QRect(R.Left, R.Top, R.Width(), R.Height());
    Opt.state &= ~(QStyle::State_Enabled | QStyle::State_MouseOver | QStyle::State_Sunken |
                   QStyle::State_HasFocus);
    if (StateId != CBXS_DISABLED)
        Opt.state |= QStyle::State_Enabled;
    if (StateId == CBXS_PRESSED)
        Opt.state |= QStyle::State_Sunken;
    if (StateId == CBXS_HOT)
        Opt.state |= QStyle::State_MouseOver;
    Style->drawPrimitive(QStyle::PE_PanelButtonCommand, &Opt, &Painter, Widget);
    Style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &Opt, &Painter, Widget);
}

// A down-pointing triangle centred in R, one pixel row shorter per step.
void DrawDownArrow(TGdiDC& DC, const TRect& R, COLORREF Color)
{
    const int Rows = std::max(1, std::min(R.Width(), R.Height()) / 4);
    const int CX = R.Left + (R.Width() - 1) / 2;
    const int Top = R.Top + (R.Height() - Rows) / 2;
    const TGdiBrush Brush = CreateSolidBrush(Color);
    for (int Row = 0; Row < Rows; ++Row) {
        const int Half = Rows - 1 - Row;
        DC.FillRect({CX - Half, Top + Row, CX + Half + 1, Top + Row + 1}, Brush);
    }
}

} // namespace

bool IsThemeActive()
{
    return WidgetApplication();
}

HTHEME OpenThemeData(QWidget* Widget, std::string_view ClassList)
{
    if (!WidgetApplication() || QString::fromUtf8(ClassList.data(), qsizetype(ClassList.size()))
                                    .compare(QStringLiteral("combobox"), Qt::CaseInsensitive))
        return nullptr;
    auto Theme = std::make_unique<TThemeData>();
    Theme->Widget = Widget;
    return Theme;
}

void CloseThemeData(HTHEME& Theme)
{
    Theme.reset();
}

bool DrawThemeBackground(const TThemeData& Theme, TGdiDC& DC, int PartId, int StateId,
                         const TRect& R)
{
    if (PartId != CP_DROPDOWNBUTTON || R.IsEmpty() || !DC.Painter().isActive())
        return false;
    DrawStyledDropButton(Theme.Widget, DC.Painter(), StateId, R);
    return true;
}

bool DrawFrameControl(TGdiDC& DC, const TRect& R, unsigned Type, unsigned State)
{
    if (Type != DFC_SCROLL || (State & 0xFF) != DFCS_SCROLLCOMBOBOX || R.IsEmpty())
        return false;
    TRect Face = R;
    const unsigned Edge = (State & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED;
    DrawEdge(DC, Face, Edge,
             BF_RECT | BF_MIDDLE | BF_ADJUST | ((State & DFCS_FLAT) ? unsigned(BF_FLAT) : 0u));
    if (State & DFCS_PUSHED)
        Face = {Face.Left + 1, Face.Top + 1, Face.Right + 1, Face.Bottom + 1};
    if (State & DFCS_INACTIVE) {
        DrawDownArrow(DC, {Face.Left + 1, Face.Top + 1, Face.Right + 1, Face.Bottom + 1},
                      GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawDownArrow(DC, Face, GetSysColor(COLOR_BTNSHADOW));
    } else {
        DrawDownArrow(DC, Face, GetSysColor(COLOR_BTNTEXT));
    }
    return true;
}

QFont ToQFont(const TFont& Font)
{
    QImage Image(1, 1, QImage::Format_RGB32);
    TGdiDC DC(&Image);
    DC.SelectFont(Font.Realize());
    return DC.QtFont();
}

TColor BackgroundColor(const QWidget& Widget)
{
    const QColor C = Widget.palette().color(Widget.backgroundRole());
    return TColor(RGB(uint8_t(C.red()), uint8_t(C.green()), uint8_t(C.blue())));
}
