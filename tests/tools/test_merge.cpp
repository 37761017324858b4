#include "database.h"
#include "fixture.h"
#include "merge.h"
#include "mergepictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

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
    merge::Brought run(const QString& name = "あき")
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
        const merge::Brought brought = b.run();
        QCOMPARE(brought.places, 3);
        QCOMPARE(brought.records, 4);
        QCOMPARE(brought.pictures, (QStringList{"glay.bmp", "さなぎ.jpg", "ねこ.jpg", "いぬ.JPG"}));
        // The first place keeps its second record, linked behind its head.
        const QString photos = "C:\\Program Files\\ワンデロ\\写真\\あき\\";
        QCOMPARE(b.local.query(QString(allColumns) + " WHERE rowid > 2"),
                 (QVariantList{"かぶと虫", "7", "21", "森で", "3", 200.0, 100.0, photos + "glay.bmp", 4, 0, 2,
                               "さなぎ", "", "", " ", "4", QVariant(), QVariant(), photos + "さなぎ.jpg", 0, 3, 1,
                               "ねこ", "", "", " ", "5", 50.0, 300.5, photos + "ねこ.jpg", 0, 0, 2,
                               "いぬ", "8", "1", "こうえん", "6", 500.0, 700.0, photos + "いぬ.JPG", 0, 0, 2}));
        QCOMPARE(b.local.query("SELECT * FROM userdata"), usersBefore);
        QCOMPARE(fileBytes(b.sending.database()), sendingBefore);

        QCOMPARE(b.run().records, 4);  // pressed again: appended again
        QCOMPARE(b.local.query("SELECT indexs, childs, mother FROM data WHERE rowid > 6"),
                 (QVariantList{"7", 8, 0, "8", 0, 7, "9", 0, 0, "10", 0, 0}));
    }

    void aDamagedChainEndsWhereItBreaks()
    {
        // Chains that lead back into themselves, out of the table, or to
        // another user's row: what comes before the break travels.
        Fixture local, sending;
        local.addUser("はな", 2);
        sending.addUser("あき", 5);
        sending.addFind({"輪", 5, 1, 1, "", 2});
        sending.addFind({"輪2", 1, {}, {}, "", 1, 1});     // back to its head
        sending.addFind({"外", 5, 2, 2, "", 4});
        sending.addFind({"外2", 1, {}, {}, "", 99, 3});    // out of the table
        sending.addFind({"よそ", 5, 3, 3, "", 6});
        sending.addFind({"ゆいの", 7, 4, 4, "", 0});       // another user's head
        auto localDb = Database::open(local.database());
        auto sendingDb = Database::open(sending.database(), Database::Mode::ReadOnly);
        Cursor localData(*localDb, "data", Cursor::Kind::Dynaset);
        Cursor users(*sendingDb, "userdata", Cursor::Kind::Dynaset);
        Cursor data(*sendingDb, "data", Cursor::Kind::Dynaset);
        QCOMPARE(merge::mergeBetween(localData, users, data, "あき", 2).records, 5);
        QCOMPARE(local.query("SELECT object, indexs, childs, mother, userID FROM data"),
                 (QVariantList{"輪", "1", 2, 0, 2, "輪2", "2", 0, 1, 1, "外", "3", 4, 0, 2, "外2", "4", 0, 3, 1,
                               "よそ", "5", 0, 0, 2}));
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

    // The last indexs decides too: a table of few rows whose last row is
    // numbered near the end takes no more than fit.
    void aLastIndexsNearTheEndIsRefused()
    {
        Between b;
        b.local.sql("UPDATE data SET indexs = '32764' WHERE rowid = 2");
        QVERIFY_THROWS_EXCEPTION(merge::TooManyRows, b.run());  // 4 records: 32768 would pass the end
        QCOMPARE(b.local.single("SELECT count(*) FROM data").toInt(), 2);
        b.local.sql("UPDATE data SET indexs = '32763' WHERE rowid = 2");
        QCOMPARE(b.run().records, 4);
        QCOMPARE(b.local.single("SELECT max(indexs) FROM data").toString(), QStringLiteral("32767"));
    }

    // The cursor stands where appending the rows one by one left it: on the
    // row before the last one added, or past the end when that is the only
    // row.
    void theCursorEndsWhereAppendingLeftIt()
    {
        Between b;
        b.run();
        QCOMPARE(b.localData->absolutePosition(), b.localData->recordCount() - 2);
        QVERIFY(b.sendingData->eof());

        Fixture local, sending;
        local.addUser("はな", 2);
        sending.addUser("あき", 5);
        sending.addFind({"ひとつ", 5, 1, 1});
        auto localDb = Database::open(local.database());
        auto sendingDb = Database::open(sending.database(), Database::Mode::ReadOnly);
        Cursor localData(*localDb, "data", Cursor::Kind::Dynaset);
        Cursor users(*sendingDb, "userdata", Cursor::Kind::Dynaset);
        Cursor data(*sendingDb, "data", Cursor::Kind::Dynaset);
        QCOMPARE(merge::mergeBetween(localData, users, data, "あき", 2).records, 1);
        QVERIFY(localData.eof());
        QCOMPARE(localData.recordCount(), 1);
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

    void picturesComeFromACopiedInstallationFolder()
    {
        Between b;
        const QString exported = "KOVR/データ統合用画像/あき/";
        b.sending.writePicture(exported + "glay.bmp", Qt::gray, 8, 8);
        b.sending.writePicture(exported + "さなぎ.jpg", Qt::green, 8, 8);
        b.sending.writePicture(exported + "ねこ.jpg", Qt::black, 8, 8);
        b.sending.writePicture(exported + "いぬ.jpg", Qt::yellow, 8, 8);  // lower case, as exported
        b.sending.writePicture(exported + "ほか.jpg", Qt::red, 8, 8);     // named by no row
        // Already here: the same cat, and another placeholder of that name.
        QDir(b.local.folder()).mkpath("写真/あき");
        QVERIFY(QFile::copy(b.sending.folder() + '/' + exported + "ねこ.jpg", b.local.folder() + "/写真/あき/ねこ.jpg"));
        b.local.writePicture("写真/あき/glay.bmp", Qt::white, 8, 8);
        const QByteArray localGlay = fileBytes(b.local.folder() + "/写真/あき/glay.bmp");

        const merge::Brought brought = b.run();
        const merge::PictureReport report =
            merge::bringPictures(b.local.installation(), b.sending.database(), "あき", brought.pictures);
        QCOMPARE(report.copied, 2);
        QCOMPARE(report.missing, QStringList());
        QCOMPARE(report.kept, QStringList{"glay.bmp"});
        QCOMPARE(QDir(b.local.folder() + "/写真/あき").entryList(QDir::Files, QDir::Name),
                 (QStringList{"glay.bmp", "いぬ.jpg", "さなぎ.jpg", "ねこ.jpg"}));
        QCOMPARE(fileBytes(b.local.folder() + "/写真/あき/glay.bmp"), localGlay);
        QCOMPARE(fileBytes(b.local.folder() + "/写真/あき/いぬ.jpg"),
                 fileBytes(b.sending.folder() + '/' + exported + "いぬ.jpg"));
        QCOMPARE(merge::broughtMessage(brought, report),
                 QStringLiteral("データの統合が完了しました\nポイント 3、記録 4、コピーした画像 2、見つからない画像 0\n\n"
                                "同じ名前の別の画像がこのコンピュータにあるので、次の画像はコピーしていません:\nglay.bmp"));
    }

    void picturesFoundBesideTheDatabase_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("copied installation") << "KOVR/データ統合用画像/あき";
        QTest::newRow("export folder") << "データ統合用画像/あき";
        QTest::newRow("user's folder") << "あき";
        QTest::newRow("none") << "";
    }
    void picturesFoundBesideTheDatabase()
    {
        QFETCH(QString, folder);
        Fixture here;
        QTemporaryDir brought;
        const QString database = brought.filePath("wandelo.mdb");
        QVERIFY(QDir(brought.path()).mkpath(folder.isEmpty() ? "ほか" : folder));
        if (!folder.isEmpty())
            QVERIFY(QFile::copy(here.writePicture("ねこ.jpg", Qt::black, 8, 8), brought.filePath(folder + "/ねこ.jpg")));
        const merge::PictureReport report =
            merge::bringPictures(here.installation(), database, "あき", {"ねこ.jpg", "いぬ.jpg"});
        QCOMPARE(report.copied, folder.isEmpty() ? 0 : 1);
        QCOMPARE(report.missing, folder.isEmpty() ? (QStringList{"ねこ.jpg", "いぬ.jpg"}) : QStringList{"いぬ.jpg"});
        QCOMPARE(QFileInfo::exists(here.folder() + "/写真/あき/ねこ.jpg"), !folder.isEmpty());
    }

    void nothingIsWrittenOutsideTheUsersPhotoFolder()
    {
        Fixture here, sending;
        sending.writePicture("あき/ねこ.jpg", Qt::black, 8, 8);
        sending.writePicture("ねこ.jpg", Qt::black, 8, 8);
        const QStringList before = QDir(here.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        // A name that is a path, and picture names that are not file names.
        QCOMPARE(merge::bringPictures(here.installation(), sending.database(), "../..", {"ねこ.jpg"}).missing,
                 QStringList{"ねこ.jpg"});
        QCOMPARE(merge::bringPictures(here.installation(), sending.database(), "あき", {"..", "."}).missing,
                 (QStringList{"..", "."}));
        QCOMPARE(QDir(here.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QVERIFY(!QFileInfo::exists(here.folder() + "/写真/あき"));
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
