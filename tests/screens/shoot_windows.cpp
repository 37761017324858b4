// Photographs the help window, the version window and the standard dialogs
// (open, print, a Yes/No question) for the README on Qt's offscreen
// platform, and writes the web site of one user's map with
// the real export code, so that a browser can photograph it too.
//
//   shoot_windows <installation folder> <screenshot folder> <user name>

#include "cursor.h"
#include "database.h"
#include "dialogs.h"
#include "helpwindow.h"
#include "htmlexport.h"
#include "int16.h"
#include "translations.h"
#include "version.h"

#include <QApplication>
#include <QPrinter>
#include <QTimer>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QTest>
#include <cstdio>
#include <functional>

namespace {

bool save(QWidget& window, const QString& file)
{
    QTest::qWait(300);
    return window.grab().save(file);
}

// Photographs the dialog that `show` opens, as the programs open it, and
// closes it.
void shootDialog(const QString& file, const std::function<void()>& show)
{
    QTimer::singleShot(800, [file] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            dialog->grab().save(file);
            dialog->close();
        }
    });
    show();
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    installJapaneseTranslations();
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
    version.hide();

    DesktopDialogs dialogs(QStringLiteral("ワンデロ"));
    shootDialog(out + QStringLiteral("/dialog-open.png"),
                [&] { dialogs.openFile(&map, installation.backgroundFolder(), pictureFileFilters()); });
    QPrinter printer;
    shootDialog(out + QStringLiteral("/dialog-print.png"), [&] { dialogs.choosePrinter(&map, printer); });
    shootDialog(out + QStringLiteral("/dialog-yes-no.png"), [&] {
        dialogs.message(&map, QStringLiteral("写真\\かぶと虫.bmpが見つかりません。探しますか？"), Dialogs::Buttons::YesNo,
                        Dialogs::Icon::None, QString());
    });

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
