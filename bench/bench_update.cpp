// The update tool on a full table of 32,767 rows, as a teacher runs it
// (launcher, update tool, "更　新": marker search, backup copy, scaling in
// one UPDATE on the data editor's connection, marker), beside its floor in the
// same process (the marker search, one UPDATE and the marker INSERT through
// the sqlite3 C API on a copy of the same file) and beside the same SQL run
// by the sqlite3 command. Run with bench/run.sh.

#include "bigmap.h"
#include "form10.h"
#include "kovrapp.h"
#include "measure.h"
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

const QString scaling = QStringLiteral(
    "UPDATE data SET xz = floor(xz * 1.25), yz = floor(yz * 1.25) WHERE userID NOT IN (0, 1);"
    "INSERT INTO data (object, comment, indexs, userID) SELECT 'UpdateCompleted', "
    "'Update済フラグ　削除しないでください', CAST(indexs + 1 AS TEXT), 1 FROM data "
    "WHERE rowid = (SELECT max(rowid) FROM data);");

double runSql(const QString& database)
{
    return sqliteMilliseconds(database, QStringLiteral("BEGIN IMMEDIATE;") + scaling + QStringLiteral("COMMIT;"));
}

// The floor: in one transaction, the marker search, the last row's indexs
// and the row count the tool checks, the scaling and the marker.
double runFloor(const QString& database)
{
    PlainConnection db(database);
    return milliseconds([&] {
        db.exec(QStringLiteral("BEGIN IMMEDIATE"));
        if (db.integer(QStringLiteral("SELECT count(*) FROM data WHERE object = 'UpdateCompleted'")) != 0)
            throw std::runtime_error("the copy is already updated");
        db.integer(QStringLiteral("SELECT CAST(indexs AS INTEGER) FROM data ORDER BY rowid DESC LIMIT 1"));
        db.integer(QStringLiteral("SELECT count(*) FROM data"));
        db.exec(scaling);
        db.exec(QStringLiteral("COMMIT"));
    });
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

    constexpr int runs = 5;
    std::vector<double> tool, floors, bare, sql;
    for (int run = 0; run < runs; ++run) {
        const QString folder = dir.filePath(QStringLiteral("run%1").arg(run));
        QDir().mkpath(folder + QStringLiteral("/KOVR"));
        copyFile(original, folder + QStringLiteral("/wandelo.mdb"));
        tool.push_back(runTool(folder));
        // A tool that wrote nothing is not timed as if it had worked.
        if (PlainConnection(folder + QStringLiteral("/wandelo.mdb"))
                .integer(QStringLiteral("SELECT count(*) FROM data WHERE object = 'UpdateCompleted'")) != 1)
            throw std::runtime_error("the update tool did not update");
        const QString forFloor = dir.filePath(QStringLiteral("floor%1.mdb").arg(run));
        copyFile(original, forFloor);
        floors.push_back(runFloor(forFloor));
        const QString plain = dir.filePath(QStringLiteral("bare%1.mdb").arg(run));
        copyFile(original, plain);
        bare.push_back(runBare(plain));
        const QString copy = dir.filePath(QStringLiteral("sql%1.mdb").arg(run));
        copyFile(original, copy);
        sql.push_back(runSql(copy));
    }
    const double ratio = median(ratios(tool, floors));
    std::printf("update tool, %d rows of data (median of %d)\n", rows, runs);
    std::printf("  as the teacher runs it:              %8.1f ms (backup copy included)\n", median(tool));
    std::printf("  floor, same SQL work in process:     %8.1f ms (%.2fx: the tool against it)\n", median(floors),
                ratio);
    std::printf("  the same on a bare cursor:           %8.1f ms (no window, no backup)\n", median(bare));
    std::printf("  sqlite3 command, one UPDATE:         %8.1f ms (process start included)\n", median(sql));
    summarize(QStringLiteral("update tool, 32766 rows, vs in-process SQL"), formatMs(median(tool)),
              formatMs(median(floors)), ratio, 2);
    return 0;
}
