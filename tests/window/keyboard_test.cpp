// Playing by keyboard: where the focus is, and what one key press counts.
#include "GameWindow.h"

#include <QKeyEvent>

class Keyboard : public QObject {
    Q_OBJECT

    static void sendKey(QWidget* to, QEvent::Type type, bool autoRepeat)
    {
        QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), autoRepeat);
        QApplication::sendEvent(to, &event);
    }

private slots:
    void theButtonHasTheFocusAtStart()
    {
        Main window;
        QVERIFY(showAndWait(window, {.active = true}));
        QCOMPARE(QApplication::focusWidget(), &window.button());
    }

    void eachSpacePressCountsOnceAndAHeldKeyDoesNotRepeat()
    {
        Main window;
        QVERIFY(showAndWait(window, {.active = true}));
        QTest::keyClick(&window.button(), Qt::Key_Space);
        QCOMPARE(window.round().Pushes, 1);
        // A held key: one real press, a burst of repeated press/release pairs, one real release.
        sendKey(&window.button(), QEvent::KeyPress, false);
        for (int i = 0; i < 20; ++i) {
            sendKey(&window.button(), QEvent::KeyRelease, true);
            sendKey(&window.button(), QEvent::KeyPress, true);
        }
        sendKey(&window.button(), QEvent::KeyRelease, false);
        QCOMPARE(window.round().Pushes, 2);
    }

    void theFocusComesBackToTheButtonAfterTheVerdict()
    {
        Main window;
        QVERIFY(showAndWait(window, {.minute = 50, .active = true}));
        PromptAnswerer answerer(window);
        QTest::keyClick(&window.button(), Qt::Key_Space);
        QTRY_COMPARE_WITH_TIMEOUT(answerer.shown, 1, 2000);
        // The window's focus child is what takes the keys once the window is active again.
        QTRY_COMPARE(window.focusWidget(), &window.button());
        QVERIFY(window.button().hasFocus() || !window.isActiveWindow());
        QTest::keyClick(&window.button(), Qt::Key_Space);
        QCOMPARE(window.round().Pushes, 1);
    }

    void aDisabledButtonIgnoresClicks()
    {
        Main window;
        QVERIFY(showAndWait(window));
        window.board().Button.Enabled = false;
        emit window.button().clicked();
        QCOMPARE(window.round().Pushes, 0);
    }
};

QTEST_MAIN(Keyboard)
#include "keyboard_test.moc"
