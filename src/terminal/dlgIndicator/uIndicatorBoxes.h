#pragma once

#include "terminal/charts/uIndicatorInfo.h"

#include <QComboBox>
#include <QPixmap>
#include <QRect>

class TColorPickBox;
class TExComboBox;

// The picture of a line style: a line across it drawn with the platform's
// pen of that style, as the chart draws the indicator.
QPixmap LineStylePicture(TLineStyle aStyle);

// The building blocks of the indicator dialog's panels: each is a child of
// Parent named Name, placed at Geometry.
TColorPickBox* CreateColorBox(QWidget* Parent, const char* Name, QRect Geometry);
// The five line styles as pictures; index = TLineStyle.
QComboBox* CreateLineStyleBox(QWidget* Parent, const char* Name, QRect Geometry);
// The widths "1" to "5"; index = width - 1.
TExComboBox* CreateLineWidthBox(QWidget* Parent, const char* Name, QRect Geometry);
