#include "cursor.h"

#include "int16.h"

#include <QScopeGuard>
#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <sqlite3.h>

namespace {

int checkIntervalMs = 50;

QString quoted(const QString& name)
{
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

}  // namespace

Cursor::Cursor(Database& db, const QString& table, Kind kind) : db_(db), table_(table), kind_(kind)
{
    {
        Statement info(db_, QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table)));
        while (info.step())
            columns_ << info.column(1).toString();
    }
    if (columns_.isEmpty())
        throw DbError(dberr::badDatabase, QStringLiteral("テーブル %1 がありません。").arg(table));
    for (const QString& name : columns_) {
        tables::ColumnType type = tables::ColumnType::Text;
        for (const tables::Column& known : tables::columnsOf(table))
            if (known.name == name)
                type = known.type;
        types_ << type;
    }
    QStringList list;
    for (const QString& name : columns_)
        list << quoted(name);
    readRow_ = std::make_unique<Statement>(
        db_, QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid BETWEEN ? AND ? ORDER BY rowid")
                 .arg(list.join(u','), quoted(table)));
    readVersion_ = std::make_unique<Statement>(db_, QStringLiteral("PRAGMA data_version"));
    loadRowids();
    pos_ = 0;  // the first row, or past the end of an empty table
}

Cursor::~Cursor() = default;

void Cursor::setCheckInterval(int milliseconds)
{
    checkIntervalMs = milliseconds;
}

qint64 Cursor::readDataVersion()
{
    readVersion_->reset();
    readVersion_->step();
    const qint64 version = readVersion_->columnInt64(0);
    readVersion_->reset();
    return version;
}

void Cursor::loadRowids()
{
    rowids_ = readRowids();
    dataVersion_ = rowidsVersion_ = readDataVersion();
    lastVersionCheck_.start();
    forgetRows();
}

