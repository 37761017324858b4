#pragma once
// The picture export for merging: before a map is carried to another
// computer, the picture of every record of the user's points (the head
// record and its chain) is copied into the user's folder below
// KOVR/データ統合用画像, named by its file name in lower case. The merge on the other computer points the records at that name.

#include "installation.h"

#include <QString>
#include <QStringList>

class Cursor;

namespace pictureexport {

inline const QString question =
    QStringLiteral("このマップに使用されている画像をKOVR\\データ統合用画像フォルダに書き出します");
inline const QString finishedMessage = QStringLiteral("書き出しが完了しました");

struct Result {
    bool written = false;  // false: refused or failed before copying
    QString message;
    QStringList missing;   // stored names of pictures that could not be copied
};

// Copies the pictures of the records of `userID`'s places, reading `data`
// from its first row and leaving it past the last.
Result run(const Installation& installation, const QString& name, qint16 userID, Cursor& data);

}  // namespace pictureexport
