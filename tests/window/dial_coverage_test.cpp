// The dial coloured from its once-rasterised rim: the very pixels a smoothed fill of the circle leaves, at every scale.
#include "BoardPainter.h"
#include "Twips.h"

#include <QPainter>
#include <QTest>

namespace {
// The design board with everything but the dial moved off it, so only the dial is drawn over the dial's square.
Board dialOnly()
{
    Board board;
    for (Line* hand : {&board.Meter, &board.Timor}) {
        hand->X1 = hand->X2 = 3010;
        hand->Y1 = hand->Y2 = 3900;
    }
    board.Title.AutoSize = false;
    board.Title.Caption.clear();
    board.Title.Bounds = {0, 3600, 100, 100};
    return board;
}

QImage blankForm(qreal scale)
{
    QImage image((QSizeF(201, 201) * scale).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(QColor(0, 0, 255));
    return image;
}

void inTwips(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(1 / TwipsPerPixel, 1 / TwipsPerPixel);
}
}

class DialCoverage : public QObject {
    Q_OBJECT

private slots:
    void recolouringTheDialLeavesWhatASmoothedFillLeaves_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<QPointF>("offsetPixels");
        QTest::newRow("1x") << 1.0 << QPointF();
        QTest::newRow("1.5x") << 1.5 << QPointF();
        QTest::newRow("2x") << 2.0 << QPointF();
        QTest::newRow("3x") << 3.0 << QPointF();
        QTest::newRow("2x moved by whole pixels") << 2.0 << QPointF(3, 7);
        QTest::newRow("1x moved across by a part of a pixel") << 1.0 << QPointF(0.25, 0);
        QTest::newRow("1x moved down by a part of a pixel") << 1.0 << QPointF(0, 0.5);
        QTest::newRow("1.25x, where twips fall between pixels") << 1.25 << QPointF();
    }

    void recolouringTheDialLeavesWhatASmoothedFillLeaves()
    {
        // Coverage blended with other rounding than the toolkit's fill, or rasterised at another
        // scale or offset than the board is drawn at, changes the rim's pixels.
        QFETCH(qreal, scale);
        QFETCH(QPointF, offsetPixels);
        Board board = dialOnly();
        const BoardPainter painter(board);
        const QRectF dial = twipRect(board.Background.Bounds);
        // One painter through them all, so the coverage is reused and recoloured as in a round, and
        // rasterised again when the window moves to a screen of another scale and back.
        for (QColor colour : {QColor(0, 255, 0), QColor(1, 255, 0), QColor(128, 255, 0), QColor(255, 128, 0),
                              QColor(255, 0, 0), QColor(255, 255, 255), QColor(128, 255, 0)}) {
            board.Background.BackColor = Colour{colour.red(), colour.green(), colour.blue()};
            for (qreal drawnAt : {scale, 1.0, scale}) {
                QImage cached = blankForm(drawnAt);
                {
                    QPainter onForm(&cached);
                    onForm.translate(offsetPixels);
                    inTwips(onForm);
                    painter.draw(onForm, board, dial);
                }
                QImage filled = blankForm(drawnAt);
                {
                    QPainter onForm(&filled);
                    onForm.translate(offsetPixels);
                    inTwips(onForm);
                    onForm.setPen(Qt::NoPen);
                    onForm.setBrush(colour);
                    onForm.drawEllipse(dial);
                }
                QVERIFY2(cached == filled, qPrintable(QString("%1 at %2x").arg(colour.name()).arg(drawnAt)));
            }
        }
    }
};

QTEST_MAIN(DialCoverage)
#include "dial_coverage_test.moc"
