#include "colourbox.h"

#include <QMouseEvent>
#include <QPainter>

ColourBox::ColourBox(QColor colour, QWidget* parent) : QWidget(parent), colour_(colour)
{
    setCursor(Qt::PointingHandCursor);
}

void ColourBox::setColour(QColor colour)
{
    colour_ = colour;
    update();
}

void ColourBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), colour_);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColourBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}
