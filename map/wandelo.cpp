// wandelo: the map program. It finds its installation folder from where
// its own executable lies and starts with the login window.

#include "dialogs.h"
#include "display.h"
#include "installation.h"
#include "session.h"
#include "translations.h"

#include <QApplication>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (displayMissing("ワンデロ", "wandelo", "wandelo"))
        return 2;
    QApplication app(argc, argv);
    // The program ends through the session (the close box of the map
    // window, "終了", "ワンデロの終了"), not whenever no window is visible:
    // logout has a moment with no window at all.
    app.setQuitOnLastWindowClosed(false);
    app.setApplicationName(QStringLiteral("ワンデロ"));
    installJapaneseTranslations();

    DesktopDialogs dialogs(QStringLiteral("ワンデロ"));
    Session session(Installation::ofMapProgram(QCoreApplication::applicationDirPath()), dialogs);
    session.start();
    if (session.ended())
        return 1;
    return app.exec();
}
