#include "chart/canvas/PlotPicture.h"

TFilterItems& TPlotPicture::Filters()
{
    if (!FFilters)
        FFilters = std::make_unique<TFilterItems>();
    return *FFilters;
}

const QImage& TPlotPicture::Filtered() const
{
    if (!FFilters || FFilters->Count() == 0 || !HasGraphic())
        return fGraphic;
    IBitmap = fGraphic.convertToFormat(QImage::Format_RGB32);
    FFilters->ApplyTo(IBitmap);
    return IBitmap;
}

void TPlotPicture::Assign(const TPlotPicture& Source)
{
    if (&Source == this)
        return;
    if (Source.FFilters)
        Filters().Assign(*Source.FFilters);
    else
        FFilters.reset();
    fGraphic = Source.fGraphic;
}
