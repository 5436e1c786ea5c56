// The game window and its host duties: events in, the round's records out to widgets, timers and screen.
#include "Main.h"

#include "FrameAnswer.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <tuple>

namespace {
const QColor FormColour(0, 0, 255);
constexpr QSize ClientPixels(201, 266); // 3015 × 3990 twips
// Where the screen reports no refresh rate, or a nonsensical one.
constexpr qreal FallbackRefreshHz = 60;
}

Main::Main(QWidget* parent) : QWidget(parent), m_button(this)
{
    installBoardAccessibility();
    setWindowTitle(QStringLiteral("Der Tastenrenner"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(ClientPixels);

    m_button.setText(QString::fromStdString(m_board.Button.Caption));
    m_button.setGeometry(pixelsCovering(twipRect(m_board.Button.Bounds)));
    m_button.setFocus();
    connect(&m_button, &QPushButton::clicked, this, &Main::onButtonClick);
    m_button.installEventFilter(this);

    connect(&m_degreeTimer, &ExactTimer::timeout, this, &Main::onDegreeTimer);
    connect(&m_clockTimer, &ExactTimer::timeout, this, &Main::onClockTimer);
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, [this] { drawFrame(); });
}

// Each handler checks its record first: once the rules have switched a control off, nothing
// already on its way from it reaches them.
void Main::onButtonClick()
{
    if (!m_board.Button.Enabled)
        return;
    m_round.Press();
    syncBoard();
}

PromptBox& Main::prompt()
{
    if (!m_prompt)
        m_prompt = std::make_unique<PromptBox>(this);
    return *m_prompt;
}

void Main::onDegreeTimer()
{
    if (!m_board.Degree.Enabled)
        return;
    // A window never painted yet, such as one kept covered, has no box ready: it is built at the first tick instead.
    prompt();
    m_round.SweepTick();
    syncBoard();
}

void Main::onClockTimer()
{
    if (!m_board.Clock.Enabled)
        return;
    // The last tick of the minute falls due with the minute itself; taken first, it brings the
    // sweep hand back to the top before the verdict.
    m_degreeTimer.deliverIfDue();
    m_round.EndRound([this](const std::string& text, const std::string& title) { return askPlayer(text, title); });
    syncBoard();
}

// The rules have stopped the timers and the button by now; passing that on before the box opens
// keeps the nested event loop from delivering anything to them. The box comes first on screen:
// the board's last frame follows inside its event loop.
Answer Main::askPlayer(const std::string& text, const std::string& title)
{
    syncBoard();
    prompt().setSpokenNote(spokenCount(m_round.Pushes, m_round.Pushes > m_round.BestPushes));
    return prompt().ask(text, title) ? Answer::Yes : Answer::No;
}

void Main::syncBoard()
{
    // Both timers started by one event count from the same instant, so the sweep's 600th tick and
    // the end of the minute fall due together.
    const auto now = ExactTimer::Clock::now();
    syncTimer(m_board.Degree, m_degreeTimer, now);
    syncTimer(m_board.Clock, m_clockTimer, now);
    syncButton();
    repaintChanges();
}

void Main::syncTimer(const Timer& record, ExactTimer& timer, ExactTimer::Clock::time_point now)
{
    if (record.Enabled && !timer.isActive())
        timer.start(std::chrono::milliseconds(record.Interval), now);
    else if (!record.Enabled && timer.isActive())
        timer.stop();
}

void Main::syncButton()
{
    if (m_board.Button == m_drawn.Button)
        return;
    const bool reenabled = m_board.Button.Enabled && !m_drawn.Button.Enabled;
    m_button.setEnabled(m_board.Button.Enabled);
    m_button.setText(QString::fromStdString(m_board.Button.Caption));
    if (reenabled)
        m_button.setFocus();
    m_drawn.Button = m_board.Button;
}

void Main::repaintChanges()
{
    auto changed = [](const auto& now, auto& drawn) {
        if (now == drawn)
            return false;
        drawn = now;
        return true;
    };
    bool sweepMoved = false;
    if (changed(m_board.Background, m_drawn.Background))
        repaintTwips(twipRect(m_board.Background.Bounds));
    for (auto [now, drawn] : {std::pair{&m_board.Meter, &m_drawn.Meter}, std::pair{&m_board.Timor, &m_drawn.Timor}}) {
        const QRectF before = m_painter.extentOf(*drawn);
        if (!changed(*now, *drawn))
            continue;
        repaintTwips(before.united(m_painter.extentOf(*now)));
        if (now == &m_board.Timor) {
            sweepMoved = true;
            announceMinuteGone(*this);
        }
    }
    for (auto [now, drawn, control] : {std::tuple{&m_board.Score, &m_drawn.Score, PaintedControl::Score},
                                       std::tuple{&m_board.Record, &m_drawn.Record, PaintedControl::Record},
                                       std::tuple{&m_board.Title, &m_drawn.Title, PaintedControl::Title}}) {
        if (!changed(*now, *drawn))
            continue;
        repaintTwips(m_painter.extentOf(*now));
        announceTextChange(*this, control);
    }
    scheduleFrame(sweepMoved);
}

// One rectangle around all that changed, not each change's own: through a clip of several
// rectangles the toolkit paints a press about three times slower than the few extra pixels cost.
void Main::repaintTwips(const QRectF& twips)
{
    m_unpainted |= pixelsCovering(twips).adjusted(-1, -1, 1, 1);
}

// A flood of presses would otherwise cost a whole paint each, far more often than any screen
// shows a frame; the rules have run already, only the drawing waits. A change after a quiet frame
// is drawn by the toolkit's next pass; within a frame of the last drawing it waits for the rest of
// that frame, together with whatever else changes meanwhile. A sweep tick is drawn at once even
// mid-flood, so the next one cannot move the hand on before this place has been shown; outside a
// flood it does not start a frame of its own, or a press just after it would wait for nothing.
void Main::scheduleFrame(bool sweepMoved)
{
    if (m_unpainted.isEmpty() || (m_frameTimer.isActive() && !sweepMoved))
        return;
    const qint64 waitNs = m_sinceFrame.isValid() ? framePeriodNs() - m_sinceFrame.nsecsElapsed() : 0;
    if (waitNs > 0 && !sweepMoved)
        m_frameTimer.start(int((waitNs + 999999) / 1000000));
    else
        drawFrame(waitNs > 0 || !sweepMoved);
}

void Main::drawFrame(bool startsFrame)
{
    m_frameTimer.stop();
    update(m_unpainted);
    m_unpainted = QRect();
    if (startsFrame)
        m_sinceFrame.start();
}

qint64 Main::framePeriodNs() const
{
    const qreal hz = screen() ? screen()->refreshRate() : 0;
    return qint64(1e9 / (hz >= 1 && hz <= 1000 ? hz : FallbackRefreshHz));
}

// The toolkit paints a button's pressed look at once, inside the press; the release that makes
// the click, often already waiting, would wait behind that paint. Left to the next pass instead,
// the pressed look goes out with the click's own frame, or on its own if no release has come.
bool Main::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress;
    if (watched != &m_button || !press || m_pressingButton)
        return QWidget::eventFilter(watched, event);
    m_pressingButton = true;
    m_button.setUpdatesEnabled(false);
    QCoreApplication::sendEvent(&m_button, event);
    m_button.setUpdatesEnabled(true);
    m_pressingButton = false;
    return true;
}

// A close request takes the window down once its last frame is answered (see FrameAnswer.h). The desktop's request
// does not come as a spontaneous event on Wayland: the toolkit closes the window as the program itself would.
void Main::closeEvent(QCloseEvent* event)
{
    if (!m_lastFrameAnswered && holdUntilFrameAnswered(*this, [this] {
            m_lastFrameAnswered = true;
            close();
        }))
        return event->ignore();
    QWidget::closeEvent(event);
}

void Main::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), FormColour);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(1 / TwipsPerPixel, 1 / TwipsPerPixel);
    const QRectF exposedPixels(event->rect());
    m_painter.draw(painter, m_board, QRectF(exposedPixels.topLeft() * TwipsPerPixel, exposedPixels.size() * TwipsPerPixel));
    // The frame goes to the screen as this returns; the box is built in the idle moment after it.
    if (!m_prompt)
        QMetaObject::invokeMethod(this, [this] { prompt(); }, Qt::QueuedConnection);
}
