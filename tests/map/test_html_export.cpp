#include "cp932.h"
#include "cursor.h"
#include "database.h"
#include "fixture.h"
#include "htmlexport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

namespace {

const QString expectedFolder = QStringLiteral(EXPECTED_DIR);

QString expected(const QString& name)
{
    QFile file(expectedFolder + u'/' + name);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("(missing expected file %1)").arg(name);
    return QString::fromUtf8(file.readAll());
}

// A site of はな (userID 2): かぶと虫 with a second record at its place, and
// どんぐり; たろう's point and a deleted point lie between them.
struct Site {
    Fixture f;
    std::unique_ptr<Database> db;
    std::unique_ptr<Cursor> data;
    QString out;

    explicit Site(const QString& backGnd = QStringLiteral("背景\\park.bmp"))
    {
        f.addUser("はな", 2, backGnd);
        f.addUser("たろう", 3, "背景\\park.bmp");
        f.writePicture("背景/park.bmp", Qt::darkGreen);
        f.writePicture("背景/park.jpg", Qt::darkGreen);
        f.writePicture("写真/glay.bmp", Qt::gray, 320, 240);
        f.writePicture("写真/kabuto.bmp", Qt::darkRed, 320, 240);
        f.writePicture("写真/sanagi.JPG", Qt::yellow, 320, 240);
        f.writePicture("HTML/parts/button.jpg", Qt::yellow, 33, 33);
        out = f.folder() + QStringLiteral("/HTML/はな");
    }
    void twoPoints(const QString& secondPhoto = QStringLiteral("写真\\glay.bmp"))
    {
        f.addFind({"かぶと虫", 2, 100, 200, "写真\\kabuto.bmp", 3, 0, "7", "21", "クヌギの木にいた"});
        f.addFind({"ザリガニ", 3, 50, 50, "写真\\glay.bmp"});
        f.addFind({"さなぎ", 1, {}, {}, "C:\\Program Files\\ワンデロ\\写真\\sanagi.JPG", 0, 1, "8", "3", "土の中にいた"});
        f.addFind({"", 0, 300, 300, "写真\\glay.bmp"});
        f.addFind({"どんぐり", 2, 0, 0, secondPhoto, 0, 0, "10", "3"});
    }
    htmlexport::Result run(const QString& name = QStringLiteral("はな"), qint16 userID = 2)
    {
        db = Database::open(f.database());
        data = std::make_unique<Cursor>(*db, tables::data, Cursor::Kind::Table);
        const QString backGnd = f.single("SELECT BackGnd FROM userdata WHERE userID = 2").toString();
        return htmlexport::run(f.installation(), {name, backGnd, userID}, *data);
    }
    QStringList files() const
    {
        return QDir(out).entryList(QDir::Files, QDir::Name);
    }
    // A written page as text; it must end with CR LF.
    QString page(const QString& name) const
    {
        const QByteArray bytes = fileBytes(out + u'/' + name);
        if (!bytes.endsWith("\r\n"))
            return QStringLiteral("(no CR LF at the end of %1)").arg(name);
        return fromCp932(bytes.chopped(2));
    }
    QImage picture(const QString& name) const
    {
        QImage image;
        image.loadFromData(fileBytes(out + u'/' + name), "JPEG");
        return image;
    }
};

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 8 && std::abs(a.green() - b.green()) < 8 &&
           std::abs(a.blue() - b.blue()) < 8;
}

}  // namespace

