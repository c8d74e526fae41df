#pragma once

#include <cstdint>

// The platform's plain geometry records: a pixel point and a rectangle whose
// right and bottom edges are exclusive.
struct TPoint {
    int X = 0;
    int Y = 0;

    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }

    friend bool operator==(const TRect&, const TRect&) = default;
};

// A colour as the platform stores it: 0x00BBGGRR, red in the low byte.
using TColor = std::uint32_t;
