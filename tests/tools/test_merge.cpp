#include "database.h"
#include "fixture.h"
#include "merge.h"

#include <QTest>

namespace {

// The sending computer: あき (userID 5) has three points, the first with a
// second record; other users' rows, a free row and a chain row around them.
void sendingComputer(Fixture& f)
{
    f.addUser("ゆい", 2, "背景\\park.bmp");
    f.addUser("あき", 5, "C:\\Program Files\\ワンデロ\\背景\\park.bmp");
    f.addFind({"かぶと虫", 5, 100, 200, "写真\\glay.bmp", 2, 0, "7", "21", "森で"});
    f.addFind({"さなぎ", 1, {}, {}, "写真\\さなぎ.jpg", 0, 1});
    f.addFind({"ゆいの石", 2, 10, 10, "写真\\glay.bmp"});
    f.addFind({"", 0, 30, 30, "写真\\glay.bmp"});
    f.addFind({"ねこ", 5, 300.5, 50, "C:\\Program Files\\ワンデロ\\写真\\ねこ.jpg", 0, 0, "", "", " "});
    f.addFind({"いぬ", 5, 700, 500, "/home/aki/いぬ.JPG", 0, 0, "8", "1", "こうえん"});
}

// This computer: はな (2) with two rows already.
void thisComputer(Fixture& f)
{
    f.addUser("はな", 2, "背景\\park.bmp");
    f.addFind({"はなの花", 2, 1, 1, "写真\\glay.bmp"});
    f.addFind({"", 0});
}

struct Between {
    Fixture local, sending;
    std::unique_ptr<Database> localDb, sendingDb;
    std::unique_ptr<Cursor> localData, sendingUsers, sendingData;
    Between()
    {
        thisComputer(local);
        sendingComputer(sending);
        localDb = Database::open(local.database());
        sendingDb = Database::open(sending.database(), Database::Mode::ReadOnly);
        localData = std::make_unique<Cursor>(*localDb, "data", Cursor::Kind::Dynaset);
        sendingUsers = std::make_unique<Cursor>(*sendingDb, "userdata", Cursor::Kind::Dynaset);
        sendingData = std::make_unique<Cursor>(*sendingDb, "data", Cursor::Kind::Dynaset);
    }
    int run(const QString& name = "あき")
    {
        return merge::mergeBetween(*localData, *sendingUsers, *sendingData, name, 2);
    }
};

const char* allColumns = "SELECT object, months, days, comment, indexs, yz, xz, photo, childs, mother, userID FROM data";

}  // namespace

class TestMerge : public QObject {
    Q_OBJECT
private slots:
    void betweenTwoDatabases()
    {
        Between b;
        const QByteArray sendingBefore = fileBytes(b.sending.database());
        const QVariantList usersBefore = b.local.query("SELECT * FROM userdata");
        QCOMPARE(b.run(), 3);
        const QString photos = "C:\\Program Files\\ワンデロ\\写真\\あき\\";
        QCOMPARE(b.local.query(QString(allColumns) + " WHERE rowid > 2"),
                 (QVariantList{"かぶと虫", "7", "21", "森で", "3", 200.0, 100.0, photos + "glay.bmp", 0, 0, 2,
                               "ねこ", "", "", " ", "4", 50.0, 300.5, photos + "ねこ.jpg", 0, 0, 2,
                               "いぬ", "8", "1", "こうえん", "5", 500.0, 700.0, photos + "いぬ.JPG", 0, 0, 2}));
        QCOMPARE(b.local.query("SELECT * FROM userdata"), usersBefore);
        QCOMPARE(fileBytes(b.sending.database()), sendingBefore);

        QCOMPARE(b.run(), 3);  // pressed again: appended again
        QCOMPARE(b.local.query("SELECT indexs FROM data WHERE rowid > 5"), (QVariantList{"6", "7", "8"}));
    }

    void aMergeThatWouldFillTheTableIsRefused()
    {
        Between b;
        b.local.sql("WITH RECURSIVE n(i) AS (SELECT 3 UNION ALL SELECT i + 1 FROM n WHERE i < 32765) "
                    "INSERT INTO data (indexs, userID) SELECT i, 1 FROM n");
        b.localData->requery();
        QVERIFY_THROWS_EXCEPTION(merge::TooManyRows, b.run());
        QCOMPARE(b.local.single("SELECT count(*) FROM data").toInt(), 32765);
    }

    void aFailureMidwayLeavesNothing()
    {
        Between b;
        b.local.sql("CREATE TRIGGER refuse BEFORE INSERT ON data WHEN NEW.object = 'いぬ' "
                    "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        QVERIFY_THROWS_EXCEPTION(DbError, b.run());
        QCOMPARE(b.local.single("SELECT count(*) FROM data").toInt(), 2);
        QCOMPARE(b.localData->recordCount(), 2);  // the cursor forgot the rolled-back rows
    }

    void aSenderWhoIsNotThere()
    {
        Between b;
        QVERIFY_THROWS_EXCEPTION(merge::SenderMissing, b.run("だれ"));
        QCOMPARE(merge::senderMissingMessage("だれ"), QStringLiteral("ユーザ「だれ」はもういません。"));
    }

    // The sending name becomes a folder of every copied photo: a name the
    // registration would refuse is refused before anything is written.
    void aSendingNameThatIsNoFolderName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("windows path") << "..\\..\\..\\..\\tmp\\evil";
        QTest::newRow("native path") << "../../tmp/evil";
        QTest::newRow("parent folder") << "..";
    }
    void aSendingNameThatIsNoFolderName()
    {
        QFETCH(QString, name);
        Between b;
        b.sending.sql("UPDATE userdata SET Name = '" + name + "' WHERE Name = 'あき'");
        b.sendingUsers->requery();
        const QByteArray before = fileBytes(b.local.database());
        QVERIFY_THROWS_EXCEPTION(merge::UnusableName, b.run(name));
        QCOMPARE(fileBytes(b.local.database()), before);
    }

    void withinOneDatabase()
    {
        Fixture f;
        sendingComputer(f);
        f.addUser("あき", 5, "背景\\park.bmp");  // registered twice
        auto db = Database::open(f.database());
        Cursor data(*db, "data", Cursor::Kind::Dynaset);
        const QVariantList before = f.query(allColumns);

        QCOMPARE(merge::mergeWithin(data, "あき", 2, false), 3);
        QVariantList expected = before;
        for (int row : {0, 4, 5})
            expected[row * 11 + 10] = 2;  // only the head records change owner
        QCOMPARE(f.query(allColumns), expected);
        QCOMPARE(f.single("SELECT count(*) FROM userdata WHERE userID = 5").toInt(), 2);

        QCOMPARE(merge::mergeWithin(data, "あき", 2, false), 0);  // nothing more to hand over
        QCOMPARE(merge::mergeWithin(data, "あき", 2, true), 0);
        QCOMPARE(f.query("SELECT Name FROM userdata"), (QVariantList{"ゆい"}));
        QCOMPARE(f.query(allColumns), expected);
        QVERIFY_THROWS_EXCEPTION(merge::SenderMissing, merge::mergeWithin(data, "あき", 2, true));
    }
};

QTEST_GUILESS_MAIN(TestMerge)
#include "test_merge.moc"
