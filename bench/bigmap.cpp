#include "bigmap.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QImage>
#include <algorithm>
#include <sqlite3.h>

void fillBigMap(const QString& database, int rows, int points, bool freeRows)
{
    sqlite3* db = nullptr;
    sqlite3_open(database.toUtf8().constData(), &db);
    sqlite3_exec(db, "BEGIN; INSERT INTO userdata VALUES ('はな', 2, '背景\\default.bmp');"
                     "INSERT INTO userdata VALUES ('たろう', 3, '背景\\default.bmp');", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO data VALUES (?, '7', '21', ' ', ?, ?, ?, '写真\\glay.bmp', 0, 0, ?)", -1,
                       &insert, nullptr);
    const int step = std::max(1, rows / std::max(1, points));
    for (int i = 0; i < rows; ++i) {
        const bool hana = i % step == 0 && i / step < points;
        const int other = i % 3 == 0 ? 3 : (i % 3 == 1 || !freeRows ? 1 : 0);
        const QByteArray object = QStringLiteral("みつけたもの%1").arg(i).toUtf8();
        const QByteArray indexs = QByteArray::number(i + 1);
        sqlite3_bind_text(insert, 1, object.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, indexs.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 3, (i * 7) % 560);
        sqlite3_bind_double(insert, 4, (i * 13) % 760);
        sqlite3_bind_int(insert, 5, hana ? 2 : other);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void writePictures(const QString& installationFolder)
{
    QDir(installationFolder).mkpath(QStringLiteral("背景"));
    QImage background(800, 600, QImage::Format_RGB888);
    background.fill(Qt::darkGreen);
    background.save(installationFolder + QStringLiteral("/背景/default.bmp"), "BMP");
    QDir(installationFolder).mkpath(QStringLiteral("写真"));
    QImage placeholder(320, 240, QImage::Format_RGB888);
    placeholder.fill(Qt::gray);
    placeholder.save(installationFolder + QStringLiteral("/写真/glay.bmp"), "BMP");
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double sqliteMilliseconds(const QString& database, const QString& statements)
{
    QElapsedTimer timer;
    timer.start();
    QProcess sqlite;
    sqlite.setStandardOutputFile(QProcess::nullDevice());
    sqlite.start(QStringLiteral("sqlite3"), {database, statements});
    sqlite.waitForFinished(-1);
    const double ms = timer.nsecsElapsed() / 1e6;
    const bool ok = sqlite.exitStatus() == QProcess::NormalExit && sqlite.exitCode() == 0;
    return ok ? ms : -1;
}
