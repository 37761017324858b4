#pragma once
// The map program on a fixture's installation folder, with scripted
// dialogs, driven the way a child drives it.

#include "fixture.h"
#include "scripteddialogs.h"
#include "session.h"

#include <QPoint>

class Main;
class QMenu;
class QAction;

struct MapProgram {
    explicit MapProgram(Fixture& f);
    // On an installation folder of its own, such as a moved one.
    explicit MapProgram(const Installation& installation);
    void start() { session.start(); }
    // Chooses a name from the login list (the map opens).
    void choose(const QString& name);
    QStringList listed();
    Main& map();

    // Real mouse events on the shown map window, in map units.
    void clickMap(Qt::MouseButton button, QPoint at);
    void clickPoint(int index, Qt::MouseButton button, QPoint inside = QPoint(16, 16));
    void pressPoint(int index, Qt::MouseButton button, QPoint inside);
    void releaseOnMap(Qt::MouseButton button, QPoint at);
    // Clicks an item of a menu that has popped up.
    static void chooseFromMenu(QMenu* menu, QAction* item);

    ScriptedDialogs dialogs;
    Session session;
    bool ended = false;
};
