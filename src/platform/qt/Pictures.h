#pragma once

#include <QIcon>
#include <QPixmap>
#include <span>
#include <string_view>

// The program's pictures are SVG drawings among the resources. A picture
// drawn on pixel grids has one master per grid, "images/<name>-<grid>.svg"
// ("chart-new-16.svg", "chart-new-24.svg"); a picture without a grid (a
// banner) has one master, "images/<name>.svg", that scales freely.
//
// Lines drawn on whole pixels of a master stay sharp at its size and at
// twice it, so a size is drawn from the master that fills most of it that
// way: 16 and 32 pixels from the 16-pixel master, 24 and 48 from the
// 24-pixel one, 20 as 16 centred. A size such drawings would leave more
// than a quarter empty is drawn by scaling instead. User-interface thread only.

// Which master draws a picture Size pixels wide, and how wide it draws it.
struct TMasterChoice {
    int Index = -1;
    int Pixels = 0;
};

// Grids ascending. The master whose size or double, not above Size, is
// largest (the larger grid on a tie), drawn at that, when it fills more
// than three quarters of Size; otherwise the largest grid not above Size
// (the smallest below every grid) scaled to Size. Index -1 without grids.
TMasterChoice ChooseMaster(std::span<const int> Grids, int Size);

// The named picture as an icon, drawn afresh for each size and pixel density
// it is asked for, disabled in the style's disabled look; a null icon when
// there is no such picture. Like Qt's own icons it is never drawn larger
// than asked, and it may be drawn smaller to stay sharp.
QIcon PictureIcon(std::string_view Name);

// The named picture filling Size (device-independent pixels, its proportions
// kept, centred) for a screen of the given pixel density; null without it.
QPixmap PicturePixmap(std::string_view Name, QSize Size, qreal DevicePixelRatio);
