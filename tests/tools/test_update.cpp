#include "backup.h"
#include "editors.h"
#include "fixture.h"
#include "int16.h"
#include "form10.h"
#include "form5.h"
#include "kovrapp.h"
#include "rowrules.h"
#include "scripteddialogs.h"
#include "update.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

namespace {

// The update tool as the teacher reaches it: launcher, update tool.
struct UpdateTool {
    UpdateTool()
    {
        app.onEnd = [] {};
    }
    Form10& open()
    {
        app.start();
        app.form5().Option5->click();
        app.form5().Command1->click();
        return app.form10();
    }
    void run() { open().Command1->click(); }
    Fixture f;
    ScriptedDialogs dialogs{QStringLiteral("KOVR")};
    KovrApp app{f.installation(), dialogs};
};

QStringList backups(const Fixture& f)
{
    return QDir(f.folder() + QStringLiteral("/KOVR/backup")).entryList(QDir::Files, QDir::Name);
}

}  // namespace

class TestUpdate : public QObject {
    Q_OBJECT

private slots:
    void positionsScaleDownToWholeNumbers_data()
    {
        QTest::addColumn<double>("before");
        QTest::addColumn<double>("after");
        QTest::newRow("333") << 333.0 << 416.0;
        QTest::newRow("101") << 101.0 << 126.0;
        QTest::newRow("-3") << -3.0 << -4.0;
        QTest::newRow("0") << 0.0 << 0.0;
        QTest::newRow("8") << 8.0 << 10.0;
        QTest::newRow("fraction") << 101.5 << 126.0;
        QTest::newRow("-0.5") << -0.5 << -1.0;
    }
    void positionsScaleDownToWholeNumbers()
    {
        QFETCH(double, before);
        QFETCH(double, after);
        Fixture f;
        f.addFind({"かぶと虫", 2, before, before});
        auto db = Database::open(f.database());
        Cursor data(*db, "data", Cursor::Kind::Dynaset);
        QCOMPARE(updateToVer2(data).result, UpdateResult::Updated);
        QCOMPARE(f.query("SELECT xz, yz FROM data WHERE rowid = 1"), (QVariantList{after, after}));
    }

    // A file made by another program may hold anything in any field: the
    // scaling writes what reading each row into the program and writing it
    // back row by row has always written, value and stored type alike.
    void oddStoredValuesScaleAsRowByRow()
    {
        Fixture f, reference;
        const QString rowsSql = QStringLiteral(
            "DROP TABLE data;"
            "CREATE TABLE data (object, months, days, comment, indexs, yz, xz, photo, childs, mother, userID);"
            "INSERT INTO data (indexs, userID, xz, yz) VALUES"
            " ('1', 2, '12', 'abc'),"         // text: a number, and none
            " ('2', 2, 7, -0.5),"             // an integer; a negative fraction
            " ('3', '2', 1e308, -1e308),"     // text ID; past the float range
            " ('4', 2.5, x'3132', ''),"        // ID halves to even; a blob, empty text
            " ('5', 70000, 10, 10),"          // an ID past 16 bits: no head
            " ('6', 1.4, 10, 10),"            // reads as 1: a chain record
            " ('7', NULL, 10, 10),"
            " ('8', '３', 333, NULL),"         // full-width digit, as typed
            " ('9', 'x', 10, 10),"
            " ('10', -2, 101.5, 0);");
        f.sql(rowsSql);
        reference.sql(rowsSql);

        auto db = Database::open(f.database());
        Cursor data(*db, "data", Cursor::Kind::Dynaset);
        const UpdateOutcome outcome = updateToVer2(data);
        QCOMPARE(outcome.result, UpdateResult::Updated);

        // The rule as the tool applied it, one row at a time.
        auto refDb = Database::open(reference.database());
        Cursor old(*refDb, "data", Cursor::Kind::Dynaset);
        int scaled = 0;
        for (old.moveFirst(); !old.eof(); old.moveNext()) {
            const auto owner = toInt16(old.value("userID"));
            if (!owner || tables::rowKind(*owner) != tables::RowKind::Head)
                continue;
            auto scale = [](const QVariant& v) {
                return v.isValid() && !v.isNull() ? QVariant(intFloor(v.toDouble() * updateScale)) : v;
            };
            const QVariant xz = old.value("xz"), yz = old.value("yz");
            old.edit();
            old.setValue("xz", scale(xz));
            old.setValue("yz", scale(yz));
            old.update();
            ++scaled;
        }
        QCOMPARE(outcome.scaled, scaled);
        QCOMPARE(scaled, 6);
        const QString look = QStringLiteral("SELECT typeof(xz), xz, typeof(yz), yz FROM data WHERE indexs <> '11' ORDER BY rowid");
        QCOMPARE(f.query(look), reference.query(look));
        QCOMPARE(f.single("SELECT indexs FROM data WHERE object = 'UpdateCompleted'").toString(), QStringLiteral("11"));
    }

