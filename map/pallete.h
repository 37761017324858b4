#pragma once
// The colour palette `Pallete`: 48 fixed colours in 6 rows of 8. One click
// on a swatch announces its colour (the paint window that showed the
// palette takes it as its drawing colour) and closes the palette.

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

signals:
    void colourChosen(QColor colour);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Session& session_;
};