// The table's rowids in order. Rowids are distinct, so a table with as many
// rows as there are numbers from its first rowid to its last holds each of
// them: the usual case, as rows are appended and seldom removed. Then the
// row count and the two ends, which the engine has at hand without decoding
// a row, give the list; one statement reads all three at one moment.
std::vector<qint64> Cursor::readRowids()
{
    Statement ends(db_, QStringLiteral("SELECT (SELECT count(*) FROM %1), (SELECT min(rowid) FROM %1),"
                                       " (SELECT max(rowid) FROM %1)").arg(quoted(table_)));
    ends.step();
    const qint64 count = ends.columnInt64(0);
    const qint64 first = ends.columnInt64(1);
    const qint64 last = ends.columnInt64(2);
    std::vector<qint64> rowids;
    // Room for rows appended later: a new point must not copy the whole list.
    rowids.reserve(count + 1024);
    if (count > 0 && last - first + 1 == count) {
        rowids.resize(count);
        std::iota(rowids.begin(), rowids.end(), first);
        return rowids;
    }
    Statement all(db_, QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid").arg(quoted(table_)));
    while (all.step())
        rowids.push_back(all.columnInt64(0));
    return rowids;
}

// A table cursor follows other connections' commits: it reloads its rowids
// and stays on the row it was on (or has none, if that row is gone). A
// dynaset keeps its rows until a requery but reads their new values.
void Cursor::syncWithOtherConnections()
{
    if (writeScopes_ > 0)
        return;  // we hold the write lock: nobody else can have committed
    if (lastVersionCheck_.isValid() && lastVersionCheck_.elapsed() < checkIntervalMs)
        return;
    lastVersionCheck_.start();
    const qint64 version = readDataVersion();
    if (version == dataVersion_)
        return;
    if (kind_ != Kind::Table) {
        dataVersion_ = version;
        forgetRows();
        return;
    }
    reloadRowidsKeepingPosition();
}

// Under the write lock, whatever the kind: the row list must hold every row
// another connection committed before a write derives anything from it.
void Cursor::catchUpForWriting()
{
    const qint64 version = readDataVersion();
    lastVersionCheck_.start();
    if (version != rowidsVersion_) {
        reloadRowidsKeepingPosition();
    } else if (version != dataVersion_) {
        dataVersion_ = version;
        forgetRows();
    }
}

void Cursor::reloadRowidsKeepingPosition()
{
    const bool atEnd = pos_ >= qsizetype(rowids_.size());
    const bool atStart = pos_ < 0;
    const std::optional<qint64> current =
        (!atEnd && !atStart) ? std::optional<qint64>(rowids_[pos_]) : std::nullopt;
    loadRowids();
    if (atStart) {
        pos_ = -1;
    } else if (atEnd) {
        pos_ = rowids_.size();
    } else {
        const auto found = std::lower_bound(rowids_.begin(), rowids_.end(), *current);
        pos_ = found - rowids_.begin();
        if (found == rowids_.end() || *found != *current)
            currentDeleted_ = true;
    }
}

void Cursor::beforeChange(CursorObserver::Action action)
{
    if (observer_ && !notifying_) {
        notifying_ = true;
        const bool go = observer_->aboutToChange(action);
        notifying_ = false;
        if (!go)
            throw DbError(dberr::cancelled, QStringLiteral("操作は取り消されました。"));
    }
}

void Cursor::afterMove()
{
    if (observer_ && !notifying_) {
        notifying_ = true;
        observer_->moved();
        notifying_ = false;
    }
}

// Moving away from a row drops an edit that was not saved, as the engine
// does; the data controls save their fields before that happens.
void Cursor::leaveRow()
{
    mode_ = EditMode::None;
    pending_.clear();
    currentDeleted_ = false;
}

void Cursor::moveFirst()
{
    beforeChange(CursorObserver::Action::Move);
    syncWithOtherConnections();
    leaveRow();
    pos_ = 0;  // past the end when the table is empty
    afterMove();
}

void Cursor::moveLast()
{
    beforeChange(CursorObserver::Action::Move);
    syncWithOtherConnections();
    leaveRow();
    pos_ = rowids_.empty() ? 0 : qsizetype(rowids_.size()) - 1;
    afterMove();
}

void Cursor::movePastLast()
{
    moveLast();
    if (!eof())
        moveNext();
}

void Cursor::moveNext()
{
    beforeChange(CursorObserver::Action::Move);
    syncWithOtherConnections();
    // After a delete the rows behind moved up: the next row is at pos_
    // (the end, when the last row went).
    const bool deleted = currentDeleted_;
    if (!deleted && pos_ >= qsizetype(rowids_.size()))
        throw noCurrentRowError();
    leaveRow();
    if (!deleted)
        ++pos_;
    afterMove();
}

void Cursor::movePrevious()
{
    beforeChange(CursorObserver::Action::Move);
    syncWithOtherConnections();
    if (pos_ < 0)
        throw noCurrentRowError();
    leaveRow();
    --pos_;
    afterMove();
}

void Cursor::move(int count)
{
    if (count == 0)
        return;
    beforeChange(CursorObserver::Action::Move);
    syncWithOtherConnections();
    const bool deleted = currentDeleted_;
    if ((count > 0 && !deleted && pos_ >= qsizetype(rowids_.size())) || (count < 0 && pos_ < 0))
        throw noCurrentRowError();
    leaveRow();
    qsizetype target = pos_ + count - ((deleted && count > 0) ? 1 : 0);
    pos_ = std::clamp<qsizetype>(target, -1, rowids_.size());
    afterMove();
}

bool Cursor::eof()
{
    syncWithOtherConnections();
    return rowids_.empty() || pos_ >= qsizetype(rowids_.size());
}

bool Cursor::bof()
{
    syncWithOtherConnections();
    return rowids_.empty() || pos_ < 0;
}

bool Cursor::hasCurrent()
{
    syncWithOtherConnections();
    return onRow();
}

int Cursor::recordCount()
{
    syncWithOtherConnections();
    return int(rowids_.size());
}

bool Cursor::onRow() const
{
    return !currentDeleted_ && pos_ >= 0 && pos_ < qsizetype(rowids_.size());
}

void Cursor::requireCurrent()
{
    if (!onRow())
        throw noCurrentRowError();
}

int Cursor::absolutePosition()
{
    syncWithOtherConnections();
    requireCurrent();
    return int(pos_);
}

int Cursor::columnIndex(const QString& column) const
{
    const qsizetype i = columns_.indexOf(column);
    if (i < 0)
        throw DbError(dberr::noSuchColumn,
                      QStringLiteral("テーブル %1 に列 %2 はありません。").arg(table_, column));
    return int(i);
}

void Cursor::rereadRow(qsizetype position)
{
    const qsizetype start = (position / blockSize) * blockSize;
    for (Block& block : blocks_) {
        if (block.start != start)
            continue;
        auto& row = block.rows[position - start];
        row.reset();
        readRow_->reset();
        readRow_->bind(1, QVariant::fromValue<qint64>(rowids_[position]));
        readRow_->bind(2, QVariant::fromValue<qint64>(rowids_[position]));
        try {
            if (readRow_->step()) {
                std::vector<QVariant> values;
                values.reserve(columns_.size());
                for (int i = 0; i < columns_.size(); ++i)
                    values.push_back(readRow_->column(i + 1));
                row = std::move(values);
            }
        } catch (const DbError&) {
            block = Block();  // read again when it is next needed
        }
        readRow_->reset();
        if (!row)
            block = Block();
    }
}

void Cursor::forgetRows()
{
    for (Block& block : blocks_)
        block = Block();
}

Cursor::Block& Cursor::blockOf(qsizetype position)
{
    const qsizetype start = (position / blockSize) * blockSize;
    Block* oldest = &blocks_[0];
    for (Block& block : blocks_) {
        if (block.start == start) {
            block.used = ++useCount_;
            return block;
        }
        if (block.used < oldest->used)
            oldest = &block;
    }
    Block& block = *oldest;
    block = Block();
    const qsizetype end = std::min<qsizetype>(start + blockSize, rowids_.size());
    block.rows.assign(end - start, std::nullopt);
    readRow_->reset();
    readRow_->bind(1, QVariant::fromValue<qint64>(rowids_[start]));
    readRow_->bind(2, QVariant::fromValue<qint64>(rowids_[end - 1]));
    qsizetype p = start;
    try {
        while (readRow_->step()) {
            if (!reachRowid(p, end, readRow_->columnInt64(0))) {
                if (p == end)
                    break;
                continue;
            }
            std::vector<QVariant> row;
            row.reserve(columns_.size());
            for (int i = 0; i < columns_.size(); ++i)
                row.push_back(readRow_->column(i + 1));
            block.rows[p - start] = std::move(row);
        }
    } catch (const DbError&) {
        readRow_->reset();
        block = Block();
        throw;
    }
    readRow_->reset();
    block.start = start;
    block.used = ++useCount_;
    return block;
}

const std::vector<QVariant>& Cursor::currentRow()
{
    requireCurrent();
    const Block& block = blockOf(pos_);
    const auto& row = block.rows[pos_ - block.start];
    if (!row) {
        // Removed by another connection since our rowids were loaded.
        currentDeleted_ = true;
        throw noCurrentRowError();
    }
    return *row;
}

QVariant Cursor::value(const QString& column)
{
    syncWithOtherConnections();
    const int i = columnIndex(column);
    if (mode_ == EditMode::Add)
        return pending_.value(i);
    if (mode_ == EditMode::Edit && pending_.contains(i))
        return pending_.value(i);
    return currentRow()[i];
}

QString Cursor::text(const QString& column)
{
    return textOf(value(column));
}

QString Cursor::textOf(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return {};
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 7);  // single precision
    return v.toString();
}