    void updateScalesHeadRecordsAndWritesTheMarkerLast()
    {
        UpdateTool t;
        t.f.addFind({"かぶと虫", 2, 333, 101});
        t.f.addFind({"さなぎ", 1, 40, 40});       // a chain record keeps what it has
        t.f.addFind({"", 0, 200, -3});            // so does a free row
        t.f.addFind({"ザリガニ", 3, -3, 600});
        t.f.addFind({"どんぐり", 2, QVariant(), QVariant()});  // no position: stays without
        t.run();
        QCOMPARE(t.dialogs.messages(), (QStringList{"Ver2.X形式への更新が完了しました"}));
        QCOMPARE(t.dialogs.asked[0].title, QStringLiteral("KOVR"));
        QCOMPARE(t.f.query("SELECT xz, yz FROM data ORDER BY rowid LIMIT 5"),
                 (QVariantList{416.0, 126.0, 40.0, 40.0, 200.0, -3.0, -4.0, 750.0, QVariant(), QVariant()}));
        QCOMPARE(t.f.query("SELECT object, months, days, comment, indexs, yz, xz, photo, childs, mother, userID "
                           "FROM data WHERE rowid = (SELECT max(rowid) FROM data)"),
                 (QVariantList{"UpdateCompleted", QVariant(), QVariant(), QString::fromUtf8("Update済フラグ\u3000削除しないでください"),
                               "6", QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), 1}));
        QCOMPARE(t.f.single("SELECT count(*) FROM data").toInt(), 6);
        QCOMPARE(backups(t.f).size(), 1);
        QVERIFY(QRegularExpression(QStringLiteral("^wandelo-\\d{8}-\\d{6}\\.mdb$")).match(backups(t.f)[0]).hasMatch());
        // The copy is the database as it was before.
        auto copy = Database::open(t.f.folder() + QStringLiteral("/KOVR/backup/") + backups(t.f)[0]);
        Cursor old(*copy, "data", Cursor::Kind::Dynaset);
        QCOMPARE(old.recordCount(), 5);
        QCOMPARE(old.text("xz"), QStringLiteral("333"));

