// The board as drawn: colours, places and stacking of the controls, before and during a round.
#include "GameWindow.h"

#include <QScreen>

#include <optional>

class BoardPixels : public QObject {
    Q_OBJECT

    static const QColor Blue, Green, Yellow, Cyan;

    // The design board as first shown, for the tests that only look at it.
    std::optional<BoardImage> m_design;

private slots:
    void initTestCase()
    {
        Main window;
        QVERIFY(showAndWait(window));
        m_design.emplace(window);
    }

    void theDesignBoardShowsBlueAroundAGreenDial()
    {
        const BoardImage& board = *m_design;
        QCOMPARE(board.image.size(), QSize(201, 266) * board.ratio);
        // Corners outside the circle, the strip right of the dial, the gap between button and count, the bottom strip.
        for (QPointF blue : {QPointF(2, 2), QPointF(198, 2), QPointF(200.5, 100), QPointF(100, 215), QPointF(150, 265.5)})
            QCOMPARE(board.at(blue.x(), blue.y()), Blue);
        for (QPointF green : {QPointF(30, 150), QPointF(100, 180), QPointF(170, 60)})
            QCOMPARE(board.at(green.x(), green.y()), Green);
    }

    void bothHandsPointUpWithTheSweepHandOnTop()
    {
        // The blue sweep hand is drawn last: where the hands coincide no cyan may show.
        const BoardImage& board = *m_design;
        for (double y : {10.0, 40.0, 70.0})
            QCOMPARE(board.at(100, y), Blue);
        QCOMPARE(board.at(94, 40), Green);
        QCOMPARE(board.at(106, 40), Green);
    }

    void labelsAreYellowAndTheButtonCoversTheirOverlap()
    {
        const BoardImage& board = *m_design;
        QCOMPARE(board.at(200, 231), Yellow);   // count label, bottom right
        QCOMPARE(board.at(1, 264), Yellow);     // record label, bottom left
        QCOMPARE(board.at(200.5, 264), Yellow); // the record label spans the dial's strip too
        // Button rows 200..232 overlap the record label from 232; the button lies above it.
        QVERIFY(board.at(50, 232.5) != Yellow);
        QCOMPARE(board.at(150, 232.5), Yellow);
    }

    void theNeedleFollowsTheCountAndTheDialItsColour_data()
    {
        QTest::addColumn<int>("presses");
        QTest::addColumn<QPointF>("needleTip");
        QTest::addColumn<QColor>("dial");
        QTest::newRow("90 presses point right on yellow-green") << 90 << QPointF(192, 100) << QColor(128, 255, 0);
        QTest::newRow("270 presses point left on orange") << 270 << QPointF(8, 100) << QColor(255, 128, 0);
        QTest::newRow("360 presses point up again on red") << 360 << QPointF(100, 8) << QColor(255, 0, 0);
    }

    void theNeedleFollowsTheCountAndTheDialItsColour()
    {
        QFETCH(int, presses);
        QFETCH(QPointF, needleTip);
        QFETCH(QColor, dial);
        Main window;
        QVERIFY(showAndWait(window));
        for (int i = 0; i < presses; ++i)
            window.button().click();
        QApplication::processEvents();
        const BoardImage board(window);
        // At 360 the needle hides under the sweep hand again, which still points up.
        QCOMPARE(board.at(needleTip.x(), needleTip.y()), presses == 360 ? Blue : Cyan);
        QCOMPARE(board.at(100, 180), dial);
    }

    void repaintingOnlyWhatChangedLeavesTheBoardAFullRedrawWouldShow()
    {
        // A dirty area too small for a moved hand or a new caption leaves stale pixels on screen;
        // past 720 presses the dial stays white, so only the hands and the count are repainted.
        Main window;
        QVERIFY(showAndWait(window, {.tick = 1}));
        if (window.devicePixelRatioF() != 1)
            QSKIP("the offscreen screen hands back its windows at 1x only");
        for (int press = 0; press < 800; ++press) {
            window.button().click();
            if (press >= 720)
                QTest::qWait(press % 10 == 0 ? 5 : 0);
        }
        QVERIFY(window.round().SweepAngle > 0);
        // The sweep held still, the last changes reach the screen within a frame.
        window.board().Degree.Enabled = false;
        auto onScreen = [&] { return window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32); };
        const QImage redrawn = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QTRY_COMPARE_WITH_TIMEOUT(onScreen(), redrawn, 1000);
    }

    void paintingAnyStripOfTheBoardGivesWhatAFullRedrawShowsThere()
    {
        // A paint that only grazes a control must still draw what of it falls inside: a control left out where its
        // box seems to be missed, or a label's letters skipped, leaves the edges of its letters wiped.
        Main window;
        // Both held: under a sanitizer the strips take longer than a minute, and a verdict box would wait for ever.
        QVERIFY(showAndWait(window, {.minute = AnHour, .tick = AnHour}));
        if (window.devicePixelRatioF() != 1)
            QSKIP("the strips are cut in the window's pixels");
        for (int presses : {1, 118, 999, 1000}) {
            while (window.round().Pushes < presses)
                window.button().click();
            QApplication::processEvents();
            const QImage full = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
            for (int width : {1, 2, 3, 5})
                for (int at = 0; at + width <= window.height(); ++at)
                    for (const QRect strip : {QRect(0, at, window.width(), width), QRect(at % window.width(), 0, width, window.height()),
                                              QRect((at * 7) % window.width(), at, 3 * width, 2 * width)}) {
                        QImage painted(full.size(), QImage::Format_RGB32);
                        painted.fill(Qt::magenta);
                        window.render(&painted, strip.topLeft(), QRegion(strip));
                        if (painted.copy(strip) != full.copy(strip))
                            QFAIL(qPrintable(QStringLiteral("after %1 presses, a paint of %2x%3+%4+%5 differs from a full one")
                                                 .arg(presses).arg(strip.width()).arg(strip.height()).arg(strip.x()).arg(strip.y())));
                    }
        }
    }

    void enlargingTheWindowLeavesTheBoardInPlaceOnBlue()
    {
        Main window;
        QVERIFY(showAndWait(window));
        const QImage before = window.grab(QRect(0, 0, 201, 266)).toImage();
        window.resize(500, 450);
        QTRY_COMPARE(window.size(), QSize(500, 450));
        const BoardImage board(window);
        QCOMPARE(board.at(400, 100), Blue);
        QCOMPARE(board.at(100, 400), Blue);
        QCOMPARE(window.grab(QRect(0, 0, 201, 266)).toImage(), before);
    }
};

const QColor BoardPixels::Blue(0, 0, 255);
const QColor BoardPixels::Green(0, 255, 0);
const QColor BoardPixels::Yellow(255, 255, 0);
const QColor BoardPixels::Cyan(0, 255, 255);

QTEST_MAIN(BoardPixels)
#include "board_pixels_test.moc"
