#include "database.h"

#include "tables.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace {

// Both programs may have the file open; they wait for each other this long.
int busyTimeoutMs = 5000;

bool isBusy(int code)
{
    return (code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED;
}

// How a value is stored in the file, whether bound to a statement or
// returned by a function of ours: NULL, a whole number, a real, or text.
template <class Null, class Whole, class Real, class Text>
auto storeAs(const QVariant& value, Null null, Whole whole, Real real, Text text)
{
    if (value.isNull() || !value.isValid())
        return null();
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Bool:
        return whole(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return real(value.toDouble());
    default:
        return text(value.toString().toUtf8());
    }
}

DbError busyError()
{
    return DbError(dberr::busy, busyText);
}

QString engineText(sqlite3* db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// The engine speaks English; the people using the programs read Japanese.
QString japaneseText(int code)
{
    switch (code) {
    case SQLITE_CONSTRAINT_CHECK:
        return valueTooLongText;
    case SQLITE_CONSTRAINT_DATATYPE:
        return QStringLiteral("値の種類がこの列に合いません。");
    }
    switch (code & 0xff) {
    case SQLITE_READONLY:
        return QStringLiteral("データベースに書き込めません。");
    case SQLITE_FULL:
        return QStringLiteral("ディスクがいっぱいです。");
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return QStringLiteral("データベースのファイルがこわれているか、データベースではありません。");
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        return QStringLiteral("データベースのファイルを読み書きできません。");
    }
    return {};
}

}  // namespace

std::unique_ptr<Database> Database::open(const QString& path, Mode mode)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        throw DbError(dberr::cannotOpen,
                      QStringLiteral("データベースのファイル「%1」が見つかりません。").arg(path));

    // Never SQLITE_OPEN_CREATE: a missing file must not turn into an empty
    // database.
    const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString text = db ? engineText(db) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db);
        throw DbError(dberr::cannotOpen,
                      QStringLiteral("データベース「%1」を開けません。(%2)").arg(path, text));
    }
    std::unique_ptr<Database> result(new Database(db, path));
    sqlite3_busy_timeout(db, busyTimeoutMs);
    result->checkTables();
    // Room for every page of a full map (32,767 rows): a search of the whole
    // table (the free row, a user's points) then reads memory, not the file
    // again. Pages are taken only as they are read.
    result->exec(QStringLiteral("PRAGMA cache_size = -16384"));
    if (mode == Mode::ReadWrite) {
        // A rollback journal keeps the database one file that children can
        // carry to another computer; a WAL file beside it would be lost.
        result->exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    }
    return result;
}

void Database::setBusyTimeout(int milliseconds)
{
    busyTimeoutMs = milliseconds;
}

Database::~Database()
{
    sqlite3_close_v2(db_);
}

void Database::checkTables()
{
    for (const QString& table : {tables::userdata, tables::data}) {
        QStringList present;
        {
            sqlite3_stmt* stmt = nullptr;
            const QByteArray sql = "PRAGMA table_info(\"" + table.toUtf8() + "\")";
            // A file another program holds is busy, not foreign: reading
            // the tables needs a lock that is not to be had now.
            if (sqlite3_prepare_v2(db_, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
                if (isBusy(sqlite3_extended_errcode(db_)))
                    throw busyError();
                throw DbError(dberr::badDatabase,
                              QStringLiteral("「%1」はワンデロのデータベースではありません。(%2)")
                                  .arg(path_, engineText(db_)));
            }
            int rc;
            while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
                present << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
            sqlite3_finalize(stmt);
            if (isBusy(rc))
                throw busyError();
            if (rc != SQLITE_DONE)
                throw DbError(dberr::badDatabase,
                              QStringLiteral("「%1」はワンデロのデータベースではありません。(%2)")
                                  .arg(path_, engineText(db_)));
        }
        if (present.isEmpty())
            throw DbError(dberr::badDatabase,
                          QStringLiteral("「%1」にはテーブル %2 がありません。").arg(path_, table));
        for (const tables::Column& column : tables::columnsOf(table)) {
            if (!present.contains(column.name))
                throw DbError(dberr::badDatabase,
                              QStringLiteral("「%1」のテーブル %2 には列 %3 がありません。")
                                  .arg(path_, table, column.name));
        }
    }
}

void Database::exec(const QString& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = message ? QString::fromUtf8(message) : engineText(db_);
        const int code = sqlite3_extended_errcode(db_);
        sqlite3_free(message);
        if (isBusy(code))
            throw busyError();
        throw DbError(code, text);
    }
}

