// The board's accessibility: the labels and the dial are painted, not widgets, so the window
// describes them itself as children beside the button.
#include "BoardAccessible.h"

#include "Twips.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <array>

namespace {
constexpr std::array PaintedControls{PaintedControl::Dial, PaintedControl::Minute, PaintedControl::Title,
                                     PaintedControl::Score, PaintedControl::Record};
// The sweep hand turns 6 degrees a second.
constexpr double DegreesPerSecond = 6;
constexpr double SecondsPerRound = 60;

class PaintedAccessible : public QAccessibleInterface, public QAccessibleValueInterface {
public:
    PaintedAccessible(QWidget* window, BoardView* view, PaintedControl control)
        : m_window(window), m_view(view), m_control(control)
    {
    }

    bool isValid() const override { return !m_window.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_window->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_window); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        return state;
    }

    QAccessible::Role role() const override
    {
        switch (m_control) {
        case PaintedControl::Dial: return QAccessible::Graphic;
        case PaintedControl::Minute: return QAccessible::ProgressBar;
        default: return QAccessible::StaticText;
        }
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface && m_control == PaintedControl::Minute)
            return static_cast<QAccessibleValueInterface*>(this);
        return nullptr;
    }

    // The minute as far as the sweep hand has gone, in seconds. Six hundred steps of 0.6 degrees add up
    // to a hair over a full turn; the bar still ends at the minute.
    QVariant currentValue() const override
    {
        // Once the minute has run out the bar is full, however many ticks a busy moment dropped.
        if (m_view->round().Pushes > 0 && !m_view->board().Clock.Enabled)
            return SecondsPerRound;
        return std::min(m_view->round().SweepAngle / DegreesPerSecond, SecondsPerRound);
    }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return SecondsPerRound; }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 0.0; }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return name();
        if (kind == QAccessible::Description && m_control == PaintedControl::Dial)
            return QStringLiteral("Turns a degree a press and changes colour with the count");
        return {};
    }

    QRect rect() const override
    {
        const QRect local = pixelsCovering(twipRect(bounds()));
        return QRect(m_window->mapToGlobal(local.topLeft()), local.size());
    }

private:
    // The label a control reads from, where it is one.
    const Label* label() const
    {
        const Board& board = m_view->board();
        switch (m_control) {
        case PaintedControl::Title: return &board.Title;
        case PaintedControl::Score: return &board.Score;
        case PaintedControl::Record: return &board.Record;
        default: return nullptr;
        }
    }

    QString name() const
    {
        if (const Label* shown = label())
            return QString::fromStdString(shown->Caption);
        return m_control == PaintedControl::Dial ? QStringLiteral("Dial") : QStringLiteral("Minute");
    }

    Rect bounds() const { return label() ? label()->Bounds : m_view->board().Background.Bounds; }

    QPointer<QWidget> m_window;
    BoardView* m_view;
    PaintedControl m_control;
};

class MainAccessible : public QAccessibleWidget {
public:
    MainAccessible(QWidget* window, BoardView* view) : QAccessibleWidget(window, QAccessible::Window)
    {
        for (std::size_t i = 0; i < PaintedControls.size(); ++i) {
            m_painted[i] = new PaintedAccessible(window, view, PaintedControls[i]);
            m_ids[i] = QAccessible::registerAccessibleInterface(m_painted[i]);
        }
    }

    ~MainAccessible() override
    {
        for (QAccessible::Id id : m_ids)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return widgetChildren() + int(m_painted.size()); }

    QAccessibleInterface* child(int index) const override
    {
        if (index < widgetChildren())
            return QAccessibleWidget::child(index);
        const int painted = index - widgetChildren();
        return painted < int(m_painted.size()) ? m_painted[painted] : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (std::size_t i = 0; i < m_painted.size(); ++i)
            if (m_painted[i] == child)
                return widgetChildren() + int(i);
        return QAccessibleWidget::indexOfChild(child);
    }

    QAccessibleInterface* painted(PaintedControl control) const { return m_painted[std::size_t(control)]; }

private:
    int widgetChildren() const { return QAccessibleWidget::childCount(); }

    std::array<QAccessibleInterface*, PaintedControls.size()> m_painted{};
    std::array<QAccessible::Id, PaintedControls.size()> m_ids{};
};

// The count as the score label shows it, read as a number: "007 pushes" is heard as "7 pushes".
QString spokenScore(const std::string& caption)
{
    QString spoken = QString::fromStdString(caption);
    while (spoken.size() > 1 && spoken.front() == QLatin1Char('0') && spoken.at(1).isDigit())
        spoken.remove(0, 1);
    return spoken;
}

// The game's button as the toolkit presents a push button, with the count as its description. The count is
// read when asked for and never announced: a screen reader that spoke each press would drown the game.
class ButtonAccessible : public QAccessibleWidget {
public:
    ButtonAccessible(QPushButton* button, const BoardView* view) : QAccessibleWidget(button, QAccessible::Button), m_view(view)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return button()->text();
        if (kind == QAccessible::Description)
            return spokenScore(m_view->board().Score.Caption);
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.defaultButton = button()->isDefault();
        state.pressed = button()->isDown();
        return state;
    }

    QStringList actionNames() const override { return QStringList(pressAction()) << QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            button()->animateClick();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QPushButton* button() const { return static_cast<QPushButton*>(widget()); }

    // The button is the window's child: it cannot outlive the view.
    const BoardView* m_view;
};

// Asked once for each class of an object, most derived first; the game window answers at its own class.
QAccessibleInterface* boardFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    if (auto* view = dynamic_cast<BoardView*>(object))
        return new MainAccessible(static_cast<QWidget*>(object), view);
    if (auto* view = dynamic_cast<BoardView*>(object->parent()); view && object == &view->button())
        return new ButtonAccessible(&view->button(), view);
    return nullptr;
}

// Only a listening screen reader asks for the window's description; nothing is built for one that is not there.
QAccessibleInterface* listenedTo(QWidget& window, PaintedControl control)
{
    if (!QAccessible::isActive())
        return nullptr;
    auto* board = static_cast<MainAccessible*>(QAccessible::queryAccessibleInterface(&window));
    return board ? board->painted(control) : nullptr;
}
}

void installBoardAccessibility()
{
    static const bool installed = (QAccessible::installFactory(boardFactory), true);
    Q_UNUSED(installed);
}

void announceTextChange(QWidget& window, PaintedControl control)
{
    if (QAccessibleInterface* label = listenedTo(window, control)) {
        QAccessibleEvent event(label, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

QString spokenCount(std::int64_t pushes, bool newRecord)
{
    const QString count = QString::number(pushes) + QStringLiteral(" pushes");
    return newRecord ? count + QStringLiteral(", a new record") : count;
}

void announceMinuteGone(QWidget& window)
{
    if (QAccessibleInterface* minute = listenedTo(window, PaintedControl::Minute)) {
        QAccessibleValueChangeEvent event(minute, minute->valueInterface()->currentValue());
        QAccessible::updateAccessibility(&event);
    }
}
