// A map carried from one computer to another as a teacher carries it: on
// the first computer the map program writes the map's pictures out for
// merging; the teacher copies that computer's installation folder onto a
// stick; on the second computer the tools merge the stick's wandelo.mdb,
// which brings the pictures along; there the merged points open with their
// pictures, every record of a place included.

#include "datas.h"
#include "fixture.h"
#include "form5.h"
#include "kovrapp.h"
#include "main_window.h"
#include "mapprogram.h"
#include "merge.h"
#include "mergewizard.h"
#include "scripteddialogs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

void installationWithPark(Fixture& f)
{
    f.writePicture("背景/park.bmp", Qt::darkGreen);
    f.writePicture("写真/glay.bmp", Qt::gray, 320, 240);
    QDir(f.folder()).mkpath("KOVR/データ統合用画像");
}

bool copyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QFileInfo& entry : QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString target = to + '/' + entry.fileName();
        if (entry.isDir() ? !copyFolder(entry.filePath(), target) : !QFile::copy(entry.filePath(), target))
            return false;
    }
    return true;
}

void pick(QListWidget* list, const QString& name)
{
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable("not listed: " + name));
    list->setCurrentItem(found.first());
}

}  // namespace

class TestCarryMap : public QObject {
    Q_OBJECT
private slots:
    void aMapTravelsWithItsPictures()
    {
        Fixture a, b;
        installationWithPark(a);
        installationWithPark(b);

        // Computer A: あき's map, a photo kept relative, a drawing by full
        // path whose name has capitals (the export writes it in lower case),
        // and a second record at the first place.
        a.addUser("あき", 2, "背景\\park.bmp");
        a.writePicture("写真/とんぼ.jpg", Qt::red, 64, 48);
        a.writePicture("写真/Semi.BMP", Qt::blue, 64, 48);
        a.writePicture("写真/やご.jpg", Qt::green, 64, 48);
        a.addFind({"とんぼ", 2, 100, 120, "写真\\とんぼ.jpg", 2});
        a.addFind({"やごも", 1, {}, {}, "写真\\やご.jpg", 0, 1});
        a.addFind({"せみ", 2, 400, 300, "C:\\Program Files\\ワンデロ\\写真\\Semi.BMP"});
        {
            MapProgram p(a);
            p.start();
            p.choose("あき");
            p.map();
            p.dialogs.answer(Dialogs::Answer::Ok);
            p.map().data_output->trigger();
            QCOMPARE(p.dialogs.messages().last(), QStringLiteral("書き出しが完了しました"));
        }

        // A's installation folder goes onto a stick.
        QTemporaryDir stick;
        QVERIFY(copyFolder(a.folder(), stick.filePath("ワンデロ")));

        // Computer B: はな has one point; her teacher merges あき's map in.
        b.addUser("はな", 3, "背景\\park.bmp");
        b.addFind({"はなの花", 3, 10, 10, "写真\\glay.bmp"});
        {
            ScriptedDialogs dialogs("KOVR");
            KovrApp tools(b.installation(), dialogs);
            tools.onEnd = [] {};
            tools.start();
            tools.form5().Option3->click();
            tools.form5().Command1->click();
            tools.form8().Option2->click();
            tools.form8().Command1->click();
            pick(tools.form1().List1, "はな");
            tools.form1().Command3->click();
            dialogs.choose(stick.filePath("ワンデロ/wandelo.mdb"));
            tools.form2().Command1->click();
            tools.form2().Command2->click();
            pick(tools.form3().List1, "あき");
            tools.form3().Command1->click();
            tools.form4().Command1->click();
            QCOMPARE(dialogs.messages(),
                     QStringList{"データの統合が完了しました\n"
                                 "ポイント 2、記録 3、コピーした画像 3、見つからない画像 0"});
            tools.form4().Command3->click();
        }

        // On B, はな's map shows her point and あき's two, each with its
        // picture, the first with its second record.
        MapProgram p(b);
        p.start();
        p.choose("はな");
        p.map();
        Datas& records = p.session.datas();
        const auto showsNear = [&](QColor colour) {
            const QPixmap shown = records.Image1->pixmap();
            QVERIFY(!shown.isNull());
            // Near the colour: a JPEG keeps it only roughly.
            const QColor middle = shown.toImage().pixelColor(shown.width() / 2, shown.height() / 2);
            QVERIFY2(qAbs(middle.red() - colour.red()) + qAbs(middle.green() - colour.green())
                             + qAbs(middle.blue() - colour.blue()) < 24,
                     qPrintable(middle.name()));
        };
        p.clickPoint(1, Qt::LeftButton);
        QVERIFY(records.isVisible());
        showsNear(Qt::red);
        records.Command4->click();  // >>: the place's second record
        QCOMPARE(records.Text1->text(), QStringLiteral("やごも"));
        showsNear(Qt::green);
        records.Command3->click();
        p.clickPoint(3, Qt::LeftButton);  // the second record is the row before
        showsNear(Qt::blue);
        records.Command3->click();
        QVERIFY(!records.isVisible());
        QVERIFY(p.dialogs.asked.isEmpty());  // no picture was missing
    }
};

QTEST_MAIN(TestCarryMap)
#include "test_carry_map.moc"
