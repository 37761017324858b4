#include "pointbuttons.h"

#include <QEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <qdrawutil.h>

namespace {

const char* indexProperty = "pointIndex";

// A light grey square with a raised edge and the bulb in the middle, as the
// old graphical buttons looked. Painted by hand: a style sheet per button
// would cost more than all the rest of opening a big map.
class BulbButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(192, 192, 192));
        qDrawShadePanel(&painter, rect(), palette(), isDown(), 2);
        const QRect picture((width() - iconSize().width()) / 2 + (isDown() ? 1 : 0),
                            (height() - iconSize().height()) / 2 + (isDown() ? 1 : 0),
                            iconSize().width(), iconSize().height());
        icon().paint(&painter, picture);
    }
};

const QIcon& litBulb()
{
    static const QIcon icon(QStringLiteral(":/art/bulb_lit.png"));
    return icon;
}

const QIcon& unlitBulb()
{
    static const QIcon icon(QStringLiteral(":/art/bulb_unlit.png"));
    return icon;
}

}  // namespace

PointButtons::PointButtons(QWidget* map) : QObject(map), map_(map), group_(std::make_unique<PointButton>()) {}

void PointButtons::create(int index)
{
    group_.create(index);
}

QPushButton* PointButtons::ensureWidget(PointButton& member)
{
    if (member.widget)
        return member.widget;
    auto* button = new BulbButton(map_);
    button->setProperty(indexProperty, member.index);
    button->setFixedSize(size, size);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(29, 29));
    button->move(qRound(member.left), qRound(member.top));
    button->setToolTip(member.toolTip);
    button->setVisible(member.visible);
    button->installEventFilter(this);
    member.widget = button;
    ++widgetCount_;
    applyPicture(member);
    return button;
}

void PointButtons::applyPicture(PointButton& member)
{
    if (member.widget)
        member.widget->setIcon(member.moving ? unlitBulb() : litBulb());
}

QPushButton* PointButtons::widget(int index)
{
    return ensureWidget(group_.at(index));
}

void PointButtons::setToolTip(int index, const QString& text)
{
    PointButton& member = group_.at(index);
    member.toolTip = text;
    ensureWidget(member)->setToolTip(text);
}

void PointButtons::setPosition(int index, float left, float top)
{
    PointButton& member = group_.at(index);
    member.left = left;
    member.top = top;
    ensureWidget(member)->move(qRound(left), qRound(top));
}

void PointButtons::setLeft(int index, float left)
{
    setPosition(index, left, group_.at(index).top);
}

void PointButtons::setTop(int index, float top)
{
    setPosition(index, group_.at(index).left, top);
}

void PointButtons::setVisible(int index, bool visible)
{
    PointButton& member = group_.at(index);
    member.visible = visible;
    if (visible || member.widget)
        ensureWidget(member)->setVisible(visible);
}

void PointButtons::setMoving(int index, bool moving)
{
    PointButton& member = group_.at(index);
    member.moving = moving;
    ensureWidget(member);
    applyPicture(member);
}

// The buttons report presses and releases with the mouse button and the
// position inside the button; the map window decides what they mean. Only
// the left button is passed on to the button itself (for its pressed
// look): a push button hands other buttons on to the map below it, which
// would take a right click on a point for one on the map.
bool PointButtons::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease
        && event->type() != QEvent::MouseButtonDblClick)
        return QObject::eventFilter(watched, event);
    const int index = watched->property(indexProperty).toInt();
    const auto* mouse = static_cast<QMouseEvent*>(event);
    // A double click is a second press to this program, as a child means it.
    if (event->type() != QEvent::MouseButtonRelease)
        emit pressed(index, mouse->button(), mouse->position());
    else
        emit released(index, mouse->button(), mouse->position(), mouse->globalPosition());
    return mouse->button() != Qt::LeftButton;
}
