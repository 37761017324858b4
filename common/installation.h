#pragma once
// The installation folder: the self-contained folder that holds the
// programs, wandelo.mdb and the picture folders. Each program finds it from
// where its own executable lies; code below the start is handed it as one
// value, so tests run the real code on a throwaway folder.

#include <QString>

class Installation {
public:
    explicit Installation(QString folder);

    // The folder of `wandelo` (the map program's program folder).
    static Installation ofMapProgram(const QString& applicationDir);
    // The parent of `KOVR/`, the folder of `kovr`.
    static Installation ofTools(const QString& applicationDir);

    const QString& folder() const { return folder_; }
    QString database() const;           // wandelo.mdb
    QString photoFolder() const;        // 写真
    QString backgroundFolder() const;   // 背景
    QString toolsFolder() const;        // KOVR

    // The file a stored name (photo, BackGnd, a path literal) names here;
    // empty when it names no file of this computer.
    QString resolve(const QString& stored) const;
    // The same for the tools' own relative names (relative to KOVR/).
    QString resolveForTools(const QString& stored) const;
    // What a file dialog's choice is stored as in a text column (photo,
    // BackGnd): its Windows form when it lies in this folder, else as
    // chosen. Throws the column check's DbError when the column cannot
    // hold it, before anything is written.
    QString storedNameOfChoice(const QString& chosen, const QString& table, const QString& column) const;

private:
    QString folder_;
};

// The install step's part for supplied files: copies every file below
// `suppliedFolder` to the same place below `folder` where no file is yet,
// creates the empty folders the programs write into, and creates
// wandelo.mdb when it is missing. An existing database and every existing
// picture stay as they are. Returns an empty text or what went wrong.
QString supplyMissingFiles(const QString& suppliedFolder, const QString& folder);
