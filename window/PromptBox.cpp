// The modal Yes/No question box. Escape and the close box would answer No on the player's
// behalf, so both are refused: the player has to pick a button.
#include "PromptBox.h"

#include "FrameAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QWindow>

PromptBox::PromptBox(QWidget* owner) : QMessageBox(owner)
{
    setIcon(QMessageBox::NoIcon);
    setTextFormat(Qt::PlainText);
    // Selectable text would lay the question out as a document, which takes the box three times as
    // long to show; the verdict is read, not copied.
    setTextInteractionFlags(Qt::NoTextInteraction);
    setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    setDefaultButton(QMessageBox::Yes);
    setWindowModality(Qt::ApplicationModal);
    // The toolkit's own box hides itself on either button; ours decides when it hides, so it takes the buttons'
    // answers itself.
    auto* answers = findChild<QDialogButtonBox*>();
    disconnect(answers, nullptr, this, nullptr);
    connect(answers, &QDialogButtonBox::clicked, this, &PromptBox::takeAnswer);
    for (QAbstractButton* answer : buttons())
        answer->installEventFilter(this);
    ensurePolished();
    layout()->activate();
    winId();
}

bool PromptBox::ask(const std::string& text, const std::string& title)
{
    setWindowTitle(QString::fromStdString(title));
    // The game breaks its lines with a lone carriage return.
    setText(QString::fromStdString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    const bool yes = waitForAnswer() == QMessageBox::Yes;
    // After Yes the same question follows at once, so the box stays up for it: hiding it in between would make it a
    // new window for the desktop, and the toolkit would hand the activation back to the board behind it.
    if (yes)
        return true;
    hideOnceFrameAnswered();
    // Each showing connects the box's window to the application anew, and the toolkit drops none of
    // these connections when a modal box hides, so a box kept for the whole game would gather one per
    // showing. Replacing the native window drops them; it is built again at once, so the next
    // question shows as quickly as the first.
    const QPoint placed = pos();
    destroy();
    winId();
    // The new native window starts at the screen's corner while the box still believes it is where
    // it was placed; telling the window keeps every showing where the first one was.
    windowHandle()->setPosition(placed);
    return false;
}

// The box's last frame is most often the No button's release, painted just before its answer.
void PromptBox::hideOnceFrameAnswered()
{
    QEventLoop answered;
    const QPointer<QEventLoop> waiting(&answered);
    if (holdUntilFrameAnswered(*this, [this, waiting] {
            hide();
            if (waiting)
                waiting->quit();
        }))
        answered.exec();
    // A termination request may end the wait first.
    hide();
}

// Anything else that ends the application's loops, such as a termination request, counts as No.
int PromptBox::waitForAnswer()
{
    m_answer = QMessageBox::No;
    if (!isVisible())
        show();
    QEventLoop answered;
    m_answered = &answered;
    answered.exec(QEventLoop::DialogExec);
    m_answered = nullptr;
    return m_answer;
}

void PromptBox::takeAnswer(QAbstractButton* chosen)
{
    m_answer = standardButton(chosen);
    if (m_answered)
        m_answered->quit();
}

void PromptBox::setSpokenNote(const QString& note) { m_spokenNote = note; }

// A screen reader speaks a message box's text from its label, so the note goes into the label's
// accessible name, which nothing draws.
void PromptBox::showEvent(QShowEvent* event)
{
    if (auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
        label->setAccessibleName(m_spokenNote.isEmpty() ? QString() : text() + QLatin1Char('\n') + m_spokenNote);
    m_sinceLastKey.start();
    m_swallowedKeys.clear();
    QMessageBox::showEvent(event);
}

// Presses that follow each other closer than the toolkit's interval between separate key presses are
// one burst: a player still pressing when the box appears, or one whose press was on its way. Such a
// burst answers nothing, or Space held on the round's button would answer Yes and the box would
// come back again and again, each time cutting off what the screen reader had begun to say.
bool PromptBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        if (swallowsKey(event))
            return true;
    return QMessageBox::eventFilter(watched, event);
}

bool PromptBox::swallowsKey(QEvent* event)
{
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (event->type() == QEvent::KeyRelease)
        return m_swallowedKeys.remove(key);
    const bool inBurst = m_sinceLastKey.isValid() && m_sinceLastKey.elapsed() < QApplication::keyboardInputInterval();
    m_sinceLastKey.start();
    if (inBurst)
        m_swallowedKeys.insert(key);
    return inBurst;
}

void PromptBox::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

// A button's own answer closes the box without passing through here; what arrives is the
// window system's close box or a close request, and the question stays.
void PromptBox::closeEvent(QCloseEvent* event) { event->ignore(); }
