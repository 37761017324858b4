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
#include "session.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int rows = 32767;
constexpr int pointsOfTheUser = 1000;
constexpr int runs = 7;

// Answers every question with OK; a big map opens without any.
class SilentDialogs : public Dialogs {
public:
    Answer message(QWidget*, const QString&, Buttons, Icon, const QString&) override { return Answer::Ok; }
    std::optional<QString> input(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFile(QWidget*, const QString&, const QList<FileFilter>&) override { return {}; }
    std::optional<QString> saveFile(QWidget*, const QString&, const QString&, const QList<FileFilter>&,
                                    const QString&) override { return {}; }
};

void fill(const QString& database)
{
    sqlite3* db = nullptr;
    sqlite3_open(database.toUtf8().constData(), &db);
    sqlite3_exec(db, "BEGIN; INSERT INTO userdata VALUES ('はな', 2, '背景\\default.bmp');"
                     "INSERT INTO userdata VALUES ('たろう', 3, '背景\\default.bmp');", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO data VALUES (?, '7', '21', ' ', ?, ?, ?, '写真\\glay.bmp', 0, 0, ?)", -1,
                       &insert, nullptr);
    const int step = rows / pointsOfTheUser;
    for (int i = 0; i < rows; ++i) {
        const bool hana = i % step == 0 && i / step < pointsOfTheUser;
        const int owner = hana ? 2 : (i % 3 == 0 ? 3 : (i % 3 == 1 ? 1 : 0));
        const QByteArray object = QStringLiteral("みつけたもの%1").arg(i).toUtf8();
        sqlite3_bind_text(insert, 1, object.constData(), -1, SQLITE_TRANSIENT);
        const QByteArray indexs = QByteArray::number(i + 1);
        sqlite3_bind_text(insert, 2, indexs.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 3, (i * 7) % 560);
        sqlite3_bind_double(insert, 4, (i * 13) % 760);
        sqlite3_bind_int(insert, 5, owner);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const Installation installation(dir.path());
    createDatabase(installation.database());
    fill(installation.database());
    QDir(dir.path()).mkpath(QStringLiteral("背景"));
    QImage background(800, 600, QImage::Format_RGB888);
    background.fill(Qt::darkGreen);
    background.save(dir.path() + QStringLiteral("/背景/default.bmp"), "BMP");

    std::vector<double> openMs, baselineMs;
    int visible = 0, widgets = 0;
    for (int run = 0; run < runs; ++run) {
        // Baseline: the sqlite3 command reads the same columns of every row.
        QElapsedTimer t;
        t.start();
        QProcess sqlite;
        sqlite.setStandardOutputFile(QProcess::nullDevice());
        sqlite.start(QStringLiteral("sqlite3"),
                     {installation.database(), QStringLiteral("SELECT userID, object, xz, yz FROM data;")});
        sqlite.waitForFinished(-1);
        baselineMs.push_back(t.nsecsElapsed() / 1e6);

        SilentDialogs dialogs;
        Session session(installation, dialogs);
        session.onEnd = [] {};
        session.start();
        QComboBox* list = session.login().Combo1;
        list->setCurrentIndex(0);
        t.restart();
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
