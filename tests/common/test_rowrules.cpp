#include "fixture.h"
#include "int16.h"
#include "rowrules.h"

#include <QTest>

namespace {

QVariantList row(const Fixture& f, int indexs)
{
    return f.query(QStringLiteral("SELECT object, months, days, comment, indexs, yz, xz, photo, childs, "
                                  "mother, userID FROM data WHERE rowid = (SELECT rowid FROM data "
                                  "ORDER BY rowid LIMIT 1 OFFSET %1)").arg(indexs - 1));
}

void fillRows(const Fixture& f, int count, int owner = 3)
{
    if (count == 0)
        return;
    f.sql(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                         "INSERT INTO data (object, comment, indexs, photo, childs, mother, userID) "
                         "SELECT 'x', ' ', i, '写真\\glay.bmp', 0, 0, %2 FROM n").arg(count).arg(owner));
}

// Where findFreeRow and pointsOfUser put the candidate rows of f (3, the
// stored value, 0, 2) beside what reading every row with toInt16 makes of
// them.
void compareWithEveryRowRead(const Fixture& f, bool free, bool users)
{
    auto db = Database::open(f.database());
    Cursor data(*db, "data", Cursor::Kind::Table);
    // The rule as every row read one by one gives it.
    std::vector<int> freeRows, usersRows;
    data.scan({"userID"}, [&](int position, const std::vector<QVariant>& values) {
        if (toInt16(values[0]) == 0)
            freeRows.push_back(position);
        if (toInt16(values[0]) == 2)
            usersRows.push_back(position);
        return true;
    });
    QCOMPARE(freeRows.front(), free ? 1 : 2);
    QCOMPARE(usersRows.size(), size_t(users ? 2 : 1));

    QVERIFY(rows::findFreeRow(data));
    QCOMPARE(data.absolutePosition(), freeRows.front());
    std::vector<int> buttons;
    for (const rows::UserPoint& point : rows::pointsOfUser(data, 2))
        buttons.push_back(point.button);
    QCOMPARE(buttons, usersRows);
}

}  // namespace

class TestRowRules : public QObject {
    Q_OBJECT

