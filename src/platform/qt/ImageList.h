#pragma once

#include <QImage>
#include <QObject>
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
