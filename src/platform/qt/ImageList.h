#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

// A list of small pictures shared by controls. Users hear of changes through
// Changed and of its end through QObject::destroyed; it owns its pictures,
// not its users.
class TImageList : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    int Count() const { return int(fImages.size()); }
    // The size of the list's pictures, as the controls lay them out; 16 x 16
    // unless set.
    int Width() const { return fWidth; }
    int Height() const { return fHeight; }
    void SetSize(int Width, int Height);
    int Add(const QImage& Image);
    // The picture at Index, or a null image outside the list.
    QImage GetIcon(int Index) const;

signals:
    void Changed();

private:
    std::vector<QImage> fImages;
    int fWidth = 16;
    int fHeight = 16;
};

// A control's hold on an image list it does not own: the list's changes, the
// change of list and the list's end all reach the control through one call.
class TImageListLink {
public:
    TImageListLink() = default;
    TImageListLink(const TImageListLink&) = delete;
    TImageListLink& operator=(const TImageListLink&) = delete;
    ~TImageListLink() { Set(nullptr, nullptr, {}); }

    operator TImageList*() const { return fList; }
    TImageList* operator->() const { return fList; }

    // Holds Value (none: nullptr) and calls OnChanged, in Context, now and at
    // each change until another list is held; nothing when Value is held.
    void Set(TImageList* Value, QObject* Context, std::function<void()> OnChanged);

private:
    QPointer<TImageList> fList;
    QMetaObject::Connection fChanged;
    QMetaObject::Connection fDestroyed;
};
