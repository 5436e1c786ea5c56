// The toolkit's floor: the least a Qt window can do that still looks and behaves like the game's board.
#pragma once

#include <QColor>
#include <QPushButton>
#include <QWidget>

// Same size, same button at the same place, a 200 × 200 area repainted on every press.
class FloorWindow : public QWidget {
public:
    explicit FloorWindow(QWidget* parent = nullptr);

    QPushButton& button() { return m_button; }
    int presses() const { return m_presses; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void onPress();

    QPushButton m_button;
    int m_presses = 0;
};

// The colour of floorRgb, for the painter.
QColor floorColour(int presses);
