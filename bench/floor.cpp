// The toolkit's floor: the least a Qt window of the game's shape does to start, hold and redraw a count.
#include "FloorColour.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QWidget>

namespace {
const QRect Area(0, 0, 200, 200);
const QColor FormColour(0, 0, 255);

// The game's size, the same button at the same place, and a 200 × 200 area repainted on every press.
class FloorWindow : public QWidget {
public:
    FloorWindow() : m_button(QStringLiteral("Click Me"), this)
    {
        setWindowTitle(QStringLiteral("Tastenrenner floor"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(201, 266);
        m_button.setGeometry(0, 200, 97, 33);
        m_button.setFocus();
        connect(&m_button, &QPushButton::clicked, this, [this] {
            ++m_presses;
            update(Area);
        });
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        const Colour colour = floorColour(m_presses);
        QPainter painter(this);
        painter.fillRect(event->rect(), FormColour);
        painter.fillRect(Area.intersected(event->rect()), QColor(colour.Red, colour.Green, colour.Blue));
    }

private:
    QPushButton m_button;
    int m_presses = 0;
};
}

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    FloorWindow window;
    window.show();
    return application.exec();
}
