#pragma once

#include "chart/canvas/PlotFilters.h"

#include <QImage>
#include <memory>

// A picture of the chart engine with its chain of filters, applied to a copy
// of the graphic each time the picture is drawn.
class TPlotPicture {
public:
    TPlotPicture() = default;
    TPlotPicture(const TPlotPicture&) = delete;
    TPlotPicture& operator=(const TPlotPicture&) = delete;
    const QImage& Graphic() const { return fGraphic; }
    void SetGraphic(const QImage& Value) { fGraphic = Value; }
    bool HasGraphic() const { return !fGraphic.isNull(); }
    // Created on first read.
    TFilterItems& Filters();
    TFilterItems* FiltersIfAny() const { return FFilters.get(); }
    // The graphic to draw: a filtered copy, refreshed at every call, when
    // there are filters; the graphic itself otherwise.
    const QImage& Filtered() const;
    // Copies the filters, then the graphic.
    void Assign(const TPlotPicture& Source);

private:
    QImage fGraphic;
    std::unique_ptr<TFilterItems> FFilters;
    mutable QImage IBitmap; // the filtered copy
};
