#include "mergepictures.h"

#include "storednames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

namespace merge {

namespace {

// The file of a folder whose name matches, letter case ignored (the export
// writes names in lower case, the rows keep theirs); an exact match wins.
QString fileIn(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(name)).isFile())
        return dir.filePath(name);
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

std::optional<QByteArray> bytesOf(const QString& path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    return in.readAll();
}

// Written beside the target and renamed at the end: a failure never leaves
// half a picture.
bool writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

}  // namespace

QString exportedPicturesBeside(const QString& sendingDatabase, const QString& sendingName)
{
    if (!usableAsFolderName(sendingName))
        return {};
    const QDir beside = QFileInfo(sendingDatabase).absoluteDir();
    for (const QString& relative : {QStringLiteral("KOVR/データ統合用画像/"), QStringLiteral("データ統合用画像/"), QString()}) {
        const QString folder = beside.filePath(relative + sendingName);
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return {};
}

PictureReport bringPictures(const Installation& here, const QString& sendingDatabase,
                            const QString& sendingName, const QStringList& pictures)
{
    PictureReport report;
    if (!usableAsFolderName(sendingName)) {
        report.missing = pictures;  // no folder of that name can hold them
        return report;
    }
    const QString source = exportedPicturesBeside(sendingDatabase, sendingName);
    const QString target = QDir(here.photoFolder()).filePath(sendingName);
    for (const QString& name : pictures) {
        // A name that is no plain file name would lead out of the folder.
        const QString from = usableAsFolderName(name) && !source.isEmpty() ? fileIn(source, name) : QString();
        const QString present = usableAsFolderName(name) ? fileIn(target, name) : QString();
        if (from.isEmpty()) {
            if (present.isEmpty())
                report.missing << name;
            continue;
        }
        const std::optional<QByteArray> bytes = bytesOf(from);
        if (!bytes) {
            if (present.isEmpty())
                report.missing << name;
            continue;
        }
        if (!present.isEmpty()) {
            if (bytesOf(present) != bytes)
                report.kept << name;
            continue;
        }
        if (!QDir().mkpath(target) || !writeWhole(QDir(target).filePath(QFileInfo(from).fileName()), *bytes)) {
            report.missing << name;
            continue;
        }
        ++report.copied;
    }
    return report;
}

QString broughtMessage(const Brought& brought, const PictureReport& pictures)
{
    QString text = doneMessage + u'\n'
        + QStringLiteral("ポイント %1、記録 %2、コピーした画像 %3、見つからない画像 %4")
              .arg(brought.places)
              .arg(brought.records)
              .arg(pictures.copied)
              .arg(pictures.missing.size());
    if (!pictures.missing.isEmpty())
        text += QStringLiteral("\n\n次の画像は見つかりませんでした:\n") + pictures.missing.join(u'\n');
    if (!pictures.kept.isEmpty())
        text += QStringLiteral("\n\n同じ名前の別の画像がこのコンピュータにあるので、次の画像はコピーしていません:\n")
            + pictures.kept.join(u'\n');
    return text;
}

}  // namespace merge
