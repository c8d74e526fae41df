#include "chart/canvas/PlotCheckBox.h"

#include "platform/qt/Canvas.h"
#include "platform/qt/Gdi.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionButton>

void PlotDrawCheckBox(int x, int y, TCanvas& Canvas, bool Checked, TColor ABackColor, bool CheckBox)
{
    TGdiDC* dc = Canvas.Handle();
    if (!dc)
        return;
    QStyleOptionButton option;
    option.rect = QRect(x, y, 13, 13);
    option.state = QStyle::State_Enabled | (Checked ? QStyle::State_On : QStyle::State_Off);
    option.palette = QApplication::palette();
    QPainter& painter = dc->Painter();
    painter.save();
    QApplication::style()->drawPrimitive(CheckBox ? QStyle::PE_IndicatorCheckBox
                                                  : QStyle::PE_IndicatorRadioButton,
                                         &option, &painter);
    painter.restore();
}
