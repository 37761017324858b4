#pragma once
// One open database file: a connection to wandelo.mdb (or a sending
// database of a merge). Opening checks that the file holds the two tables
// with their columns before anything else touches it, and never writes to a
// file that fails the check.

#include "dberror.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

class Database {
public:
    enum class Mode { ReadWrite, ReadOnly };

    // Opens an existing file; throws DbError (with a Japanese text) when the
    // file is missing, is not a database, or lacks a table or a column.
    static std::unique_ptr<Database> open(const QString& path, Mode mode = Mode::ReadWrite);
    ~Database();

    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return path_; }
    sqlite3* handle() const { return db_; }

    // Runs statements that return no rows.
    void exec(const QString& sql);
    // Changes whenever another connection commits to the file.
    qint64 dataVersion();
    qint64 lastInsertRowid() const;
    // Rows changed by the last INSERT, UPDATE or DELETE on this connection.
    int changes() const;

    // Makes `f` callable from this connection's SQL as name(value): the
    // value arrives as Statement::column reads it and the result is stored
    // as Statement::bind stores it. So one set-based statement writes
    // exactly what a C++ rule applied row by row and bound would write,
    // without a statement per row. Defined once per connection and name
    // (a later call with the same name keeps the first); deterministic.
    using Function = std::function<QVariant(const QVariant&)>;
    void defineFunction(const QString& name, Function f);

    // The error of the last call on this connection, as a DbError; a busy
    // or locked file is dberr::busy with busyText.
    DbError lastError(const QString& context = QString()) const;

    // How long a connection waits for another program's lock before it
    // reports the file busy (tests make it short).
    static void setBusyTimeout(int milliseconds);

private:
    Database(sqlite3* db, QString path) : db_(db), path_(std::move(path)) {}
    void checkTables();

    sqlite3* db_;
    QString path_;
    QStringList functions_;  // defined by defineFunction
};

// A prepared statement, finalised when it goes out of scope.
class Statement {
public:
    Statement(Database& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const QVariant& value);  // 1-based
    bool step();                                  // true while a row is there
    void reset();
    QVariant column(int index) const;             // 0-based
    qint64 columnInt64(int index) const;

private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// All of a bulk change lands or none of it: commits in commit(), rolls back
// when it goes out of scope uncommitted.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    void commit();

private:
    Database& db_;
    bool done_ = false;
};
