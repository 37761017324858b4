// The printout of a record: filled from the stored record and printed to a
// PDF file through the printer dialog.
#include "datas.h"
#include "mapprogram.h"
#include "printable.h"

#include <QFile>
#include <QMap>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Printing {
    Fixture f;
    MapProgram p{f};
    QTemporaryDir out;
    QString pdf;
    explicit Printing(const Fixture::Find& record)
    {
        f.addUser("はな", 2, "背景\\park.bmp");
        f.writePicture("背景/park.bmp");
        f.writePicture("写真/glay.bmp", QColor(40, 40, 160), 320, 240);
        f.writeSidewaysPhoto("写真/phone.jpg", 40, 20);
        f.addFind(record);
        p.start();
        p.choose("はな");
        p.clickPoint(0, Qt::LeftButton);
        pdf = out.filePath("record.pdf");
        p.dialogs.printTo = pdf;
    }
    void print() { p.session.datas().Command6->click(); }
};

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qWarning() << program << arguments << process.readAllStandardError();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The page drawn at 96 dots per inch, a pixel of the page for a pixel of
// the layout.
QImage pageAt96dpi(const QString& pdf, const QString& folder)
{
    run("pdftoppm", {"-r", "96", "-png", "-singlefile", pdf, folder + "/page"});
    return QImage(folder + "/page.png");
}

// Where each word of the page begins, in points from the left edge.
QMap<QString, double> wordsAt(const QString& pdf)
{
    QMap<QString, double> left;
    const QRegularExpression word("<word xMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>");
    auto it = word.globalMatch(run("pdftotext", {"-bbox", pdf, "-"}));
    while (it.hasNext()) {
        const auto m = it.next();
        if (!left.contains(m.captured(2)))
            left.insert(m.captured(2), m.captured(1).toDouble());
    }
    return left;
}

// Where each word's box begins, in points from the top edge.
QMap<QString, double> wordTops(const QString& pdf)
{
    QMap<QString, double> top;
    const QRegularExpression word("<word xMin=\"[0-9.]+\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>");
    auto it = word.globalMatch(run("pdftotext", {"-bbox", pdf, "-"}));
    while (it.hasNext()) {
        const auto m = it.next();
        if (!top.contains(m.captured(2)))
            top.insert(m.captured(2), m.captured(1).toDouble());
    }
    return top;
}