QVariant Cursor::converted(int column, const QVariant& value) const
{
    if (value.typeId() != QMetaType::QString || types_[column] == tables::ColumnType::Text
        || types_[column] == tables::ColumnType::Memo)
        return value;
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return {};
    if (types_[column] == tables::ColumnType::Int16) {
        if (const auto number = toInt16(text))
            return int(*number);
        return value;  // refused by the column's type or range check
    }
    bool ok = false;
    const double number = text.toDouble(&ok);
    return ok ? QVariant(number) : value;
}

void Cursor::setValue(const QString& column, const QVariant& value)
{
    const int i = columnIndex(column);
    if (mode_ == EditMode::None)
        throw DbError(dberr::notEditing,
                      QStringLiteral("AddNew または Edit を使わずに更新しようとしました。"));
    pending_.insert(i, converted(i, value));
}

void Cursor::addNew()
{
    beforeChange(CursorObserver::Action::AddNew);
    syncWithOtherConnections();
    mode_ = EditMode::Add;
    pending_.clear();
    afterMove();
}

void Cursor::edit()
{
    syncWithOtherConnections();
    requireCurrent();
    mode_ = EditMode::Edit;
    pending_.clear();
}

void Cursor::cancelUpdate()
{
    mode_ = EditMode::None;
    pending_.clear();
}

