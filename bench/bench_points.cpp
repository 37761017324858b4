// Opening the records of an early and of a late point of a big table, and
// making a point in a table that is almost full beside one of ten rows and
// beside its floor in the same process (the SELECT of the first free row,
// the row count and the INSERT through the sqlite3 C API). Run with
// bench/run.sh.

#include "bigmap.h"
#include "datas.h"
#include "login.h"
#include "main_window.h"
#include "measure.h"
#include "pointbuttons.h"
#include "schema.h"
#include "session.h"
#include "tables.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

struct Opened {
    explicit Opened(const QString& folder) : session(Installation(folder), dialogs)
    {
        session.onEnd = [] {};
        session.start();
        session.login().Combo1->setCurrentIndex(0);
        session.login().Combo1_Click();
    }
    SilentDialogs dialogs;
    Session session;
};

QString makeInstallation(QTemporaryDir& dir, int rows, bool freeRows)
{
    createDatabase(dir.path() + QStringLiteral("/wandelo.mdb"));
    fillBigMap(dir.path() + QStringLiteral("/wandelo.mdb"), rows, std::min(rows, 1000), freeRows);
    writePictures(dir.path());
    return dir.path();
}

double openRecordsMicroseconds(Opened& opened, int button)
{
    constexpr int times = 100;
    Main& map = opened.session.map();
    Datas& records = opened.session.datas();
    return milliseconds([&] {
        for (int k = 0; k < times; ++k) {
            emit map.Command1().released(button, Qt::LeftButton, QPointF(16, 16), QPointF());
            records.Command3_Click();  // OK: nothing changed, the window hides
        }
    }) * 1000 / times;
}

double createPointMilliseconds(const QString& templateDatabase)
{
    QTemporaryDir dir;
    copyFile(templateDatabase, dir.filePath(QStringLiteral("wandelo.mdb")));
    writePictures(dir.path());
    const QString database = dir.filePath(QStringLiteral("wandelo.mdb"));
    const auto rowCount = [&] { return PlainConnection(database).integer(QStringLiteral("SELECT count(*) FROM data")); };
    const qint64 before = rowCount();
    Opened opened(dir.path());
    const double ms = milliseconds([&] { opened.session.map().pntcrl_new->trigger(); });
    if (rowCount() != before + 1)  // a refused point is not timed as if it had been made
        throw std::runtime_error("no point was made");
    return ms;
}

// The same work with nothing in between: the first free row (there is
// none), the row count, and the new head record appended.
double createPointFloorMilliseconds(const QString& templateDatabase)
{
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("wandelo.mdb"));
    copyFile(templateDatabase, copy);
    PlainConnection db(copy);
    return milliseconds([&] {
        if (db.integer(QStringLiteral("SELECT rowid FROM data WHERE userID = 0 ORDER BY rowid LIMIT 1")) != 0)
            throw std::runtime_error("a free row where none should be");
        const qint64 n = db.integer(QStringLiteral("SELECT count(*) FROM data"));
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db.get(),
                           "INSERT INTO data (object, months, days, comment, indexs, yz, xz, photo, childs, mother,"
                           " userID) VALUES ('', '12', '10', ?, ?, 284, 384, ?, 0, 0, 2)",
                           -1, &insert, nullptr);
        const QByteArray comment = tables::newComment.toUtf8();
        const QByteArray indexs = QByteArray::number(n + 1);
        const QByteArray photo = tables::placeholderAbsolute.toUtf8();
        sqlite3_bind_text(insert, 1, comment.constData(), -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 2, indexs.constData(), -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 3, photo.constData(), -1, SQLITE_STATIC);
        const int rc = sqlite3_step(insert);
        sqlite3_finalize(insert);
        if (rc != SQLITE_DONE)
            throw std::runtime_error("the floor's INSERT failed");
    });
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int runs = 7;

    QTemporaryDir big;
    Opened opened(makeInstallation(big, 32767, true));
    std::vector<double> early, late;
    for (int run = 0; run < runs; ++run) {
        early.push_back(openRecordsMicroseconds(opened, 10));
        late.push_back(openRecordsMicroseconds(opened, 32000));
    }
    const double reachRatio = median(ratios(late, early));
    std::printf("opening a point's records in a table of 32767 rows (left click to record window shown, median of %d)\n",
                runs);
    std::printf("  point    10: %7.1f us\n", median(early));
    std::printf("  point 32000: %7.1f us (%.2fx point 10)\n", median(late), reachRatio);
    summarize(QStringLiteral("open point 32000's records vs point 10"),
              QString::number(median(late), 'f', 1) + QStringLiteral(" us"),
              QString::number(median(early), 'f', 1) + QStringLiteral(" us"), reachRatio, 1.2);

    QTemporaryDir almostFull, small;
    const QString almostFullDb = makeInstallation(almostFull, 32766, false) + QStringLiteral("/wandelo.mdb");
    const QString smallDb = makeInstallation(small, 10, false) + QStringLiteral("/wandelo.mdb");
    std::vector<double> bigMs, smallMs, floorMs;
    for (int run = 0; run < runs; ++run) {
        bigMs.push_back(createPointMilliseconds(almostFullDb));
        smallMs.push_back(createPointMilliseconds(smallDb));
        floorMs.push_back(createPointFloorMilliseconds(almostFullDb));
    }
    const double sizeRatio = median(ratios(bigMs, smallMs));
    const double floorRatio = median(ratios(bigMs, floorMs));
    std::printf("making a point (no free row: the whole table is searched, then a row appended), median of %d\n", runs);
    std::printf("  table of 32766 rows: %7.2f ms\n", median(bigMs));
    std::printf("  table of    10 rows: %7.2f ms (32766 rows take %.2fx)\n", median(smallMs), sizeRatio);
    std::printf("  floor at 32766 rows: %7.2f ms (SQL search, count, INSERT; the program takes %.2fx)\n",
                median(floorMs), floorRatio);
    summarize(QStringLiteral("make a point, 32766 rows vs 10 rows"), formatMs(median(bigMs)),
              formatMs(median(smallMs)), sizeRatio, 2);
    summarize(QStringLiteral("make a point, 32766 rows vs its SQL floor"), formatMs(median(bigMs)),
              formatMs(median(floorMs)), floorRatio, 0);
    return 0;
}
