#include "fixture.h"
#include "tables.h"
#include "userrules.h"

#include <QTest>

using Outcome = userrules::Registration::Outcome;
Q_DECLARE_METATYPE(Outcome)

namespace {

// Three users and a cursor over them. Hanako and hanako differ only in
// letter case; Taro's row comes last.
struct ThreeUsers {
    Fixture f;
    std::unique_ptr<Database> db;
    std::unique_ptr<Cursor> users;
    ThreeUsers()
    {
        f.addUser(QStringLiteral("Hanako"), 2, QStringLiteral("背景\\森.bmp"));
        f.addUser(QStringLiteral("hanako"), 3, QStringLiteral("/home/sensei/森.bmp"));
        f.addUser(QStringLiteral("Taro"), 5, QStringLiteral("背景\\海.bmp"));
        db = Database::open(f.database());
        users = std::make_unique<Cursor>(*db, tables::userdata, Cursor::Kind::Dynaset);
    }
};

}  // namespace

class TestUserRules : public QObject {
    Q_OBJECT

private slots:
    void findsAUser_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("foundID");  // 0: not found
        QTest::newRow("letter case counts") << QStringLiteral("hanako") << 3 << 3;
        QTest::newRow("the last row") << QStringLiteral("Taro") << 5 << 5;
        QTest::newRow("nobody") << QStringLiteral("Jiro") << 9 << 0;
        QTest::newRow("a prefix is no name") << QStringLiteral("Tar") << 4 << 0;
    }
    void findsAUser()
    {
        QFETCH(QString, name);
        QFETCH(int, id);
        QFETCH(int, foundID);
        ThreeUsers t;
        Cursor& users = *t.users;
        for (const bool found : {userrules::findByName(users, name), userrules::findByID(users, qint16(id))}) {
            QCOMPARE(found, foundID != 0);
            if (found)
                QCOMPARE(users.value(tables::user::userID).toInt(), foundID);
            else
                QVERIFY(users.eof());
        }
    }

    void registersOrRefuses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Outcome>("outcome");
        QTest::newRow("a new name gets the next ID") << QStringLiteral("じろう") << Outcome::Registered;
        QTest::newRow("a name differing in case") << QStringLiteral("TARO") << Outcome::Registered;
        QTest::newRow("a name taken") << QStringLiteral("Taro") << Outcome::NameTaken;
        QTest::newRow("no folder name") << QStringLiteral("a/b") << Outcome::NameUnusable;
        QTest::newRow("a question mark") << QStringLiteral("だれ?") << Outcome::NameUnusable;
    }
    void registersOrRefuses()
    {
        QFETCH(QString, name);
        QFETCH(Outcome, outcome);
        ThreeUsers t;
        Cursor& users = *t.users;
        const userrules::Registration result = userrules::registerUser(users, name);
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(userrules::refusalMessage(outcome).isEmpty(), outcome == Outcome::Registered);
        if (outcome != Outcome::Registered) {
            QCOMPARE(t.f.single("SELECT count(*) FROM userdata").toInt(), 3);
            return;
        }
        QCOMPARE(int(result.id), 6);
        QCOMPARE(t.f.query("SELECT Name, userID, BackGnd FROM userdata WHERE userID = 6"),
                 (QVariantList{name, 6, tables::defaultBackground}));
        QCOMPARE(users.text(tables::user::Name), name);  // the exports read it from here
    }

    void aFullTableTakesNoUser()
    {
        Fixture f;
        f.sql("WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM n WHERE i < 32767) "
              "INSERT INTO userdata SELECT 'u' || i, i, '' FROM n");
        auto db = Database::open(f.database());
        Cursor users(*db, tables::userdata, Cursor::Kind::Dynaset);
        QCOMPARE(userrules::registerUser(users, QStringLiteral("じろう")).outcome, Outcome::TableFull);
        QCOMPARE(f.single("SELECT count(*) FROM userdata").toInt(), 32766);
    }

    void namesWithTheSameBackground_data()
    {
        QTest::addColumn<QString>("background");
        QTest::addColumn<int>("except");  // 0: nobody left out
        QTest::addColumn<QStringList>("names");
        QTest::newRow("the folder does not count") << QStringLiteral("森.bmp") << 0
                                                   << QStringList{"Hanako", "hanako"};
        QTest::newRow("the receiver left out") << QStringLiteral("森.bmp") << 2 << QStringList{"hanako"};
        QTest::newRow("nobody") << QStringLiteral("山.bmp") << 0 << QStringList{};
    }
    void namesWithTheSameBackground()
    {
        QFETCH(QString, background);
        QFETCH(int, except);
        QFETCH(QStringList, names);
        ThreeUsers t;
        Cursor& users = *t.users;
        const std::optional<qint16> left = except ? std::optional<qint16>(qint16(except)) : std::nullopt;
        QCOMPARE(userrules::namesWithBackground(users, background, left), names);
    }
};

QTEST_MAIN(TestUserRules)
#include "test_userrules.moc"
