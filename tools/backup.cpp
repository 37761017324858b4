#include "backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString refused(const QString& reason)
{
    return QStringLiteral("wandelo.mdb のバックアップを作れないので、何も変更しませんでした。\n%1").arg(reason);
}

}  // namespace

QString backupFolder(const Installation& installation)
{
    return installation.toolsFolder() + QStringLiteral("/backup");
}

QString backupDatabase(const Installation& installation, const QString& databaseFile,
                       const QDateTime& now)
{
    const QString folder = backupFolder(installation);
    QDir dir(folder);
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return refused(QStringLiteral("フォルダ「%1」を作れません。").arg(QDir::toNativeSeparators(folder)));

    const QString stamp = now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = QStringLiteral("wandelo-%1.mdb").arg(stamp);
    for (int n = 2; dir.exists(name); ++n)
        name = QStringLiteral("wandelo-%1_%2.mdb").arg(stamp).arg(n);
    const QString target = dir.filePath(name);
    // The copy is made under a name that is not a backup's and renamed
    // when complete, so a half-written copy never looks like a backup.
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    QFile source(databaseFile);
    if (!source.copy(partial)) {
        QFile::remove(partial);
        return refused(QStringLiteral("「%1」にコピーできません。(%2)")
                           .arg(QDir::toNativeSeparators(target), source.errorString()));
    }
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        return refused(QStringLiteral("「%1」を作れません。").arg(QDir::toNativeSeparators(target)));
    }

    // Names sort by the moment they were made: the oldest go.
    QStringList copies = dir.entryList({QStringLiteral("wandelo-*.mdb")}, QDir::Files, QDir::Name);
    std::sort(copies.begin(), copies.end());
    while (copies.size() > backupsKept)
        dir.remove(copies.takeFirst());
    return {};
}
