#pragma once

#include <cmath>

namespace kelvara {

/// A point in the painter's 1x units.
struct Point
{
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

/// A size in the painter's 1x units.
struct Size
{
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

/// A rectangle as the window layer keeps it: the right and bottom edges lie outside.
struct Rect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    /// The rectangle moved by (dx, dy).
    Rect translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    /// The rectangle shrunk by dx on the left and right and dy on the top and bottom.
    Rect inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    /// The overlap of two rectangles (empty when they do not meet).
    Rect intersected(const Rect& o) const
    {
        Rect r{left > o.left ? left : o.left, top > o.top ? top : o.top,
               right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom};
        if (r.isEmpty())
            return {};
        return r;
    }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

/// How the 1x pixels of an off-screen picture lie on device pixels: scale device pixels per 1x
/// pixel, and the phase, the fraction of a device pixel by which the picture's origin lies
/// past a device pixel edge where it will be copied. A 1x edge e falls on the device edge
/// floor(phase + e * scale + 0.5) - floor(phase + 0.5): the rounding the toolkit gives a
/// rectangle's edges, so that buffers copied side by side meet without a seam or an overlap,
/// and fills drawn into a buffer land where the same fill drawn directly would.
struct DeviceGrid
{
    double scale = 1.0;
    double phaseX = 0.0;
    double phaseY = 0.0;

    int column(int x) const { return edge(phaseX, x); }
    int row(int y) const { return edge(phaseY, y); }
    /// The grid of a picture whose origin is this picture's 1x point (x, y).
    DeviceGrid at(int x, int y) const
    {
        return {scale, fraction(phaseX + x * scale), fraction(phaseY + y * scale)};
    }
    /// The grid of a picture copied to device position (x, y), fractions included.
    static DeviceGrid onDevice(double scale, double x, double y)
    {
        return {scale, fraction(x), fraction(y)};
    }
    friend bool operator==(const DeviceGrid&, const DeviceGrid&) = default;

private:
    int edge(double phase, int e) const
    {
        return static_cast<int>(std::floor(phase + e * scale + 0.5) - std::floor(phase + 0.5));
    }
    static double fraction(double v) { return v - std::floor(v); }
};

} // namespace kelvara
