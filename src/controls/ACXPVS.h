#pragma once

#include "platform/qt/Theme.h"

// The visual-styles library as the controls reach it: loaded once after the
// widget application starts (LoadDLL) and released at the end (UnLoadDLL).
// While it is not loaded, VisualStyles() is null and every control draws its
// classic look. User-interface thread only.

// The calls the controls make.
struct TVisualStyles {
    bool (*IsThemeActive)();
    HTHEME (*OpenThemeData)(QWidget* Widget, std::string_view ClassList);
    void (*CloseThemeData)(HTHEME& Theme);
    bool (*DrawThemeBackground)(const TThemeData& Theme, TGdiDC& DC, int PartId, int StateId,
                                const TRect& R);
};

// Finds the library only where a widget application runs; otherwise nothing
// happens. Loading again while loaded does nothing.
void LoadDLL();
void UnLoadDLL();
// The loaded calls, or null.
const TVisualStyles* VisualStyles();
