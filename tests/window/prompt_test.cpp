// The verdict box: its looks, its two answers, and the ways out it refuses.
#include "GameWindow.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

class Prompt : public QObject {
    Q_OBJECT

    // Runs the box's question and, from inside its event loop, does something to it.
    static bool askAndThen(PromptBox& box, std::function<void()> inside)
    {
        QTimer::singleShot(50, &box, std::move(inside));
        return box.ask("Did you try?\rShould this message display again?", "Blah");
    }

    // The window whose box the tests of the box alone ask their questions in.
    Main m_window;

private slots:
    void initTestCase() { QVERIFY(showAndWait(m_window)); }
    // After Yes the box stays up for the question that follows; the next test starts without it.
    void cleanup() { m_window.prompt().hide(); }

    void theBoxIsMadeReadyOnceTheBoardIsShownNotDuringTheRound()
    {
        // Its setup takes milliseconds; made at a tick, it would hold up the clicks of a round's first second.
        Main window;
        QVERIFY(showAndWait(window));
        QTRY_VERIFY(window.findChild<PromptBox*>() != nullptr);
        QVERIFY(window.findChild<PromptBox*>()->testAttribute(Qt::WA_WState_Created));
        QCOMPARE(window.round().Pushes, 0);
    }

    void theBoxShowsTitleTextAndYesAsDefault()
    {
        PromptBox& box = m_window.prompt();
        askAndThen(box, [&] {
            QCOMPARE(box.windowTitle(), QString("Blah"));
            QCOMPARE(box.text(), QString("Did you try?\nShould this message display again?"));
            QCOMPARE(box.icon(), QMessageBox::NoIcon);
            QCOMPARE(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(box.defaultButton(), box.button(QMessageBox::Yes));
            QCOMPARE(box.windowModality(), Qt::ApplicationModal);
            QCOMPARE(box.parentWidget(), &m_window);
            box.button(QMessageBox::No)->click();
        });
    }

    void yesAndNoAreTheAnswers()
    {
        PromptBox& box = m_window.prompt();
        QVERIFY(askAndThen(box, [&] { box.button(QMessageBox::Yes)->click(); }));
        QVERIFY(!askAndThen(box, [&] { box.button(QMessageBox::No)->click(); }));
        // Return takes the default button.
        QVERIFY(askAndThen(box, [&] { QTest::keyClick(&box, Qt::Key_Return); }));
    }

    void escapeAndTheCloseBoxLeaveTheQuestionOpen()
    {
        // A plain Yes/No box answers No on Escape or its close box; ours must wait for a button.
        PromptBox& box = m_window.prompt();
        bool stillOpen = false;
        const bool answer = askAndThen(box, [&] {
            QTest::keyClick(&box, Qt::Key_Escape);
            QCloseEvent closeBox;
            QApplication::sendEvent(&box, &closeBox);
            box.close();
            QApplication::processEvents();
            stillOpen = box.isVisible();
            box.button(QMessageBox::Yes)->click();
        });
        QVERIFY(stillOpen);
        QVERIFY(answer);
    }

    void yesShowsTheSameVerdictAgainUntilNo()
    {
        Main window;
        QVERIFY(showAndWait(window, {.minute = 50}));
        PromptAnswerer answerer(window, [](int shown) { return shown < 4; });
        QStringList texts;
        answerer.whileShown = [&] { texts.append(window.prompt().text()); };
        for (int i = 0; i < 7; ++i)
            window.button().click();
        QTRY_COMPARE_WITH_TIMEOUT(answerer.shown, 4, 3000);
        QTest::qWait(100);
        QCOMPARE(answerer.shown, 4);
        QCOMPARE(texts, QStringList(4, "Did you try?\nShould this message display again?"));
        QCOMPARE(answerer.lastTitle, QString("Blah"));
        QCOMPARE(window.board().Record.Caption, std::string("Record: 7 pushes"));
    }

    void aScreenReaderHearsTheCountWithTheVerdictAndWhenItIsANewRecord()
    {
        // What the box's text says to a screen reader; what it shows stays the game's own text.
        Main window;
        QVERIFY(showAndWait(window, {.minute = 50}));
        PromptAnswerer answerer(window);
        QString spoken;
        answerer.whileShown = [&] {
            auto* label = window.prompt().findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            spoken = label ? QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name) : QString();
        };
        const QString verdict = QStringLiteral("Did you try?\nShould this message display again?\n");
        for (auto [presses, heard] : {std::pair{7, "7 pushes, a new record"}, std::pair{6, "6 pushes"},
                                      std::pair{7, "7 pushes"}, std::pair{8, "8 pushes, a new record"}}) {
            const int shownBefore = answerer.shown;
            for (int i = 0; i < presses; ++i)
                window.button().click();
            QTRY_COMPARE_WITH_TIMEOUT(answerer.shown, shownBefore + 1, 3000);
            QTRY_VERIFY(window.button().isEnabled());
            QCOMPARE(spoken, verdict + QLatin1String(heard));
            QCOMPARE(answerer.lastText, QStringLiteral("Did you try?\nShould this message display again?"));
        }
    }

    void aScreenReaderHearsTheMinuteOverAtTheVerdictThoughTicksWereDropped()
    {
        // A busy machine drops sweep ticks; the progress bar still tells a blind player the minute has run out.
        Main window;
        QVERIFY(showAndWait(window, {.minute = 50, .tick = AnHour}));
        PromptAnswerer answerer(window);
        QVariant atVerdict;
        answerer.whileShown = [&] {
            QAccessibleInterface* board = QAccessible::queryAccessibleInterface(&window);
            for (int i = 0; board && i < board->childCount(); ++i)
                if (board->child(i)->text(QAccessible::Name) == QLatin1String("Minute"))
                    atVerdict = board->child(i)->valueInterface()->currentValue();
        };
        window.button().click();
        QTRY_COMPARE_WITH_TIMEOUT(answerer.shown, 1, 3000);
        QCOMPARE(atVerdict.toDouble(), 60.0);
    }

    void theBoardShowsTheFinishedRoundWhileTheVerdictIsOpen()
    {
        Main window;
        QVERIFY(showAndWait(window, {.minute = 50}));
        PromptAnswerer answerer(window);
        QColor dial;
        bool buttonEnabled = true;
        answerer.whileShown = [&] {
            QApplication::processEvents();
            dial = BoardImage(window).at(100, 180);
            buttonEnabled = window.button().isEnabled();
        };
        for (int i = 0; i < 90; ++i)
            window.button().click();
        QTRY_COMPARE_WITH_TIMEOUT(answerer.shown, 1, 3000);
        QCOMPARE(dial, QColor(128, 255, 0));
        QVERIFY(!buttonEnabled);
    }
};

QTEST_MAIN(Prompt)
#include "prompt_test.moc"
