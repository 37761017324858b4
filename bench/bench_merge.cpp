// The merge between two databases as a teacher runs it (launcher, merge
// tool, receiving user, the brought wandelo.mdb, sending user, "統　合":
// the data editor opened, backup copy, one transaction appending through
// one prepared statement on the data editor's cursor): a sending user with
// 2,000 points into a local table of 30,000 rows, beside its floor in the
// same process (one INSERT … SELECT from the attached sending file through
// the sqlite3 C API, on a copy of the same file) and beside the same SQL
// run by the sqlite3 command. Run with bench/run.sh.

#include "bigmap.h"
#include "form5.h"
#include "kovrapp.h"
#include "measure.h"
#include "mergewizard.h"
#include "schema.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int localRows = 30000;
constexpr int sendingPoints = 2000;

// Dialogs that choose the brought database and answer OK to everything.
class ChoosingDialogs : public SilentDialogs {
public:
    explicit ChoosingDialogs(QString file) : file_(std::move(file)) {}
    std::optional<QString> openFile(QWidget*, const QString&, const QList<FileFilter>&) override { return file_; }

private:
    QString file_;
};

bool sqlite(const QString& database, const QString& statements)
{
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {database, statements});
    p.waitForFinished(-1);
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// あき (userID 9) with 2,000 points, each followed by a second record, and
// another user's points between them.
void fillSending(const QString& database)
{
    createDatabase(database);
    sqlite(database, QStringLiteral(
        "BEGIN;"
        "INSERT INTO userdata VALUES ('あき', 9, '背景\\default.bmp');"
        "INSERT INTO userdata VALUES ('そら', 8, '背景\\default.bmp');"
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1 * 3 - 1) "
        "INSERT INTO data SELECT 'みつけた' || i, '7', '21', ' ', CAST(i + 1 AS TEXT), 100.0, 200.0, "
        "'写真\\p' || i || '.jpg', 0, 0, CASE i % 3 WHEN 0 THEN 9 WHEN 1 THEN 1 ELSE 8 END FROM n;"
        "COMMIT;").arg(sendingPoints));
}

double runTool(const QString& folder, const QString& sending)
{
    ChoosingDialogs dialogs(sending);
    KovrApp app{Installation(folder), dialogs};
    app.onEnd = [] {};
    app.start();
    app.form5().Option3->click();
    app.form5().Command1->click();
    app.form8().Option2->click();
    app.form8().Command1->click();
    app.form1().List1->setCurrentRow(0);  // はな
    app.form1().Command3->click();
    app.form2().Command1->click();
    app.form2().Command2->click();
    app.form3().List1->setCurrentRow(0);  // あき
    app.form3().Command1->click();
    QElapsedTimer timer;
    timer.start();
    app.form4().Command1_Click();
    return timer.nsecsElapsed() / 1e6;
}

// The receiving user's copies of the sending user's head records, each
// after the last row with the next indexs, photo in 写真\あき\.
const QString copying = QStringLiteral(
    "INSERT INTO main.data (object, months, days, comment, indexs, yz, xz, photo, childs, mother, userID) "
    "SELECT object, months, days, comment, "
    "CAST((SELECT CAST(indexs AS INTEGER) FROM main.data ORDER BY rowid DESC LIMIT 1) "
    "+ row_number() OVER (ORDER BY rowid) AS TEXT), "
    "yz, xz, 'C:\\Program Files\\ワンデロ\\写真\\あき\\' || substr(photo, 4), 0, 0, 2 "
    "FROM s.data WHERE userID = 9;");

double runSql(const QString& database, const QString& sending)
{
    return sqliteMilliseconds(database, QStringLiteral("ATTACH '%1' AS s; BEGIN IMMEDIATE;").arg(sending) + copying
                                            + QStringLiteral("COMMIT;"));
}

// The floor: the sending file attached beforehand (the wizard has it open
// by then); in one transaction the sender's ID, the row count the merge
// checks and the copy.
double runFloor(const QString& database, const QString& sending)
{
    PlainConnection db(database);
    db.exec(QStringLiteral("ATTACH '%1' AS s").arg(sending));
    db.integer(QStringLiteral("SELECT count(*) FROM s.sqlite_master"));
    return milliseconds([&] {
        db.exec(QStringLiteral("BEGIN IMMEDIATE"));
        if (db.integer(QStringLiteral("SELECT userID FROM s.userdata WHERE Name = 'あき'")) != 9)
            throw std::runtime_error("no sending user");
        db.integer(QStringLiteral("SELECT count(*) FROM main.data"));
        db.exec(copying);
        db.exec(QStringLiteral("COMMIT"));
    });
}

qint64 rowCount(const QString& database)
{
    return PlainConnection(database).integer(QStringLiteral("SELECT count(*) FROM data"));
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir dir;
    const QString original = dir.filePath(QStringLiteral("original.mdb"));
    createDatabase(original);
    fillBigMap(original, localRows, 1000);
    const QString sending = dir.filePath(QStringLiteral("brought/wandelo.mdb"));
    QDir().mkpath(dir.filePath(QStringLiteral("brought")));
    fillSending(sending);

    constexpr int runs = 5;
    std::vector<double> tool, floors, sql;
    for (int run = 0; run < runs; ++run) {
        const QString folder = dir.filePath(QStringLiteral("run%1").arg(run));
        QDir().mkpath(folder + QStringLiteral("/KOVR"));
        copyFile(original, folder + QStringLiteral("/wandelo.mdb"));
        tool.push_back(runTool(folder, sending));
        // A merge that added nothing is not timed as if it had worked.
        if (rowCount(folder + QStringLiteral("/wandelo.mdb")) != localRows + sendingPoints)
            throw std::runtime_error("the merge did not add the sending user's points");
        const QString forFloor = dir.filePath(QStringLiteral("floor%1.mdb").arg(run));
        copyFile(original, forFloor);
        floors.push_back(runFloor(forFloor, sending));
        if (rowCount(forFloor) != localRows + sendingPoints)
            throw std::runtime_error("the floor did not add the sending user's points");
        const QString copy = dir.filePath(QStringLiteral("sql%1.mdb").arg(run));
        copyFile(original, copy);
        sql.push_back(runSql(copy, sending));
    }
    const double ratio = median(ratios(tool, floors));
    std::printf("merge between two databases, %d points into %d rows (median of %d)\n", sendingPoints, localRows, runs);
    std::printf("  through the wizard:                 %8.1f ms (backup copy included)\n", median(tool));
    std::printf("  floor, same SQL work in process:    %8.1f ms (%.2fx: the wizard against it)\n", median(floors),
                ratio);
    std::printf("  sqlite3 command, INSERT ... SELECT: %8.1f ms (process start included)\n", median(sql));
    summarize(QStringLiteral("merge 2000 points into 30000 rows, vs in-process SQL"), formatMs(median(tool)),
              formatMs(median(floors)), ratio, 2);
    return 0;
}
