#include "cursor.h"
#include "fixture.h"

#include <QTest>
#include <stdexcept>

namespace {

// Runs a little script of cursor operations on userdata and describes
// where the cursor ends: "u3@2" (the Name and absolute position of the
// current row), "EOF", "BOF" or "none" (no current row after a delete).
//   F first, L last, N next, P previous, M<n> forward by n, D delete,
//   A:<name> add a row and save it, E:<name> edit Name and save,
//   e:<name> edit Name without saving, B go to the last changed row,
//   R requery, X:<name> another connection appends a user.
// A step ending in "!" must fail.
QString run(Fixture& f, Cursor& c, const QString& script)
{
    for (QString op : script.split(u' ', Qt::SkipEmptyParts)) {
        const bool mustFail = op.endsWith(u'!');
        if (mustFail)
            op.chop(1);
        const QString arg = op.section(u':', 1);
        try {
            switch (op[0].unicode()) {
            case 'F': c.moveFirst(); break;
            case 'L': c.moveLast(); break;
            case 'N': c.moveNext(); break;
            case 'P': c.movePrevious(); break;
            case 'M': c.move(op.mid(1).toInt()); break;
            case 'D': c.deleteRow(); break;
            case 'A': c.addNew(); c.setValue("Name", arg); c.setValue("userID", 99); c.update(); break;
            case 'E': c.edit(); c.setValue("Name", arg); c.update(); break;
            case 'e': c.edit(); c.setValue("Name", arg); break;
            case 'B': c.setBookmark(*c.lastModified()); break;
            case 'R': c.requery(); break;
            case 'X': f.addUser(arg, 50); break;
            }
            if (mustFail)
                return "did not fail: " + op;
        } catch (const DbError& e) {
            if (!mustFail)
                return "failed: " + op + " " + e.text();
        }
    }
    if (c.hasCurrent())
        return c.text("Name") + u'@' + QString::number(c.absolutePosition());
    if (c.bof() && !c.eof())
        return "BOF";
    if (c.eof())
        return "EOF";
    return "none";
}

}  // namespace

class TestCursor : public QObject {
    Q_OBJECT
private slots:
    // The cases below look at another connection's commit at once.
    void initTestCase() { Cursor::setCheckInterval(0); }

    void effects_data()
    {
        QTest::addColumn<bool>("tableKind");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("count");
        const bool T = true, D = false;
        QTest::newRow("opens on the first row") << D << "" << "u1@0" << 12;
        QTest::newRow("next twice") << D << "N N" << "u3@2" << 12;
        QTest::newRow("last") << D << "L" << "u12@11" << 12;
        QTest::newRow("forward by a count") << D << "M9" << "u10@9" << 12;
        QTest::newRow("forward from the third row") << D << "N N M4" << "u7@6" << 12;
        QTest::newRow("next from the last row is the end") << D << "L N" << "EOF" << 12;
        QTest::newRow("next at the end fails") << D << "L N N!" << "EOF" << 12;
        QTest::newRow("forward past the end is the end") << D << "M20" << "EOF" << 12;
        QTest::newRow("previous from the first row") << D << "P" << "BOF" << 12;
        QTest::newRow("delete leaves no current row") << D << "N D" << "none" << 11;
        QTest::newRow("later rows move up after a delete") << D << "N D F N" << "u3@1" << 11;
        QTest::newRow("next after a delete is the following row") << D << "N D N" << "u3@1" << 11;
        QTest::newRow("delete the last row, then next is the end") << D << "L D N" << "EOF" << 11;
        QTest::newRow("saving an added row keeps the row before") << D << "N N A:new" << "u3@2" << 13;
        QTest::newRow("an added row comes last") << D << "A:new L" << "new@12" << 13;
        QTest::newRow("bookmark of the added row") << D << "M4 A:new B" << "new@12" << 13;
        QTest::newRow("bookmark of the edited row") << D << "M5 E:edited F B" << "edited@5" << 12;
        QTest::newRow("moving away drops an unsaved edit") << D << "e:lost N P" << "u1@0" << 12;
        QTest::newRow("dynaset: another's row unseen") << D << "X:other L" << "u12@11" << 12;
        QTest::newRow("dynaset: another's row after requery") << D << "N X:other R L" << "other@12" << 13;
        QTest::newRow("requery goes to the first row") << D << "M3 R" << "u1@0" << 12;
        QTest::newRow("table: another's row seen at once") << T << "X:other L" << "other@12" << 13;
        QTest::newRow("table: stays on its row") << T << "N N X:other" << "u3@2" << 13;
        QTest::newRow("table: delete and next") << T << "M10 D N" << "u12@10" << 11;
    }
    void effects()
    {
        QFETCH(bool, tableKind);
        QFETCH(QString, script);
        QFETCH(QString, where);
        QFETCH(int, count);
        Fixture f;
        for (int i = 1; i <= 12; ++i)
            f.addUser(QStringLiteral("u%1").arg(i), i + 1);
        auto db = Database::open(f.database());
        Cursor c(*db, "userdata", tableKind ? Cursor::Kind::Table : Cursor::Kind::Dynaset);
        QCOMPARE(run(f, c, script), where);
        QCOMPARE(c.recordCount(), count);
    }

