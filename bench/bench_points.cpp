// Opening the records of an early and of a late point of a big table, and
// making a point in a table that is almost full beside one of ten rows.
// Run with bench/run.sh; the figures are printed, not judged.

#include "bigmap.h"
#include "datas.h"
#include "login.h"
#include "main_window.h"
#include "pointbuttons.h"
#include "schema.h"
#include "session.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

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
    constexpr int times = 300;
    Main& map = opened.session.map();
    Datas& records = opened.session.datas();
    QElapsedTimer t;
    t.start();
    for (int k = 0; k < times; ++k) {
        emit map.Command1().released(button, Qt::LeftButton, QPointF(16, 16), QPointF());
        records.Command3_Click();  // OK: nothing changed, the window hides
    }
    return t.nsecsElapsed() / 1e3 / times;
}

double createPointMilliseconds(const QString& templateDatabase, int runs)
{
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        QTemporaryDir dir;
        QFile::copy(templateDatabase, dir.path() + QStringLiteral("/wandelo.mdb"));
        writePictures(dir.path());
        Opened opened(dir.path());
        QElapsedTimer t;
        t.start();
        opened.session.map().pntcrl_new->trigger();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(ms);
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir big;
    Opened opened(makeInstallation(big, 32767, true));
    std::printf("opening a point's records in a table of 32767 rows (left click to record window shown)\n");
    for (int button : {10, 32000})
        std::printf("  point %5d: %7.1f us\n", button, openRecordsMicroseconds(opened, button));

    QTemporaryDir almostFull, small;
    const QString almostFullDb = makeInstallation(almostFull, 32766, false) + QStringLiteral("/wandelo.mdb");
    const QString smallDb = makeInstallation(small, 10, false) + QStringLiteral("/wandelo.mdb");
    constexpr int runs = 7;
    std::printf("making a point (no free row: the whole table is searched, then a row appended)\n");
    std::printf("  table of 32766 rows: %7.1f ms (median of %d)\n", createPointMilliseconds(almostFullDb, runs), runs);
    std::printf("  table of    10 rows: %7.1f ms (median of %d, the baseline)\n", createPointMilliseconds(smallDb, runs), runs);
    return 0;
}
