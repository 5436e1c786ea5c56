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
// Hinting and smoothing may reach past the outline's own bounds.
constexpr double InkMargin = 2 * TwipsPerPixel;

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
}

BoardPainter::BoardPainter(const Board& design)
    : m_record{labelFont(design.Record.TextFont), {}, {}, {}},
      m_title{labelFont(design.Title.TextFont), {}, {}, {}},
      m_score{labelFont(design.Score.TextFont), {}, {}, {}}
{
    // The title keeps its top-left and takes the size of its text.
    const QFontMetricsF metrics(m_title.font);
    const QString caption = QString::fromStdString(design.Title.Caption);
    m_titleRect = QRectF(QPointF(design.Title.Bounds.Left, design.Title.Bounds.Top),
                         QSizeF(metrics.horizontalAdvance(caption), metrics.height()));
}

void BoardPainter::draw(QPainter& painter, const Board& board, const QRectF& exposed) const
{
    if (exposed.intersects(twipRect(board.Background.Bounds)))
        drawShape(painter, board.Background);
    if (exposed.intersects(extentOf(board.Score)))
        drawLabel(painter, board.Score, m_score, exposed);
    if (exposed.intersects(extentOf(board.Title)))
        drawLabel(painter, board.Title, m_title, exposed);
    if (exposed.intersects(extentOf(board.Meter)))
        drawLine(painter, board.Meter);
    if (exposed.intersects(extentOf(board.Record)))
        drawLabel(painter, board.Record, m_record, exposed);
    if (exposed.intersects(extentOf(board.Timor)))
        drawLine(painter, board.Timor);
}

QRectF BoardPainter::extentOf(const Line& line) const
{
    const double halfWidth = line.BorderWidthPixels * TwipsPerPixel / 2 + LineMargin;
    return QRectF(QPointF(line.X1, line.Y1), QPointF(line.X2, line.Y2))
        .normalized()
        .adjusted(-halfWidth, -halfWidth, halfWidth, halfWidth);
}

// Letters may reach past the label's box: the italic overhang, hinting and smoothing.
QRectF BoardPainter::extentOf(const Label& label) const
{
    return boxOf(label).adjusted(-InkMargin, -InkMargin, InkMargin, InkMargin);
}

QRectF BoardPainter::boxOf(const Label& label) const
{
    return label.AutoSize ? m_titleRect : twipRect(label.Bounds);
}

void BoardPainter::drawShape(QPainter& painter, const Shape& shape) const
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(qColour(shape.BackColor));
    painter.drawEllipse(twipRect(shape.Bounds));
}

void BoardPainter::drawLabel(QPainter& painter, const Label& label, const LabelText& text, const QRectF& exposed) const
{
    const QRectF rect = boxOf(label);
    if (label.Opaque)
        painter.fillRect(rect, qColour(label.BackColor));
    if (text.caption != label.Caption || text.layout.text().isEmpty()) {
        text.caption = label.Caption;
        text.layout.setText(QString::fromStdString(label.Caption));
        text.layout.setTextFormat(Qt::PlainText);
        text.layout.prepare(painter.transform(), text.font);
        const QFontMetricsF metrics(text.font);
        text.ink = metrics.tightBoundingRect(QString::fromStdString(label.Caption))
                       .translated(0, metrics.ascent())
                       .adjusted(-InkMargin, -InkMargin, InkMargin, InkMargin);
    }
    const double width = text.layout.size().width();
    const double left = label.Align == Alignment::Centre ? rect.left() + (rect.width() - width) / 2 : rect.left();
    if (!exposed.intersects(text.ink.translated(left, rect.top())))
        return;
    painter.setFont(text.font);
    painter.setPen(Qt::black);
    // Text too wide for a fixed label is cut at its edge; a label sized to its text keeps the
    // italic overhang of its last letter.
    const bool clip = !label.AutoSize && width > rect.width();
    if (clip) {
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
    }
    painter.drawStaticText(QPointF(left, rect.top()), text.layout);
    if (clip)
        painter.restore();
}

void BoardPainter::drawLine(QPainter& painter, const Line& line) const
{
    QPen pen(qColour(line.BorderColor), line.BorderWidthPixels * TwipsPerPixel, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLine(QPointF(line.X1, line.Y1), QPointF(line.X2, line.Y2));
}
