#include "cursor.h"
#include "database.h"
#include "fixture.h"
#include "schema.h"

#include <QFile>
#include <functional>
#include <QTest>

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void freshDatabaseHasBothTablesInColumnOrder()
    {
        Fixture f;
        const QVariantList userColumns = f.query("SELECT name FROM pragma_table_info('userdata')");
        QCOMPARE(userColumns, (QVariantList{"Name", "userID", "BackGnd"}));
        const QVariantList dataColumns = f.query("SELECT name FROM pragma_table_info('data')");
        QCOMPARE(dataColumns, (QVariantList{"object", "months", "days", "comment", "indexs", "yz",
                                            "xz", "photo", "childs", "mother", "userID"}));
        QCOMPARE(f.single("SELECT count(*) FROM data").toInt(), 0);
        QCOMPARE(f.single("PRAGMA journal_mode").toString(), QStringLiteral("delete"));
    }

    void columnsRefuseWhatDoesNotFit_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::newRow("name of 21 characters")
            << "INSERT INTO userdata VALUES ('あいうえおかきくけこさしすせそたちつてとな', 2, '')";
        QTest::newRow("userID above 16 bits") << "INSERT INTO userdata VALUES ('a', 40000, '')";
        QTest::newRow("userID as text") << "INSERT INTO userdata VALUES ('a', 'abc', '')";
        QTest::newRow("object of 51 characters")
            << "INSERT INTO data (object) VALUES (printf('%.51c', 'x'))";
        QTest::newRow("photo of 101 characters")
            << "INSERT INTO data (photo) VALUES (printf('%.101c', 'x'))";
        QTest::newRow("xz as text") << "INSERT INTO data (xz) VALUES ('left')";
    }
    void columnsRefuseWhatDoesNotFit()
    {
        QFETCH(QString, statement);
        Fixture f;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, f.sql(statement));
    }

    void columnsTakeTheirLimits()
    {
        Fixture f;
        f.sql("INSERT INTO userdata VALUES ('あいうえおかきくけこさしすせそたちつてと', -32768, '')");
        f.sql("INSERT INTO data (object, comment) VALUES (printf('%.50c', 'x'), printf('%.5000c', 'y'))");
        QCOMPARE(f.single("SELECT count(*) FROM data").toInt(), 1);
    }

    // Every bad file is refused with a Japanese text, and stays as it was.
    void badFilesAreRefusedAndLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("drop");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("zero bytes") << QByteArray() << "" << "userdata";
        QTest::newRow("not a database") << QByteArray("これはデータベースではありません\n", 60) << ""
                                        << "データベースではありません";
        QTest::newRow("table data missing") << QByteArray("db") << "DROP TABLE data" << "data";
        QTest::newRow("column missing")
            << QByteArray("db") << "ALTER TABLE data DROP COLUMN photo" << "photo";
    }
    void badFilesAreRefusedAndLeftAlone()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, drop);
        QFETCH(QString, mentions);
        Fixture f;
        if (content != "db") {
            QFile file(f.database());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(content);
        } else {
            f.sql(drop);
        }
        const QByteArray before = fileBytes(f.database());
        try {
            Database::open(f.database());
            QFAIL("a bad file was opened");
        } catch (const DbError& e) {
            QVERIFY2(e.text().contains(mentions), qPrintable(e.text()));
        }
        QCOMPARE(fileBytes(f.database()), before);
    }

    void missingFileIsNotCreated()
    {
        Fixture f;
        QFile::remove(f.database());
        QVERIFY_THROWS_EXCEPTION(DbError, Database::open(f.database()));
        QVERIFY(!QFile::exists(f.database()));
    }

    void readOnlyOpeningRefusesWrites()
    {
        Fixture f;
        f.addUser("はな", 2);
        const QByteArray before = fileBytes(f.database());
        auto db = Database::open(f.database(), Database::Mode::ReadOnly);
        Cursor users(*db, "userdata", Cursor::Kind::Dynaset);
        users.edit();
        users.setValue("Name", "たろう");
        QVERIFY_THROWS_EXCEPTION(DbError, users.update());
        QCOMPARE(fileBytes(f.database()), before);
    }

    // A file another program holds is busy, not foreign, and usable as soon
    // as the other program lets go.
    void aLockedFileIsBusyThenUsable()
    {
        Database::setBusyTimeout(50);
        Fixture f;
        f.addUser("はな", 2);
        auto open = Database::open(f.database());
        FileLock lock(f.database());
        for (const auto& attempt : std::initializer_list<std::function<void()>>{
                 [&] { Database::open(f.database()); },
                 [&] { open->exec("UPDATE userdata SET userID = 3"); },
                 [&] { Cursor(*open, "data", Cursor::Kind::Dynaset); }}) {
            try {
                attempt();
                QFAIL("a locked file was used");
            } catch (const DbError& e) {
                QCOMPARE(e.number(), dberr::busy);
                QCOMPARE(e.text(), busyText);
            }
        }
        lock.release();
        QCOMPARE(Cursor(*Database::open(f.database()), "userdata", Cursor::Kind::Dynaset).text("Name"),
                 QStringLiteral("はな"));
        Database::setBusyTimeout(5000);
    }

    void transactionLandsWholeOrNotAtAll()
    {
        Fixture f;
        auto db = Database::open(f.database());
        {
            Transaction t(*db);
            db->exec("INSERT INTO userdata VALUES ('a', 2, '')");
            // not committed
        }
        QCOMPARE(f.single("SELECT count(*) FROM userdata").toInt(), 0);
        {
            Transaction t(*db);
            db->exec("INSERT INTO userdata VALUES ('a', 2, '')");
            t.commit();
        }
        QCOMPARE(f.single("SELECT count(*) FROM userdata").toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
