#pragma once
// The data of one login of the map program: the session's cursor on
// `userdata` and its cursor on `data`, each on a connection of its own and
// held by a data control. The session owns this object; the windows never
// do. The holder windows `admin` and `Datas` open their side when they are
// created and bind their fields to its data control; the session closes a
// side where it destroys that holder (logout, the map window closing).
// Every other window reaches a cursor through the session, never through a
// window, and learns of a saved record from recordSaved().

#include "datacontrol.h"

#include <QObject>
#include <memory>

class Database;
class Dialogs;
class Installation;
class QWidget;

class MapData : public QObject {
    Q_OBJECT
public:
    MapData(const Installation& installation, Dialogs& dialogs);
    ~MapData() override;

    // --- userdata: the users, resting on the current user's row ---------
    // Opens the cursor the first time; nullptr when wandelo.mdb could not
    // be opened (already reported in the holder's words).
    DataControl* openUserdata();
    void closeUserdata();
    bool userdataOpen() const { return users_.control != nullptr; }
    // Throw DbError when the cursor is not open.
    DataControl& userdataControl();
    Cursor& userdata() { return userdataControl().recordset(); }
    // A database error of the userdata cursor, in the holder's words.
    void reportUserdataError(const DbError& error);
    // Writes BackGnd of the row the cursor rests on; throws DbError and
    // leaves the row as it was.
    void storeBackground(const QString& stored);

    // --- data: every user's find records, in table order ----------------
    // Opens the cursor the first time; nullptr when it could not be opened
    // (already reported with the engine's text, over `reportOver`).
    DataControl* openData(QWidget* reportOver);
    void closeData();
    bool dataOpen() const { return finds_.control != nullptr; }
    DataControl& dataControl();
    Cursor& data() { return dataControl().recordset(); }
    // Writes `photo` of the current record together with the texts of the
    // bound fields; throws DbError and leaves the record as it was.
    void storePhoto(const QString& photo);
    // The same for a file chosen in a file dialog, stored in its Windows
    // form when it lies in the installation folder; a name `photo` cannot
    // hold throws the column check's DbError and nothing is written.
    void storeChosenPhoto(const QString& chosen);
    // Saves the bound fields of the current record and announces it.
    void saveRecord();

signals:
    // The record window saved the current record of the data cursor.
    void recordSaved();

private:
    // One cursor on a connection of its own, held by its data control.
    struct Held {
        std::unique_ptr<Database> database;
        std::unique_ptr<DataControl> control;  // goes before the connection it reads
        // Throws DbError and stays closed when the file cannot be opened.
        void open(const QString& file, const QString& table, Cursor::Kind kind, Dialogs& dialogs);
        void close();
        // Throws DbError when closed.
        DataControl& get();
    };
    void storeField(DataControl& control, const QString& column, const QString& value);

    const Installation& installation_;
    Dialogs& dialogs_;
    Held users_;
    Held finds_;
};
