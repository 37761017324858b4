// Two programs writing one file, as in a classroom: while this program
// makes points, reuses free rows and appends chain records, another
// connection appends rows of its own before every statement this program
// runs. Whatever the interleaving, every row must keep indexs = position
// + 1 and every chain its links.

#include "fixture.h"
#include "rowrules.h"

#include <QRandomGenerator>
#include <QTest>
#include <sqlite3.h>

#include <map>
#include <vector>

namespace {

constexpr int thisUser = 2;
constexpr int otherUser = 3;

// A place as the test knows it: the button its creation reported, and how
// many records were appended to its chain.
struct Place {
    int indexs = 0;
    int records = 1;
};

// Moves to the last record of the chain that starts at `indexs`, as the
// record window does with ">>".
void reachTail(Cursor& data, int indexs)
{
    rows::reachIndexs(data, indexs);
    for (int steps = 0; steps < 100000; ++steps) {
        const int next = rows::int16Field(data, tables::find::childs);
        if (next == tables::noLink)
            return;
        rows::reachIndexs(data, next);
    }
}

// A throwaway file needs no flush to disk, nor a journal file made and
// removed at every commit; the locks stay what they are.
void noDiskFlushes(Database& db)
{
    db.exec("PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY");
}

// The other program: its own connection and cursor, writing without waiting
// for a lock (a write that finds the file locked is simply not done).
struct OtherProgram {
    explicit OtherProgram(const QString& path)
        : db(Database::open(path)), data(std::make_unique<Cursor>(*db, "data", Cursor::Kind::Table))
    {
        sqlite3_busy_timeout(db->handle(), 0);
        noDiskFlushes(*db);
    }

    void writeOne()
    {
        if (writing)
            return;
        writing = true;
        try {
            const float serial = float(++serials);
            if (places.empty() || rng.bounded(3) == 0) {
                const auto created = rows::createPoint(*data, {otherUser, "1", "2", serial, 100});
                places[serial] = {created.button + 1, 1};
            } else {
                auto it = places.begin();
                std::advance(it, rng.bounded(int(places.size())));
                reachTail(*data, it->second.indexs);
                rows::appendToChain(*data);
                ++it->second.records;
            }
            ++written;
        } catch (const DbError&) {
            ++blocked;  // the file was locked by the program under test
            try {
                data->cancelUpdate();
            } catch (const DbError&) {
            }
        }
        writing = false;
    }

    std::unique_ptr<Database> db;
    std::unique_ptr<Cursor> data;
    QRandomGenerator rng{7};
    std::map<float, Place> places;  // by the x of the click, which is unique
    int serials = 100000;
    int written = 0;
    int blocked = 0;
    bool writing = false;
};

int beforeEveryStatement(unsigned, void* other, void*, void*)
{
    static_cast<OtherProgram*>(other)->writeOne();
    return 0;
}

}  // namespace

class TestWriteScope : public QObject {
    Q_OBJECT

private slots:
    // Scopes inside scopes: an inner one undone alone, the outer one kept;
    // then a whole scope undone. The cursor's rows always match the file,
    // and a dynaset sees other connections' rows once it writes.
    void nestedScopesAndUndoKeepTheCursorTrue()
    {
        Fixture f;
        for (int i = 1; i <= 3; ++i)
            f.addUser(QStringLiteral("u%1").arg(i), i + 1);
        auto db = Database::open(f.database());
        Cursor users(*db, "userdata", Cursor::Kind::Dynaset);
        const auto add = [&](const QString& name) {
            users.addNew();
            users.setValue("Name", name);
            users.setValue("userID", 50);
            users.update();
        };
        const auto names = [&] { return f.query("SELECT Name FROM userdata"); };
        f.addUser("よそ", 40);  // another program, after the cursor opened
        users.moveLast();
        QCOMPARE(users.recordCount(), 3);
        {
            Cursor::WriteScope outer(users);
            QCOMPARE(users.recordCount(), 4);
            QCOMPARE(users.text("Name"), QStringLiteral("u3"));
            add("a");
            {
                Cursor::WriteScope inner(users);
                add("b");
                users.edit();
                users.setValue("Name", "u3!");
                users.update();
            }  // not committed
            QCOMPARE(users.recordCount(), 5);
            QCOMPARE(users.text("Name"), QStringLiteral("u3"));
            {
                Cursor::WriteScope inner(users);
                add("c");
                inner.commit();
            }
            outer.commit();
        }
        QCOMPARE(names(), (QVariantList{"u1", "u2", "u3", "よそ", "a", "c"}));
        QCOMPARE(users.recordCount(), 6);
        {
            Cursor::WriteScope undone(users);
            add("d");
            users.edit();
            users.setValue("Name", "u3?");
            users.update();
        }
        QCOMPARE(names(), (QVariantList{"u1", "u2", "u3", "よそ", "a", "c"}));
        QCOMPARE(users.recordCount(), 6);
        QCOMPARE(users.text("Name"), QStringLiteral("u3"));
        users.moveLast();
        QCOMPARE(users.text("Name"), QStringLiteral("c"));
    }

    // Two computers show the same place; each appends a record to it. The
    // second append goes after the first instead of cutting it off.
    void twoAppendsAtOnePlace()
    {
        Fixture f;
        f.addFind({"かぶと虫", thisUser, 10, 10});
        f.addFind({"どんぐり", thisUser, 20, 20});
        auto db = Database::open(f.database());
        Cursor data(*db, "data", Cursor::Kind::Table);
        auto otherDb = Database::open(f.database());
        Cursor other(*otherDb, "data", Cursor::Kind::Table);
        rows::reachIndexs(data, 1);  // the tail, as the first window saw it
        rows::reachIndexs(other, 1);
        QCOMPARE(rows::appendToChain(other), 3);
        QCOMPARE(rows::appendToChain(data), 4);
        QCOMPARE(f.query("SELECT indexs, childs, mother FROM data ORDER BY rowid"),
                 (QVariantList{"1", 3, 0, "2", 0, 0, "3", 4, 1, "4", 0, 3}));
    }

