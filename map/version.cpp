#include "version.h"

#include "fonts.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

Version::Version(QWidget* parent) : QWidget(parent, Qt::Dialog)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // No caption text. An empty title would make the desktop show the
    // program's name instead, so the title is one blank.
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(width, height);

    Label1 = new QLabel(QStringLiteral("Version  2  .1a"), this);
    Label1->setGeometry(216, 72, 121, 25);
    Label1->setFont(fonts::impact(14.25));
    Label2 = new QLabel(QStringLiteral("Made for kids"), this);
    Label2->setGeometry(25, 229, 109, 22);
    Label2->setFont(fonts::comicSans(9.75, true));
    for (QLabel* label : {Label1, Label2}) {
        // The labels keep their clicks: only the picture closes the window.
        label->setAttribute(Qt::WA_NoMousePropagation);
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, QColor(0x5d, 0x40, 0x37));
        label->setPalette(colours);
    }
}

void Version::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, QPixmap(QStringLiteral(":/art/version.png")));
}

void Version::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Form_Click();
}

void Version::Form_Click()
{
    close();  // and gone: the window deletes itself on close
}
