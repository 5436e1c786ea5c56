// Keys at the bell: presses still coming when the verdict opens answer nothing; a press after a pause answers.
#include "GameWindow.h"

#include <QElapsedTimer>

#include <functional>

class VerdictKeys : public QObject {
    Q_OBJECT

    // Counts the times the box is shown: each Yes shows it again.
    struct ShowCounter : QObject {
        int shown = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            shown += event->type() == QEvent::Show;
            return false;
        }
    };

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
        ShowCounter counter;
        box.installEventFilter(&counter);
        const int pause = QApplication::keyboardInputInterval();
        QElapsedTimer sinceBurst, sinceShown;
        int shownDuringBurst = -1, shownAfterPause = -1;
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
            if (shownDuringBurst < 0) {
                shownDuringBurst = counter.shown;
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
            shownAfterPause = counter.shown;
            box.button(QMessageBox::No)->click();
            return false;
        });
        QVERIFY(openAfterBurst);
        QCOMPARE(shownDuringBurst, 1);
        // The Space after the pause answered Yes: the box came back.
        QCOMPARE(shownAfterPause, 2);
        QVERIFY(window.round().Pushes == 0);
    }

    void aReturnJustAfterTheBoxOpensIsNotAnAnswerButOneAfterAPauseIs()
    {
        Main window;
        window.board().Clock.Interval = 200;
        QVERIFY(showAndWait(window));
        QVERIFY(QTest::qWaitForWindowActive(&window));
        PromptBox& box = window.prompt();
        ShowCounter counter;
        box.installEventFilter(&counter);
        const int pause = QApplication::keyboardInputInterval();
        QElapsedTimer sinceShown;
        bool early = false, closedByEarly = false, late = false;
        int shownAfterPause = -1;
        window.button().click();
        drive([&] {
            if (!box.isVisible())
                return true;
            if (!sinceShown.isValid())
                sinceShown.start();
            if (!early && sinceShown.elapsed() >= pause / 4) {
                press(window, Qt::Key_Return);
                early = true;
                closedByEarly = counter.shown > 1;
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
            shownAfterPause = counter.shown;
            box.button(QMessageBox::No)->click();
            return false;
        });
        QVERIFY(!closedByEarly);
        QCOMPARE(shownAfterPause, 2);
        QCOMPARE(window.board().Record.Caption, std::string("Record: 1 pushes"));
    }
};

QTEST_MAIN(VerdictKeys)
#include "verdict_keys_test.moc"