qint64 Database::dataVersion()
{
    Statement stmt(*this, QStringLiteral("PRAGMA data_version"));
    stmt.step();
    return stmt.columnInt64(0);
}

qint64 Database::lastInsertRowid() const
{
    return sqlite3_last_insert_rowid(db_);
}

int Database::changes() const
{
    return sqlite3_changes(db_);
}

namespace {

// As Statement::column reads a value.
QVariant argumentOf(sqlite3_value* value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return QVariant::fromValue<qint64>(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        return sqlite3_value_double(value);
    case SQLITE_NULL:
        return {};
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                                 sqlite3_value_bytes(value));
    }
}

// A result stored as Statement::bind stores a value.
void setResult(sqlite3_context* context, const QVariant& value)
{
    storeAs(value, [&] { sqlite3_result_null(context); },
            [&](qint64 n) { sqlite3_result_int64(context, n); },
            [&](double d) { sqlite3_result_double(context, d); },
            [&](const QByteArray& utf8) {
                sqlite3_result_text(context, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
            });
}

void callFunction(sqlite3_context* context, int, sqlite3_value** arguments)
{
    const auto& f = *static_cast<Database::Function*>(sqlite3_user_data(context));
    try {
        setResult(context, f(argumentOf(arguments[0])));
    } catch (...) {
        // Nothing may pass through the engine: the statement fails instead.
        sqlite3_result_error(context, "function failed", -1);
    }
}

}  // namespace

void Database::defineFunction(const QString& name, Function f)
{
    if (functions_.contains(name))
        return;
    auto* held = new Function(std::move(f));
    const int rc = sqlite3_create_function_v2(
        db_, name.toUtf8().constData(), 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, held, callFunction, nullptr,
        nullptr, [](void* p) { delete static_cast<Function*>(p); });
    if (rc != SQLITE_OK)
        throw lastError();  // the engine has deleted `held` already
    functions_ << name;
}

DbError Database::lastError(const QString& context) const
{
    const int code = sqlite3_extended_errcode(db_);
    if (isBusy(code))
        return context.isEmpty() ? busyError() : DbError(dberr::busy, context + u' ' + busyText);
    QString text = japaneseText(code);
    const QString engine = engineText(db_);
    text = text.isEmpty() ? engine : text + QStringLiteral("(") + engine + QStringLiteral(")");
    return DbError(code, context.isEmpty() ? text : context + u' ' + text);
}

Statement::Statement(Database& db, const QString& sql) : db_(db)
{
    if (sqlite3_prepare_v2(db.handle(), sql.toUtf8().constData(), -1, &stmt_, nullptr) != SQLITE_OK)
        throw db.lastError();
}

Statement::~Statement()
{
    sqlite3_finalize(stmt_);
}

void Statement::bind(int index, const QVariant& value)
{
    const int rc = storeAs(
        value, [&] { return sqlite3_bind_null(stmt_, index); },
        [&](qint64 n) { return sqlite3_bind_int64(stmt_, index, n); },
        [&](double d) { return sqlite3_bind_double(stmt_, index, d); },
        [&](const QByteArray& utf8) {
            return sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        });
    if (rc != SQLITE_OK)
        throw db_.lastError();
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    DbError error = db_.lastError();
    sqlite3_reset(stmt_);
    throw error;
}

void Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

QVariant Statement::column(int index) const
{
    switch (sqlite3_column_type(stmt_, index)) {
    case SQLITE_INTEGER:
        return QVariant::fromValue<qint64>(sqlite3_column_int64(stmt_, index));
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt_, index);
    case SQLITE_NULL:
        return {};
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, index)),
                                 sqlite3_column_bytes(stmt_, index));
    }
}

qint64 Statement::columnInt64(int index) const
{
    return sqlite3_column_int64(stmt_, index);
}

Transaction::Transaction(Database& db) : db_(db)
{
    db_.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (!done_) {
        try {
            db_.exec(QStringLiteral("ROLLBACK"));
        } catch (const DbError&) {
            // Nothing more can be done; the engine rolls back on close.
        }
    }
}

void Transaction::commit()
{
    db_.exec(QStringLiteral("COMMIT"));
    done_ = true;
}
