#include "installation.h"

#include "dberror.h"
#include "schema.h"
#include "storednames.h"
#include "tables.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

Installation::Installation(QString folder) : folder_(QDir::cleanPath(std::move(folder))) {}

Installation Installation::ofMapProgram(const QString& applicationDir)
{
    return Installation(applicationDir);
}

Installation Installation::ofTools(const QString& applicationDir)
{
    return Installation(QFileInfo(applicationDir).dir().absolutePath());
}

QString Installation::database() const
{
    return folder_ + u'/' + tables::databaseFileName;
}

QString Installation::photoFolder() const
{
    return folder_ + QStringLiteral("/写真");
}

QString Installation::backgroundFolder() const
{
    return folder_ + QStringLiteral("/背景");
}

QString Installation::toolsFolder() const
{
    return folder_ + QStringLiteral("/KOVR");
}

QString Installation::resolve(const QString& stored) const
{
    return resolveStoredName(stored, folder_);
}

QString Installation::resolveForTools(const QString& stored) const
{
    return resolveStoredName(stored, folder_, toolsFolder());
}

QString Installation::storedNameOfChoice(const QString& chosen, const QString& table,
                                         const QString& column) const
{
    int width = 0;
    for (const tables::Column& c : tables::columnsOf(table)) {
        if (c.name == column)
            width = c.width;
    }
    const std::optional<QString> name = ::storedNameOfChoice(chosen, folder_, width);
    if (!name)
        throw valueTooLongError();
    return *name;
}

QString supplyMissingFiles(const QString& suppliedFolder, const QString& folder)
{
    QDir target(folder);
    if (!target.mkpath(QStringLiteral(".")))
        return QStringLiteral("フォルダ「%1」を作れません。").arg(folder);
    for (const char* sub : {"写真", "背景", "ヘルプ", "HTML/parts", "KOVR/help", "KOVR/データ統合用画像"}) {
        if (!target.mkpath(QString::fromUtf8(sub)))
            return QStringLiteral("フォルダ「%1/%2」を作れません。").arg(folder, QString::fromUtf8(sub));
    }
    const QDir source(suppliedFolder);
    QDirIterator it(suppliedFolder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString relative = source.relativeFilePath(from);
        const QString to = target.filePath(relative);
        if (QFileInfo::exists(to))
            continue;  // a child's picture or an earlier install: keep it
        target.mkpath(QFileInfo(relative).path());
        if (!QFile::copy(from, to))
            return QStringLiteral("「%1」をコピーできません。").arg(to);
    }
    const QString database = target.filePath(tables::databaseFileName);
    if (!QFileInfo::exists(database)) {
        try {
            createDatabase(database);
        } catch (const DbError& e) {
            return e.text();
        }
    }
    return {};
}
