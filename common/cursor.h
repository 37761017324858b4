#pragma once
// A cursor over a whole table in natural (rowid) order, as the programs ask
// of the database: moves, field reads by name, add / edit / update, delete,
// bookmarks and requery. It keeps the table's rowids in memory, so that
// moving to row 32,000 costs what moving to row 10 does and reading a field
// is one look-up by rowid.
//
// Two kinds: a dynaset sees other connections' appended rows only after a
// requery (or inside a write scope); a table cursor notices other
// connections' commits (through the file's data version) and reloads its
// rowids, so its record count is exact. Between writes a cursor asks about
// other commits at most every 50 ms, which is enough for showing rows.
//
// Writing is another matter: two programs, or two computers' copies of one,
// do write the same file at once in a classroom. So every write that derives
// a row number from the table, or reads rows it then writes (a new point,
// a reused free row, a record appended to a chain, the update tool, the
// merges, a row added in a table editor), runs inside one WriteScope:
//   1. take the file's write lock first (BEGIN IMMEDIATE), so that nobody
//      else can commit until we are done;
//   2. bring the row list up to date with every other connection's commits,
//      at once, without the 50 ms grace;
//   3. read what the write derives from, write, commit.
// Reading first and locking later would let another program append in
// between, and the row count or last indexs read would be wrong.

#include "database.h"
#include "tables.h"

#include <QElapsedTimer>
#include <QHash>
#include <QStringList>
#include <QVariant>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Told before and after every change of the cursor's position or row: the
// data controls use it to save their bound fields and refill them.
class CursorObserver {
public:
    enum class Action { Move, AddNew, Update, Delete, Close };
    virtual ~CursorObserver() = default;
    // Before the action; returning false cancels it (the caller gets a
    // DbError numbered dberr::cancelled, already reported to the user).
    virtual bool aboutToChange(Action action) = 0;
    // After a move, an add, a requery or a return to a bookmark.
    virtual void moved() = 0;
};

namespace dberr {
inline constexpr int cancelled = 3426;  // an action cancelled by validation
}

class Cursor {
public:
    enum class Kind { Table, Dynaset };
    enum class EditMode { None, Edit, Add };
    using Bookmark = qint64;  // a rowid

    // Opens on the first row (at the end when the table is empty).
    Cursor(Database& db, const QString& table, Kind kind);
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    const QString& table() const { return table_; }
    Database& database() const { return db_; }
    // The table's columns in table order, as the file has them.
    const QStringList& columns() const { return columns_; }

    void setObserver(CursorObserver* observer) { observer_ = observer; }

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    void move(int count);  // forward by count from the current row
    // Past the last row, where walking the rows with moveNext ends.
    void movePastLast();

    bool eof();  // past the last row (also when the table is empty)
    bool bof();  // before the first row
    bool hasCurrent();
    int recordCount();
    int absolutePosition();  // 0-based; throws without a current row

    // The field of the current row (of the new row while adding). NULL
    // (never written) is an invalid QVariant; text() reads it as "".
    QVariant value(const QString& column);
    QString text(const QString& column);
    // A field's value as text() shows it.
    static QString textOf(const QVariant& value);
    // Sets a field of the row being edited or added. Text for a number
    // column is converted as a typed engine would: "" is NULL, a number in
    // text form is the number; anything else is refused at update().
    void setValue(const QString& column, const QVariant& value);

    void addNew();
    void edit();
    void update();
    void cancelUpdate();
    void deleteRow();
    EditMode editMode() const { return mode_; }

    Bookmark bookmark();
    void setBookmark(Bookmark bookmark);
    std::optional<Bookmark> lastModified() const { return lastModified_; }

    void requery();

    // Reads the given columns of every row in table order through one
    // statement, without moving: walking the rows with moveNext would
    // refill the bound windows at every step. f gets each row's position
    // and values (in the order of columns) and returns false to stop.
    // Rows another connection added that this cursor does not have yet
    // are left out; the unsaved edit of the current row is not seen.
    void scan(const QStringList& columns,
              const std::function<bool(int position, const std::vector<QVariant>& values)>& f);
    // As scan, over only the rows for which `condition` (an SQL expression
    // over the table's columns) holds: the engine skips the others without
    // handing them over. Each row found is matched to its position in the
    // row list by its rowid.
    void scanWhere(const QStringList& columns, const QString& condition,
                   const std::function<bool(int position, const std::vector<QVariant>& values)>& f);

    // One write under the file's write lock; see the top of this file.
    // Opening it takes the lock (or, inside a write already under way on
    // this connection, a savepoint of it) and brings the row list up to
    // date. commit() makes the writes last; a scope left without commit()
    // undoes them, and the cursor then reads its rows again, keeping its
    // current row when that is still there. Scopes nest: only the outermost
    // commits the file.
    class WriteScope {
    public:
        explicit WriteScope(Cursor& cursor);
        ~WriteScope();
        WriteScope(const WriteScope&) = delete;
        WriteScope& operator=(const WriteScope&) = delete;
        void commit();

