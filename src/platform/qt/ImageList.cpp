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

void TImageListLink::Set(TImageList* Value, QObject* Context, std::function<void()> OnChanged)
{
    if (fList == Value)
        return;
    QObject::disconnect(fChanged);
    QObject::disconnect(fDestroyed);
    fList = Value;
    if (Value) {
        fChanged = QObject::connect(Value, &TImageList::Changed, Context, OnChanged);
        fDestroyed = QObject::connect(Value, &QObject::destroyed, Context, [this, OnChanged] {
            fList = nullptr;
            OnChanged();
        });
    }
    if (OnChanged)
        OnChanged();
}
