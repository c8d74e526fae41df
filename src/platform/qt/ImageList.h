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
    int Add(const QImage& Image);
    // The picture at Index, or a null image outside the list.
    QImage GetIcon(int Index) const;

signals:
    void Changed();

private:
    std::vector<QImage> fImages;
};
