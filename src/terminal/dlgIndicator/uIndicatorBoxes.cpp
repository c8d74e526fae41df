#include "terminal/dlgIndicator/uIndicatorBoxes.h"

#include "controls/uExComboBox.h"
#include "platform/qt/Gdi.h"
#include "platform/qt/GdiObjects.h"

#include <QPainter>
#include <iterator>

namespace {

struct TNamedColor {
    TColor Color;
    const char* Name;
};
constexpr TNamedColor cStandardColors[] = {
    {clBlack, "Black"},   {clMaroon, "Maroon"},   {clGreen, "Green"}, {clOlive, "Olive"},
    {clNavy, "Navy"},     {clPurple, "Purple"},   {clTeal, "Teal"},   {clGray, "Gray"},
    {clSilver, "Silver"}, {clRed, "Red"},         {clLime, "Lime"},   {clYellow, "Yellow"},
    {clBlue, "Blue"},     {clFuchsia, "Fuchsia"}, {clAqua, "Aqua"},   {clWhite, "White"}};
constexpr int cStandardCount = int(std::size(cStandardColors));

constexpr QSize cSwatchSize(16, 12);
constexpr QSize cStylePictureSize(72, 12);

QPixmap Swatch(TColor Color)
{
    QPixmap Picture(cSwatchSize);
    Picture.fill(ToQColor(ColorToRGB(Color)));
    QPainter Painter(&Picture);
    Painter.setPen(Qt::black);
    Painter.drawRect(0, 0, cSwatchSize.width() - 1, cSwatchSize.height() - 1);
    return Picture;
}

void Place(QWidget* Control, const char* Name, QRect Geometry)
{
    Control->setObjectName(QString::fromLatin1(Name));
    Control->setGeometry(Geometry);
}

} // namespace

TColorBox::TColorBox(QWidget* Parent) : QComboBox(Parent)
{
    setIconSize(cSwatchSize);
    for (const TNamedColor& Entry : cStandardColors)
        addItem(Swatch(Entry.Color), QString::fromLatin1(Entry.Name), Entry.Color);
}

TColor TColorBox::Selected() const
{
    return currentIndex() < 0 ? clBlack : currentData().toInt();
}

void TColorBox::SetSelected(TColor Value)
{
    int Index = findData(Value);
    if (Index < 0) {
        // One entry for a colour from elsewhere, replaced by the next one.
        if (count() > cStandardCount)
            removeItem(cStandardCount);
        addItem(Swatch(Value), QStringLiteral("Custom"), Value);
        Index = cStandardCount;
    }
    setCurrentIndex(Index);
}

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

TColorBox* CreateColorBox(QWidget* Parent, const char* Name, QRect Geometry)
{
    auto* Box = new TColorBox(Parent);
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
