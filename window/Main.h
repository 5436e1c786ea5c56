// The game window: owns the board and its rules, delivers clicks and timer ticks, redraws what changed.
#pragma once

#include "Board.h"
#include "BoardAccessible.h"
#include "BoardPainter.h"
#include "ExactTimer.h"
#include "PromptBox.h"
#include "Round.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <memory>

class Main : public QWidget, public BoardView {
    Q_OBJECT
public:
    explicit Main(QWidget* parent = nullptr);

    // The records are the game's truth; tests read them and may shorten the timers' intervals.
    Board& board() { return m_board; }
    const Board& board() const override { return m_board; }
    const Round& round() const override { return m_round; }
    QPushButton& button() override { return m_button; }
    PromptBox& prompt();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    void onButtonClick();
    void onDegreeTimer();
    void onClockTimer();

private:
    void syncBoard();
    void syncTimer(const Timer& record, ExactTimer& timer, ExactTimer::Clock::time_point now);
    void syncButton();
    void repaintChanges();
    void repaintTwips(const QRectF& twips);
    void scheduleFrame(bool sweepMoved);
    void drawFrame(bool startsFrame = true);
    qint64 framePeriodNs() const;
    Answer askPlayer(const std::string& text, const std::string& title);

    Board m_board;
    Round m_round{m_board};
    Board m_drawn = m_board;
    BoardPainter m_painter{m_board};
    QPushButton m_button;
    ExactTimer m_degreeTimer;
    ExactTimer m_clockTimer;
    // What changed since the last frame, how long ago that was, and the wait for the next: see scheduleFrame.
    QRect m_unpainted;
    QElapsedTimer m_sinceFrame;
    QTimer m_frameTimer;
    bool m_pressingButton = false;
    bool m_lastFrameAnswered = false;
    // Built, and made ready to show, once the board's first frame is out: setting up its buttons looks up
    // icon themes, about 11 ms of work that would hold back the first sight of the board, or stall the
    // first clicks of a round, and a first showing that had to do it all would come late at the minute.
    std::unique_ptr<PromptBox> m_prompt;
};
