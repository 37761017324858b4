#pragma once
// The pictures of a map brought from another computer. The map program's
// picture export leaves a user's pictures in KOVR/データ統合用画像/<name>/;
// whoever carries the map copies that folder, or the whole installation
// folder, along with wandelo.mdb. After the merged rows have landed, the
// pictures they name are copied from beside the brought wandelo.mdb into
// this computer's 写真/<name>/, where the rows point.

#include "installation.h"
#include "merge.h"

#include <QString>
#include <QStringList>

namespace merge {

struct PictureReport {
    int copied = 0;
    QStringList missing;  // named by a merged row, found nowhere
    QStringList kept;     // a different local picture of that name stayed
};

// The folder beside a brought wandelo.mdb holding the user's exported
// pictures: <folder>/KOVR/データ統合用画像/<name> (a copied installation
// folder), <folder>/データ統合用画像/<name> or <folder>/<name>, the first
// that exists; empty when there is none.
QString exportedPicturesBeside(const QString& sendingDatabase, const QString& sendingName);

// Copies each of `pictures` (file names, letter case ignored) from beside
// the brought database into 写真/<sending name>/. A picture already there
// is never overwritten: the same file is skipped, a different one kept and
// reported. Nothing is written outside that folder.
PictureReport bringPictures(const Installation& here, const QString& sendingDatabase,
                            const QString& sendingName, const QStringList& pictures);

// What the teacher reads at the end: the done message, a line of counts,
// then the pictures missing or kept, if any.
QString broughtMessage(const Brought& brought, const PictureReport& pictures);

}  // namespace merge
