#include "terminal/dlgIndicator/uIndicatorBoxes.h"

#include "controls/uExComboBox.h"
#include "platform/qt/Gdi.h"
#include "platform/qt/GdiObjects.h"
#include "terminal/fmBasic/uColorPickBox.h"

#include <QPainter>

namespace {

constexpr QSize cStylePictureSize(72, 12);

void Place(QWidget* Control, const char* Name, QRect Geometry)
{
    Control->setObjectName(QString::fromLatin1(Name));
    Control->setGeometry(Geometry);
}

} // namespace

QPixmap LineStylePicture(TLineStyle aStyle)
{
    QImage Image(cStylePictureSize, QImage::Format_RGB32);
    Image.fill(Qt::white);
    {
        TGdiDC DC(&Image);
        DC.SelectPen(CreatePen(NearestLineStyle(aStyle), 1, clBlack));
        const int Y = cStylePictureSize.height() / 2;
        DC.MoveToEx(2, Y);
        DC.LineTo(cStylePictureSize.width() - 2, Y);
    }
    return QPixmap::fromImage(Image);
}

TColorPickBox* CreateColorBox(QWidget* Parent, const char* Name, QRect Geometry)
{
    auto* Box = new TColorPickBox(Parent);
    Place(Box, Name, Geometry);
    return Box;
}

QComboBox* CreateLineStyleBox(QWidget* Parent, const char* Name, QRect Geometry)
{
    auto* Box = new QComboBox(Parent);
    Place(Box, Name, Geometry);
    Box->setIconSize(cStylePictureSize);
    for (int Style = STYLE_SOLID; Style <= STYLE_DASHDOTDOT; ++Style)
        Box->addItem(LineStylePicture(static_cast<TLineStyle>(Style)), QString());
    return Box;
}

TExComboBox* CreateLineWidthBox(QWidget* Parent, const char* Name, QRect Geometry)
{
    auto* Box = new TExComboBox(Parent);
    Place(Box, Name, Geometry);
    for (int Width = 1; Width <= cMaxLineWidth; ++Width)
        Box->addItem(QString::number(Width));
    return Box;
}
