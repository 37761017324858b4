// The exported pages as a browser of today reads them: every page of the
// sites of three children, opened in headless Chromium, shows the stored
// names, titles and comments, the comment's two lines on two lines.

#include "cursor.h"
#include "database.h"
#include "fixture.h"
#include "htmlexport.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

QString chromium()
{
    for (const char* name : {"chromium", "chromium-browser", "google-chrome"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromUtf8(name));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

// The document as the browser built it, serialised as UTF-8.
QString domOf(const QString& browser, const QString& file)
{
    QTemporaryDir profile;
    QProcess process;
    process.setProgram(browser);
    process.setArguments({"--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                          "--disable-background-networking", "--disable-component-update", "--disable-sync",
                          "--user-data-dir=" + profile.path(), "--dump-dom",
                          QUrl::fromLocalFile(file).toString()});
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start();
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return QStringLiteral("(Chromium did not finish on %1)").arg(file);
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString between(const QString& text, const QString& start, const QString& end)
{
    const qsizetype from = text.indexOf(start);
    if (from < 0)
        return QStringLiteral("(no %1)").arg(start);
    const qsizetype to = text.indexOf(end, from + start.size());
    return text.mid(from + start.size(), to < 0 ? -1 : to - from - start.size());
}

struct Child {
    QString name;
    qint16 userID;
    QString object;
    QString comment;
    QString commentInBrowser;  // the comment's lines as the DOM holds them
};

}  // namespace

class TestExportInBrowser : public QObject {
    Q_OBJECT
private slots:
    void everyPageReadsAsStored()
    {
        const QString browser = chromium();
        if (browser.isEmpty())
            QSKIP("Chromium is not installed: the exported pages were not checked in a browser "
                  "(apt-get install chromium).");

        Fixture f;
        f.writePicture("背景/park.bmp", Qt::darkGreen);
        f.writePicture("写真/glay.bmp", Qt::gray, 320, 240);
        f.writePicture("HTML/parts/button.jpg", Qt::yellow, 33, 33);
        // A name of kanji, one of hiragana and one of half-width katakana
        // mixed with ASCII: each was read as windows-1252 once.
        const QList<Child> children = {
            {"たろう", 2, "ザリガニ", "川にいた", "川にいた"},
            {"山田はなこ", 3, "かぶと虫", "クヌギの木にいた\r\nあしたも行く", "クヌギの木にいた<br>あしたも行く"},
            {"ｹﾝ A-3", 4, "どんぐり & まつぼっくり", "公園", "公園"},
        };
        for (const Child& c : children) {
            f.addUser(c.name, c.userID, "背景\\park.bmp");
            f.addFind({c.object, c.userID, 100, 100, "写真\\glay.bmp", 0, 0, "10", "3", c.comment});
        }

        const auto db = Database::open(f.database());
        for (const Child& c : children) {
            Cursor data(*db, tables::data, Cursor::Kind::Table);
            const htmlexport::Result result =
                htmlexport::run(f.installation(), {c.name, "背景\\park.bmp", c.userID}, data);
            QCOMPARE(result.end, htmlexport::Result::End::Finished);
            const QString folder = f.folder() + "/HTML/" + c.name;
            QCOMPARE(QDir(folder).entryList({"*.html"}, QDir::Files, QDir::Name),
                     (QStringList{"index.html", "page1.html"}));

            const QString index = domOf(browser, folder + "/index.html");
            QCOMPARE(between(index, "<title>", "</title>"), c.name + "のマップ");
            QVERIFY2(index.contains("<a href=\"page1.html\">"), qPrintable(index));

            const QString page = domOf(browser, folder + "/page1.html");
            const QString object = QString(c.object).replace("&", "&amp;");
            QCOMPARE(between(page, "<title>", "</title>"), object);
            QCOMPARE(between(page, "<b>", "</b>"), object);
            QVERIFY2(page.contains("<br>10月3日</p>"), qPrintable(page));
            QCOMPARE(between(page, "border=\"0\"></p><p>", "<br></p>"), c.commentInBrowser);
            QVERIFY2(page.contains("もどる</a>"), qPrintable(page));
        }
    }
};

QTEST_MAIN(TestExportInBrowser)
#include "test_export_in_browser.moc"
