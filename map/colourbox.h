#pragma once
// A small box showing one colour with a thin black border, that reports a
// click: the swatches of the palette and the paint window's colour box.

#include <QColor>
#include <QWidget>

class ColourBox : public QWidget {
    Q_OBJECT
public:
    explicit ColourBox(QColor colour, QWidget* parent = nullptr);
    QColor colour() const { return colour_; }
    void setColour(QColor colour);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor colour_;
};
