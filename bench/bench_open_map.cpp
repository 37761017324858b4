// Opening a big map, beside what the sqlite3 command needs to read the
// same rows, and the cost of reaching an early and a late row through the
// data cursor. Run with bench/run.sh; the figures are printed, not judged.

#include "cursor.h"
#include "database.h"
#include "dialogs.h"
#include "login.h"
#include "main_window.h"
#include "pointbuttons.h"
#include "schema.h"
#include "bigmap.h"
#include "session.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int rows = 32767;
constexpr int pointsOfTheUser = 1000;
constexpr int runs = 7;

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const Installation installation(dir.path());
    createDatabase(installation.database());
    fillBigMap(installation.database(), rows, pointsOfTheUser);
    writePictures(dir.path());

    std::vector<double> openMs, baselineMs;
    int visible = 0, widgets = 0;
    for (int run = 0; run < runs; ++run) {
        // Baseline: the sqlite3 command reads the same columns of every row.
        baselineMs.push_back(sqliteMilliseconds(installation.database(),
                                                QStringLiteral("SELECT userID, object, xz, yz FROM data;")));

        SilentDialogs dialogs;
        Session session(installation, dialogs);
        session.onEnd = [] {};
        session.start();
        QComboBox* list = session.login().Combo1;
        list->setCurrentIndex(0);
        QElapsedTimer t;
        t.start();
        session.login().Combo1_Click();
        openMs.push_back(t.nsecsElapsed() / 1e6);
        PointButtons& buttons = session.map().Command1();
        visible = 0;
        for (int i = 0; i < buttons.upperBound(); ++i)
            visible += buttons.exists(i) && buttons.at(i).visible;
        widgets = buttons.widgetCount();
    }
    std::printf("opening a map of %d rows, %d of them the user's points (%d shown, %d button widgets)\n",
                rows, pointsOfTheUser, visible, widgets);
    std::printf("  wandelo, choose a name to map shown:      %8.1f ms (median of %d)\n", median(openMs), runs);
    std::printf("  baseline, sqlite3 command reads the rows: %8.1f ms (median of %d, process start included)\n",
                median(baselineMs), runs);

    // Reaching the row of a button: first row, then forward by the index.
    auto database = Database::open(installation.database());
    Cursor cursor(*database, QStringLiteral("data"), Cursor::Kind::Table);
    for (int target : {10, 32000}) {
        constexpr int reaches = 20000;
        QElapsedTimer t;
        t.start();
        QString seen;
        for (int k = 0; k < reaches; ++k) {
            cursor.moveFirst();
            cursor.move(target - 1);
            seen = cursor.text(QStringLiteral("indexs"));
        }
        std::printf("  data cursor, reach row %5d and read indexs (%s): %6.2f us\n", target,
                    qPrintable(seen), t.nsecsElapsed() / 1e3 / reaches);
    }
    return 0;
}
