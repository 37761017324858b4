#include "schema.h"

#include "dberror.h"
#include "tables.h"

#include <QFile>
#include <sqlite3.h>

namespace {

QString columnSql(const tables::Column& column)
{
    const QString quoted = u'"' + column.name + u'"';
    switch (column.type) {
    case tables::ColumnType::Text:
        return QStringLiteral("%1 TEXT CHECK(length(%1) <= %2)").arg(quoted).arg(column.width);
    case tables::ColumnType::Memo:
        return quoted + QStringLiteral(" TEXT");
    case tables::ColumnType::Int16:
        return QStringLiteral("%1 INTEGER CHECK(%1 BETWEEN -32768 AND 32767)").arg(quoted);
    case tables::ColumnType::Single:
        return quoted + QStringLiteral(" REAL");
    }
    return quoted;
}

QString tableSql(const QString& table)
{
    QStringList columns;
    for (const tables::Column& column : tables::columnsOf(table))
        columns << QStringLiteral("  ") + columnSql(column);
    return QStringLiteral("CREATE TABLE \"%1\" (\n%2\n) STRICT;\n").arg(table, columns.join(",\n"));
}

}  // namespace

QString schemaSql()
{
    return tableSql(tables::userdata) + tableSql(tables::data);
}

void createDatabase(const QString& path)
{
    if (QFile::exists(path))
        throw DbError(SQLITE_CANTOPEN, QStringLiteral("「%1」はもうあります。").arg(path));
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* message = nullptr;
    if (rc == SQLITE_OK) {
        const QByteArray sql = "PRAGMA journal_mode=DELETE; BEGIN; " + schemaSql().toUtf8() + "COMMIT;";
        rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message);
    }
    const QString text = message ? QString::fromUtf8(message)
                                 : QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        QFile::remove(path);
        throw DbError(rc, QStringLiteral("「%1」を作れません。(%2)").arg(path, text));
    }
}
