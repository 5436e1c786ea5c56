// Shared helpers for the window tests: a shown game window, pixel reads in logical units, a prompt answerer.
#pragma once

#include "Main.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

// The board grabbed at the screen's resolution, read back in the window's logical pixels.
struct BoardImage {
    QImage image;
    qreal ratio = 1;

    explicit BoardImage(QWidget& window) : image(window.grab().toImage()), ratio(image.devicePixelRatio()) {}
    QColor at(double x, double y) const { return image.pixelColor(int(x * ratio), int(y * ratio)); }
};

// How a test shows the window: the minute and the sweep's tick shortened (zero keeps the design interval), and
// whether to wait until the window also has the keyboard.
struct Showing {
    int minute = 0;
    int tick = 0;
    bool active = false;
};

// An interval that outlasts any test: the minute held open, or the sweep hand held still.
constexpr int AnHour = 3600000;

inline bool showAndWait(Main& window, Showing how = {})
{
    if (how.minute)
        window.board().Clock.Interval = how.minute;
    if (how.tick)
        window.board().Degree.Interval = how.tick;
    window.show();
    return QTest::qWaitForWindowExposed(&window) && (!how.active || QTest::qWaitForWindowActive(&window));
}

// Answers each prompt as it appears, from inside its event loop, and counts what it saw: No, unless yesForShowing
// says Yes for the showing counted so far.
class PromptAnswerer : public QObject {
public:
    explicit PromptAnswerer(Main& window, std::function<bool(int)> yesForShowing = [](int) { return false; })
        : m_window(window), m_yes(std::move(yesForShowing))
    {
        connect(&m_poll, &QTimer::timeout, this, &PromptAnswerer::answerIfShown);
        m_poll.start(5);
    }

    int shown = 0;
    QString lastText;
    QString lastTitle;
    std::function<void()> whileShown;

private:
    void answerIfShown()
    {
        PromptBox& box = m_window.prompt();
        if (!box.isVisible() || m_answering)
            return;
        m_answering = true;
        ++shown;
        lastText = box.text();
        lastTitle = box.windowTitle();
        if (whileShown)
            whileShown();
        box.button(m_yes(shown) ? QMessageBox::Yes : QMessageBox::No)->click();
        m_answering = false;
    }

    Main& m_window;
    std::function<bool(int)> m_yes;
    QTimer m_poll;
    bool m_answering = false;
};
