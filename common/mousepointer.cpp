#include "mousepointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
bool busyShown = false;
}

namespace mousePointer {

void busy()
{
    if (!busyShown && qGuiApp) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        busyShown = true;
    }
}

void normal()
{
    if (busyShown) {
        QGuiApplication::restoreOverrideCursor();
        busyShown = false;
    }
}

bool isBusy()
{
    return busyShown;
}

}  // namespace mousePointer