    void rowsAndChainsSurviveAnotherWriter()
    {
        Fixture f;
        f.addUser("はな", thisUser);
        f.addUser("けん", otherUser);
        auto db = Database::open(f.database());
        noDiskFlushes(*db);
        Cursor data(*db, "data", Cursor::Kind::Table);
        OtherProgram other(f.database());
        sqlite3_trace_v2(db->handle(), SQLITE_TRACE_STMT, beforeEveryStatement, &other);

        QRandomGenerator rng(11);
        std::map<float, Place> places;  // this program's live points
        int freedRecords = 0;           // chain records left behind by deletions
        int wrongButtons = 0;           // a new point whose button shows another row
        int writes = 0, reused = 0, failed = 0;
        for (int serial = 1; writes < 1000; ++serial) try {
            const int what = places.empty() ? 0 : rng.bounded(5);
            if (what <= 1) {
                const auto created = rows::createPoint(data, {thisUser, "7", "21", float(serial), 50});
                ++writes;
                rows::reachButtonRow(data, created.button);
                if (data.value("xz").toDouble() != serial - 16 || rows::int16Field(data, "userID") != thisUser)
                    ++wrongButtons;
                places[float(serial)] = {created.button + 1, 1};
            } else if (what == 2) {
                // A deletion, then a new point that takes a free row.
                auto it = places.begin();
                std::advance(it, rng.bounded(int(places.size())));
                rows::reachIndexs(data, it->second.indexs);
                rows::freeRow(data);
                freedRecords += it->second.records - 1;
                places.erase(it);
                const int rowsBefore = f.single("SELECT count(*) FROM data").toInt();
                const auto created = rows::createPoint(data, {thisUser, "7", "21", float(serial), 50});
                writes += 2;
                if (created.button < rowsBefore)  // the other program may have taken it
                    ++reused;
                places[float(serial)] = {created.button + 1, 1};
            } else {
                auto it = places.begin();
                std::advance(it, rng.bounded(int(places.size())));
                reachTail(data, it->second.indexs);
                rows::appendToChain(data);
                ++writes;
                ++it->second.records;
            }
        } catch (const DbError& e) {
            ++writes;
            if (++failed == 1)
                qWarning("a write failed: %s", qPrintable(e.text()));
        }
        sqlite3_trace_v2(db->handle(), 0, nullptr, nullptr);

        // The file as it ends: indexs, links, owner and x of every row.
        struct Row {
            int indexs, childs, mother, userID;
            double xz;
        };
        std::vector<Row> table;
        const QVariantList values =
            f.query("SELECT indexs, childs, mother, userID, xz FROM data ORDER BY rowid");
        for (qsizetype i = 0; i + 4 < values.size(); i += 5)
            table.push_back({values[i].toInt(), values[i + 1].toInt(), values[i + 2].toInt(),
                             values[i + 3].toInt(), values[i + 4].toDouble()});
        const int n = int(table.size());

        int wrongIndexs = 0;
        for (int p = 0; p < n; ++p)
            if (table[p].indexs != p + 1)
                ++wrongIndexs;

        // Every live point is where it was made, and its chain holds every
        // record appended to it, each linked both ways.
        int brokenChains = 0, reachable = 0;
        const auto checkPlaces = [&](const std::map<float, Place>& known, int owner) {
            for (const auto& [x, place] : known) {
                const auto head = std::find_if(table.begin(), table.end(), [&](const Row& r) {
                    return r.userID == owner && r.xz == x - 16;
                });
                if (head == table.end() || head - table.begin() + 1 != place.indexs) {
                    ++brokenChains;
                    continue;
                }
                int at = place.indexs, count = 1;
                while (table[at - 1].childs != tables::noLink && count <= n) {
                    const int next = table[at - 1].childs;
                    if (next < 1 || next > n || table[next - 1].mother != at
                        || table[next - 1].userID != tables::chainRecordOwner)
                        break;
                    at = next;
                    ++count;
                }
                if (count != place.records || table[at - 1].childs != tables::noLink)
                    ++brokenChains;
                reachable += count;
            }
        };
        checkPlaces(places, thisUser);
        checkPlaces(other.places, otherUser);

        // Every row written is still there: the live records, the records
        // deleted points left behind, and the free rows nobody took yet.
        int freeRows = 0;
        for (const Row& r : table)
            if (r.userID == tables::freeRowOwner)
                ++freeRows;
        const int lostRows = reachable + freedRecords + freeRows - n;

        qInfo("%d writes here and %d by the other program (%d found the file locked), "
              "%d free rows reused, %d rows: failed writes %d, wrong indexs %d, broken chains %d, "
              "wrong buttons %d, rows unaccounted for %d",
              writes, other.written, other.blocked, reused, n, failed, wrongIndexs, brokenChains,
              wrongButtons, lostRows);
        QVERIFY(other.written > 500);  // the other program did get between the steps
        QVERIFY(reused > 50);
        QCOMPARE(failed, 0);
        QCOMPARE(wrongIndexs, 0);
        QCOMPARE(brokenChains, 0);
        QCOMPARE(wrongButtons, 0);
        QCOMPARE(lostRows, 0);
    }
};

QTEST_GUILESS_MAIN(TestWriteScope)
#include "test_write_scope.moc"
