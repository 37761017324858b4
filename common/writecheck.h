#pragma once
// Whether this account may write the database: in a classroom the folder is
// shared by several accounts, and a child must learn before typing anything,
// not at the first save, that nothing can be kept.

#include <QString>

// Empty when wandelo.mdb at `databasePath` and its folder (where the engine
// writes its journal beside the file) can be written by this account, else
// a Japanese message for the teacher saying what to do. A missing file is
// not this check's matter (opening it reports that).
QString databaseWriteProblem(const QString& databasePath);
