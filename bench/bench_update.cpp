// The update tool on a full table of 32,767 rows, as a teacher runs it
// (launcher, update tool, "更　新": marker search, backup copy, scaling row
// by row through the data editor's cursor, marker), beside one SQL UPDATE
// doing the same scaling with the sqlite3 command. Run with bench/run.sh.

#include "bigmap.h"
#include "form10.h"
#include "kovrapp.h"
#include "schema.h"
#include "tables.h"
#include "update.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int rows = tables::maxDataRows - 1;  // room for the marker

double runTool(const QString& folder)
{
    SilentDialogs dialogs;
    KovrApp app{Installation(folder), dialogs};
    app.onEnd = [] {};
    app.start();
    Form10& tool = app.form10();
    QElapsedTimer timer;
    timer.start();
    tool.Command1_Click();
    return timer.nsecsElapsed() / 1e6;
}

// The same conversion on a cursor that no window shows.
double runBare(const QString& database)
{
    auto db = Database::open(database);
    Cursor data(*db, tables::data, Cursor::Kind::Dynaset);
    QElapsedTimer timer;
    timer.start();
    updateToVer2(data);
    return timer.nsecsElapsed() / 1e6;
}

double runSql(const QString& database)
{
    return sqliteMilliseconds(database, QStringLiteral(
        "BEGIN IMMEDIATE;"
        "UPDATE data SET xz = floor(xz * 1.25), yz = floor(yz * 1.25) WHERE userID NOT IN (0, 1);"
        "INSERT INTO data (object, comment, indexs, userID) SELECT 'UpdateCompleted', "
        "'Update済フラグ　削除しないでください', CAST(indexs + 1 AS TEXT), 1 FROM data "
        "WHERE rowid = (SELECT max(rowid) FROM data);"
        "COMMIT;"));
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir dir;
    const QString original = dir.filePath(QStringLiteral("original.mdb"));
    createDatabase(original);
    fillBigMap(original, rows, 1000);

    std::vector<double> tool, bare, sql;
    for (int run = 0; run < 3; ++run) {
        const QString folder = dir.filePath(QStringLiteral("run%1").arg(run));
        QDir().mkpath(folder + QStringLiteral("/KOVR"));
        QFile::copy(original, folder + QStringLiteral("/wandelo.mdb"));
        tool.push_back(runTool(folder));
        const QString plain = dir.filePath(QStringLiteral("bare%1.mdb").arg(run));
        QFile::copy(original, plain);
        bare.push_back(runBare(plain));
        const QString copy = dir.filePath(QStringLiteral("sql%1.mdb").arg(run));
        QFile::copy(original, copy);
        sql.push_back(runSql(copy));
    }
    std::printf("update tool, %d rows of data:   %8.1f ms  (median of 3; backup copy included)\n", rows,
                median(tool));
    std::printf("the same on a bare cursor:     %8.1f ms  (median of 3; no window, no backup)\n",
                median(bare));
    std::printf("sqlite3, one UPDATE statement: %8.1f ms  (median of 3; process start included)\n",
                median(sql));
    return 0;
}
