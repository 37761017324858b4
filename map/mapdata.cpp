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

// --- userdata ----------------------------------------------------------------

DataControl* MapData::openUserdata()
{
    if (users_)
        return users_.get();
    try {
        usersDatabase_ = Database::open(installation_.database());
        auto cursor = std::make_unique<Cursor>(*usersDatabase_, tables::userdata, Cursor::Kind::Dynaset);
        users_ = std::make_unique<DataControl>(std::move(cursor), dialogs_);
    } catch (const DbError& e) {
        usersDatabase_.reset();
        reportUserdataError(e);
        return nullptr;
    }
    // The cursor's events run although its holder is never visible: the
    // busy pointer while it moves, and errors in the holder's words.
    connect(users_.get(), &DataControl::validate, this, [] { mousePointer::busy(); });
    connect(users_.get(), &DataControl::reposition, this, [] { mousePointer::normal(); });
    connect(users_.get(), &DataControl::error, this,
            [this](int, const QString& text, DataControl::Response* response) {
                dialogs_.message(nullptr, dataControlErrorHeading + text, Dialogs::Buttons::Ok);
                *response = DataControl::Response::NoMessage;
            });
    return users_.get();
}

void MapData::closeUserdata()
{
    users_.reset();
    usersDatabase_.reset();
}

DataControl& MapData::userdataControl()
{
    if (!users_)
        throw DbError(dberr::cannotOpen, QStringLiteral("データベースが開いていません。"));
    return *users_;
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
    if (finds_)
        return finds_.get();
    try {
        findsDatabase_ = Database::open(installation_.database());
        auto cursor = std::make_unique<Cursor>(*findsDatabase_, tables::data, Cursor::Kind::Table);
        finds_ = std::make_unique<DataControl>(std::move(cursor), dialogs_);
    } catch (const DbError& e) {
        // This data control has no error handler: the engine's own text.
        findsDatabase_.reset();
        dialogs_.message(reportOver, e.text());
        return nullptr;
    }
    return finds_.get();
}

void MapData::closeData()
{
    finds_.reset();
    findsDatabase_.reset();
}

DataControl& MapData::dataControl()
{
    if (!finds_)
        throw DbError(dberr::cannotOpen, QStringLiteral("データベースが開いていません。"));
    return *finds_;
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
