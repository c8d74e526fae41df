#pragma once

#include "domain/charts/uIndicatorInfo.h"

#include <QComboBox>
#include <QPixmap>
#include <QRect>

class TExComboBox;

// A drop-down list of colours, each entry with its swatch and name: the
// sixteen standard colours, and a colour chosen elsewhere as one more entry
// ("Custom"), so that every colour set reads back unchanged.
class TColorBox : public QComboBox {
public:
    explicit TColorBox(QWidget* Parent = nullptr);

    // The colour of the current entry; black while none is current.
    TColor Selected() const;
    void SetSelected(TColor Value);
};

// The picture of a line style: a line across it drawn with the platform's
// pen of that style, as the chart draws the indicator.
QPixmap LineStylePicture(TLineStyle aStyle);

// The building blocks of the indicator dialog's panels: each is a child of
// Parent named Name, placed at Geometry.
TColorBox* CreateColorBox(QWidget* Parent, const char* Name, QRect Geometry);
// The five line styles as pictures; index = TLineStyle.
QComboBox* CreateLineStyleBox(QWidget* Parent, const char* Name, QRect Geometry);
// The widths "1" to "5"; index = width - 1.
TExComboBox* CreateLineWidthBox(QWidget* Parent, const char* Name, QRect Geometry);
