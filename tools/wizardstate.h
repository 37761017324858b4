#pragma once
// What the merge wizard's windows collect, kept for as long as the program
// runs: going back and forth, or starting the wizard again from the
// launcher, finds the choices made before.

#include "cursor.h"
#include "database.h"

#include <QString>
#include <memory>

struct WizardState {
    enum class Mode {
        Within,   // two users of this computer's database
        Between,  // a user of another computer's database into one of this
    };
    Mode mode = Mode::Within;
    QString receivingName;
    qint16 receivingID = 0;
    QString receivingBackground;  // the file name of the receiving user's background

    // The database brought from another computer, opened read-only, and
    // its two cursors. The cursors go before the database they read.
    QString sendingPath;
    std::unique_ptr<Database> sendingDatabase;
    std::unique_ptr<Cursor> sendingUsers;
    std::unique_ptr<Cursor> sendingData;

    QString sendingName;

    void closeSending()
    {
        sendingUsers.reset();
        sendingData.reset();
        sendingDatabase.reset();
    }
    ~WizardState() { closeSending(); }
};

// The confirmation sentence of the last step.
inline QString mergeSentence(const WizardState& s)
{
    return s.sendingName + QStringLiteral("のマップを") + s.receivingName + QStringLiteral("のマップに統合します");
}
