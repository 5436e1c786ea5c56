// Keys at the bell: presses still coming when the verdict opens answer nothing; a press after a pause answers.
#include "GameWindow.h"

#include <QElapsedTimer>

#include <functional>

class VerdictKeys : public QObject {
    Q_OBJECT

    // Counts the Yes answers: the box stays up through them, so they are counted where they are given.
    static void countYes(PromptBox& box, int& answered)
    {
        QObject::connect(box.button(QMessageBox::Yes), &QAbstractButton::clicked, [&answered] { ++answered; });
    }

    // A key pressed and let go where the keyboard focus is: the round's button, or the box's default answer.
    static void press(Main& window, Qt::Key key)
    {
        PromptBox& box = window.prompt();
        QTest::keyClick(box.isVisible() ? box.focusWidget() : &window.button(), key);
    }

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
        Main window;
        window.board().Clock.Interval = 500;
        QVERIFY(showAndWait(window));
        QVERIFY(QTest::qWaitForWindowActive(&window));
        PromptBox& box = window.prompt();
        int yes = 0;
        countYes(box, yes);
        const int pause = QApplication::keyboardInputInterval();
        QElapsedTimer sinceBurst, sinceShown;
        int yesDuringBurst = -1, yesAfterPause = -1;
        bool openAfterBurst = false;
        sinceBurst.start();
        drive([&] {
            if (box.isVisible() && !sinceShown.isValid())
                sinceShown.start();
            if (!sinceShown.isValid() || sinceShown.elapsed() < 1000) {
                if (sinceBurst.elapsed() >= 100) {
                    press(window, Qt::Key_Space);
                    sinceBurst.start();
                }
                return true;
            }
            if (yesDuringBurst < 0) {
                yesDuringBurst = yes;
                sinceBurst.start();
                return true;
            }
            if (sinceBurst.elapsed() < 2 * pause)
                return true;
            if (!openAfterBurst) {
                openAfterBurst = box.isVisible();
                press(window, Qt::Key_Space);
                return true;
            }
            if (!box.isVisible())
                return true;
            yesAfterPause = yes;
            box.button(QMessageBox::No)->click();
            return false;
        });
        QVERIFY(openAfterBurst);
        QCOMPARE(yesDuringBurst, 0);
        // The Space after the pause answered Yes, and the question stayed.
        QCOMPARE(yesAfterPause, 1);
        QVERIFY(window.round().Pushes == 0);
    }

    void aReturnJustAfterTheBoxOpensIsNotAnAnswerButOneAfterAPauseIs()
    {
        Main window;
        window.board().Clock.Interval = 200;
        QVERIFY(showAndWait(window));
        QVERIFY(QTest::qWaitForWindowActive(&window));
        PromptBox& box = window.prompt();
        int yes = 0;
        countYes(box, yes);
        const int pause = QApplication::keyboardInputInterval();
        QElapsedTimer sinceShown;
        bool early = false, closedByEarly = false, late = false;
        int yesAfterPause = -1;
        window.button().click();
        drive([&] {
            if (!box.isVisible())
                return true;
            if (!sinceShown.isValid())
                sinceShown.start();
            if (!early && sinceShown.elapsed() >= pause / 4) {
                press(window, Qt::Key_Return);
                early = true;
                closedByEarly = yes > 0;
                return true;
            }
            if (sinceShown.elapsed() < 2 * pause)
                return true;
            if (!late) {
                press(window, Qt::Key_Return);
                late = true;
                return true;
            }
            if (!box.isVisible())
                return true;
            yesAfterPause = yes;
            box.button(QMessageBox::No)->click();
            return false;
        });
        QVERIFY(!closedByEarly);
        QCOMPARE(yesAfterPause, 1);
        QCOMPARE(window.board().Record.Caption, std::string("Record: 1 pushes"));
    }
};

QTEST_MAIN(VerdictKeys)
#include "verdict_keys_test.moc"