void Cursor::update()
{
    if (mode_ == EditMode::None)
        throw DbError(dberr::notEditing,
                      QStringLiteral("AddNew または Edit を使わずに更新しようとしました。"));
    beforeChange(CursorObserver::Action::Update);
    syncWithOtherConnections();
    QList<int> set = pending_.keys();
    std::sort(set.begin(), set.end());
    // A refused value must not stay queued: the next save would send it
    // again whatever the person has typed since. The row stays in its
    // edit or addition; its writer sets the fields again.
    auto dropQueued = qScopeGuard([this] { pending_.clear(); });
    if (mode_ == EditMode::Add) {
        // The new row comes after every row in the file, not only those
        // this cursor has seen: know them all before adding it.
        std::optional<WriteScope> scope;
        if (writeScopes_ == 0)
            scope.emplace(*this);
        QStringList names, marks;
        for (int i : set) {
            names << quoted(columns_[i]);
            marks << QStringLiteral("?");
        }
        const QString sql = set.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(table_))
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quoted(table_), names.join(u','), marks.join(u','));
        Statement insert(db_, sql);
        for (int k = 0; k < set.size(); ++k)
            insert.bind(k + 1, pending_.value(set[k]));
        insert.step();  // throws; the row stays pending
        const qint64 rowid = db_.lastInsertRowid();
        if (scope)
            scope->commit();
        const bool wasAtEnd = pos_ >= qsizetype(rowids_.size());
        rowids_.push_back(rowid);  // appended rows come after every other
        if (wasAtEnd)
            pos_ = rowids_.size();
        lastModified_ = rowid;
    } else {
        requireCurrent();
        if (!set.isEmpty()) {
            QStringList assignments;
            for (int i : set)
                assignments << quoted(columns_[i]) + QStringLiteral(" = ?");
            Statement change(db_, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                      .arg(quoted(table_), assignments.join(u',')));
            int k = 1;
            for (int i : set)
                change.bind(k++, pending_.value(i));
            change.bind(k, QVariant::fromValue<qint64>(rowids_[pos_]));
            change.step();
        }
        lastModified_ = rowids_[pos_];
    }
    dropQueued.dismiss();
    // Our own commit does not change the data version we see, so the
    // rowids stay valid without a reload.
    const bool added = mode_ == EditMode::Add;
    mode_ = EditMode::None;
    pending_.clear();
    // An appended row changes the blocks' extent: read them anew. An edited
    // row is read again on its own, so that editing every row of a big
    // table (the update tool) does not re-read a whole block per row.
    if (added)
        forgetRows();
    else
        rereadRow(pos_);
    // After saving a new row the cursor is back on the row it was on before
    // the addition; bound fields show that row again.
    if (added)
        afterMove();
}

void Cursor::deleteRow()
{
    beforeChange(CursorObserver::Action::Delete);
    syncWithOtherConnections();
    requireCurrent();
    Statement remove(db_, QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(table_)));
    remove.bind(1, QVariant::fromValue<qint64>(rowids_[pos_]));
    remove.step();
    rowids_.erase(rowids_.begin() + pos_);
    mode_ = EditMode::None;
    pending_.clear();
    forgetRows();
    currentDeleted_ = true;  // no current row until the next move
}

// Rows read in rowid order meet our row list: our rows another connection
// removed since the list was read are stepped over; a row it added is not
// ours yet (false, p short of end); past `end` there is nothing to match.
bool Cursor::reachRowid(qsizetype& p, qsizetype end, qint64 rowid) const
{
    while (p < end && rowids_[p] < rowid)
        ++p;
    return p < end && rowids_[p] == rowid;
}

// SELECT rowid and `columns` of the rows `condition` picks (every row when
// empty), in rowid order.
QString Cursor::rowidSelect(const QStringList& columns, const QString& condition) const
{
    QString list;
    for (const QString& name : columns) {
        columnIndex(name);  // an unknown column is refused as in value()
        list += u',' + quoted(name);
    }
    const QString where = condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition;
    return QStringLiteral("SELECT rowid%1 FROM %2%3 ORDER BY rowid").arg(list, quoted(table_), where);
}

