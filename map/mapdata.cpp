#include "mapdata.h"

#include "database.h"
#include "dialogs.h"
#include "installation.h"
#include "mousepointer.h"
#include "tables.h"

MapData::MapData(const Installation& installation, Dialogs& dialogs)
    : installation_(installation), dialogs_(dialogs)
{
}

MapData::~MapData()
{
    closeData();
    closeUserdata();
}

void MapData::Held::open(const QString& file, const QString& table, Cursor::Kind kind, Dialogs& dialogs)
{
    try {
        database = Database::open(file);
        control = std::make_unique<DataControl>(std::make_unique<Cursor>(*database, table, kind), dialogs);
    } catch (const DbError&) {
        close();
        throw;
    }
}

void MapData::Held::close()
{
    control.reset();
    database.reset();
}

DataControl& MapData::Held::get()
{
    if (!control)
        throw DbError(dberr::cannotOpen, QStringLiteral("データベースが開いていません。"));
    return *control;
}

// --- userdata ----------------------------------------------------------------

DataControl* MapData::openUserdata()
{
    if (users_.control)
        return users_.control.get();
    try {
        users_.open(installation_.database(), tables::userdata, Cursor::Kind::Dynaset, dialogs_);
    } catch (const DbError& e) {
        reportUserdataError(e);
        return nullptr;
    }
    // The cursor's events run although its holder is never visible: the
    // busy pointer while it moves, and errors in the holder's words.
    DataControl* control = users_.control.get();
    connect(control, &DataControl::validate, this, [] { mousePointer::busy(); });
    connect(control, &DataControl::reposition, this, [] { mousePointer::normal(); });
    connect(control, &DataControl::error, this,
            [this](int, const QString& text, DataControl::Response* response) {
                dialogs_.message(nullptr, dataControlErrorHeading + text, Dialogs::Buttons::Ok);
                *response = DataControl::Response::NoMessage;
            });
    return control;
}

void MapData::closeUserdata()
{
    users_.close();
}

DataControl& MapData::userdataControl()
{
    return users_.get();
}

void MapData::reportUserdataError(const DbError& error)
{
    if (error.number() == dberr::cancelled)
        return;
    dialogs_.message(nullptr, dataControlErrorHeading + error.text(), Dialogs::Buttons::Ok);
}

void MapData::storeBackground(const QString& stored)
{
    storeField(userdataControl(), tables::user::BackGnd, stored);
}

// --- data --------------------------------------------------------------------

DataControl* MapData::openData(QWidget* reportOver)
{
    if (finds_.control)
        return finds_.control.get();
    try {
        finds_.open(installation_.database(), tables::data, Cursor::Kind::Table, dialogs_);
    } catch (const DbError& e) {
        // This data control has no error handler: the engine's own text.
        dialogs_.message(reportOver, e.text());
        return nullptr;
    }
    return finds_.control.get();
}

void MapData::closeData()
{
    finds_.close();
}

DataControl& MapData::dataControl()
{
    return finds_.get();
}

void MapData::storePhoto(const QString& photo)
{
    storeField(dataControl(), tables::find::photo, photo);
}

void MapData::storeChosenPhoto(const QString& chosen)
{
    storePhoto(installation_.storedNameOfChoice(chosen, tables::data, tables::find::photo));
}

void MapData::saveRecord()
{
    dataControl().updateRecord();
    emit recordSaved();
}

// One column of the current row, saved together with the bound fields.
void MapData::storeField(DataControl& control, const QString& column, const QString& value)
{
    Cursor& row = control.recordset();
    try {
        row.edit();
        row.setValue(column, value);
        control.updateRecord();
    } catch (const DbError&) {
        row.cancelUpdate();
        throw;
    }
}
