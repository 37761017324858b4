#pragma once
// The two merges of the merge tool, as plain work on cursors: handing one
// user's points to another user of the same database, and copying a user's
// points from a database brought from another computer. Each runs in one
// transaction: all of its rows land or none do.

#include "cursor.h"

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace merge {

// The sending user is not (or no longer) in the database.
class SenderMissing : public std::runtime_error {
public:
    explicit SenderMissing(const QString& name)
        : std::runtime_error("sending user missing"), name_(name) {}
    const QString& name() const { return name_; }

private:
    QString name_;
};

// The sending user's name could not be a folder name: it would put path
// parts into the photo names the merge writes.
class UnusableName : public std::runtime_error {
public:
    explicit UnusableName(const QString& name)
        : std::runtime_error("sending user name is no folder name"), name_(name) {}
    const QString& name() const { return name_; }

private:
    QString name_;
};

// The local `data` cannot take the sending user's points.
class TooManyRows : public std::runtime_error {
public:
    TooManyRows() : std::runtime_error("data would pass 32767 rows") {}
};

inline const QString doneMessage = QStringLiteral("データの統合が完了しました");
QString senderMissingMessage(const QString& name);
QString unusableNameMessage(const QString& name);
inline const QString tooManyRowsMessage =
    QStringLiteral("このコンピュータのデータがいっぱいになるので、統合できません。");

// Within one database: every head record of the sending user gets the
// receiving user's ID (its chain follows by position); with
// `deleteSender`, every userdata row of the sending ID goes too. The
// userdata rows are changed through `localData`'s connection, so that one
// transaction holds both tables; a caller with a cursor of its own on
// userdata requeries it afterwards. Returns the number of points handed
// over. Throws SenderMissing or DbError (then nothing has changed).
int mergeWithin(Cursor& localData, const QString& sendingName, qint16 receivingID, bool deleteSender);

// What a merge between two databases added.
struct Brought {
    int places = 0;   // head records
    int records = 0;  // every row added: the head records and their chains
    // The file names the new rows' photos name in 写真\<sending name>\,
    // each once (letter case ignored), in the order the rows came.
    QStringList pictures;
};

// Between two databases: each head record of the sending user becomes a
// new local row of the receiving user at the same place, followed by the
// further records of its place in chain order, linked again as a chain;
// every photo points into 写真\<sending name>\. The sending cursors are
// only read. Throws UnusableName (a sending name that is no folder name),
// SenderMissing, TooManyRows or DbError (then nothing has changed).
Brought mergeBetween(Cursor& localData, Cursor& sendingUsers, Cursor& sendingData,
                     const QString& sendingName, qint16 receivingID);

// The photo a copied record points to.
QString mergedPhoto(const QString& sendingName, const QString& sendingPhoto);

}  // namespace merge