void Cursor::scan(const QStringList& columns,
                  const std::function<bool(int, const std::vector<QVariant>&)>& f)
{
    syncWithOtherConnections();
    Statement all(db_, rowidSelect(columns, QString()));
    std::vector<QVariant> values(columns.size());
    qsizetype p = 0;
    const qsizetype end = rowids_.size();
    while (all.step()) {
        if (!reachRowid(p, end, all.columnInt64(0))) {
            if (p == end)
                break;
            continue;
        }
        for (qsizetype i = 0; i < columns.size(); ++i)
            values[i] = all.column(int(i) + 1);
        if (!f(int(p), values))
            return;
    }
}

void Cursor::scanWhere(const QStringList& columns, const QString& condition,
                       const std::function<bool(int, const std::vector<QVariant>&)>& f)
{
    syncWithOtherConnections();
    Statement found(db_, rowidSelect(columns, condition));
    std::vector<QVariant> values(columns.size());
    auto from = rowids_.begin();
    while (found.step()) {
        // Few rows and far apart: a binary search, not a walk of the list.
        from = std::lower_bound(from, rowids_.end(), found.columnInt64(0));
        if (from == rowids_.end())
            break;  // added by another connection after our last row
        if (*from != found.columnInt64(0))
            continue;  // added by another connection: not ours yet
        for (qsizetype i = 0; i < columns.size(); ++i)
            values[i] = found.column(int(i) + 1);
        if (!f(int(from - rowids_.begin()), values))
            return;
    }
}

Cursor::Bookmark Cursor::bookmark()
{
    syncWithOtherConnections();
    requireCurrent();
    return rowids_[pos_];
}

void Cursor::setBookmark(Bookmark bookmark)
{
    beforeChange(CursorObserver::Action::Move);
    syncWithOtherConnections();
    const auto found = std::lower_bound(rowids_.begin(), rowids_.end(), bookmark);
    if (found == rowids_.end() || *found != bookmark)
        throw DbError(dberr::noCurrentRow, QStringLiteral("ブックマークの行はもうありません。"));
    leaveRow();
    pos_ = found - rowids_.begin();
    afterMove();
}

Cursor::WriteScope::WriteScope(Cursor& cursor) : cursor_(cursor)
{
    if (sqlite3_get_autocommit(cursor_.db_.handle()))
        transaction_.emplace(cursor_.db_);  // BEGIN IMMEDIATE: waits for the lock
    else
        cursor_.db_.exec(QStringLiteral("SAVEPOINT write_scope"));
    ++cursor_.writeScopes_;
    try {
        cursor_.catchUpForWriting();
    } catch (...) {
        undo();
        throw;
    }
}

Cursor::WriteScope::~WriteScope()
{
    if (!done_)
        undo();
}

void Cursor::WriteScope::commit()
{
    if (transaction_)
        transaction_->commit();  // throws while the lock cannot be had; undone then
    else
        cursor_.db_.exec(QStringLiteral("RELEASE write_scope"));
    done_ = true;
    --cursor_.writeScopes_;
}

// The file is as it was before the scope; the cursor's row list and the
// rows it read inside may not be, so both are read again.
void Cursor::WriteScope::undo() noexcept
{
    done_ = true;
    --cursor_.writeScopes_;
    try {
        if (transaction_)
            transaction_.reset();  // rolls back
        else
            cursor_.db_.exec(QStringLiteral("ROLLBACK TO write_scope; RELEASE write_scope"));
    } catch (const DbError&) {
        // Nothing more can be done; the engine has rolled back already.
    }
    try {
        cursor_.reloadRowidsKeepingPosition();
    } catch (const DbError&) {
        cursor_.rowidsVersion_ = -1;  // reloaded at the next write scope
        cursor_.forgetRows();
    }
}

