// The merge wizard driven through its windows: the steps both ways, the
// lists it rebuilds and the buttons it enables, the files it refuses, and
// what the two merge buttons add to the merges themselves (the copy of
// wandelo.mdb, the messages, the check box, pressing again).

#include "backup.h"
#include "datacontrol.h"
#include "editors.h"
#include "fixture.h"
#include "form5.h"
#include "kovrapp.h"
#include "merge.h"
#include "mergewizard.h"
#include "mousepointer.h"
#include "scripteddialogs.h"
#include "tables.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList items(QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

void pick(QListWidget* list, const QString& name)
{
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable("not listed: " + name));
    list->setCurrentItem(found.first());
}

int backups(const Fixture& f)
{
    return QDir(f.folder() + "/KOVR/backup").entryList({"wandelo-*.mdb"}, QDir::Files).size();
}

// This computer: はなこ and たろう share the park (one relative, one full
// path); ゆうき's background differs only in letter case; じろう has another.
struct Wizard {
    Wizard()
    {
        f.addUser("はなこ", 2, "背景\\park.bmp");
        f.addUser("たろう", 3, "C:\\Program Files\\ワンデロ\\背景\\park.bmp");
        f.addUser("ゆうき", 4, "背景\\Park.bmp");
        f.addUser("じろう", 5, "背景\\default.bmp");
        f.addFind({"はなの石", 2, 10, 10, "写真\\glay.bmp"});
        f.addFind({"かぶと虫", 3, 100, 200, "写真\\glay.bmp", 3});
        f.addFind({"さなぎ", 1, {}, {}, "写真\\glay.bmp", 0, 2});
        f.addFind({"ザリガニ", 3, 300, 50, "写真\\glay.bmp"});
        app.onEnd = [] {};
        app.start();
    }
    void startWizard(bool between)
    {
        app.form5().Option3->click();
        app.form5().Command1->click();
        (between ? app.form8().Option2 : app.form8().Option1)->click();
        app.form8().Command1->click();
    }
    // Within this database, up to the confirmation.
    void reachForm7(const QString& receiving, const QString& sending)
    {
        startWizard(false);
        pick(app.form1().List1, receiving);
        app.form1().Command3->click();
        pick(app.form6().List1, sending);
        app.form6().Command1->click();
    }
    Fixture f;
    ScriptedDialogs dialogs{"KOVR"};
    KovrApp app{f.installation(), dialogs};
};

// The computer the map comes from.
struct Sending {
    Sending()
    {
        f.addUser("あき", 2, "背景\\park.bmp");  // the same ID as はなこ here
        f.addUser("そら", 7, "C:\\Program Files\\ワンデロ\\背景\\park.bmp");
        f.addUser("うみ", 8, "背景\\default.bmp");
        f.addFind({"とんぼ", 2, 40, 60, "写真\\tonbo.jpg"});
        f.addFind({"せみ", 2, 80, 90, "写真\\glay.bmp"});
        f.addFind({"うみの貝", 8, 1, 1, "写真\\glay.bmp"});
    }
    Fixture f;
};

const char* dataRows = "SELECT object, indexs, xz, yz, photo, childs, mother, userID FROM data";

}  // namespace

