// The board at the screen's own resolution: drawn afresh at every scale, never a small image blown up.
#include "GameWindow.h"

#include <QPainter>

class HighDpi : public QObject {
    Q_OBJECT

    // The board as a plain 1x image, drawn by the same window code without any scaling.
    static QImage drawnAtOneX(Main& window)
    {
        QImage image(window.size(), QImage::Format_RGB32);
        image.setDevicePixelRatio(1);
        window.render(&image);
        return image;
    }

    // Columns of the score label's row that hold text ink, in the image's own pixels.
    static int inkWidth(const QImage& image, QRect logical)
    {
        const qreal r = image.devicePixelRatio();
        int first = -1;
        int last = -1;
        for (int x = int(logical.left() * r); x < int(logical.right() * r); ++x)
            for (int y = int(logical.top() * r); y < int(logical.bottom() * r); ++y)
                if (qGray(image.pixel(x, y)) < 128) {
                    first = first < 0 ? x : first;
                    last = x;
                    break;
                }
        return last - first + 1;
    }

    // One window for all: the tests only look at it.
    Main window;
    QImage grab;

private slots:
    void initTestCase()
    {
        QVERIFY(showAndWait(window));
        grab = window.grab().toImage();
    }

    void theGrabHasOneImagePixelPerDevicePixel()
    {
        const qreal ratio = window.devicePixelRatioF();
        QCOMPARE(grab.size(), (QSizeF(201, 266) * ratio).toSize());
        // Shrunk back to 1x, the board must be the same board.
        const QImage one = drawnAtOneX(window);
        const QImage shrunk = grab.scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        qint64 difference = 0;
        for (int y = 0; y < one.height(); ++y)
            for (int x = 0; x < one.width(); ++x)
                difference += qAbs(qGray(one.pixel(x, y)) - qGray(shrunk.pixel(x, y)));
        const double mean = double(difference) / (one.width() * one.height());
        QVERIFY2(mean < 8, qPrintable(QString::number(mean)));
    }

    void labelTextIsSetAtTheScaledSize()
    {
        // Text laid out at 1x and stretched would match too; text set at the scale keeps its width ratio.
        const QRect scoreText(104, 201, 96, 30);
        const int oneX = inkWidth(drawnAtOneX(window), scoreText);
        const int scaled = inkWidth(grab, scoreText);
        QVERIFY(oneX > 40);
        QVERIFY2(qAbs(scaled - oneX * window.devicePixelRatioF()) <= 3, qPrintable(QString("%1 vs %2").arg(scaled).arg(oneX)));
    }

    void edgesAreSmoothedAtDevicePixels()
    {
        // A 1x board blown up to 2x has every 2×2 block of one colour; drawn natively, the dial's
        // rim and the letters are smoothed at the finer pixels, so many blocks are mixed.
        if (window.devicePixelRatioF() != 2)
            QSKIP("runs at scale 2");
        int mixedBlocks = 0;
        for (int y = 0; y + 1 < grab.height(); y += 2)
            for (int x = 0; x + 1 < grab.width(); x += 2) {
                const QRgb c = grab.pixel(x, y);
                if (grab.pixel(x + 1, y) != c || grab.pixel(x, y + 1) != c || grab.pixel(x + 1, y + 1) != c)
                    ++mixedBlocks;
            }
        QVERIFY2(mixedBlocks > 500, qPrintable(QString::number(mixedBlocks)));
    }
};

QTEST_MAIN(HighDpi)
#include "high_dpi_test.moc"
