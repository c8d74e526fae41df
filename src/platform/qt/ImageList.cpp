#include "platform/qt/ImageList.h"

int TImageList::Add(const QImage& Image)
{
    fImages.push_back(Image);
    emit Changed();
    return Count() - 1;
}

QImage TImageList::GetIcon(int Index) const
{
    return Index >= 0 && Index < Count() ? fImages[size_t(Index)] : QImage();
}

void TImageList::SetSize(int Width, int Height)
{
    fWidth = Width;
    fHeight = Height;
    emit Changed();
}