class TestHtmlExport : public QObject {
    Q_OBJECT
private slots:
    void twoPoints()
    {
        Site s;
        s.twoPoints();
        const htmlexport::Result result = s.run();
        QCOMPARE(result.end, htmlexport::Result::End::Finished);
        QCOMPARE(result.message, QStringLiteral("変換が完了しました"));
        QCOMPARE(s.files(), (QStringList{"button.jpg", "index.html", "page1.html", "page2.html", "photo0.jpg",
                                         "photo1.jpg", "photo2.jpg", "photo3.jpg"}));
        QCOMPARE(s.page("index.html"), expected("two_points/index.html"));
        QCOMPARE(s.page("page1.html"), expected("two_points/page1.html"));
        QCOMPARE(s.page("page2.html"), expected("two_points/page2.html"));
        QCOMPARE(result.index, expected("two_points/index.html"));
        QCOMPARE(result.page, expected("two_points/page2.html"));

        // The BMP background and BMP photos are converted, the JPEG copied.
        QCOMPARE(s.picture("photo0.jpg").size(), QSize(800, 600));
        QVERIFY(near(s.picture("photo0.jpg").pixelColor(400, 300), Qt::darkGreen));
        QVERIFY(near(s.picture("photo1.jpg").pixelColor(10, 10), Qt::darkRed));
        QCOMPARE(fileBytes(s.out + "/photo2.jpg"), fileBytes(s.f.folder() + "/写真/sanagi.JPG"));
        QVERIFY(near(s.picture("photo3.jpg").pixelColor(10, 10), Qt::gray));
        QCOMPARE(fileBytes(s.out + "/button.jpg"), fileBytes(s.f.folder() + "/HTML/parts/button.jpg"));
        QVERIFY(s.data->eof());

        // Again: the same files.
        const QByteArray index = fileBytes(s.out + "/index.html");
        QCOMPARE(s.run().end, htmlexport::Result::End::Finished);
        QCOMPARE(fileBytes(s.out + "/index.html"), index);
        QCOMPARE(s.files().size(), 8);
    }

    void userWithoutRecordsAndAJpegBackground()
    {
        Site s(QStringLiteral("背景\\park.jpg"));
        s.f.addFind({"ザリガニ", 3, 50, 50, "写真\\glay.bmp"});
        QCOMPARE(s.run().end, htmlexport::Result::End::Finished);
        QCOMPARE(s.files(), (QStringList{"button.jpg", "index.html", "photo0.jpg"}));
        QCOMPARE(fileBytes(s.out + "/photo0.jpg"), fileBytes(s.f.folder() + "/背景/park.jpg"));
        const QString index = expected("two_points/index.html");
        QCOMPARE(s.page("index.html"),
                 index.left(index.indexOf(QStringLiteral("<DIV style=\"top : 216px"))) + "</BODY></HTML>");
    }

    void otherPicturesAreRefused()
    {
        // A record midway: what was written stays, index.html does not come.
        Site s;
        s.twoPoints(QStringLiteral("写真\\どんぐり.png"));
        htmlexport::Result result = s.run();
        QCOMPARE(result.end, htmlexport::Result::End::Refused);
        QCOMPARE(result.message, QStringLiteral("jpgまたはbmp以外の画像は扱えません"));
        QCOMPARE(s.files(), (QStringList{"button.jpg", "page1.html", "photo0.jpg", "photo1.jpg", "photo2.jpg"}));
        QCOMPARE(s.page("page1.html"), expected("two_points/page1.html"));
        QCOMPARE(s.data->text("object"), QStringLiteral("どんぐり"));

        // The background, or a name without a dot: nothing but the folder.
        for (const char* background : {"背景\\park.gif", "背景\\park"}) {
            Site t(QString::fromUtf8(background));
            t.twoPoints();
            result = t.run();
            QCOMPARE(result.end, htmlexport::Result::End::Refused);
            QVERIFY(QDir(t.out).exists());
            QVERIFY(t.files().isEmpty());
        }
    }

