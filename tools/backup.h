#pragma once
// Before a tool changes many rows of wandelo.mdb it keeps a copy of the
// file in KOVR/backup/, named after the moment it was made; the newest ten
// stay. A teacher can always go back by copying one over wandelo.mdb.

#include "installation.h"

#include <QDateTime>
#include <QString>

inline constexpr int backupsKept = 10;

// The folder that holds the copies.
QString backupFolder(const Installation& installation);

// Copies `databaseFile` to KOVR/backup/wandelo-<yyyyMMdd>-<HHmmss>.mdb and
// removes all but the newest ten copies. Returns an empty text, or a short
// message in Japanese saying why no copy could be made.
QString backupDatabase(const Installation& installation, const QString& databaseFile,
                       const QDateTime& now = QDateTime::currentDateTime());
