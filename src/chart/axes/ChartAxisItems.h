#pragma once

// The labels of an axis as items, each a value and the text drawn for it.
// While Automatic, the axis fills the list anew in every frame with the
// labels it drew; once the user adds items, the list is drawn as it stands,
// each item at its value's pixel and in its own font when it has one.

#include "chart/canvas/PlotCanvasTypes.h"
#include "platform/Property.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TAxisItem {
    double Value = 0;
    std::string Text;
    // A font of the item's own; none: the axis' labels font.
    std::shared_ptr<TPlotFont> Font;
};

// The box behind every label text: none while Transparent; otherwise filled
// with Color and framed by Frame (hidden by default).
class TAxisLabelsFormat {
public:
    explicit TAxisLabelsFormat(std::function<void()> Changed);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { Set(FTransparent, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Set(FColor, Value); }
    TChartHiddenPen& Frame() { return FFrame; }

private:
    template <class T> void Set(T& Field, const T& Value)
    {
        if (StoreChanged(Field, Value))
            FChanged();
    }
    std::function<void()> FChanged;
    bool FTransparent = true;
    TColor FColor = clWhite;
    TChartHiddenPen FFrame;
};

class TAxisItems {
public:
    // Changed runs after every change the user makes.
    explicit TAxisItems(std::function<void()> Changed);

    bool Automatic() const { return FAutomatic; }
    void SetAutomatic(bool Value);
    int Count() const { return int(FItems.size()); }
    const TAxisItem& operator[](int Index) const { return FItems.at(size_t(Index)); }
    // A label of the user's: the list stops being generated.
    TAxisItem& Add(double Value, const std::string& Text);
    void Clear();
    TAxisLabelsFormat& Format() { return FFormat; }

    // The axis' own bookkeeping of the labels it draws while Automatic.
    void ClearGenerated();
    void AddGenerated(double Value, const std::string& Text);

private:
    std::function<void()> FChanged;
    bool FAutomatic = true;
    std::vector<TAxisItem> FItems;
    TAxisLabelsFormat FFormat;
};