    void textIsEscapedAndNeverLost()
    {
        Site s;
        const QString meta = QStringLiteral(
            "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">");
        s.f.sql("UPDATE userdata SET Name = 'A&B' WHERE userID = 2");
        s.f.addFind({"<3 & \"ok\"", 2, 10, 20, "写真\\glay.bmp", 0, 0, "7", "1",
                     "<script>x</script> 〜😀髙\r\nCR LF\nLF\rCR\r\n\n<br>"});
        s.out = s.f.folder() + "/HTML/A&B";
        QCOMPARE(s.run("A&B").end, htmlexport::Result::End::Finished);
        const QString index = s.page("index.html");
        QVERIFY(index.startsWith(meta + "<TITLE>A&amp;Bのマップ</TITLE>"));
        const QString page = s.page("page1.html");
        QVERIFY(page.startsWith(meta + "<TITLE>&lt;3 &amp; &quot;ok&quot;</TITLE>"));
        QVERIFY(page.contains("<P><B>&lt;3 &amp; &quot;ok&quot;</B><BR>7月1日"));
        // CP932 holds 髙 and writes the wave dash as its own (read back as
        // U+FF5E); the emoji it cannot hold becomes a character reference.
        // Each line break of the comment, whichever kind, is one <BR>.
        QVERIFY(page.contains("&lt;script&gt;x&lt;/script&gt; \uFF5E&#128512;髙<BR>CR LF<BR>LF<BR>CR<BR><BR>&lt;br&gt;<BR></P>"));
        QVERIFY(!fileBytes(s.out + "/page1.html").contains('?'));
    }

    void namesThatCannotBeFolders()
    {
        for (const char* name : {"", ".", "..", "a/b", "a\\b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b"}) {
            Site s;
            s.twoPoints();
            const htmlexport::Result result = s.run(QString::fromUtf8(name));
            QCOMPARE(result.end, htmlexport::Result::End::NameRefused);
            QVERIFY(!result.message.isEmpty());
            QCOMPARE(QDir(s.f.folder() + "/HTML").entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                     QStringList{"parts"});
        }
    }

    void inputMethodNumbersAndPhonePhotos()
    {
        // Months and days typed in full width print as numbers; a photo
        // stored on its side is written upright.
        Site s;
        s.f.writeSidewaysPhoto("写真/phone.jpg", 40, 20);
        s.f.addFind({"せみ", 2, 10, 20, "写真\\phone.jpg", 0, 0, "１２", "　７"});
        s.f.addFind({"かえる", 2, 30, 40, "写真\\glay.bmp", 0, 0, "５", "－３"});
        QCOMPARE(s.run().end, htmlexport::Result::End::Finished);
        QVERIFY(s.page("page1.html").contains("<BR>12月7日</P>"));
        QVERIFY(s.page("page2.html").contains("<BR>5月-3日</P>"));
        const QImage photo = s.picture("photo1.jpg");
        QCOMPARE(photo.size(), QSize(20, 40));
        QVERIFY(near(photo.pixelColor(10, 5), Qt::red));
        QVERIFY(near(photo.pixelColor(10, 35), Qt::blue));
    }

    void damagedData()
    {
        // A missing photo becomes the placeholder; a chain that comes back to
        // a written record ends; months and days that are no number stay empty.
        Site s;
        s.f.addFind({"かぶと虫", 2, 100.6, 200.5, "写真\\なくなった.bmp", 2, 0, "", "x"});
        s.f.addFind({"さなぎ", 1, {}, {}, "D:\\photo.jpg", 1, 1, "7.5", "3"});
        QCOMPARE(s.run().end, htmlexport::Result::End::Finished);
        QCOMPARE(s.files(), (QStringList{"button.jpg", "index.html", "page1.html", "photo0.jpg", "photo1.jpg",
                                         "photo2.jpg"}));
        QVERIFY(s.page("index.html").contains("top : 216px;left : 111px;"));
        const QString page = s.page("page1.html");
        QVERIFY(page.contains("<BR>月日</P>"));
        QVERIFY(page.contains("<BR>8月3日</P>"));
        QCOMPARE(page.count("<P><B>"), 2);
        QVERIFY(near(s.picture("photo1.jpg").pixelColor(10, 10), Qt::gray));
        QVERIFY(near(s.picture("photo2.jpg").pixelColor(10, 10), Qt::gray));
    }
};

QTEST_MAIN(TestHtmlExport)
#include "test_html_export.moc"
