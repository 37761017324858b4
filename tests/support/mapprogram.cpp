#include "mapprogram.h"

#include "login.h"
#include "main_window.h"
#include "pointbuttons.h"

#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>

MapProgram::MapProgram(Fixture& f) : MapProgram(f.installation()) {}

MapProgram::MapProgram(const Installation& installation) : session(installation, dialogs)
{
    session.onEnd = [this] { ended = true; };
}

void MapProgram::choose(const QString& name)
{
    QComboBox* list = session.login().Combo1;
    const int i = list->findText(name);
    if (i < 0)
        QFAIL(qPrintable("not listed: " + name));
    list->setCurrentIndex(i);
    emit list->activated(i);
}

QStringList MapProgram::listed()
{
    QStringList names;
    for (int i = 0; i < session.login().Combo1->count(); ++i)
        names << session.login().Combo1->itemText(i);
    return names;
}

Main& MapProgram::map()
{
    Main& window = session.map();
    if (!QTest::qWaitForWindowExposed(&window))
        qWarning("the map window was not exposed");
    return window;
}

namespace {
QPoint inWindow(Main& map, QPoint onMap)
{
    return map.map()->mapTo(&map, onMap);
}
}  // namespace

void MapProgram::clickMap(Qt::MouseButton button, QPoint at)
{
    Main& window = map();
    QTest::mouseClick(window.windowHandle(), button, {}, inWindow(window, at));
}

void MapProgram::clickPoint(int index, Qt::MouseButton button, QPoint inside)
{
    Main& window = map();
    QPushButton* b = window.Command1().widget(index);
    QTest::mouseClick(window.windowHandle(), button, {}, inWindow(window, b->pos() + inside));
}

void MapProgram::pressPoint(int index, Qt::MouseButton button, QPoint inside)
{
    Main& window = map();
    QPushButton* b = window.Command1().widget(index);
    QTest::mousePress(window.windowHandle(), button, {}, inWindow(window, b->pos() + inside));
}

void MapProgram::releaseOnMap(Qt::MouseButton button, QPoint at)
{
    Main& window = map();
    QTest::mouseMove(window.windowHandle(), inWindow(window, at));
    QTest::mouseRelease(window.windowHandle(), button, {}, inWindow(window, at));
}

void MapProgram::chooseFromMenu(QMenu* menu, QAction* item)
{
    if (!menu->isVisible())
        QFAIL("the menu did not pop up");
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
}
