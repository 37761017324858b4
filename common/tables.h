#pragma once
// Names of the two tables and their columns, and the rules that tie the rows
// of `data` together. Every reader and writer of the database takes its
// names and row rules from here, so there is one place to look them up.

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace tables {

inline const QString userdata = QStringLiteral("userdata");
inline const QString data = QStringLiteral("data");

// userdata, in table order.
namespace user {
inline const QString Name = QStringLiteral("Name");
inline const QString userID = QStringLiteral("userID");
inline const QString BackGnd = QStringLiteral("BackGnd");
}  // namespace user

// data, in table order.
namespace find {
inline const QString object = QStringLiteral("object");
inline const QString months = QStringLiteral("months");
inline const QString days = QStringLiteral("days");
inline const QString comment = QStringLiteral("comment");
inline const QString indexs = QStringLiteral("indexs");
inline const QString yz = QStringLiteral("yz");
inline const QString xz = QStringLiteral("xz");
inline const QString photo = QStringLiteral("photo");
inline const QString childs = QStringLiteral("childs");
inline const QString mother = QStringLiteral("mother");
inline const QString userID = QStringLiteral("userID");
}  // namespace find

enum class ColumnType { Text, Memo, Int16, Single };

struct Column {
    QString name;
    ColumnType type;
    int width;  // characters, for Text columns; 0 otherwise
};

// The columns of a table in table order (empty for an unknown table).
const QList<Column>& columnsOf(const QString& table);

// --- Row kinds of `data`, decided by userID alone -------------------------
// A free row is left behind by point deletion and reused by point creation;
// a chain record is a further record at an existing place (the update marker
// row carries this value too); any other value is a user's head record.
inline constexpr qint16 freeRowOwner = 0;
inline constexpr qint16 chainRecordOwner = 1;

enum class RowKind { Head, Chain, Free };
inline RowKind rowKind(qint16 owner)
{
    if (owner == freeRowOwner)
        return RowKind::Free;
    if (owner == chainRecordOwner)
        return RowKind::Chain;
    return RowKind::Head;
}

// --- Row positions --------------------------------------------------------
// The row at 0-based position p of `data` (natural order, all users) has
// `indexs` p + 1 and is the row of point button p. The map program never
// removes a row of `data`, so this stays true while only it writes.
inline constexpr int indexsOfPosition(int position) { return position + 1; }
inline constexpr int positionOfIndexs(int indexs) { return indexs - 1; }
inline constexpr int buttonOfPosition(int position) { return position; }

// A same-place chain ends where `childs` is 0; a head record has `mother` 0.
inline constexpr qint16 noLink = 0;

// The largest number of rows `data` can hold: `indexs` and the links are
// 16-bit numbers.
inline constexpr int maxDataRows = 32767;

// --- Values the programs store -------------------------------------------
// The placeholder picture, written absolute by point creation and by the
// answer No to the missing-photo question, relative by a chain record.
inline const QString placeholderAbsolute = QStringLiteral("C:\\Program Files\\ワンデロ\\写真\\glay.bmp");
inline const QString placeholderRelative = QStringLiteral("写真\\glay.bmp");
inline const QString defaultBackground = QStringLiteral("背景\\default.bmp");
// The chooser folder every login starts from.
inline const QString photoFolderAbsolute = QStringLiteral("C:\\Program Files\\ワンデロ\\写真");
// Where the tools open the local database.
inline const QString databaseAbsolute = QStringLiteral("C:\\Program Files\\ワンデロ\\wandelo.mdb");
inline const QString databaseFileName = QStringLiteral("wandelo.mdb");

// The comment every new record starts with.
inline const QString newComment = QStringLiteral(" ");

}  // namespace tables
