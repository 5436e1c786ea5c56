// The toolkit's floor: one button, one painted area, nothing else the game's window would add.
#include "FloorWindow.h"

#include "FloorColour.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
const QRect Area(0, 0, 200, 200);
const QColor FormColour(0, 0, 255);
}

QColor floorColour(int presses)
{
    const FloorRgb rgb = floorRgb(presses);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

FloorWindow::FloorWindow(QWidget* parent) : QWidget(parent), m_button(QStringLiteral("Click Me"), this)
{
    setWindowTitle(QStringLiteral("Tastenrenner floor"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(201, 266);
    m_button.setGeometry(0, 200, 97, 33);
    m_button.setFocus();
    connect(&m_button, &QPushButton::clicked, this, &FloorWindow::onPress);
}

void FloorWindow::onPress()
{
    ++m_presses;
    update(Area);
}

void FloorWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), FormColour);
    painter.fillRect(Area.intersected(event->rect()), floorColour(m_presses));
}