namespace {

QStringList quotedAll(const QStringList& columns)
{
    QStringList list;
    for (const QString& name : columns)
        list << quoted(name);
    return list;
}

std::vector<int> indexesIn(const QStringList& all, const QStringList& columns, const QString& table)
{
    std::vector<int> indexes;
    for (const QString& name : columns) {
        const qsizetype i = all.indexOf(name);
        if (i < 0)
            throw DbError(dberr::noSuchColumn, QStringLiteral("テーブル %1 に列 %2 はありません。").arg(table, name));
        indexes.push_back(int(i));
    }
    return indexes;
}

QString insertSql(const QString& table, const QStringList& columns)
{
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(quoted(table), quotedAll(columns).join(u','), marks.join(u','));
}

QString updateSql(const QString& table, const QStringList& columns)
{
    QStringList assignments;
    for (const QString& name : columns)
        assignments << quoted(name) + QStringLiteral(" = ?");
    return QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(quoted(table), assignments.join(u','));
}

void requireWriteScope(int scopes)
{
    if (scopes == 0)
        throw std::logic_error("bulk writes need a write scope");
}

}  // namespace

Cursor::Appender::Appender(Cursor& cursor, const QStringList& columns)
    : cursor_(cursor),
      columns_(indexesIn(cursor.columns_, columns, cursor.table_)),
      insert_(cursor.db_, insertSql(cursor.table_, columns))
{
    requireWriteScope(cursor_.writeScopes_);
}

Cursor::Bookmark Cursor::Appender::append(const std::vector<QVariant>& values)
{
    requireWriteScope(cursor_.writeScopes_);
    insert_.reset();
    for (std::size_t k = 0; k < columns_.size(); ++k)
        insert_.bind(int(k) + 1, cursor_.converted(columns_[k], values.at(k)));
    insert_.step();
    insert_.reset();
    const qint64 rowid = cursor_.db_.lastInsertRowid();
    const bool wasAtEnd = cursor_.pos_ >= qsizetype(cursor_.rowids_.size());
    cursor_.rowids_.push_back(rowid);  // appended rows come after every other
    if (wasAtEnd)
        cursor_.pos_ = cursor_.rowids_.size();
    cursor_.lastModified_ = rowid;
    cursor_.forgetRows();  // the last block's extent has changed
    return rowid;
}

Cursor::Changer::Changer(Cursor& cursor, const QStringList& columns)
    : cursor_(cursor),
      columns_(indexesIn(cursor.columns_, columns, cursor.table_)),
      update_(cursor.db_, updateSql(cursor.table_, columns))
{
    requireWriteScope(cursor_.writeScopes_);
}

void Cursor::Changer::change(Bookmark row, const std::vector<QVariant>& values)
{
    requireWriteScope(cursor_.writeScopes_);
    update_.reset();
    for (std::size_t k = 0; k < columns_.size(); ++k)
        update_.bind(int(k) + 1, cursor_.converted(columns_[k], values.at(k)));
    update_.bind(int(columns_.size()) + 1, QVariant::fromValue<qint64>(row));
    update_.step();
    update_.reset();
    cursor_.lastModified_ = row;
    cursor_.forgetRows();
}

void Cursor::readRows(const QStringList& columns, const std::vector<int>& positions,
                      const std::function<void(int, const std::vector<QVariant>&)>& f)
{
    syncWithOtherConnections();
    indexesIn(columns_, columns, table_);  // an unknown column is refused as in value()
    if (positions.empty())
        return;
    for (const int position : positions)
        if (position < 0 || position >= qsizetype(rowids_.size()))
            throw noCurrentRowError();
    // One statement over the span, stepping past the rows not asked for
    // without reading them: a statement per row would cost a file lock each.
    Statement span(db_, QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid BETWEEN ? AND ? ORDER BY rowid")
                            .arg(quotedAll(columns).join(u','), quoted(table_)));
    span.bind(1, QVariant::fromValue<qint64>(rowids_[positions.front()]));
    span.bind(2, QVariant::fromValue<qint64>(rowids_[positions.back()]));
    std::vector<QVariant> values(columns.size());
    auto next = positions.begin();
    while (next != positions.end() && span.step()) {
        const qint64 rowid = span.columnInt64(0);
        if (rowid < rowids_[*next])
            continue;
        if (rowid > rowids_[*next])
            throw noCurrentRowError();  // the row asked for is gone
        for (qsizetype i = 0; i < columns.size(); ++i)
            values[i] = span.column(int(i) + 1);
        f(*next, values);
        ++next;
    }
    if (next != positions.end())
        throw noCurrentRowError();
}

void Cursor::rereadValues()
{
    forgetRows();
}

void Cursor::requery()
{
    beforeChange(CursorObserver::Action::Move);
    leaveRow();
    loadRowids();
    pos_ = 0;
    afterMove();
}
