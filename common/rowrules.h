#pragma once
// The rules that tie the rows of `data` together, as operations on a cursor
// over the whole table: reaching a row by its `indexs` or button index,
// free rows and point creation, the same-place chain, point deletion, and
// a new user's ID. Every window that changes rows goes through these, so
// the rules live here once.

#include "cursor.h"

#include <QString>
#include <optional>
#include <vector>

namespace rows {

// Moves to the row whose `indexs` is n: first row, then n - 1 forward.
void reachIndexs(Cursor& data, int indexs);
// Moves to the row of point button i: first row, then i forward.
void reachButtonRow(Cursor& data, int button);

// The `indexs` of the next (previous) record at the current record's
// place, or nothing at the tail (head) of its chain. A link that names no
// row, as removing a row with the edit tool leaves behind, ends the chain
// there: following it would leave the cursor on no row at all.
std::optional<int> nextInChain(Cursor& data);
std::optional<int> previousInChain(Cursor& data);

// The owner and next link of one row, read with every other row at once.
struct ChainLinks {
    std::optional<qint16> owner;
    std::optional<qint16> childs;
};
// The positions of the further records of the place whose head record lies
// at position `head` of `table` (every row of `data` in table order), in
// chain order. A link outside the table, back into the chain or to a row
// that is no chain record (damaged data) ends the chain there, so another
// child's records never come along.
std::vector<std::size_t> chainAfter(const std::vector<ChainLinks>& table, std::size_t head);

// Leaves the cursor on the first free row (its userID reads as 0) in table
// order; false (and the cursor past the last row) when there is none. The
// engine picks the row out: a table of 32,767 rows is not read through.
bool findFreeRow(Cursor& data);

struct NewPoint {
    qint16 userID = 0;
    QString month;
    QString day;
    float x = 0;  // the click, in map units
    float y = 0;
};
struct CreatedPoint {
    int button = 0;  // the point button that shows it
    float left = 0;
    float top = 0;
};
// Writes a head record for a new place: into the first free row (which
// keeps its indexs), or appended with indexs = rows before + 1. Throws
// DbError when the save fails, and TableFull when no row can be appended.
CreatedPoint createPoint(Cursor& data, const NewPoint& point);

class TableFull : public std::runtime_error {
public:
    TableFull() : std::runtime_error("data holds 32767 rows") {}
};
// What the map program says when `data` cannot take one more row.
inline const QString tableFullMessage =
    QStringLiteral("データがいっぱいなので、これ以上データを作れません。");

// Makes the current head record a free row: its texts emptied, userID 0;
// photo, position, indexs and chain links stay. Throws DbError.
void freeRow(Cursor& data);

// Appends a record at the tail of the current record's chain (the tail as
// the file has it under the write lock: another program may have appended
// meanwhile), all or nothing; leaves the cursor on the new record and
// returns its indexs.
// Throws DbError or TableFull.
int appendToChain(Cursor& data);

// A point button of a user's map as the map shows it on opening.
struct UserPoint {
    int button = 0;
    QString toolTip;          // the place's name, " ? " when it has none
    std::optional<float> left;  // nothing when the field holds no number
    std::optional<float> top;
};
// The points of a user: the rows whose userID is theirs, picked out by the
// engine without walking the cursor through them. Rows whose userID is not
// a number are left out. Leaves the cursor past the last row.
std::vector<UserPoint> pointsOfUser(Cursor& data, qint16 user);

// Writes a moved point's position into the row of button i.
void storePosition(Cursor& data, int button, float left, float top);

// The userID for a new user: the last row's plus one, unless that is taken,
// reserved (0, 1) or outside 16 bits; then one more than the highest ID
// (or, past 32767, the lowest free one). The first user of an empty table
// gets 2. Leaves the cursor on the last row.
qint16 nextUserID(Cursor& users);

// `indexs`, `childs`, `mother`, `userID` of the current row as numbers.
qint16 int16Field(Cursor& data, const QString& column);

}  // namespace rows
