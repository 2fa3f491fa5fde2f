#pragma once

// Probes of pictures grabbed at a screen's device pixel ratio: the device pixels a 1x
// rectangle covers, and how hard the edges of a text are.

#include "platform/SystemColors.h"

#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <cmath>

namespace kelvara {

/// The device edge of 1x coordinate e, rounded as the toolkit rounds a rectangle's edges.
inline int deviceEdge(int e, qreal ratio)
{
    return static_cast<int>(std::floor(e * ratio + 0.5));
}

/// The device pixels of a 1x rectangle of a grabbed picture.
inline QRect deviceRect(const QImage& image, const QRect& r)
{
    const qreal k = image.devicePixelRatio();
    return QRect(
        QPoint(deviceEdge(r.left(), k), deviceEdge(r.top(), k)),
        QPoint(deviceEdge(r.left() + r.width(), k) - 1, deviceEdge(r.top() + r.height(), k) - 1));
}

/// Every device pixel of the 1x rectangle has the colour.
inline ::testing::AssertionResult allOf(const QImage& image, const QRect& r, TColor colour)
{
    const QRect d = deviceRect(image, r);
    if (d.isEmpty())
        return ::testing::AssertionFailure() << "no device pixels";
    for (int y = d.top(); y <= d.bottom(); ++y) {
        for (int x = d.left(); x <= d.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (RGB(qRed(c), qGreen(c), qBlue(c)) != ColorToRGB(colour))
                return ::testing::AssertionFailure()
                       << "device pixel (" << x << ", " << y << ") is " << std::hex
                       << (c & 0xFFFFFF) << ", not " << ColorToRGB(colour);
        }
    }
    return ::testing::AssertionSuccess();
}

/// How a text's edges look at the device resolution, measured along rows between
/// neighbouring device pixels whose darkness differs by at least a tenth of the contrast
/// between ground and ink.
struct EdgeMeasure
{
    /// Of those steps, the share that go at least half way from ground to ink: blurred text
    /// has fewer.
    double hardShare = 0;
    /// Of the hard steps, the share between two device pixels of the same 1x pixel: text
    /// drawn at 1x and enlarged has none.
    double insideBlockShare = 0;
    int steps = 0;
};

inline EdgeMeasure measureEdges(const QImage& image, const QRect& deviceArea, QRgb ground, QRgb ink)
{
    const double contrast = std::abs(qGray(ground) - qGray(ink));
    EdgeMeasure m;
    int hard = 0, inside = 0;
    const qreal k = image.devicePixelRatio();
    for (int y = deviceArea.top(); y <= deviceArea.bottom(); ++y) {
        for (int x = deviceArea.left(); x < deviceArea.right(); ++x) {
            const double step = std::abs(qGray(image.pixel(x, y)) - qGray(image.pixel(x + 1, y)));
            if (contrast <= 0 || step < 0.1 * contrast)
                continue;
            ++m.steps;
            if (step >= 0.5 * contrast) {
                ++hard;
                // x and x + 1 in one 1x pixel: no 1x edge lies between them.
                const int e = static_cast<int>(std::floor((x + 1) / k));
                bool onEdge = false;
                for (int c = e - 1; c <= e + 1; ++c)
                    onEdge = onEdge || deviceEdge(c, k) == x + 1;
                inside += onEdge ? 0 : 1;
            }
        }
    }
    m.hardShare = m.steps ? double(hard) / m.steps : 0;
    m.insideBlockShare = hard ? double(inside) / hard : 0;
    return m;
}

} // namespace kelvara
