#include "chart/axes/ChartAxisItems.h"

TAxisLabelsFormat::TAxisLabelsFormat(std::function<void()> Changed)
    : FChanged(std::move(Changed)), FFrame([this](TGraphicsObject*) { FChanged(); })
{
}

TAxisItems::TAxisItems(std::function<void()> Changed)
    : FChanged(Changed), FFormat(std::move(Changed))
{
}

void TAxisItems::SetAutomatic(bool Value)
{
    if (StoreChanged(FAutomatic, Value))
        FChanged();
}

TAxisItem& TAxisItems::Add(double Value, const std::string& Text)
{
    if (FAutomatic)
        FItems.clear();
    FAutomatic = false;
    FItems.push_back({Value, Text, nullptr});
    FChanged();
    return FItems.back();
}

void TAxisItems::Clear()
{
    FItems.clear();
    FChanged();
}

void TAxisItems::ClearGenerated()
{
    if (FAutomatic)
        FItems.clear();
}

void TAxisItems::AddGenerated(double Value, const std::string& Text)
{
    if (FAutomatic)
        FItems.push_back({Value, Text, nullptr});
}
