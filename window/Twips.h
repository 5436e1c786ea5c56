// The board's unit: twips, 15 to a logical pixel, and the conversions the window needs.
#pragma once

#include "Controls.h"

#include <QColor>
#include <QRect>
#include <QRectF>

inline constexpr double TwipsPerPixel = 15;
inline constexpr double TwipsPerPoint = 20;

inline QRectF twipRect(const Rect& r) { return QRectF(r.Left, r.Top, r.Width, r.Height); }

// The smallest whole-pixel rectangle covering a rectangle in twips.
inline QRect pixelsCovering(const QRectF& twips)
{
    const QRectF pixels(twips.topLeft() / TwipsPerPixel, twips.size() / TwipsPerPixel);
    return pixels.toAlignedRect();
}

inline QColor qColour(const Colour& c) { return QColor(c.Red, c.Green, c.Blue); }