    private:
        void undo() noexcept;
        Cursor& cursor_;
        std::optional<Transaction> transaction_;  // only the outermost has one
        bool done_ = false;
    };

    // Many rows written through one prepared statement each, for the bulk
    // writes of the tools, inside a WriteScope of this cursor (which holds
    // the lock and has every row of the file in the row list). Values are
    // converted as setValue converts them and written as update() writes
    // them; lastModified() follows each write. They neither move the
    // cursor nor tell its observer, as scan() does not; the rows' values
    // are read again when next asked for.
    //
    // Appender: appends rows with the given columns; the row list learns
    // each new row at once (a cursor past the end stays past the end, as
    // after addNew + update).
    class Appender {
    public:
        Appender(Cursor& cursor, const QStringList& columns);
        Bookmark append(const std::vector<QVariant>& values);

    private:
        Cursor& cursor_;
        std::vector<int> columns_;
        Statement insert_;
    };
    // Changer: sets the given columns of the row of a bookmark.
    class Changer {
    public:
        Changer(Cursor& cursor, const QStringList& columns);
        void change(Bookmark row, const std::vector<QVariant>& values);

    private:
        Cursor& cursor_;
        std::vector<int> columns_;
        Statement update_;
    };

    // Reads the given columns of the rows at the given positions (in
    // ascending order, each once) through one statement, without moving:
    // for the rows a scan() of fewer columns picked out. f gets each row's
    // position and values (in the order of columns). A row gone from the
    // file is dberr::noCurrentRow, as value() reports it.
    void readRows(const QStringList& columns, const std::vector<int>& positions,
                  const std::function<void(int position, const std::vector<QVariant>& values)>& f);

    // The bookmark of the row at a position scan() gave.
    Bookmark bookmarkAt(int position) const { return rowids_.at(position); }

    // After a set-based write on the cursor's connection that changed
    // values but added or removed no row (our own writes do not change the
    // data version the cursor watches): forgets the values read, so that
    // they are read anew when next asked for. The position stays.
    void rereadValues();

    // How often, at most, a cursor asks whether another connection has
    // committed: asking costs a file lock, and a person cannot tell 50 ms.
    static void setCheckInterval(int milliseconds);

private:
    void loadRowids();
    std::vector<qint64> readRowids();
    qint64 readDataVersion();
    void reloadRowidsKeepingPosition();
    void syncWithOtherConnections();
    void catchUpForWriting();
    bool reachRowid(qsizetype& p, qsizetype end, qint64 rowid) const;
    bool onRow() const;
    void requireCurrent();
    void beforeChange(CursorObserver::Action action);
    void afterMove();
    void leaveRow();
    int columnIndex(const QString& column) const;
    QString rowidSelect(const QStringList& columns, const QString& condition) const;
    const std::vector<QVariant>& currentRow();
    QVariant converted(int column, const QVariant& value) const;

    Database& db_;
    QString table_;
    Kind kind_;
    QStringList columns_;
    QList<tables::ColumnType> types_;
    std::vector<qint64> rowids_;  // ascending: natural order is rowid order
    // Position: -1 before the first row, rowids_.size() past the last.
    qsizetype pos_ = -1;
    bool currentDeleted_ = false;
    EditMode mode_ = EditMode::None;
    QHash<int, QVariant> pending_;
    std::optional<Bookmark> lastModified_;
    // Rows are read in blocks: every statement costs a file lock, and
    // walking the table row by row must not cost one lock per row. A few
    // blocks stay, so that going back and forth between the first row and
    // a far one (reaching a row is first row, then forward) reads nothing.
    static constexpr qsizetype blockSize = 256;
    struct Block {
        qsizetype start = -1;  // position of rows[0]; -1: nothing read
        std::vector<std::optional<std::vector<QVariant>>> rows;
        quint64 used = 0;
    };
    std::array<Block, 4> blocks_;
    quint64 useCount_ = 0;
    void forgetRows();
    void rereadRow(qsizetype position);
    Block& blockOf(qsizetype position);
    qint64 dataVersion_ = 0;    // of the rows read last
    qint64 rowidsVersion_ = 0;  // of the row list
    int writeScopes_ = 0;       // open on this cursor: the lock is ours
    QElapsedTimer lastVersionCheck_;
    CursorObserver* observer_ = nullptr;
    bool notifying_ = false;
    std::unique_ptr<Statement> readRow_;
    std::unique_ptr<Statement> readVersion_;
};
