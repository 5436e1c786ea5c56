// Taking a window down only once the compositor has answered its last frame.
#include "FrameAnswer.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace {
// A shown window's frame is answered within a display frame or two, under a sanitizer within a few; a compositor
// that has not answered by then shows the window nowhere and may never answer.
constexpr int AnswerBoundMs = 250;

// The toolkit delivers an update it was asked for only after the pending frame's callback is answered and freed;
// that update is taken here, before the window would paint a new frame, and goes to `then` instead.
class FrameAnswerWait : public QObject {
public:
    FrameAnswerWait(QWidget& widget, QWindow* window, std::function<void()> then)
        : QObject(&widget), m_then(std::move(then))
    {
        window->installEventFilter(this);
        QTimer::singleShot(AnswerBoundMs, this, &FrameAnswerWait::finish);
        window->requestUpdate();
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::UpdateRequest)
            return false;
        finish();
        return true;
    }

private:
    void finish()
    {
        if (!m_then)
            return;
        const auto then = std::exchange(m_then, nullptr);
        deleteLater();
        then();
    }

    std::function<void()> m_then;
};
}

bool holdUntilFrameAnswered(QWidget& widget, std::function<void()> then)
{
    QWindow* window = widget.windowHandle();
    if (!window || !window->handle() || !widget.isVisible()
        || !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return false;
    new FrameAnswerWait(widget, window, std::move(then));
    return true;
}
