#pragma once

#include "platform/qt/Gdi.h"

// Blending, gradients and the frame helpers of the platform.

enum : uint8_t { AC_SRC_OVER = 0, AC_SRC_ALPHA = 1 };

struct BLENDFUNCTION {
    uint8_t BlendOp = AC_SRC_OVER;
    uint8_t BlendFlags = 0;
    uint8_t SourceConstantAlpha = 255;
    uint8_t AlphaFormat = 0; // AC_SRC_ALPHA: the source has per-pixel alpha
};

// Source over destination with a constant alpha (0 leaves the destination,
// 255 copies the source).
bool AlphaBlend(TGdiDC& Dest, int X, int Y, int W, int H, const TGdiDC& Src, int SX, int SY, int SW,
                int SH, BLENDFUNCTION Blend);

// Colour channels are 16-bit: 0xFF00 is full.
struct TRIVERTEX {
    int x = 0;
    int y = 0;
    uint16_t Red = 0;
    uint16_t Green = 0;
    uint16_t Blue = 0;
    uint16_t Alpha = 0;
};
struct GRADIENT_RECT {
    uint32_t UpperLeft = 0;
    uint32_t LowerRight = 0;
};
struct GRADIENT_TRIANGLE {
    uint32_t Vertex1 = 0;
    uint32_t Vertex2 = 0;
    uint32_t Vertex3 = 0;
};
enum : uint32_t { GRADIENT_FILL_RECT_H = 0, GRADIENT_FILL_RECT_V = 1, GRADIENT_FILL_TRIANGLE = 2 };

// Mesh is an array of GRADIENT_RECT (rectangle modes) or GRADIENT_TRIANGLE.
bool GradientFill(TGdiDC& DC, const TRIVERTEX* Vertices, uint32_t NumVertices, const void* Mesh,
                  uint32_t NumMesh, uint32_t Mode);

// Inverts every other pixel of the frame: drawing it twice restores the pixels.
bool DrawFocusRect(TGdiDC& DC, const TRect& R);

enum : unsigned {
    BDR_RAISEDOUTER = 0x1,
    BDR_SUNKENOUTER = 0x2,
    BDR_RAISEDINNER = 0x4,
    BDR_SUNKENINNER = 0x8,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
    EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};
enum : unsigned {
    BF_LEFT = 0x1,
    BF_TOP = 0x2,
    BF_RIGHT = 0x4,
    BF_BOTTOM = 0x8,
    BF_RECT = 0xF,
    BF_MIDDLE = 0x800,
    BF_SOFT = 0x1000,
    BF_ADJUST = 0x2000,
    BF_FLAT = 0x4000,
    BF_MONO = 0x8000,
};

// A two-pixel 3D edge in the system colours; BF_ADJUST shrinks R by the edge.
bool DrawEdge(TGdiDC& DC, TRect& R, unsigned Edge, unsigned Flags);
