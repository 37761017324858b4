// Photographs the help window and the version window for the README on
// Qt's offscreen platform, and writes the web site of one user's map with
// the real export code, so that a browser can photograph it too.
//
//   shoot_windows <installation folder> <screenshot folder> <user name>

#include "cursor.h"
#include "database.h"
#include "helpwindow.h"
#include "htmlexport.h"
#include "int16.h"
#include "version.h"

#include <QApplication>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QTest>
#include <cstdio>

namespace {

bool save(QWidget& window, const QString& file)
{
    QTest::qWait(300);
    return window.grab().save(file);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fputs("usage: shoot_windows <installation folder> <screenshot folder> <user name>\n", stderr);
        return 2;
    }
    const Installation installation(args[1]);
    const QString out = args[2];
    const QString helpFile = installation.folder() + QStringLiteral("/ヘルプ/ヘルプ.hlp");

    QString error;
    HelpWindow* help = HelpWindow::open(helpFile, QString(), &error);
    if (!help) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    for (int i = 0; i < 50 && help->currentPage().isEmpty(); ++i)
        QTest::qWait(100);
    help->engine()->contentWidget()->expandAll();
    save(*help, out + QStringLiteral("/help-topics.png"));
    HelpWindow::open(helpFile, QStringLiteral("ポイント"));
    save(*help, out + QStringLiteral("/help-keyword.png"));

    QWidget map;
    map.resize(800, 600);
    Version version(&map);
    version.show();
    save(version, out + QStringLiteral("/version.png"));

    auto db = Database::open(installation.database());
    Cursor users(*db, tables::userdata, Cursor::Kind::Dynaset);
    while (!users.eof() && users.text(tables::user::Name) != args[3])
        users.moveNext();
    if (users.eof()) {
        std::fprintf(stderr, "no user %s\n", qPrintable(args[3]));
        return 1;
    }
    Cursor data(*db, tables::data, Cursor::Kind::Table);
    const htmlexport::Result result = htmlexport::run(
        installation, {args[3], users.text(tables::user::BackGnd), toInt16(users.value(tables::user::userID)).value_or(0)},
        data);
    std::printf("%s\n", qPrintable(result.message));
    return result.end == htmlexport::Result::End::Finished ? 0 : 1;
}
