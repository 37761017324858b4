#pragma once
// The map window's point button group `Command1`: button i stands for the
// row at position i of the data cursor. Every row has a member, but only
// the current user's head records are shown, so a member's widget is made
// only when the button is first shown or given a picture, position or
// tooltip: a map of 32,767 rows then costs a few hundred widgets, not
// 32,767 of them.

#include "indexedgroup.h"

#include <QObject>
#include <QString>

class QPushButton;
class QWidget;

struct PointButton {
    int index = 0;
    // Map units; button 0's place, which a head record without a stored
    // position keeps.
    float left = 8;
    float top = 560;
    QString toolTip;
    bool visible = false;
    bool moving = false;  // shows the unlit bulb while it is being moved
    QPushButton* widget = nullptr;

    PointButton() = default;
    // A new member is a copy of member 0 without its widget.
    PointButton(const PointButton& other)
        : index(other.index), left(other.left), top(other.top), toolTip(other.toolTip),
          visible(false), moving(other.moving) {}
    PointButton& operator=(const PointButton&) = delete;
};

class PointButtons : public QObject {
    Q_OBJECT
public:
    static constexpr int size = 33;  // map units, square

    explicit PointButtons(QWidget* map);

    bool exists(int index) const { return group_.exists(index); }
    // Creates button `index` as a hidden copy of button 0; throws
    // IndexExists for an index that exists.
    void create(int index);
    const PointButton& at(int index) { return group_.at(index); }

    void setToolTip(int index, const QString& text);
    void setPosition(int index, float left, float top);
    void setLeft(int index, float left);
    void setTop(int index, float top);
    void setVisible(int index, bool visible);
    void setMoving(int index, bool moving);
    // The widget of a button, made on demand.
    QPushButton* widget(int index);

    int upperBound() const { return group_.upperBound(); }
    int widgetCount() const { return widgetCount_; }

signals:
    void pressed(int index, Qt::MouseButton button, QPointF inside);
    void released(int index, Qt::MouseButton button, QPointF inside, QPointF global);

private:
    QPushButton* ensureWidget(PointButton& member);
    void applyPicture(PointButton& member);
    bool eventFilter(QObject* watched, QEvent* event) override;

    QWidget* map_;
    IndexedGroup<PointButton> group_;
    int widgetCount_ = 0;
};
