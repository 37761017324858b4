#pragma once
// Shows a window over every other window of the program, taking the
// input until it closes, and brings it to the front (a window shown
// before may sit behind another).

#include <QWidget>

inline void showModal(QWidget& window)
{
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    window.raise();
    window.activateWindow();
}
