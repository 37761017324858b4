#pragma once
// Puts a control at its place in a window of fixed layout: left, top,
// width and height in pixels, as the windows' layouts are given.

#include <QWidget>

template <class W>
W* place(W* widget, int left, int top, int width, int height)
{
    widget->setGeometry(left, top, width, height);
    return widget;
}
