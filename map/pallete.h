#pragma once
// The colour palette `Pallete`: 48 fixed colours in 6 rows of 8. One click
// on a swatch makes its colour the drawing colour of the paint window and
// closes the palette.

#include <QColor>
#include <QList>
#include <QWidget>

class ColourBox;
class QGroupBox;
class Session;

class Pallete : public QWidget {
    Q_OBJECT
public:
    explicit Pallete(Session& session);

    static constexpr int rows = 6;
    static constexpr int columns = 8;
    // The colour of the swatch in row r, column c (both from 0).
    static QColor colourAt(int row, int column);

    void picColor_Click(int index);

    QGroupBox* Frame1 = nullptr;
    QList<ColourBox*> picColor;  // index = row * 8 + column

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Session& session_;
};