class TestWizard : public QObject {
    Q_OBJECT
private slots:
    void withinOneDatabaseStepByStep()
    {
        Wizard w;
        w.startWizard(false);
        Form8& start = w.app.form8();
        QCOMPARE(start.windowTitle(), QStringLiteral("DataMargeTool"));
        QCOMPARE(start.Label5->text(), QStringLiteral("Database Marge Tool"));
        Form1& step1 = w.app.form1();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&step1}));
        QCOMPARE(items(step1.List1), (QStringList{"はなこ", "たろう", "ゆうき", "じろう"}));
        QVERIFY(!step1.Command3->isEnabled());

        pick(step1.List1, "はなこ");
        QCOMPARE(step1.Label4->text(), QStringLiteral("park.bmp"));
        QVERIFY(step1.Command3->isEnabled());
        step1.Command3->click();
        Form6& step2 = w.app.form6();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&step2}));
        // The full path with the same file name matches; letter case, another
        // background and the receiving user itself do not.
        QCOMPARE(items(step2.List1), (QStringList{"たろう"}));
        QVERIFY(!step2.Command1->isEnabled());
        pick(step2.List1, "たろう");
        QVERIFY(step2.Command1->isEnabled());
        step2.Command1->click();
        Form7& step3 = w.app.form7();
        QCOMPARE(step3.windowTitle(), QStringLiteral("DataMaregeTool"));
        QCOMPARE(step3.Label1->text(), QStringLiteral("たろうのマップをはなこのマップに統合します"));
        QCOMPARE(step3.Check1->text(), QStringLiteral("　ユーザ　たろう　を削除"));
        QVERIFY(!step3.Check1->isChecked());

        // Back to Step1 and another receiver: Step2's list is made anew.
        step3.Command3->click();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&step2}));
        step2.Command2->click();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&step1}));
        QCOMPARE(step2.List1->count(), 0);
        pick(step1.List1, "じろう");
        step1.Command3->click();
        QCOMPARE(items(step2.List1), QStringList());  // no one else has default.bmp
        QVERIFY(!step2.Command1->isEnabled());
        step2.Command2->click();
        pick(step1.List1, "たろう");
        step1.Command3->click();
        QCOMPARE(items(step2.List1), (QStringList{"はなこ"}));
        QVERIFY(!step2.Command1->isEnabled());
        pick(step2.List1, "はなこ");
        step2.Command1->click();
        QCOMPARE(step3.Label1->text(), QStringLiteral("はなこのマップをたろうのマップに統合します"));
        QCOMPARE(step3.Check1->text(), QStringLiteral("　ユーザ　はなこ　を削除"));

        // Done, and the wizard a second time from the launcher: Step1 was
        // made once, Step2's list holds only this run's entries.
        step3.Command2->click();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&w.app.form5()}));
        w.app.form5().Command1->click();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&start}));
        start.Command1->click();
        QCOMPARE(items(step1.List1), (QStringList{"はなこ", "たろう", "ゆうき", "じろう"}));
        pick(step1.List1, "たろう");
        step1.Command3->click();
        QCOMPARE(items(step2.List1), (QStringList{"はなこ"}));
        QVERIFY(!step2.Command1->isEnabled());
        QVERIFY(w.dialogs.asked.isEmpty());
        QCOMPARE(w.f.query(dataRows).size(), 4 * 8);  // nothing merged on the way
    }

    void withoutThisComputersDatabaseTheWizardStaysAtItsStart()
    {
        Wizard w;
        QVERIFY(QFile::remove(w.f.database()));
        w.startWizard(false);
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&w.app.form8()}));
        QCOMPARE(w.dialogs.messages().size(), 1);
        QVERIFY(w.dialogs.messages()[0].startsWith(dataControlErrorHeading));
        QVERIFY(!QFile::exists(w.f.database()));
    }

    void helpFollowsTheMode()
    {
        Wizard w;
        w.startWizard(true);
        w.app.form1().menus.topic->trigger();
        w.app.form1().Command1->click();
        w.app.form8().Option1->click();
        w.app.form8().Command1->click();
        w.app.form1().menus.topic->trigger();
        w.app.form8().menus.topic->trigger();
        QStringList keywords;
        for (const auto& a : w.dialogs.asked)
            keywords << a.text;
        QCOMPARE(keywords, (QStringList{"２つのwandelo.mdb間で統合", "単一のwandelo.mdb内で統合", "データベース統合ツール"}));
        const QList<std::pair<CommonMenus*, QString>> others = {
            {&w.app.form2().menus, "２つのwandelo.mdb間で統合"}, {&w.app.form3().menus, "２つのwandelo.mdb間で統合"},
            {&w.app.form4().menus, "２つのwandelo.mdb間で統合"}, {&w.app.form6().menus, "単一のwandelo.mdb内で統合"},
            {&w.app.form7().menus, "単一のwandelo.mdb内で統合"}};
        for (const auto& [menus, keyword] : others) {
            QCOMPARE(menus->end->text(), QStringLiteral("KOVRの終了"));
            menus->topic->trigger();
            QCOMPARE(w.dialogs.asked.last().text, keyword);
        }
    }

    void betweenTwoDatabasesStepByStep()
    {
        Wizard w;
        Sending s;
        w.startWizard(true);
        Form1& step1 = w.app.form1();
        pick(step1.List1, "はなこ");
        step1.Command3->click();
        Form2& step2 = w.app.form2();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&step2}));
        QVERIFY(!step2.Command2->isEnabled());

        // Cancelled with nothing chosen, a foreign name, a name in other
        // letter case: the wizard cannot go on.
        const QString folder = QDir(s.f.folder()).filePath("other");
        w.dialogs.choose("");
        w.dialogs.choose(folder + "/data.mdb");
        w.dialogs.choose(folder + "/Wandelo.mdb");
        for (int i = 0; i < 3; ++i)
            step2.Command1->click();
        QCOMPARE(w.dialogs.messages(), (QStringList{wizard::onlyWandeloMdbMessage, wizard::onlyWandeloMdbMessage}));
        QCOMPARE(w.dialogs.asked[0].kind, QStringLiteral("open"));
        QCOMPARE(w.dialogs.asked[0].filters.size(), 1);
        QCOMPARE(w.dialogs.asked[0].filters[0].label, QStringLiteral("AcsessDatabase (*.mdb)"));
        QCOMPARE(w.dialogs.asked[0].filters[0].patterns, QStringList{"*.mdb"});
        QVERIFY(step2.Text1->text().isEmpty());
        QVERIFY(!step2.Command2->isEnabled());

        w.dialogs.choose(s.f.database());
        step2.Command1->click();
        QCOMPARE(step2.Text1->text(), s.f.database());
        QVERIFY(step2.Command2->isEnabled());
        step2.Command2->click();
        Form3& step3 = w.app.form3();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&step3}));
        QCOMPARE(step3.Command1->text(), QStringLiteral(">> 次へ"));
        // Every user with the same background file, whatever its ID.
        QCOMPARE(items(step3.List1), (QStringList{"あき", "そら"}));
        QVERIFY(!step3.Command1->isEnabled());
        pick(step3.List1, "そら");
        step3.Command1->click();
        Form4& step4 = w.app.form4();
        QCOMPARE(step4.Label1->text(), QStringLiteral("そらのマップをはなこのマップに統合します"));

        // Back to Step1: the path stays accepted, Text1 is emptied; another
        // receiver makes Step3's list anew.
        step4.Command2->click();
        step3.Command2->click();
        QCOMPARE(step3.List1->count(), 0);
        step2.Command3->click();
        QVERIFY(step2.Text1->text().isEmpty());
        QVERIFY(step2.Command2->isEnabled());
        pick(step1.List1, "じろう");
        step1.Command3->click();
        w.dialogs.choose("");  // a cancelled dialog still holds the accepted file
        step2.Command1->click();
        QCOMPARE(step2.Text1->text(), s.f.database());
        step2.Command2->click();
        QCOMPARE(items(step3.List1), (QStringList{"うみ"}));
        QVERIFY(!step3.Command1->isEnabled());
        pick(step3.List1, "うみ");
        step3.Command1->click();
        QCOMPARE(step4.Label1->text(), QStringLiteral("うみのマップをじろうのマップに統合します"));

        // A refused file afterwards leaves the accepted one in force.
        step4.Command2->click();
        step3.Command2->click();
        w.dialogs.choose(folder + "/wandelo.mdb.bak");
        step2.Command1->click();
        QCOMPARE(w.dialogs.messages().size(), 3);
        QCOMPARE(step2.Text1->text(), s.f.database());
        QVERIFY(step2.Command2->isEnabled());
        step2.Command2->click();
        QCOMPARE(items(step3.List1), (QStringList{"うみ"}));
    }

    void form2RefusesWhatCannotBeMerged_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("this computer's own file") << "local";
        QTest::newRow("not a database") << "text";
        QTest::newRow("without data") << "noData";
        QTest::newRow("without userdata") << "noUsers";
        QTest::newRow("gone since it was chosen") << "missing";
    }
    void form2RefusesWhatCannotBeMerged()
    {
        QFETCH(QString, kind);
        Wizard w;
        QTemporaryDir other;
        QString path = other.filePath("wandelo.mdb");
        if (kind == "local") {
            // The same file, reached through another name.
            QVERIFY(QFile::link(w.f.database(), path));
        } else if (kind == "text") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("これはデータベースではありません");
        } else if (kind != "missing") {
            Sending s;
            QVERIFY(QFile::copy(s.f.database(), path));
            const QString table = kind == "noData" ? "data" : "userdata";
            // Plain sqlite3 drops the table, as a foreign tool could.
            QCOMPARE(QProcess::execute("sqlite3", {path, "DROP TABLE " + table}), 0);
        }
        const QByteArray before = QFile::exists(path) ? fileBytes(path) : QByteArray();
        const QByteArray localBefore = fileBytes(w.f.database());
        w.startWizard(true);
        pick(w.app.form1().List1, "はなこ");
        w.app.form1().Command3->click();
        Form2& step2 = w.app.form2();
        if (kind == "missing") {
            Sending s;
            QVERIFY(QFile::copy(s.f.database(), path));
        }
        w.dialogs.choose(path);
        step2.Command1->click();
        QVERIFY(step2.Command2->isEnabled());
        if (kind == "missing")
            QVERIFY(QFile::remove(path));
        step2.Command2->click();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&step2}));
        QCOMPARE(w.dialogs.messages().size(), 1);
        if (kind == "local")
            QCOMPARE(w.dialogs.messages()[0], wizard::sameDatabaseMessage);
        else
            QVERIFY(w.dialogs.messages()[0].startsWith(wizard::unreadableMessage));
        if (kind != "missing")
            QCOMPARE(fileBytes(path), before);
        QCOMPARE(fileBytes(w.f.database()), localBefore);
    }

    void mergeWithinThroughTheWindow()
    {
        Wizard w;
        w.reachForm7("はなこ", "たろう");
        Form7& step3 = w.app.form7();
        step3.Command1->click();
        QCOMPARE(w.dialogs.messages(), QStringList{merge::doneMessage});
        QVERIFY(!mousePointer::isBusy());
        QCOMPARE(backups(w.f), 1);
        QCOMPARE(w.f.query("SELECT userID FROM data"), (QVariantList{2, 2, 1, 2}));
        QCOMPARE(w.f.single("SELECT count(*) FROM userdata WHERE Name = 'たろう'").toInt(), 1);

        // Again, without the box: nothing is left to hand over.
        step3.Command1->click();
        QCOMPARE(w.dialogs.messages().last(), merge::doneMessage);
        QCOMPARE(w.f.query("SELECT userID FROM data"), (QVariantList{2, 2, 1, 2}));

        // With the box the user goes, and the editor on userdata shows it.
        Cursor& users = w.app.editorOfUsers().recordset();
        QCOMPARE(users.recordCount(), 4);
        step3.Check1->setChecked(true);
        step3.Command1->click();
        QCOMPARE(w.dialogs.messages().last(), merge::doneMessage);
        QCOMPARE(w.f.single("SELECT count(*) FROM userdata WHERE userID = 3").toInt(), 0);
        QCOMPARE(users.recordCount(), 3);

        // Pressed once more: the user no longer exists, nothing changes.
        const QVariantList before = w.f.query(dataRows);
        step3.Command1->click();
        QCOMPARE(w.dialogs.messages().last(), merge::senderMissingMessage("たろう"));
        QCOMPARE(w.f.query(dataRows), before);
        QCOMPARE(w.f.single("SELECT count(*) FROM userdata").toInt(), 3);
        QVERIFY(!mousePointer::isBusy());

        // Step1's list was made once; the deleted user cannot receive.
        step3.Command2->click();
        w.app.form5().Command1->click();
        w.app.form8().Command1->click();
        pick(w.app.form1().List1, "たろう");
        QCOMPARE(w.dialogs.messages().last(), merge::senderMissingMessage("たろう"));
        QVERIFY(!w.app.form1().Command3->isEnabled());
    }

    void noBackupNoMerge()
    {
        Wizard w;
        // Something in the way of the backup folder.
        QFile blocker(w.f.folder() + "/KOVR/backup");
        QVERIFY(QDir().mkpath(w.f.folder() + "/KOVR"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QByteArray before = fileBytes(w.f.database());
        w.reachForm7("はなこ", "たろう");
        w.app.form7().Check1->setChecked(true);
        w.app.form7().Command1->click();
        QCOMPARE(w.dialogs.messages().size(), 1);
        QVERIFY(w.dialogs.messages()[0].startsWith("wandelo.mdb のバックアップを作れないので"));
        QCOMPARE(fileBytes(w.f.database()), before);
        QVERIFY(!mousePointer::isBusy());
    }

    // A sending name with path parts would put them into every copied
    // photo: refused before anything is written, even the backup copy.
    void aSendingNameThatIsNoFolderNameIsRefused()
    {
        Wizard w;
        Sending s;
        const QString evil = "..\\..\\..\\..\\tmp\\evil";
        s.f.sql("UPDATE userdata SET Name = '" + evil + "' WHERE Name = 'あき'");
        w.startWizard(true);
        pick(w.app.form1().List1, "たろう");
        w.app.form1().Command3->click();
        w.dialogs.choose(s.f.database());
        w.app.form2().Command1->click();
        w.app.form2().Command2->click();
        pick(w.app.form3().List1, evil);
        w.app.form3().Command1->click();
        const QByteArray before = fileBytes(w.f.database());
        w.app.form4().Command1->click();
        QCOMPARE(w.dialogs.messages(), QStringList{merge::unusableNameMessage(evil)});
        QCOMPARE(fileBytes(w.f.database()), before);
        QCOMPARE(backups(w.f), 0);
        QVERIFY(!mousePointer::isBusy());
    }

    void mergeBetweenThroughTheWindow()
    {
        Wizard w;
        Sending s;
        w.startWizard(true);
        pick(w.app.form1().List1, "たろう");
        w.app.form1().Command3->click();
        w.dialogs.choose(s.f.database());
        w.app.form2().Command1->click();
        w.app.form2().Command2->click();
        pick(w.app.form3().List1, "あき");
        w.app.form3().Command1->click();
        const QByteArray sendingBefore = fileBytes(s.f.database());
        const QVariantList usersBefore = w.f.query("SELECT * FROM userdata");

        Form4& step4 = w.app.form4();
        step4.Command1->click();
        step4.Command1->click();  // twice: the points come twice
        // No pictures beside the brought file: the rows land all the same,
        // and the teacher reads which pictures are missing.
        const QString done = "データの統合が完了しました\nポイント 2、記録 2、コピーした画像 0、見つからない画像 2\n\n"
                             "次の画像は見つかりませんでした:\ntonbo.jpg\nglay.bmp";
        QCOMPARE(w.dialogs.messages(), (QStringList{done, done}));
        QCOMPARE(backups(w.f), 2);
        QCOMPARE(w.f.query("SELECT object, indexs, userID, photo FROM data WHERE indexs > 4"),
                 (QVariantList{"とんぼ", 5, 3, "C:\\Program Files\\ワンデロ\\写真\\あき\\tonbo.jpg",
                               "せみ", 6, 3, "C:\\Program Files\\ワンデロ\\写真\\あき\\glay.bmp",
                               "とんぼ", 7, 3, "C:\\Program Files\\ワンデロ\\写真\\あき\\tonbo.jpg",
                               "せみ", 8, 3, "C:\\Program Files\\ワンデロ\\写真\\あき\\glay.bmp"}));
        QCOMPARE(w.app.editorOfData().recordset().recordCount(), 8);
        QCOMPARE(w.f.query("SELECT * FROM userdata"), usersBefore);
        QCOMPARE(fileBytes(s.f.database()), sendingBefore);
        QVERIFY(!mousePointer::isBusy());

        // Filled by another program since the tools last looked: the merge
        // counts the table as it is now and refuses before writing.
        w.f.sql("WITH RECURSIVE n(i) AS (SELECT 9 UNION ALL SELECT i + 1 FROM n WHERE i < 32766) "
                "INSERT INTO data (indexs, userID) SELECT i, 0 FROM n");
        const QByteArray full = fileBytes(w.f.database());
        step4.Command1->click();
        QCOMPARE(w.dialogs.messages().last(), merge::tooManyRowsMessage);
        QCOMPARE(fileBytes(w.f.database()), full);
        QCOMPARE(w.f.single("SELECT count(*) FROM data").toInt(), 32766);
    }
};

QTEST_MAIN(TestWizard)
#include "test_wizard.moc"
