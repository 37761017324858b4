#include "measure.h"

#include <QFile>
#include <stdexcept>
#include <sqlite3.h>

PlainConnection::PlainConnection(const QString& file)
{
    if (sqlite3_open_v2(file.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string("cannot open ") + file.toStdString());
    // The programs open their files in this journal mode too.
    exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    integer(QStringLiteral("SELECT count(*) FROM sqlite_master"));
}

PlainConnection::~PlainConnection()
{
    sqlite3_close(db_);
}

void PlainConnection::exec(const QString& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "sqlite3_exec failed";
        sqlite3_free(message);
        throw std::runtime_error(text + " in: " + sql.toStdString());
    }
}

qint64 PlainConnection::integer(const QString& sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(db_)) + " in: " + sql.toStdString());
    const int rc = sqlite3_step(statement);
    const qint64 value = rc == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : 0;
    sqlite3_finalize(statement);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw std::runtime_error(std::string(sqlite3_errmsg(db_)) + " in: " + sql.toStdString());
    return value;
}

void copyFile(const QString& original, const QString& copy)
{
    QFile::remove(copy);
    if (!QFile::copy(original, copy))
        throw std::runtime_error("cannot copy " + original.toStdString());
}

qint64 peakResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

void summarize(const QString& work, const QString& figure, const QString& floor, double ratio, double goal,
               bool strictlyBelow)
{
    const QString path = qEnvironmentVariable("WANDELO_BENCH_SUMMARY");
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::Append | QIODevice::Text))
        return;
    QString goalText = QStringLiteral("-");
    QString met = QStringLiteral("-");
    if (goal > 0) {
        goalText = (strictlyBelow ? QStringLiteral("< %1x") : QStringLiteral("<= %1x")).arg(goal);
        met = (strictlyBelow ? ratio < goal : ratio <= goal) ? QStringLiteral("met") : QStringLiteral("NOT met");
    }
    const QString line = QStringList{work, figure, floor, QString::number(ratio, 'f', 2) + u'x', goalText, met}
                             .join(u'\t');
    file.write(line.toUtf8() + '\n');
}

QString formatMs(double milliseconds)
{
    return QString::number(milliseconds, 'f', milliseconds < 10 ? 2 : 1) + QStringLiteral(" ms");
}

std::vector<double> ratios(const std::vector<double>& figures, const std::vector<double>& floors)
{
    std::vector<double> result;
    for (size_t i = 0; i < figures.size() && i < floors.size(); ++i)
        result.push_back(figures[i] / floors[i]);
    return result;
}
