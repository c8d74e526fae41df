#include "terminal/fmBasic/uColorPickBox.h"

#include "platform/qt/GdiObjects.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

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
constexpr int cCustomIndex = 0;
constexpr QSize cSwatchSize(16, 12);

QPixmap Swatch(TColor Color)
{
    QPixmap Picture(cSwatchSize);
    Picture.fill(ToQColor(ColorToRGB(Color)));
    QPainter Painter(&Picture);
    Painter.setPen(Qt::black);
    Painter.drawRect(0, 0, cSwatchSize.width() - 1, cSwatchSize.height() - 1);
    return Picture;
}

std::optional<TColor> ColorDialog(TColor Initial, QWidget* Parent)
{
    const QColor Chosen = QColorDialog::getColor(ToQColor(ColorToRGB(Initial)), Parent);
    if (!Chosen.isValid())
        return std::nullopt;
    return TColor(FromQRgb(Chosen.rgb()));
}

} // namespace

TColorPickBox::TPickColor TColorPickBox::PickColor = ColorDialog;

TColorPickBox::TColorPickBox(QWidget* Parent) : QComboBox(Parent)
{
    setIconSize(cSwatchSize);
    addItem(Swatch(clBlack), QStringLiteral("Custom..."), clBlack);
    for (const TNamedColor& Entry : cStandardColors)
        addItem(Swatch(Entry.Color), QString::fromLatin1(Entry.Name), Entry.Color);
    connect(this, &QComboBox::activated, this, [this](int Index) { Choose(Index); });
}

TColor TColorPickBox::Selected() const
{
    return currentIndex() < 0 ? clBlack : currentData().toInt();
}

void TColorPickBox::SetSelected(TColor Value)
{
    int Index = cCustomIndex + 1;
    while (Index < count() && itemData(Index).toInt() != Value)
        ++Index;
    if (Index == count()) {
        SetCustom(Value);
        Index = cCustomIndex;
    }
    setCurrentIndex(Index);
    fChosen = Index;
}

void TColorPickBox::Choose(int Index)
{
    if (Index == cCustomIndex) {
        const TColor Initial = fChosen < 0 ? clBlack : itemData(fChosen).toInt();
        const std::optional<TColor> Picked = PickColor ? PickColor(Initial, this) : std::nullopt;
        if (!Picked) {
            setCurrentIndex(fChosen);
            return;
        }
        SetCustom(*Picked);
    }
    fChosen = Index;
    if (OnChange)
        OnChange();
}

void TColorPickBox::SetCustom(TColor Value)
{
    setItemIcon(cCustomIndex, Swatch(Value));
    setItemData(cCustomIndex, Value);
}
