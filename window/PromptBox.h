// The modal Yes/No question box: only its two buttons can close it.
#pragma once

#include <QMessageBox>
#include <string>

class QEventLoop;

class PromptBox : public QMessageBox {
    Q_OBJECT
public:
    explicit PromptBox(QWidget* owner);

    // Shows the question until Yes or No is chosen; true for Yes. After Yes the box stays up for the question that
    // follows, so that a run of Yes answers is one window; No hides it.
    bool ask(const std::string& text, const std::string& title);

    // Pays ahead for what the first showing would: the style, the layout, the native window.
    void prepareFirstShow();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    int waitForAnswer();
    void takeAnswer(QAbstractButton* chosen);

    QEventLoop* m_answered = nullptr;
    int m_answer = QMessageBox::No;
};
