// The merge between two databases as a teacher runs it (launcher, merge
// tool, receiving user, the brought wandelo.mdb, sending user, "統　合":
// backup copy, one transaction appending row by row through the data
// editor's cursor): a sending user with 2,000 points into a local table of
// 30,000 rows, beside one INSERT … SELECT doing the same with the sqlite3
// command. Run with bench/run.sh.

#include "bigmap.h"
#include "form5.h"
#include "kovrapp.h"
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

double runSql(const QString& database, const QString& sending)
{
    return sqliteMilliseconds(database, QStringLiteral(
        "ATTACH '%1' AS s;"
        "BEGIN IMMEDIATE;"
        "INSERT INTO main.data (object, months, days, comment, indexs, yz, xz, photo, childs, mother, userID) "
        "SELECT object, months, days, comment, "
        "CAST((SELECT max(CAST(indexs AS INTEGER)) FROM main.data) + row_number() OVER (ORDER BY rowid) AS TEXT), "
        "yz, xz, 'C:\\Program Files\\ワンデロ\\写真\\あき\\' || substr(photo, 4), 0, 0, 2 "
        "FROM s.data WHERE userID = 9;"
        "COMMIT;").arg(sending));
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

    std::vector<double> tool, sql;
    int added = 0;
    for (int run = 0; run < 3; ++run) {
        const QString folder = dir.filePath(QStringLiteral("run%1").arg(run));
        QDir().mkpath(folder + QStringLiteral("/KOVR"));
        QFile::copy(original, folder + QStringLiteral("/wandelo.mdb"));
        tool.push_back(runTool(folder, sending));
        const QString copy = dir.filePath(QStringLiteral("sql%1.mdb").arg(run));
        QFile::copy(original, copy);
        sql.push_back(runSql(copy, sending));
        QProcess count;
        count.start(QStringLiteral("sqlite3"), {folder + QStringLiteral("/wandelo.mdb"), QStringLiteral("SELECT count(*) FROM data")});
        count.waitForFinished(-1);
        added = count.readAllStandardOutput().trimmed().toInt() - localRows;
    }
    std::printf("merge between two databases, %d points into %d rows (%d added): %8.1f ms  (median of 3; backup copy included)\n",
                sendingPoints, localRows, added, median(tool));
    std::printf("sqlite3, one INSERT ... SELECT:                                     %8.1f ms  (median of 3; process start included)\n",
                median(sql));
    return 0;
}
