// kovr: the database tools. They find the installation folder as the parent
// of their own folder KOVR/ and start with the launcher.

#include "dialogs.h"
#include "installation.h"
#include "kovrapp.h"

#include <QApplication>
#include <cstdio>

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
        std::fputs("KOVR: 画面（ディスプレイ）が見つかりません。デスクトップの中で起動してください。\n"
                   "kovr: no display found. Start it from a desktop session, or without a screen:\n"
                   "  xvfb-run -a <installation folder>/KOVR/kovr\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    // The tools end through "KOVRの終了" or the close box of the visible
    // window; between two windows there is a moment with none visible.
    app.setQuitOnLastWindowClosed(false);
    app.setApplicationName(QStringLiteral("KOVR"));

    DesktopDialogs dialogs(QStringLiteral("KOVR"));
    KovrApp tools(Installation::ofTools(QCoreApplication::applicationDirPath()), dialogs);
    tools.start();
    if (tools.ended())
        return 1;
    return app.exec();
}
