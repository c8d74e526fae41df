#pragma once

#include "platform/qt/Canvas.h"
#include "platform/qt/Gdi.h"

#include <QFont>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string_view>

// The visual-styles calls, answered from the application's QStyle, and the
// classic frame-control drawing that stands in for them where styles are off.
// User-interface thread only.

// Parts and states of the "combobox" class.
enum : int { CP_DROPDOWNBUTTON = 1 };
enum : int { CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4 };

// The styles' data of one class for one widget.
struct TThemeData {
    QPointer<QWidget> Widget;
};
// Closing is releasing the handle.
using HTHEME = std::unique_ptr<TThemeData>;

// Whether styled drawing is on: always while a widget application runs.
bool IsThemeActive();
// Null when no widget application runs or the class list names no class
// drawn here ("combobox" is).
HTHEME OpenThemeData(QWidget* Widget, std::string_view ClassList);
void CloseThemeData(HTHEME& Theme);
// Draws the part in its state into R; false for a part this class lacks.
bool DrawThemeBackground(const TThemeData& Theme, TGdiDC& DC, int PartId, int StateId,
                         const TRect& R);

enum : unsigned { DFC_SCROLL = 3 };
enum : unsigned {
    DFCS_SCROLLCOMBOBOX = 0x5,
    DFCS_INACTIVE = 0x100,
    DFCS_PUSHED = 0x200,
    DFCS_FLAT = 0x4000,
};

// The classic look of a control part in the system colours: a button face
// with a raised edge (a one-pixel shadow frame when flat, sunken when pushed)
// and a black down arrow (embossed grey when inactive). Only the combo box's
// button of DFC_SCROLL is drawn; anything else answers false.
bool DrawFrameControl(TGdiDC& DC, const TRect& R, unsigned Type, unsigned State);

// The Qt font that a canvas drawing with Font would use, for the parts of a
// control that the style or a widget draws (labels, native tabs).
QFont ToQFont(const TFont& Font);

// The colour a widget's background shows.
TColor BackgroundColor(const QWidget& Widget);
