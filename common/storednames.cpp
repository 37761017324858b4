#include "storednames.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString installationPrefix = QStringLiteral("C:\\Program Files\\ワンデロ\\");

bool hasDriveLetter(const QString& name)
{
    return name.size() >= 2 && name[1] == u':' && name[0].isLetter() && name[0].unicode() < 128;
}

// Names in Windows form ignore letter case, as on Windows: the picture
// export writes "neko.jpg" for a record that says "Neko.JPG", and a map
// carried to this computer must still find it. Only the file name is
// matched so; an exact match always wins.
QString matchingLetterCase(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return path;
    const QDir folder = info.dir();
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (entry.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    }
    return path;
}

QString below(const QString& folder, QString rest)
{
    rest.replace(u'\\', u'/');
    return matchingLetterCase(QDir::cleanPath(folder + u'/' + rest));
}

}  // namespace

QString resolveStoredName(const QString& stored, const QString& installationFolder,
                          const QString& base)
{
    if (stored.isEmpty())
        return {};
    if (stored.startsWith(installationPrefix, Qt::CaseInsensitive))
        return below(installationFolder, stored.mid(installationPrefix.size()));
    if (hasDriveLetter(stored) || stored.startsWith(u'\\'))
        return {};
    if (stored.startsWith(u'/'))
        return stored;
    return below(base.isEmpty() ? installationFolder : base, stored);
}

namespace {

// The part of `path` below `folder`, with "/" separators; nothing when the
// path does not lie below it.
std::optional<QString> partBelow(const QString& folder, const QString& path)
{
    if (folder.isEmpty() || path.isEmpty())
        return std::nullopt;
    const QString root = folder.endsWith(u'/') ? folder : folder + u'/';
    if (!path.startsWith(root) || path.size() == root.size())
        return std::nullopt;
    return path.mid(root.size());
}

}  // namespace

std::optional<QString> storedNameOfChoice(const QString& chosen, const QString& installationFolder,
                                          int width)
{
    const QFileInfo file(chosen);
    std::optional<QString> inside;
    if (file.isAbsolute()) {
        inside = partBelow(QDir::cleanPath(installationFolder), QDir::cleanPath(chosen));
        // The same folders reached through a symbolic link.
        if (!inside) {
            const QString root = QFileInfo(installationFolder).canonicalFilePath();
            const QString parent = file.absoluteDir().canonicalPath();
            if (!root.isEmpty() && !parent.isEmpty())
                inside = partBelow(root, parent + u'/' + file.fileName());
        }
    }
    // A file name holding "\" would read as two names in Windows form.
    QString name = chosen;
    if (inside && !inside->contains(u'\\'))
        name = installationPrefix + QString(*inside).replace(u'/', u'\\');
    if (name.size() > width)
        return std::nullopt;
    return name;
}

QString MakeFilename(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.mid(cut + 1);
}

bool usableAsFolderName(const QString& name)
{
    if (name.trimmed().isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    for (const QChar c : name) {
        if (QStringLiteral("\\/:*?\"<>|").contains(c) || c.unicode() < 32)
            return false;
    }
    return true;
}