        // A second run finds the marker and changes nothing.
        const QByteArray after = fileBytes(t.f.database());
        t.app.form10().Command1->click();
        QCOMPARE(t.dialogs.messages().last(), QStringLiteral("このデータベースは既に更新されています"));
        QCOMPARE(fileBytes(t.f.database()), after);
        QCOMPARE(backups(t.f).size(), 1);
    }

    void markerAnywhereRefuses()
    {
        UpdateTool t;
        t.f.addFind({"かぶと虫", 2, 100, 100});
        t.f.addFind({"UpdateCompleted", 1});
        t.f.addFind({"どんぐり", 2, 100, 100});
        t.f.addFind({"updatecompleted", 1});  // the comparison is exact
        const QByteArray before = fileBytes(t.f.database());
        t.run();
        QCOMPARE(t.dialogs.messages(), (QStringList{"このデータベースは既に更新されています"}));
        QCOMPARE(fileBytes(t.f.database()), before);
        QVERIFY(backups(t.f).isEmpty());
    }

    // The map program makes points while the update tool stands open on
    // rows it read earlier: the update still scales them all.
    void rowsAppendedByAnotherProgramAreUpdatedToo()
    {
        UpdateTool t;
        t.f.addFind({"かぶと虫", 2, 100, 100});
        t.f.addFind({"", 0, 7, 7});  // a deleted point, taken by the map program below
        t.f.addFind({"どんぐり", 3, 200, 200});
        Form10& tool = t.open();
        QCOMPARE(t.app.localData()->recordCount(), 3);

        auto map = Database::open(t.f.database());
        Cursor mapData(*map, "data", Cursor::Kind::Table);
        for (int x : {300, 400, 500})  // a free row reused, then two appended
            rows::createPoint(mapData, {2, "7", "21", float(x + 16), float(x + 16)});
        tool.Command1->click();

        QCOMPARE(t.dialogs.messages(), (QStringList{updateCompletedMessage}));
        QCOMPARE(t.f.query("SELECT xz FROM data ORDER BY rowid"),
                 (QVariantList{125.0, 375.0, 250.0, 500.0, 625.0, QVariant()}));
        QCOMPARE(t.f.query("SELECT indexs FROM data ORDER BY rowid"),
                 (QVariantList{"1", "2", "3", "4", "5", "6"}));
    }

    void emptyTableGetsTheMarkerWithIndexsOne()
    {
        UpdateTool t;
        t.run();
        QCOMPARE(t.dialogs.messages(), (QStringList{"Ver2.X形式への更新が完了しました"}));
        QCOMPARE(t.f.query("SELECT object, indexs, userID FROM data"), (QVariantList{"UpdateCompleted", "1", 1}));
    }

    void failureMidwayChangesNothing()
    {
        UpdateTool t;
        t.f.addFind({"かぶと虫", 2, 100, 100});
        t.f.addFind({"こわれ", 2, 200, 200});
        t.f.addFind({"どんぐり", 2, 300, 300});
        t.f.sql("CREATE TRIGGER boom BEFORE UPDATE ON data WHEN OLD.object = 'こわれ' "
                "BEGIN SELECT RAISE(ABORT, 'injected'); END;");
        const QByteArray before = fileBytes(t.f.database());
        t.run();
        QCOMPARE(t.dialogs.messages().size(), 1);
        QVERIFY(t.dialogs.messages()[0].startsWith(QStringLiteral("ﾃﾞｰﾀ ｺﾝﾄﾛｰﾙで次のｴﾗｰが発生しました :")));
        QVERIFY(!t.dialogs.messages().contains(updateCompletedMessage));
        QCOMPARE(fileBytes(t.f.database()), before);

        // Mended, the update scales every row once.
        t.f.sql("DROP TRIGGER boom;");
        t.app.form10().Command1->click();
        QCOMPARE(t.dialogs.messages().last(), updateCompletedMessage);
        QCOMPARE(t.f.query("SELECT xz FROM data ORDER BY rowid LIMIT 3"), (QVariantList{125.0, 250.0, 375.0}));
        QCOMPARE(t.f.single("SELECT count(*) FROM data WHERE object = 'UpdateCompleted'").toInt(), 1);
        // The editor on data works on the same cursor and sees the rows.
        frmForm5& editor = t.app.editorOfData();
        QCOMPARE(editor.recordset().recordCount(), 4);
    }

    void refusedWithoutTouchingTheFile_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("says");
        QTest::newRow("no backup possible") << "backup is a file" << "バックアップを作れない";
        QTest::newRow("last indexs not a number") << "UPDATE data SET indexs = 'x' WHERE rowid = 2;" << "indexs";
        QTest::newRow("table full") << "UPDATE data SET indexs = '32767' WHERE rowid = 2;" << "いっぱい";
    }
    void refusedWithoutTouchingTheFile()
    {
        QFETCH(QString, setup);
        QFETCH(QString, says);
        UpdateTool t;
        t.f.addFind({"かぶと虫", 2, 100, 100});
        t.f.addFind({"どんぐり", 2, 100, 100});
        if (setup == QStringLiteral("backup is a file")) {
            QDir(t.f.folder()).mkpath(QStringLiteral("KOVR"));
            QFile file(t.f.folder() + QStringLiteral("/KOVR/backup"));
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else {
            t.f.sql(setup);
        }
        const QByteArray before = fileBytes(t.f.database());
        t.run();
        QCOMPARE(t.dialogs.messages().size(), 1);
        QVERIFY2(t.dialogs.messages()[0].contains(says), qPrintable(t.dialogs.messages()[0]));
        QCOMPARE(fileBytes(t.f.database()), before);
    }

    void backupKeepsTheNewestTen()
    {
        Fixture f;
        const QString folder = f.folder() + QStringLiteral("/KOVR/backup");
        QDir().mkpath(folder);
        for (int day = 1; day <= 12; ++day) {
            QFile old(folder + QStringLiteral("/wandelo-202401%1-080000.mdb").arg(day, 2, 10, QChar(u'0')));
            QVERIFY(old.open(QIODevice::WriteOnly));
        }
        QFile other(folder + QStringLiteral("/せんせいのメモ.txt"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        const QDateTime now(QDate(2024, 3, 5), QTime(14, 30, 7));
        QCOMPARE(backupDatabase(f.installation(), f.database(), now), QString());
        QCOMPARE(backupDatabase(f.installation(), f.database(), now), QString());  // same second
        QStringList kept = QDir(folder).entryList({"wandelo-*.mdb"}, QDir::Files, QDir::Name);
        QCOMPARE(kept.size(), 10);
        QCOMPARE(kept.first(), QStringLiteral("wandelo-20240105-080000.mdb"));
        QVERIFY(kept.contains(QStringLiteral("wandelo-20240305-143007.mdb")));
        QVERIFY(kept.contains(QStringLiteral("wandelo-20240305-143007_2.mdb")));
        QCOMPARE(fileBytes(folder + QStringLiteral("/wandelo-20240305-143007.mdb")), fileBytes(f.database()));
        QVERIFY(QFile::exists(folder + QStringLiteral("/せんせいのメモ.txt")));
        QVERIFY(QDir(folder).entryList({"*.part"}, QDir::Files).isEmpty());
    }
};

QTEST_MAIN(TestUpdate)
#include "test_update.moc"