    const QString abs = QStringLiteral("C:\\Program Files\\ワンデロ\\写真\\glay.bmp");

private slots:
    void createPoint_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("freeAt");  // 1-based indexs of a free row, 0 for none
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("indexs");
        QTest::newRow("empty table: indexs 1, button 0") << 0 << 0 << QPoint(100, 200) << 0 << 1;
        QTest::newRow("ten rows: indexs 11, button 10") << 10 << 0 << QPoint(100, 200) << 10 << 11;
        QTest::newRow("another user's free row 4 is reused") << 10 << 4 << QPoint(5, 5) << 3 << 4;
    }
    void createPoint()
    {
        QFETCH(int, rows);
        QFETCH(int, freeAt);
        QFETCH(QPoint, click);
        QFETCH(int, button);
        QFETCH(int, indexs);
        Fixture f;
        fillRows(f, rows);
        if (freeAt)  // left by a deletion: old photo and a chain link still in it
            f.sql(QStringLiteral("UPDATE data SET userID = 0, object = '', photo = '/old.jpg', childs = 9 "
                                 "WHERE indexs = '%1'").arg(freeAt));
        auto db = Database::open(f.database());
        Cursor data(*db, "data", Cursor::Kind::Table);
        const auto created = rows::createPoint(data, {2, "7", "21", float(click.x()), float(click.y())});
        QCOMPARE(created.button, button);
        QCOMPARE(f.single("SELECT count(*) FROM data").toInt(), std::max(rows + (freeAt ? 0 : 1), 1));
        QCOMPARE(row(f, indexs),
                 (QVariantList{"", "7", "21", " ", QString::number(indexs), click.y() - 16.0,
                               click.x() - 16.0, abs, 0, 0, 2}));
    }

    void theFreeRowIsFoundPastAGapInTheRowids()
    {
        Fixture f;
        fillRows(f, 6);
        f.sql("DELETE FROM data WHERE rowid = 2");
        f.sql("UPDATE data SET userID = 0 WHERE rowid = 5");
        auto db = Database::open(f.database());
        Cursor data(*db, "data", Cursor::Kind::Dynaset);
        QVERIFY(rows::findFreeRow(data));
        QCOMPARE(data.absolutePosition(), 3);
        f.sql("UPDATE data SET userID = 3");
        QVERIFY(!rows::findFreeRow(data));
        QVERIFY(data.eof());
    }

    // A file mended by hand may hold anything in userID. The engine picks
    // the candidate rows out; which of them is free, or the user's, must be
    // exactly what reading every row with toInt16 makes of them.
    void oddOwnersReadAsEveryRowReadsThem_data()
    {
        QTest::addColumn<QString>("stored");  // an SQL literal
        QTest::addColumn<bool>("free");
        QTest::addColumn<bool>("users");      // reads as userID 2
        QTest::newRow("0") << "0" << true << false;
        QTest::newRow("NULL") << "NULL" << false << false;
        QTest::newRow("text 0") << "'0'" << true << false;
        QTest::newRow("full-width text in blanks") << "'　０ '" << true << false;
        QTest::newRow("text 0.5 rounds to even") << "'0.5'" << true << false;
        QTest::newRow("text 1e-9") << "'1e-9'" << true << false;
        QTest::newRow("empty text") << "''" << false << false;
        QTest::newRow("text that is no number") << "'0x0'" << false << false;
        QTest::newRow("blob 0") << "x'30'" << true << false;
        QTest::newRow("real -0.5") << "-0.5" << true << false;
        QTest::newRow("real just over 0.5") << "0.5000001" << false << false;
        QTest::newRow("real 1.5 rounds to 2") << "1.5" << false << true;
        QTest::newRow("real 2.5 rounds to 2") << "2.5" << false << true;
        QTest::newRow("real 3.5 rounds to 4") << "3.5" << false << false;
        QTest::newRow("text 2 in full width") << "' ２'" << false << true;
        QTest::newRow("outside 16 bits") << "65538" << false << false;
    }
    void oddOwnersReadAsEveryRowReadsThem()
    {
        QFETCH(QString, stored);
        QFETCH(bool, free);
        QFETCH(bool, users);
        for (const bool typed : {true, false}) {
            Fixture f;
            // Untyped, every value is kept as it was written; typed as the
            // install step makes the table, the engine refuses some.
            if (!typed)
                f.sql("DROP TABLE data; CREATE TABLE data (object, months, days, comment, indexs, yz, xz, "
                      "photo, childs, mother, userID)");
            try {
                for (const QString& owner : {QStringLiteral("3"), stored, QStringLiteral("0"), QStringLiteral("2")})
                    f.sql(QStringLiteral("INSERT INTO data (object, userID) VALUES ('x', %1)").arg(owner));
            } catch (const std::runtime_error&) {
                QVERIFY(typed);
                continue;
            }
            compareWithEveryRowRead(f, free, users);
        }
    }

    // Rows another program changed after the cursor read its row list: a
    // row it added is not the cursor's yet, a row it removed is stepped
    // over, and the positions stay those of the cursor's list.
    void rowsOfAnotherProgramAreMatchedToTheCursorsList()
    {
        Fixture f;
        fillRows(f, 6);
        auto db = Database::open(f.database());
        Cursor data(*db, "data", Cursor::Kind::Dynaset);
        fillRows(f, 1, 0);  // appended free: not in the list yet
        f.sql("UPDATE data SET userID = 2 WHERE rowid = 7");
        QVERIFY(!rows::findFreeRow(data));
        QVERIFY(rows::pointsOfUser(data, 2).empty());
        f.sql("DELETE FROM data WHERE rowid = 2; UPDATE data SET userID = 0 WHERE rowid IN (4, 7);"
              "UPDATE data SET userID = 2 WHERE rowid = 5");
        QVERIFY(rows::findFreeRow(data));
        QCOMPARE(data.absolutePosition(), 3);
        const std::vector<rows::UserPoint> points = rows::pointsOfUser(data, 2);
        QCOMPARE(points.size(), size_t(1));
        QCOMPARE(points[0].button, 4);
    }

    void theMapShowsOnlyTheUsersOwnPoints()
    {
        Fixture f;
        fillRows(f, 6);
        f.sql("DELETE FROM data WHERE rowid = 1");
        f.sql("UPDATE data SET userID = 2, object = '', xz = 10, yz = 20 WHERE rowid = 3");
        f.sql("UPDATE data SET userID = 2, object = 'いぬ', xz = 1.5, yz = NULL WHERE rowid = 5");
        f.sql("UPDATE data SET userID = NULL WHERE rowid = 6");  // no owner: left out
        auto db = Database::open(f.database());
        Cursor data(*db, "data", Cursor::Kind::Table);
        const std::vector<rows::UserPoint> points = rows::pointsOfUser(data, 2);
        QCOMPARE(points.size(), size_t(2));
        QCOMPARE(points[0].button, 1);
        QCOMPARE(points[0].toolTip, QStringLiteral(" ? "));
        QCOMPARE(points[0].left, std::optional<float>(10));
        QCOMPARE(points[0].top, std::optional<float>(20));
        QCOMPARE(points[1].button, 3);
        QCOMPARE(points[1].toolTip, QStringLiteral("いぬ"));
        QCOMPARE(points[1].left, std::optional<float>(1.5));
        QVERIFY(!points[1].top);
        QVERIFY(data.eof());
    }

    void aFullTableTakesNoPoint()
    {
        Fixture f;
        fillRows(f, 32767);
        auto db = Database::open(f.database());
        Cursor data(*db, "data", Cursor::Kind::Table);
        QVERIFY_THROWS_EXCEPTION(rows::TableFull, rows::createPoint(data, {2, "7", "21", 50, 50}));
        QCOMPARE(f.single("SELECT count(*) FROM data").toInt(), 32767);
    }

    void deletionFreesTheRowAndKeepsTheRest()
    {
        Fixture f;
        fillRows(f, 6);
        f.addFind({"かぶと虫", 2, 120, 80, "/home/hana/かぶと.jpg", 8, 0, "7", "21", "森"});
        f.addFind({"つぎ", 1, {}, {}, "写真\\glay.bmp", 0, 7});
        auto db = Database::open(f.database());
        Cursor data(*db, "data", Cursor::Kind::Table);
        rows::reachButtonRow(data, 6);
        rows::freeRow(data);
        QCOMPARE(row(f, 7), (QVariantList{"", "", "", " ", "7", 80.0, 120.0, "/home/hana/かぶと.jpg", 8, 0, 0}));
        QCOMPARE(row(f, 8).last().toInt(), 1);  // the chain record is untouched
    }

    void appendingAtTheTailOfAChain()
    {
        Fixture f;
        fillRows(f, 40);
        f.sql("UPDATE data SET userID = 0 WHERE indexs = '2'");  // a free row is never used
        auto db = Database::open(f.database());
        Cursor data(*db, "data", Cursor::Kind::Table);
        rows::reachIndexs(data, 5);
        QCOMPARE(rows::appendToChain(data), 41);
        QCOMPARE(data.text("indexs"), QStringLiteral("41"));  // the cursor is on the new record
        QCOMPARE(row(f, 41), (QVariantList{"", {}, {}, " ", "41", {}, {}, "写真\\glay.bmp", 0, 5, 1}));
        QCOMPARE(row(f, 5).at(8).toInt(), 41);
        QCOMPARE(row(f, 2).last().toInt(), 0);
    }

    void appendingToAFullTableWritesNothing()
    {
        Fixture f;
        fillRows(f, 32767);
        auto db = Database::open(f.database());
        Cursor data(*db, "data", Cursor::Kind::Table);
        rows::reachIndexs(data, 5);
        QVERIFY_THROWS_EXCEPTION(rows::TableFull, rows::appendToChain(data));
        QCOMPARE(f.single("SELECT count(*) FROM data").toInt(), 32767);
        QCOMPARE(row(f, 5).at(8).toInt(), 0);
    }

    void newUserID_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<int>("next");
        QTest::newRow("2, 3, 7 gives 8") << QList<int>{2, 3, 7} << 8;
        QTest::newRow("2, 7, 3 gives 4") << QList<int>{2, 7, 3} << 4;
        QTest::newRow("empty table gives 2") << QList<int>{} << 2;
        QTest::newRow("last plus one taken") << QList<int>{5, 3, 4} << 6;
        QTest::newRow("last plus one reserved") << QList<int>{-1} << 2;
        QTest::newRow("past 16 bits: the lowest free") << QList<int>{2, 40, 32767} << 3;
    }
    void newUserID()
    {
        QFETCH(QList<int>, ids);
        QFETCH(int, next);
        Fixture f;
        for (int id : ids)
            f.addUser(QStringLiteral("u%1").arg(id), id);
        auto db = Database::open(f.database());
        Cursor users(*db, "userdata", Cursor::Kind::Dynaset);
        QCOMPARE(int(rows::nextUserID(users)), next);
    }
};

QTEST_GUILESS_MAIN(TestRowRules)
#include "test_rowrules.moc"