    // Rows are read in blocks; walking forwards and backwards over block
    // edges, and another connection's changes, must still give each row.
    void readsEveryRowOfABigTable()
    {
        Fixture f;
        f.sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
              "INSERT INTO data (indexs, userID) SELECT i, 2 FROM n");
        auto db = Database::open(f.database());
        Cursor c(*db, "data", Cursor::Kind::Table);
        for (int i = 1; i <= 600; ++i, c.moveNext())
            QCOMPARE(c.text("indexs"), QString::number(i));
        QVERIFY(c.eof());
        c.moveLast();
        for (int i = 600; i >= 250; --i, c.movePrevious())
            QCOMPARE(c.text("indexs"), QString::number(i));
        f.sql("UPDATE data SET object = 'かえた' WHERE indexs = '300'; DELETE FROM data WHERE indexs = '301'");
        c.moveFirst();
        c.move(299);
        QCOMPARE(c.text("object"), QStringLiteral("かえた"));
        c.moveNext();
        QCOMPARE(c.text("indexs"), QStringLiteral("302"));  // the table cursor lost the removed row
        QCOMPARE(c.recordCount(), 599);
    }

    // The row list is read whole or made from the first and last rowid when
    // no rowid between them is missing; either way it is the table's.
    void theRowListIsTheTables_data()
    {
        QTest::addColumn<QString>("removed");  // a condition on rowid
        QTest::newRow("every rowid from 1") << "0";
        QTest::newRow("the first rows removed") << "rowid <= 3";
        QTest::newRow("a gap in the middle") << "rowid IN (4, 5)";
        QTest::newRow("the last row removed") << "rowid = 8";
        QTest::newRow("every row removed") << "1";
    }
    void theRowListIsTheTables()
    {
        QFETCH(QString, removed);
        Fixture f;
        f.sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 8) "
              "INSERT INTO data (indexs, userID) SELECT i, 2 FROM n");
        f.sql("DELETE FROM data WHERE " + removed);
        auto db = Database::open(f.database());
        Cursor c(*db, "data", Cursor::Kind::Dynaset);
        QVariantList seen;
        for (c.moveFirst(); !c.eof(); c.moveNext())
            seen << c.bookmark();
        QCOMPARE(seen, f.query("SELECT rowid FROM data ORDER BY rowid"));
        QCOMPARE(c.recordCount(), seen.size());
    }

    // The tools' bulk writes: rows appended and changed through one
    // statement each, values converted as setValue converts them, the
    // cursor left where it stood and the new rows readable at once.
    void bulkWritesInsideAWriteScope()
    {
        Fixture f;
        f.addFind({"かぶと虫", 2});
        f.addFind({"さなぎ", 1});
        auto db = Database::open(f.database());
        Cursor c(*db, "data", Cursor::Kind::Dynaset);
        c.moveLast();
        QCOMPARE(c.text("object"), QStringLiteral("さなぎ"));  // its block is read
        const Cursor::Bookmark first = 1;
        QVERIFY_THROWS_EXCEPTION(std::logic_error, Cursor::Appender(c, {"object"}));
        {
            Cursor::WriteScope scope(c);
            Cursor::Appender append(c, {"indexs", "object", "userID", "xz"});
            const Cursor::Bookmark added = append.append({"3", "どんぐり", "2", "1.5"});
            QCOMPARE(c.lastModified(), std::optional<Cursor::Bookmark>(added));
            Cursor::Changer change(c, {"object"});
            change.change(first, {"かえた"});
            QCOMPARE(c.lastModified(), std::optional<Cursor::Bookmark>(first));
            scope.commit();
        }
        QCOMPARE(c.recordCount(), 3);
        QCOMPARE(c.absolutePosition(), 1);
        QCOMPARE(c.text("object"), QStringLiteral("さなぎ"));
        c.moveLast();
        QCOMPARE(c.text("object"), QStringLiteral("どんぐり"));
        c.moveFirst();
        QCOMPARE(c.text("object"), QStringLiteral("かえた"));
        QCOMPARE(f.query("SELECT typeof(userID), typeof(xz), xz FROM data WHERE rowid = 3"),
                 (QVariantList{"integer", "real", 1.5}));
    }

    // Picked rows are read by position across gaps in the rowids; a row
    // another program removed is reported, not skipped.
    void readRowsByPosition()
    {
        Fixture f;
        for (const char* name : {"a", "b", "c", "d", "e"})
            f.addFind({name, 2});
        f.sql("DELETE FROM data WHERE object = 'b'");
        auto db = Database::open(f.database());
        Cursor c(*db, "data", Cursor::Kind::Dynaset);
        QStringList seen;
        c.readRows({"object", "userID"}, {0, 2, 3}, [&](int position, const std::vector<QVariant>& v) {
            seen << QStringLiteral("%1:%2%3").arg(position).arg(v[0].toString()).arg(v[1].toInt());
        });
        QCOMPARE(seen, (QStringList{"0:a2", "2:d2", "3:e2"}));
        QCOMPARE(c.absolutePosition(), 0);
        f.sql("DELETE FROM data WHERE object = 'd'");
        try {
            c.readRows({"object"}, {1, 2}, [](int, const std::vector<QVariant>&) {});
            QFAIL("a removed row was not reported");
        } catch (const DbError& e) {
            QCOMPARE(e.number(), dberr::noCurrentRow);
        }
    }

    void savedRowsAreInTheFile()
    {
        Fixture f;
        f.addUser("はな", 2, "背景\\default.bmp");
        auto db = Database::open(f.database());
        Cursor c(*db, "userdata", Cursor::Kind::Dynaset);
        c.addNew();
        c.setValue("Name", "たろう");
        c.setValue("userID", 3);
        c.update();
        c.edit();
        c.setValue("BackGnd", "/home/hana/ねこ.jpg");
        c.update();
        QCOMPARE(f.query("SELECT Name, userID, BackGnd FROM userdata"),
                 (QVariantList{"はな", 2, "/home/hana/ねこ.jpg", "たろう", 3, QVariant()}));
    }

    // A refused update keeps nothing queued: the row stays in its edit,
    // and the next update sends only what was set since.
    void aRefusedUpdateLeavesNoQueuedValues()
    {
        Fixture f;
        f.addUser("はな", 2, "背景\\default.bmp");
        auto db = Database::open(f.database());
        Cursor c(*db, "userdata", Cursor::Kind::Dynaset);
        c.edit();
        c.setValue("userID", "abc");
        QVERIFY_THROWS_EXCEPTION(DbError, c.update());
        QCOMPARE(c.editMode(), Cursor::EditMode::Edit);
        c.setValue("Name", "はなこ");
        c.update();
        QCOMPARE(f.query("SELECT Name, userID FROM userdata"), (QVariantList{"はなこ", 2}));
    }

    void emptyTable()
    {
        Fixture f;
        auto db = Database::open(f.database());
        Cursor c(*db, "data", Cursor::Kind::Table);
        QVERIFY(c.eof());
        QCOMPARE(c.recordCount(), 0);
        c.moveFirst();  // no row to go to, no failure either
        QVERIFY(c.eof());
        QVERIFY_THROWS_EXCEPTION(DbError, c.value("object"));
    }

    // Text typed into a bound field becomes the column's type; what cannot
    // become it is refused and the row stays pending.
    void valuesFromText_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("number from text") << "childs" << "12" << true << QVariant(12);
        QTest::newRow("halves to even") << "mother" << "2.5" << true << QVariant(2);
        QTest::newRow("empty text is NULL") << "userID" << "" << true << QVariant();
        QTest::newRow("single from text") << "xz" << "123.5" << true << QVariant(123.5);
        QTest::newRow("letters refused") << "userID" << "abc" << false << QVariant();
        QTest::newRow("outside 16 bits refused") << "childs" << "40000" << false << QVariant();
        QTest::newRow("text too long refused") << "object" << QString(51, u'あ') << false << QVariant();
        QTest::newRow("text as typed") << "indexs" << "7" << true << QVariant("7");
    }
    void valuesFromText()
    {
        QFETCH(QString, column);
        QFETCH(QString, text);
        QFETCH(bool, stored);
        QFETCH(QVariant, value);
        Fixture f;
        f.addFind({"かぶと虫", 2});
        auto db = Database::open(f.database());
        Cursor c(*db, "data", Cursor::Kind::Table);
        c.edit();
        c.setValue(column, text);
        if (stored) {
            c.update();
            const QVariant inFile = f.single("SELECT " + column + " FROM data");
            QCOMPARE(inFile.isNull(), value.isNull());
            if (!value.isNull())
                QCOMPARE(inFile.toString(), value.toString());
        } else {
            try {
                c.update();
                QFAIL("stored a value that does not fit");
            } catch (const DbError& e) {
                QVERIFY2(e.text().contains("値"), qPrintable(e.text()));  // said in Japanese
            }
            QCOMPARE(c.editMode(), Cursor::EditMode::Edit);
            QCOMPARE(f.single("SELECT object FROM data").toString(), QStringLiteral("かぶと虫"));
        }
    }

    void neverWrittenReadsAsEmptyText()
    {
        Fixture f;
        f.sql("INSERT INTO data (object) VALUES (NULL)");
        auto db = Database::open(f.database());
        Cursor c(*db, "data", Cursor::Kind::Table);
        QCOMPARE(c.text("months"), QString());
        QVERIFY(c.value("xz").isNull());
        QVERIFY_THROWS_EXCEPTION(DbError, c.value("nosuchcolumn"));
    }
};

QTEST_GUILESS_MAIN(TestCursor)
#include "test_cursor.moc"
