// Keys at the bell: presses still coming when the verdict opens answer nothing; a press after a pause answers.
#include "GameWindow.h"

#include <QElapsedTimer>

#include <functional>

class VerdictKeys : public QObject {
    Q_OBJECT

    // The game's window with a minute of the given length, and the Yes answers given in its verdict box: the box
    // stays up through them, so they are counted where they are given.
    struct Game {
        explicit Game(int minute) : minute(minute)
        {
            QObject::connect(box.button(QMessageBox::Yes), &QAbstractButton::clicked, [this] { ++yes; });
        }
        bool shown() { return showAndWait(window, {.minute = minute, .active = true}); }
        // A key pressed and let go where the keyboard focus is: the round's button, or the box's default answer.
        void press(Qt::Key key) { QTest::keyClick(box.isVisible() ? box.focusWidget() : &window.button(), key); }
        // Once the box is up, notes the Yes answers given so far and answers No; false once it has.
        bool noteYesThenNo(int& noted)
        {
            if (!box.isVisible())
                return true;
            noted = yes;
            box.button(QMessageBox::No)->click();
            return false;
        }

        Main window;
        PromptBox& box = window.prompt();
        const int minute;
        int yes = 0;
        // How long after the last key the box takes a key as an answer rather than as a press still on its way.
        const int pause = QApplication::keyboardInputInterval();
    };

    // Runs STEP every 10 ms, from inside the box's event loop too, until it returns false.
    static void drive(std::function<bool()> step)
    {
        QTimer poll;
        bool running = true;
        QObject::connect(&poll, &QTimer::timeout, [&] { running = running && step(); });
        poll.start(10);
        QTRY_VERIFY_WITH_TIMEOUT(!running, 10000);
    }

private slots:
    void aBurstOfSpacesRunningIntoTheBoxAnswersNothing()
    {
        // Space at ten presses a second over the end of the minute used to answer Yes again and again.
        Game game(500);
        QVERIFY(game.shown());
        QElapsedTimer sinceBurst, sinceShown;
        int yesDuringBurst = -1, yesAfterPause = -1;
        bool openAfterBurst = false;
        sinceBurst.start();
        drive([&] {
            if (game.box.isVisible() && !sinceShown.isValid())
                sinceShown.start();
            if (!sinceShown.isValid() || sinceShown.elapsed() < 1000) {
                if (sinceBurst.elapsed() >= 100) {
                    game.press(Qt::Key_Space);
                    sinceBurst.start();
                }
                return true;
            }
            if (yesDuringBurst < 0) {
                yesDuringBurst = game.yes;
                sinceBurst.start();
                return true;
            }
            if (sinceBurst.elapsed() < 2 * game.pause)
                return true;
            if (!openAfterBurst) {
                openAfterBurst = game.box.isVisible();
                game.press(Qt::Key_Space);
                return true;
            }
            return game.noteYesThenNo(yesAfterPause);
        });
        QVERIFY(openAfterBurst);
        QCOMPARE(yesDuringBurst, 0);
        // The Space after the pause answered Yes, and the question stayed.
        QCOMPARE(yesAfterPause, 1);
        QVERIFY(game.window.round().Pushes == 0);
    }

    void aReturnJustAfterTheBoxOpensIsNotAnAnswerButOneAfterAPauseIs()
    {
        Game game(200);
        QVERIFY(game.shown());
        QElapsedTimer sinceShown;
        bool early = false, closedByEarly = false, late = false;
        int yesAfterPause = -1;
        game.window.button().click();
        drive([&] {
            if (!game.box.isVisible())
                return true;
            if (!sinceShown.isValid())
                sinceShown.start();
            if (!early && sinceShown.elapsed() >= game.pause / 4) {
                game.press(Qt::Key_Return);
                early = true;
                closedByEarly = game.yes > 0;
                return true;
            }
            if (sinceShown.elapsed() < 2 * game.pause)
                return true;
            if (!late) {
                game.press(Qt::Key_Return);
                late = true;
                return true;
            }
            return game.noteYesThenNo(yesAfterPause);
        });
        QVERIFY(!closedByEarly);
        QCOMPARE(yesAfterPause, 1);
        QCOMPARE(game.window.board().Record.Caption, std::string("Record: 1 pushes"));
    }
};

QTEST_MAIN(VerdictKeys)
#include "verdict_keys_test.moc"
