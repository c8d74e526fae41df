#pragma once

#include <QImage>

// A picture of the chart engine: a graphic drawn as it is (filters are
// applied by the picture's own unit once it has them).
class TPlotPicture {
public:
    const QImage& Graphic() const { return fGraphic; }
    void SetGraphic(const QImage& Value) { fGraphic = Value; }
    bool HasGraphic() const { return !fGraphic.isNull(); }
    // The graphic to draw.
    const QImage& Filtered() const { return fGraphic; }
    void Assign(const TPlotPicture& Source) { fGraphic = Source.fGraphic; }

private:
    QImage fGraphic;
};
