// Draws the board's graphical controls from their records, in the board's own twips.
#pragma once

#include "Board.h"

#include <QFont>
#include <QRectF>

class QPainter;

class BoardPainter {
public:
    explicit BoardPainter(const Board& design);

    // Paints onto a painter already scaled to twips, bottom of the stack first.
    void draw(QPainter& painter, const Board& board) const;

    // What each control covers, in twips, for asking a repaint of just that.
    QRectF extentOf(const Line& line) const;
    QRectF extentOf(const Label& label) const;

private:
    void drawShape(QPainter& painter, const Shape& shape) const;
    void drawLabel(QPainter& painter, const Label& label, const QFont& font) const;
    void drawLine(QPainter& painter, const Line& line) const;

    QFont m_recordFont;
    QFont m_titleFont;
    QFont m_scoreFont;
    QRectF m_titleRect;
};

QFont labelFont(const Font& font);
