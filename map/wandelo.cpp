// wandelo: the map program. It finds its installation folder from where
// its own executable lies and starts with the login window.

#include "dialogs.h"
#include "installation.h"
#include "session.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt would end with a platform error that says nothing
// to a teacher; say what is missing and how to start anyway.
bool displayMissing()
{
    const bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    return !platformChosen && !x11 && !wayland;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (displayMissing()) {
        std::fputs("ワンデロ: 画面（ディスプレイ）が見つかりません。デスクトップの中で起動してください。\n"
                   "wandelo: no display found. Start it from a desktop session, or without a screen:\n"
                   "  xvfb-run -a <installation folder>/wandelo\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    // The program ends through the session (the close box of the map
    // window, "終了", "ワンデロの終了"), not whenever no window is visible:
    // logout has a moment with no window at all.
    app.setQuitOnLastWindowClosed(false);
    app.setApplicationName(QStringLiteral("ワンデロ"));

    DesktopDialogs dialogs(QStringLiteral("ワンデロ"));
    Session session(Installation::ofMapProgram(QCoreApplication::applicationDirPath()), dialogs);
    session.start();
    if (session.ended())
        return 1;
    return app.exec();
}
