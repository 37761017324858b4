#pragma once
// Stored picture names and path literals keep their Windows form
// ("写真\glay.bmp", "C:\Program Files\ワンデロ\写真\glay.bmp") so that a database
// file means the same on every computer. These functions turn such a name
// into a file of this computer.

#include <QString>
#include <optional>

// The file a stored name names, given the installation folder:
// - "C:\Program Files\ワンデロ\..." (letter case ignored) lies in the
//   installation folder;
//   (the file name's letter case ignored where no exact match exists);
// - a relative name lies below `base`, the same way (the installation folder for the map
//   program's names; the tools' own "help\KOVR.hlp" is relative to KOVR/);
// - a native absolute path is used as it is;
// - any other drive path names no file here: the result is empty.
// An empty name names no file.
QString resolveStoredName(const QString& stored, const QString& installationFolder,
                          const QString& base = QString());

// The name under which a file chosen in a file dialog (a native absolute
// path) is stored: a file inside the installation folder in the
// installation's Windows form ("C:\Program Files\ワンデロ\写真\たろう51770.bmp"),
// so that the database keeps its meaning when the folder moves or travels
// to another computer; any other file as returned. Nothing when that name
// is longer than `width` characters: the column cannot hold it.
std::optional<QString> storedNameOfChoice(const QString& chosen, const QString& installationFolder,
                                          int width);

// The file-name part of a path: the text after its last "\" or "/", the
// whole text when it has neither.
QString MakeFilename(const QString& path);

// Whether a text can be the name of a folder on every computer a map may
// travel to: a user's name is the folder of the user's exports.
bool usableAsFolderName(const QString& name);
