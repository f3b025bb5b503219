// Twips, the unit the window layouts are designed in: 1440 to the inch, so
// 15 to a pixel on a 96 dpi screen. Sizes are scaled with the screen's
// logical resolution, so the windows keep their proportions on any screen.
#pragma once

#include <QPaintDevice>
#include <QRect>

#include <cmath>

namespace corvane {

inline constexpr double kTwipsPerInch = 1440;
inline constexpr double kTwipsPerPoint = 20;

inline int TwipsToPixels(double twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

inline double PixelsToTwips(int pixels, double dotsPerInch) {
    return pixels * kTwipsPerInch / dotsPerInch;
}

// A rectangle given in twips (left, top, width, height), in the device's pixels.
inline QRect TwipsRect(const QPaintDevice& device, double left, double top, double width,
                       double height) {
    const double dpiX = device.logicalDpiX();
    const double dpiY = device.logicalDpiY();
    return QRect(TwipsToPixels(left, dpiX), TwipsToPixels(top, dpiY), TwipsToPixels(width, dpiX),
                 TwipsToPixels(height, dpiY));
}

}  // namespace corvane
