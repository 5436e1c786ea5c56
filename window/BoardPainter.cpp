// Draws the board: the dial, the labels and the two hands, in the order they stack.
#include "BoardPainter.h"

#include "Twips.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

namespace {
// Where the game's own chancery face is not installed, the URW chancery italic stands in for it.
const QStringList ChanceryFallbacks{"Z003", "URW Chancery L", "TeX Gyre Chorus"};

constexpr double LineMargin = 2 * TwipsPerPixel;
}

QFont labelFont(const Font& font)
{
    QFont qfont;
    qfont.setFamilies(QStringList{QString::fromStdString(font.Name)} + ChanceryFallbacks);
    // Sized in the painter's frame, which is twips: a point is 20 of them.
    qfont.setPixelSize(qRound(font.Points * TwipsPerPoint));
    qfont.setItalic(font.Italic);
    qfont.setWeight(QFont::Weight(font.Weight));
    return qfont;
}

BoardPainter::BoardPainter(const Board& design)
    : m_recordFont(labelFont(design.Record.TextFont)),
      m_titleFont(labelFont(design.Title.TextFont)),
      m_scoreFont(labelFont(design.Score.TextFont))
{
    // The title keeps its top-left and takes the size of its text.
    const QFontMetricsF metrics(m_titleFont);
    const QString caption = QString::fromStdString(design.Title.Caption);
    m_titleRect = QRectF(QPointF(design.Title.Bounds.Left, design.Title.Bounds.Top),
                         QSizeF(metrics.horizontalAdvance(caption), metrics.height()));
}

void BoardPainter::draw(QPainter& painter, const Board& board) const
{
    drawShape(painter, board.Background);
    drawLabel(painter, board.Score, m_scoreFont);
    drawLabel(painter, board.Title, m_titleFont);
    drawLine(painter, board.Meter);
    drawLabel(painter, board.Record, m_recordFont);
    drawLine(painter, board.Timor);
}

QRectF BoardPainter::extentOf(const Line& line) const
{
    const double halfWidth = line.BorderWidthPixels * TwipsPerPixel / 2 + LineMargin;
    return QRectF(QPointF(line.X1, line.Y1), QPointF(line.X2, line.Y2))
        .normalized()
        .adjusted(-halfWidth, -halfWidth, halfWidth, halfWidth);
}

QRectF BoardPainter::extentOf(const Label& label) const
{
    return label.AutoSize ? m_titleRect : twipRect(label.Bounds);
}

void BoardPainter::drawShape(QPainter& painter, const Shape& shape) const
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(qColour(shape.BackColor));
    painter.drawEllipse(twipRect(shape.Bounds));
}

void BoardPainter::drawLabel(QPainter& painter, const Label& label, const QFont& font) const
{
    const QRectF rect = extentOf(label);
    if (label.Opaque)
        painter.fillRect(rect, qColour(label.BackColor));
    const Qt::Alignment horizontal = label.Align == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    painter.setFont(font);
    painter.setPen(Qt::black);
    // A label sized to its text must not clip the italic overhang of its last letter.
    const int clipping = label.AutoSize ? Qt::TextDontClip : 0;
    painter.drawText(rect, int(horizontal | Qt::AlignTop) | clipping, QString::fromStdString(label.Caption));
}

void BoardPainter::drawLine(QPainter& painter, const Line& line) const
{
    QPen pen(qColour(line.BorderColor), line.BorderWidthPixels * TwipsPerPixel, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLine(QPointF(line.X1, line.Y1), QPointF(line.X2, line.Y2));
}
