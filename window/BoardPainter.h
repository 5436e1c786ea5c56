// Draws the board's graphical controls from their records, in the board's own twips.
#pragma once

#include "Board.h"

#include <QFont>
#include <QRectF>
#include <QStaticText>

#include <string>

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
        // Where its letters leave ink, from the layout's top-left: a paint that only grazes the
        // label, as the button's does, need not lay out the glyphs at all.
        mutable QRectF ink;
    };

    QRectF boxOf(const Label& label) const;
    void drawShape(QPainter& painter, const Shape& shape) const;
    void drawLabel(QPainter& painter, const Label& label, const LabelText& text, const QRectF& exposed) const;
    void drawLine(QPainter& painter, const Line& line) const;

    LabelText m_record;
    LabelText m_title;
    LabelText m_score;
    QRectF m_titleRect;
};
