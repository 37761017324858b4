#include "mergepictures.h"

#include "storednames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <optional>

namespace merge {

namespace {

// The files of a folder, found by name with letter case ignored (the
// export writes names in lower case, the rows keep theirs); an exact match
// wins. Listed once, so that a map of many pictures reads each folder once.
class FolderFiles {
public:
    explicit FolderFiles(const QString& folder) : dir_(folder)
    {
        if (folder.isEmpty())
            return;
        for (const QString& entry : dir_.entryList(QDir::Files | QDir::Hidden | QDir::System))
            add(entry);
    }
    void add(const QString& entry)
    {
        exact_.insert(entry);
        folded_.insert(entry.toCaseFolded(), entry);
    }
    QString find(const QString& name) const
    {
        if (exact_.contains(name))
            return dir_.filePath(name);
        const auto found = folded_.constFind(name.toCaseFolded());
        return found == folded_.cend() ? QString() : dir_.filePath(*found);
    }

private:
    QDir dir_;
    QSet<QString> exact_;
    QHash<QString, QString> folded_;
};

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
    const FolderFiles source(exportedPicturesBeside(sendingDatabase, sendingName));
    const QString target = QDir(here.photoFolder()).filePath(sendingName);
    FolderFiles present(target);
    for (const QString& name : pictures) {
        // A name that is no plain file name would lead out of the folder.
        const bool plain = usableAsFolderName(name);
        const QString from = plain ? source.find(name) : QString();
        const QString there = plain ? present.find(name) : QString();
        const std::optional<QByteArray> bytes = from.isEmpty() ? std::nullopt : bytesOf(from);
        if (!bytes) {
            if (there.isEmpty())
                report.missing << name;
            continue;
        }
        if (!there.isEmpty()) {
            if (bytesOf(there) != bytes)
                report.kept << name;
            continue;
        }
        const QString fileName = QFileInfo(from).fileName();
        if (!QDir().mkpath(target) || !writeWhole(QDir(target).filePath(fileName), *bytes)) {
            report.missing << name;
            continue;
        }
        present.add(fileName);
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
