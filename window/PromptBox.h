// The modal Yes/No question box: only its two buttons can close it.
#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QSet>
#include <string>

class QEventLoop;

class PromptBox : public QMessageBox {
    Q_OBJECT
public:
    // Made ready to show: the style, the layout and the native window are paid for ahead of the first showing.
    explicit PromptBox(QWidget* owner);

    // Shows the question until Yes or No is chosen; true for Yes. After Yes the box stays up for the question that
    // follows, so that a run of Yes answers is one window; No hides it.
    bool ask(const std::string& text, const std::string& title);

    // What a screen reader says after the text; nothing on the screen changes.
    void setSpokenNote(const QString& note);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int waitForAnswer();
    void hideOnceFrameAnswered();
    void takeAnswer(QAbstractButton* chosen);
    bool swallowsKey(QEvent* event);

    QEventLoop* m_answered = nullptr;
    int m_answer = QMessageBox::No;

    QString m_spokenNote;
    QElapsedTimer m_sinceLastKey;
    QSet<int> m_swallowedKeys;
};
