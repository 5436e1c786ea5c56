// Draws the board's graphical controls from their records, in the board's own twips.
#pragma once

#include "Board.h"

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QStaticText>
#include <QTransform>

#include <string>
#include <utility>
#include <vector>

class QPainter;

class BoardPainter {
public:
    explicit BoardPainter(const Board& design);

    // Paints the controls that reach into the exposed area onto a painter already scaled to
    // twips, bottom of the stack first.
    void draw(QPainter& painter, const Board& board, const QRectF& exposed) const;

    // What each control covers, in twips, for asking a repaint of just that.
    QRectF extentOf(const Line& line) const;
    QRectF extentOf(const Label& label) const;

private:
    // A label's font, and its caption laid out once for as long as it reads the same.
    struct LabelText {
        QFont font;
        mutable std::string caption;
        mutable QStaticText layout;
    };

    // The dial's smoothed rim covers the same device pixels whatever its colour, so its coverage is
    // rasterised once for each scale and only coloured anew when the colour changes.
    struct ShapeCoverage {
        QTransform scale;
        QRectF bounds;
        QPoint origin;
        QImage coverage;
        QImage coloured;
        QRgb colour = 0;
        std::vector<std::pair<qsizetype, int>> covered;
        std::vector<std::pair<qsizetype, uchar>> rim;
    };

    void drawShape(QPainter& painter, const Shape& shape) const;
    const QImage* colouredShape(const QTransform& toDevice, const Shape& shape, QPoint& origin) const;
    void drawLabel(QPainter& painter, const Label& label, const LabelText& text) const;
    void drawLine(QPainter& painter, const Line& line) const;

    LabelText m_record;
    LabelText m_title;
    LabelText m_score;
    QRectF m_titleRect;
    mutable ShapeCoverage m_dial;
};
