// Counts the events of one kind that reach a widget, and may act on each: the tests watch paints (and the area each covers) and shows with it.
#pragma once

#include <QEvent>
#include <QObject>

#include <functional>
#include <utility>

class EventCounter : public QObject {
public:
    explicit EventCounter(QEvent::Type type, std::function<void(QEvent&)> onEvent = {})
        : m_type(type), m_onEvent(std::move(onEvent))
    {
    }
    EventCounter(QObject& watched, QEvent::Type type, std::function<void(QEvent&)> onEvent = {})
        : EventCounter(type, std::move(onEvent))
    {
        watch(watched);
    }

    // Counting starts here, so what came before (a window's first paints, say) can be left out.
    void watch(QObject& watched) { watched.installEventFilter(this); }
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == m_type) {
            ++m_count;
            if (m_onEvent)
                m_onEvent(*event);
        }
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void(QEvent&)> m_onEvent;
    int m_count = 0;
};
