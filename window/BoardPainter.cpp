// Draws the board: the dial, the labels and the two hands, in the order they stack.
#include "BoardPainter.h"

#include "Twips.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {
// Where the game's own chancery face is not installed, the URW chancery italic stands in for it.
const QStringList ChanceryFallbacks{"Z003", "URW Chancery L", "TeX Gyre Chorus"};

constexpr double LineMargin = 2 * TwipsPerPixel;

// A colour times a coverage, channel by channel, rounded as the toolkit's raster blending does,
// so a coloured coverage laid over the form leaves the very pixels a smoothed fill would.
QRgb timesCoverage(QRgb colour, uint coverage)
{
    uint redBlue = (colour & 0xff00ff) * coverage;
    redBlue = ((redBlue + ((redBlue >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    uint alphaGreen = ((colour >> 8) & 0xff00ff) * coverage;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return alphaGreen | redBlue;
}

bool isWhole(double value) { return value == std::floor(value); }

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
    : m_record{labelFont(design.Record.TextFont), {}, {}},
      m_title{labelFont(design.Title.TextFont), {}, {}},
      m_score{labelFont(design.Score.TextFont), {}, {}}
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
        drawLabel(painter, board.Score, m_score);
    if (exposed.intersects(extentOf(board.Title)))
        drawLabel(painter, board.Title, m_title);
    if (exposed.intersects(extentOf(board.Meter)))
        drawLine(painter, board.Meter);
    if (exposed.intersects(extentOf(board.Record)))
        drawLabel(painter, board.Record, m_record);
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

QRectF BoardPainter::extentOf(const Label& label) const
{
    return label.AutoSize ? m_titleRect : twipRect(label.Bounds);
}

void BoardPainter::drawShape(QPainter& painter, const Shape& shape) const
{
    const QTransform toDevice = painter.deviceTransform();
    QPoint origin;
    const QImage* coloured = colouredShape(toDevice, shape, origin);
    if (!coloured) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(qColour(shape.BackColor));
        painter.drawEllipse(twipRect(shape.Bounds));
        return;
    }
    // Laid on device pixel for device pixel: the painter's own scaling undone, no resampling.
    painter.save();
    painter.setWorldTransform(toDevice.inverted() * painter.worldTransform());
    painter.drawImage(origin, *coloured);
    painter.restore();
}

// Only where the board lands on whole device pixels at a plain scale does the coverage repeat;
// anywhere else the shape is rasterised as it is.
const QImage* BoardPainter::colouredShape(const QTransform& toDevice, const Shape& shape, QPoint& origin) const
{
    if (toDevice.type() > QTransform::TxScale || !isWhole(toDevice.dx()) || !isWhole(toDevice.dy()))
        return nullptr;
    const QTransform scale(toDevice.m11(), 0, 0, toDevice.m22(), 0, 0);
    const QRectF bounds = twipRect(shape.Bounds);
    if (m_dial.coverage.isNull() || m_dial.scale != scale || m_dial.bounds != bounds) {
        const QRect pixels = scale.mapRect(bounds).toAlignedRect();
        m_dial = ShapeCoverage{scale, bounds, pixels.topLeft(), QImage(pixels.size(), QImage::Format_Alpha8), {}, 0, {}, {}};
        m_dial.coverage.fill(0);
        QPainter rasteriser(&m_dial.coverage);
        rasteriser.setRenderHint(QPainter::Antialiasing);
        rasteriser.setPen(Qt::NoPen);
        rasteriser.setBrush(Qt::white);
        rasteriser.setTransform(scale * QTransform::fromTranslate(-pixels.left(), -pixels.top()));
        rasteriser.drawEllipse(bounds);
    }
    const QRgb colour = qColour(shape.BackColor).rgb();
    if (m_dial.coloured.isNull()) {
        // Pixels the shape leaves uncovered stay clear for good; of the rest, only the rim's are blended.
        m_dial.coloured = QImage(m_dial.coverage.size(), QImage::Format_ARGB32_Premultiplied);
        m_dial.coloured.fill(Qt::transparent);
        m_dial.colour = 0;
        for (int y = 0; y < m_dial.coverage.height(); ++y) {
            const uchar* in = m_dial.coverage.constScanLine(y);
            const qsizetype row = y * qsizetype(m_dial.coloured.width());
            for (int x = 0; x < m_dial.coverage.width(); ++x) {
                if (in[x] == 255 && x > 0 && in[x - 1] == 255)
                    ++m_dial.covered.back().second;
                else if (in[x] == 255)
                    m_dial.covered.push_back({row + x, 1});
                else if (in[x] != 0)
                    m_dial.rim.push_back({row + x, in[x]});
            }
        }
    }
    if (m_dial.colour != colour) {
        m_dial.colour = colour;
        auto* pixels = reinterpret_cast<QRgb*>(m_dial.coloured.bits());
        for (const auto& [at, run] : m_dial.covered)
            std::fill_n(pixels + at, run, colour);
        for (const auto& [at, coverage] : m_dial.rim)
            pixels[at] = timesCoverage(colour, coverage);
    }
    origin = m_dial.origin + QPoint(int(toDevice.dx()), int(toDevice.dy()));
    return &m_dial.coloured;
}

void BoardPainter::drawLabel(QPainter& painter, const Label& label, const LabelText& text) const
{
    const QRectF rect = extentOf(label);
    if (label.Opaque)
        painter.fillRect(rect, qColour(label.BackColor));
    if (text.caption != label.Caption || text.layout.text().isEmpty()) {
        text.caption = label.Caption;
        text.layout.setText(QString::fromStdString(label.Caption));
        text.layout.setTextFormat(Qt::PlainText);
        text.layout.prepare(painter.transform(), text.font);
    }
    const double width = text.layout.size().width();
    const double left = label.Align == Alignment::Centre ? rect.left() + (rect.width() - width) / 2 : rect.left();
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