QRect darkBox(const QImage& page)
{
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace

class TestPrintout : public QObject {
    Q_OBJECT
private slots:
    void monthsAndDaysPrintWithThePlaceOfTheirSign_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("printed");
        QTest::newRow("12") << "12" << " 12";
        QTest::newRow("3") << "3" << " 3";
        QTest::newRow("0") << "0" << " 0";
        QTest::newRow("negative") << "-1" << "-1";
        QTest::newRow("half to even") << "2.5" << " 2";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("words") << "なつ" << "";
        QTest::newRow("too big") << "40000" << "";
        // As the Japanese input method types them.
        QTest::newRow("full-width 5") << "５" << " 5";
        QTest::newRow("full-width 12") << "１２" << " 12";
        QTest::newRow("full-width minus") << "－３" << "-3";
        QTest::newRow("ideographic blank") << "　７" << " 7";
    }
    void monthsAndDaysPrintWithThePlaceOfTheirSign()
    {
        QFETCH(QString, stored);
        QFETCH(QString, printed);
        QCOMPARE(printedNumber(stored), printed);
    }

    void theStoredRecordIsPrintedAtItsNaturalSizeAtTheTopLeft()
    {
        Printing t({"かぶと虫", 2, 100, 100, "写真\\glay.bmp", 0, 0, "12", "3",
                    "クヌギの木にいた\n夜に見つけた"});
        typeInto(t.p.session.datas().Text1, "まだ保存していない");
        t.print();
        QVERIFY(QFile::exists(t.pdf));
        QCOMPARE(t.p.dialogs.asked.last().kind, QStringLiteral("printer"));

        const QString text = run("pdftotext", {"-layout", t.pdf, "-"});
        for (const char* expected : {"・見つけたもの", "・見つけた日", "かぶと虫", "・コメント",
                                     "クヌギの木にいた", "夜に見つけた", "Wandelo"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        QVERIFY(!text.contains("まだ保存していない"));  // what is stored is printed
        QVERIFY2(QRegularExpression("12\\s*月\\s*3\\s*日").match(text).hasMatch(), qPrintable(text));

        // " 12" and " 3": each number starts a blank's width (half of 12
        // points) into its place, at 280 and 344 pixels of the layout.
        const QMap<QString, double> left = wordsAt(t.pdf);
        const double origin = left.value("かぶと虫") - 88 * 0.75;  // in points
        QVERIFY2(qAbs(left.value("12") - origin - 280 * 0.75 - 6) < 1.5, qPrintable(QString::number(left.value("12"))));
        QVERIFY2(qAbs(left.value("3") - origin - 344 * 0.75 - 6) < 1.5, qPrintable(QString::number(left.value("3"))));
        QVERIFY(qAbs(left.value("月") - origin - 312 * 0.75) < 1.5);

        // The frame is 481 pixels square, 8 pixels in from the layout's
        // corner, and the layout starts at the top left of the printable
        // area: about 13.1 cm by 13.0 cm on paper.
        const QImage page = pageAt96dpi(t.pdf, t.out.path());
        QVERIFY(!page.isNull());
        const QRect frame = darkBox(page);
        QVERIFY2(qAbs(frame.width() - 481) <= 2 && qAbs(frame.height() - 481) <= 2,
                 qPrintable(QStringLiteral("%1x%2").arg(frame.width()).arg(frame.height())));
        QVERIFY2(frame.left() < 96 && frame.top() < 96,
                 qPrintable(QStringLiteral("at %1,%2").arg(frame.left()).arg(frame.top())));
        // The picture fills its 320 x 240 place.
        const QPoint pictureMiddle = frame.topLeft() - QPoint(8, 8) + QPoint(88 + 160, 88 + 120);
        QCOMPARE(QColor(page.pixel(pictureMiddle)).blue() > 120, true);
    }

    void numbersTypedInFullWidthAndAPhonePhotoPrintAsMeant()
    {
        Printing t({"せみ", 2, 100, 100, "写真\\phone.jpg", 0, 0, "１２", "　３"});
        t.print();
        const QString text = run("pdftotext", {"-layout", t.pdf, "-"});
        QVERIFY2(QRegularExpression("12\\s*月\\s*3\\s*日").match(text).hasMatch(), qPrintable(text));
        // Upright: red above, blue below in the 320 x 240 place.
        const QImage page = pageAt96dpi(t.pdf, t.out.path());
        const QPoint origin = darkBox(page).topLeft() - QPoint(8, 8);
        QVERIFY(QColor(page.pixel(origin + QPoint(88 + 160, 88 + 40))).red() > 180);
        QVERIFY(QColor(page.pixel(origin + QPoint(88 + 160, 88 + 200))).blue() > 180);
    }

    void oneLineLabelsPrintAtTheTopOfTheirPlace()
    {
        Printing t({"かぶと虫", 2, 100, 100, "写真\\glay.bmp", 0, 0, "12", "3", "クヌギ"});
        t.print();
        // The frame's top line, 8 pixels below the layout's top, places the
        // layout on the page; a pixel is 0.75 points.
        const double layoutTop = darkBox(pageAt96dpi(t.pdf, t.out.path())).top() * 0.75 - 8 * 0.75;
        const QMap<QString, double> top = wordTops(t.pdf);
        const QList<std::pair<QString, int>> labels = {
            {"・見", 24}, {"かぶと虫", 56}, {"月", 56}, {"・コメント", 344}, {"クヌギ", 368}, {"Wandelo", 464}};
        for (const auto& [word, pixels] : labels) {
            QVERIFY2(top.contains(word), qPrintable(word));
            const double below = top.value(word) - layoutTop - pixels * 0.75;
            QVERIFY2(below > -1 && below < 1, qPrintable(QStringLiteral("%1 %2 pt below its label's top")
                                                                  .arg(word).arg(below)));
        }
    }

    void aRecordWithoutNumbersOrPicturePrintsBlanks()
    {
        Printing t({"", 2, 100, 100, "写真\\glay.bmp", 0, 0, "", "", " "});
        t.f.sql("UPDATE data SET photo = 'D:\\ない.jpg'");
        t.print();
        QVERIFY(QFile::exists(t.pdf));
        const QString text = run("pdftotext", {"-layout", t.pdf, "-"});
        QVERIFY(text.contains(QStringLiteral("月")));
        QVERIFY(!QRegularExpression("\\d").match(text).hasMatch());
        QVERIFY(t.p.dialogs.messages().isEmpty());
    }

    void aCancelledPrinterDialogPrintsNothing()
    {
        Printing t({"かぶと虫", 2, 100, 100, "写真\\glay.bmp", 0, 0, "12", "3"});
        const QVariantList before = t.f.query("SELECT * FROM data");
        t.p.dialogs.answer(Dialogs::Answer::Cancel);
        t.print();
        QVERIFY(!QFile::exists(t.pdf));
        QCOMPARE(t.f.query("SELECT * FROM data"), before);
        QVERIFY(t.p.session.datas().isVisible());
        QVERIFY(t.p.dialogs.messages().isEmpty());
    }
};

QTEST_MAIN(TestPrintout)
#include "test_printout.moc"
