#pragma once
// The rules about the rows of `userdata` and what a user's map shows:
// finding a user by name or ID, registering a new user, the tooltip of a
// point, and the users who share a background. Both programs' windows go
// through these, so each rule is written once.

#include "cursor.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace userrules {

// Leaves the cursor on the first row with this name (or ID); false, with
// the cursor past the last row, when there is none.
bool findByName(Cursor& users, const QString& name);
bool findByID(Cursor& users, qint16 id);

struct Registration {
    enum class Outcome { Registered, NameUnusable, NameTaken, TableFull };
    Outcome outcome = Outcome::Registered;
    qint16 id = 0;  // the new user's, when registered
};
// Registers a new user under the write lock: the name must do as a folder
// name (it is the folder of the user's exports) and be free; the row gets
// the next userID and the default background. Leaves the cursor on the new
// row. Throws DbError when the file refuses the write (nothing is written).
Registration registerUser(Cursor& users, const QString& name);
// What the name window says for a refusal (empty when registered).
QString refusalMessage(Registration::Outcome outcome);

// A point's tooltip: its object, or " ? " while it has none.
QString pointToolTip(const QString& object);

// The names of the users whose background has this file name (the folder
// aside), in table order; the user `except` left out.
QStringList namesWithBackground(Cursor& users, const QString& backgroundFile,
                                std::optional<qint16> except = std::nullopt);

}  // namespace userrules
