// The HTML export of a big map (200 points with two records each, 640 x 480
// BMP photos) beside what a teacher would do instead, `mogrify -format jpg
// -quality 100` on the same files, and beside the floor, `cjpeg -quality
// 100` on each file, all in the same run. Run with bench/run.sh.

#include "cursor.h"
#include "database.h"
#include "htmlexport.h"
#include "measure.h"
#include "bigmap.h"
#include "schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>
#include <thread>

namespace {

constexpr int points = 200;
constexpr int recordsPerPoint = 2;

// A photo-like picture: gradients and grain, so the encoder has real work.
QImage photo(int n)
{
    QImage image(640, 480, QImage::Format_RGB888);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 640, 480);
    sky.setColorAt(0, QColor::fromHsv((n * 37) % 360, 120, 230));
    sky.setColorAt(1, QColor::fromHsv((n * 37 + 120) % 360, 200, 90));
    painter.fillRect(image.rect(), sky);
    QRandomGenerator random(n);
    for (int i = 0; i < 60; ++i) {
        painter.setBrush(QColor::fromRgb(random.generate()));
        painter.drawEllipse(QPoint(random.bounded(640), random.bounded(480)), random.bounded(60), random.bounded(60));
    }
    painter.end();
    for (int y = 0; y < 480; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < 640 * 3; ++x)
            line[x] = uchar(std::clamp(int(line[x]) + int(random.bounded(17)) - 8, 0, 255));
    }
    return image;
}

void exec(sqlite3* db, const QString& sql)
{
    sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
}

// はな's map: for every point a head record and one chain record.
void fillMap(const QString& folder)
{
    createDatabase(folder + "/wandelo.mdb");
    sqlite3* db = nullptr;
    sqlite3_open((folder + "/wandelo.mdb").toUtf8().constData(), &db);
    exec(db, "BEGIN");
    exec(db, "INSERT INTO userdata VALUES ('はな', 2, '背景\\default.bmp')");
    int indexs = 1;
    for (int p = 0; p < points; ++p) {
        const int head = indexs++;
        const int chain = indexs++;
        exec(db, QStringLiteral("INSERT INTO data VALUES ('見つけたもの%1', '7', '21', 'コメント%1', '%2', %3, %4, "
                                "'写真\\p%2.bmp', %5, 0, 2)")
                     .arg(p).arg(head).arg((p * 13) % 560).arg((p * 29) % 760).arg(chain));
        exec(db, QStringLiteral("INSERT INTO data VALUES ('つぎ%1', '8', '3', ' ', '%2', NULL, NULL, "
                                "'写真\\p%2.bmp', 0, %3, 1)")
                     .arg(p).arg(chain).arg(head));
    }
    exec(db, "COMMIT");
    sqlite3_close(db);
}

double seconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

bool run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.path();
    for (const char* sub : {"写真", "背景", "HTML/parts", "bmp"})
        QDir(folder).mkpath(QString::fromUtf8(sub));
    fillMap(folder);
    photo(9999).save(folder + "/背景/default.bmp", "BMP");
    photo(9998).scaled(320, 240).save(folder + "/写真/glay.bmp", "BMP");
    photo(9997).scaled(33, 33).save(folder + "/HTML/parts/button.jpg", "JPEG");
    const int pictures = points * recordsPerPoint;
    for (int i = 1; i <= pictures; ++i) {
        const QImage image = photo(i);
        image.save(QStringLiteral("%1/写真/p%2.bmp").arg(folder).arg(i), "BMP");
        image.save(QStringLiteral("%1/bmp/p%2.bmp").arg(folder).arg(i), "BMP");
    }
    std::printf("HTML export: %d points x %d records, %d BMP pictures of 640 x 480 (+ the background)\n", points,
                recordsPerPoint, pictures);

    const Installation installation(folder);
    const auto exportWith = [&](int workers) {
        auto db = Database::open(installation.database());
        Cursor data(*db, tables::data, Cursor::Kind::Table);
        QElapsedTimer timer;
        timer.start();
        const htmlexport::Result result = htmlexport::run(installation, {"はな", "背景\\default.bmp", 2}, data, workers);
        const double s = seconds(timer);
        if (result.end != htmlexport::Result::End::Finished)  // never timed as if it had worked
            throw std::runtime_error("export failed: " + result.message.toStdString());
        return s;
    };
    const QString mogrify = QStandardPaths::findExecutable("mogrify");
    const QString cjpeg = QStandardPaths::findExecutable("cjpeg");
    QStringList files;
    for (int i = 1; i <= pictures; ++i)
        files << QStringLiteral("%1/bmp/p%2.bmp").arg(folder).arg(i);
    const auto cjpegEach = [&] {
        QElapsedTimer timer;
        timer.start();
        for (const QString& file : files) {
            if (!run(cjpeg, {"-quality", "100", "-outfile", file + ".cjpeg.jpg", file}))
                throw std::runtime_error("cjpeg failed");
        }
        return seconds(timer);
    };
    if (cjpeg.isEmpty()) {
        std::printf("  cjpeg not found (apt-get install libjpeg-turbo-progs)\n");
        return 1;
    }

    // The export on every core beside sequential cjpeg, in pairs.
    const int cores = int(std::max(2u, std::thread::hardware_concurrency()));
    constexpr int runs = 5;
    std::vector<double> both, floors;
    for (int k = 0; k < runs; ++k) {
        both.push_back(exportWith(cores));
        floors.push_back(cjpegEach());
    }
    const double one = exportWith(1);
    double mogrifyTime = -1;
    if (!mogrify.isEmpty()) {
        QElapsedTimer timer;
        timer.start();
        if (run(mogrify, QStringList{"-format", "jpg", "-quality", "100"} + files))
            mogrifyTime = seconds(timer);
    }

    const double ratio = median(ratios(both, floors));
    std::printf("  export, pictures on %d threads:    %7.2f s   (median of %d)\n", cores, median(both), runs);
    std::printf("  cjpeg -quality 100, each file:    %7.2f s   (median of %d; export takes %.2fx of it)\n",
                median(floors), runs, ratio);
    std::printf("  export, pictures on 1 thread:     %7.2f s   (one run)\n", one);
    if (mogrifyTime >= 0)
        std::printf("  mogrify -format jpg -quality 100: %7.2f s   (one run; export is %.2fx faster)\n", mogrifyTime,
                    mogrifyTime / median(both));
    else
        std::printf("  mogrify not found (apt-get install imagemagick)\n");
    summarize(QStringLiteral("HTML export, 400 pictures, vs sequential cjpeg"),
              QString::number(median(both), 'f', 2) + QStringLiteral(" s"),
              QString::number(median(floors), 'f', 2) + QStringLiteral(" s"), ratio, 1, true);
    return 0;
}
