// Opening a big map beside its floor in the same process (one SELECT, the
// same point buttons made by bare Qt), beside the sqlite3 command reading
// the same rows, the peak memory of a big map against a small one (each
// in a fresh process), and the cost of reaching an early and a late row
// through the data cursor. Run with bench/run.sh.

#include "bigmap.h"
#include "cursor.h"
#include "database.h"
#include "login.h"
#include "main_window.h"
#include "measure.h"
#include "pointbuttons.h"
#include "schema.h"
#include "session.h"

#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int rows = 32767;
constexpr int pointsOfTheUser = 1000;
constexpr int runs = 7;
constexpr int hana = 2;  // the user whose map is opened

struct Opening {
    double milliseconds = 0;
    int shown = 0;
};

// Logs in as はな and opens her map; the time from choosing the name to the
// map shown and painted once.
Opening openWithWandelo(const Installation& installation)
{
    SilentDialogs dialogs;
    Session session(installation, dialogs);
    session.onEnd = [] {};
    session.start();
    QApplication::processEvents();
    session.login().Combo1->setCurrentIndex(0);
    Opening opening;
    opening.milliseconds = milliseconds([&] {
        session.login().Combo1_Click();
        QApplication::processEvents();
    });
    PointButtons& buttons = session.map().Command1();
    for (int i = 0; i < buttons.upperBound(); ++i)
        opening.shown += buttons.exists(i) && buttons.at(i).visible;
    return opening;
}

class BareMap : public QWidget {
public:
    QImage background;

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, background); }
};

// The floor: one SELECT of the columns the map needs, and for each of the
// user's rows a push button with the bulb at its place, on an 800 x 600
// widget with the same background picture, shown and painted once.
Opening openBare(const QString& database, const QString& backgroundFile)
{
    PlainConnection db(database);
    Opening opening;
    BareMap map;
    opening.milliseconds = milliseconds([&] {
        map.setFixedSize(800, 600);
        map.background = QImage(backgroundFile);
        const QIcon bulb(QStringLiteral(":/art/bulb_lit.png"));
        sqlite3_stmt* select = nullptr;
        sqlite3_prepare_v2(db.get(), "SELECT userID, object, xz, yz FROM data", -1, &select, nullptr);
        while (sqlite3_step(select) == SQLITE_ROW) {
            if (sqlite3_column_int(select, 0) != hana)
                continue;
            auto* button = new QPushButton(&map);
            button->setFixedSize(PointButtons::size, PointButtons::size);
            button->setIconSize(QSize(29, 29));
            button->setIcon(bulb);
            button->setToolTip(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(select, 1))));
            button->move(qRound(sqlite3_column_double(select, 2)), qRound(sqlite3_column_double(select, 3)));
            ++opening.shown;
        }
        sqlite3_finalize(select);
        map.show();
        QApplication::processEvents();
    });
    return opening;
}

// Run as a child: opens the map of the installation in `folder` and prints
// the peak resident set size in kB.
int reportPeak(const QString& folder)
{
    openWithWandelo(Installation(folder));
    std::printf("%lld\n", peakResidentKilobytes());
    return 0;
}

double peakMegabytes(const QString& folder)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak"), folder});
    child.waitForFinished(-1);
    const qint64 kb = child.readAllStandardOutput().trimmed().toLongLong();
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 || kb <= 0)
        throw std::runtime_error("the peak memory run failed");
    return kb / 1024.0;
}

QString makeInstallation(QTemporaryDir& dir, int rowCount, int points)
{
    createDatabase(dir.filePath(QStringLiteral("wandelo.mdb")));
    fillBigMap(dir.filePath(QStringLiteral("wandelo.mdb")), rowCount, points);
    writePictures(dir.path());
    return dir.path();
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--peak")
        return reportPeak(QString::fromLocal8Bit(argv[2]));

    QTemporaryDir dir, floorDir;
    const Installation installation(makeInstallation(dir, rows, pointsOfTheUser));
    const QString floorDatabase = floorDir.filePath(QStringLiteral("wandelo.mdb"));
    copyFile(installation.database(), floorDatabase);
    const QString background = dir.filePath(QStringLiteral("背景/default.bmp"));

    std::vector<double> openMs, floorMs, commandMs;
    Opening opened, bare;
    for (int run = 0; run < runs; ++run) {
        opened = openWithWandelo(installation);
        openMs.push_back(opened.milliseconds);
        bare = openBare(floorDatabase, background);
        floorMs.push_back(bare.milliseconds);
        commandMs.push_back(sqliteMilliseconds(installation.database(),
                                               QStringLiteral("SELECT userID, object, xz, yz FROM data;")));
    }
    const double ratio = median(ratios(openMs, floorMs));
    std::printf("opening a map of %d rows, %d of them the user's points (%d shown; %d buttons on the floor)\n",
                rows, pointsOfTheUser, opened.shown, bare.shown);
    std::printf("  wandelo, choose a name to map shown and painted: %8.1f ms (median of %d)\n", median(openMs), runs);
    std::printf("  floor, one SELECT + bare Qt buttons, painted:    %8.1f ms (median of %d)\n", median(floorMs), runs);
    std::printf("  ratio to the floor:                              %8.2fx (median of the runs' ratios)\n", ratio);
    std::printf("  sqlite3 command reads the rows:                  %8.1f ms (median of %d, process start included)\n",
                median(commandMs), runs);
    summarize(QStringLiteral("open a map, 32767 rows / 1000 points, vs bare Qt"), formatMs(median(openMs)),
              formatMs(median(floorMs)), ratio, 1.5);

    // Peak memory, each map opened in a fresh process.
    QTemporaryDir smallDir;
    const QString small = makeInstallation(smallDir, 10, 3);
    std::vector<double> bigMb, smallMb;
    for (int run = 0; run < 5; ++run) {
        bigMb.push_back(peakMegabytes(dir.path()));
        smallMb.push_back(peakMegabytes(small));
    }
    const double memoryRatio = median(bigMb) / median(smallMb);
    std::printf("peak memory (VmHWM) of opening a map, each in a fresh process (median of 5)\n");
    std::printf("  %d rows, %d points: %7.1f MB\n", rows, pointsOfTheUser, median(bigMb));
    std::printf("  %5d rows, %4d points: %7.1f MB\n", 10, 3, median(smallMb));
    std::printf("  ratio:                  %7.2fx\n", memoryRatio);
    summarize(QStringLiteral("peak memory, map of 32767 rows vs 10 rows"),
              QString::number(median(bigMb), 'f', 1) + QStringLiteral(" MB"),
              QString::number(median(smallMb), 'f', 1) + QStringLiteral(" MB"), memoryRatio, 1.5);

    // Reaching the row of a button: first row, then forward by the index.
    auto database = Database::open(installation.database());
    Cursor cursor(*database, QStringLiteral("data"), Cursor::Kind::Table);
    for (int target : {10, 32000}) {
        constexpr int reaches = 20000;
        QString seen;
        const double us = milliseconds([&] {
            for (int k = 0; k < reaches; ++k) {
                cursor.moveFirst();
                cursor.move(target - 1);
                seen = cursor.text(QStringLiteral("indexs"));
            }
        }) * 1000 / reaches;
        std::printf("  data cursor, reach row %5d and read indexs (%s): %6.2f us\n", target, qPrintable(seen), us);
    }
    return 0;
}
