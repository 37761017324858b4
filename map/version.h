#pragma once
// The version window `Version`: the title picture with the version text
// and a credit line. A click on the picture closes and destroys it; it is
// made anew at every opening.

#include <QWidget>

class QLabel;

class Version : public QWidget {
    Q_OBJECT
public:
    explicit Version(QWidget* parent);

    static constexpr int width = 336;
    static constexpr int height = 271;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Form_Click();
};
