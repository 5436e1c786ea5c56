// The modal Yes/No question box. Escape and the close box would answer No on the player's
// behalf, so both are refused: the player has to pick a button.
#include "PromptBox.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLayout>
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
    auto* buttons = findChild<QDialogButtonBox*>();
    disconnect(buttons, nullptr, this, nullptr);
    connect(buttons, &QDialogButtonBox::clicked, this, &PromptBox::takeAnswer);
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
    hide();
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

void PromptBox::prepareFirstShow()
{
    ensurePolished();
    layout()->activate();
    winId();
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
