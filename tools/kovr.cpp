// kovr: the database tools. They find the installation folder as the parent
// of their own folder KOVR/ and start with the launcher.

#include "dialogs.h"
#include "display.h"
#include "installation.h"
#include "kovrapp.h"
#include "translations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (displayMissing("KOVR", "kovr", "KOVR/kovr"))
        return 2;
    QApplication app(argc, argv);
    // The tools end through "KOVRの終了" or the close box of the visible
    // window; between two windows there is a moment with none visible.
    app.setQuitOnLastWindowClosed(false);
    app.setApplicationName(QStringLiteral("KOVR"));
    installJapaneseTranslations();

    DesktopDialogs dialogs(QStringLiteral("KOVR"));
    KovrApp tools(Installation::ofTools(QCoreApplication::applicationDirPath()), dialogs);
    tools.start();
    if (tools.ended())
        return 1;
    return app.exec();
}
