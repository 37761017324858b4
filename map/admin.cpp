#include "admin.h"

#include "dialogs.h"
#include "mousepointer.h"
#include "session.h"
#include "tables.h"

#include <QLineEdit>

admin::admin(Session& session) : session_(session)
{
    setAttribute(Qt::WA_DontShowOnScreen);
    txtFields[0] = new QLineEdit(this);
    txtFields[1] = new QLineEdit(this);
    Text1 = new QLineEdit(this);
    try {
        database_ = Database::open(session_.installation().database());
        auto cursor = std::make_unique<Cursor>(*database_, tables::userdata, Cursor::Kind::Dynaset);
        Data1 = new DataControl(std::move(cursor), session_.dialogs(), this);
    } catch (const DbError& e) {
        reportError(e);
        database_.reset();
        return;
    }
    connect(Data1, &DataControl::error, this, &admin::Data1_Error);
    connect(Data1, &DataControl::reposition, this, &admin::Data1_Reposition);
    connect(Data1, &DataControl::validate, this, &admin::Data1_Validate);
    Data1->bind(txtFields[0], tables::user::Name);
    Data1->bind(txtFields[1], tables::user::userID);
    Data1->bind(Text1, tables::user::BackGnd);
}

admin::~admin()
{
    // The data control goes before the database its cursor reads.
    delete Data1;
}

void admin::reportError(const DbError& error)
{
    if (error.number() == dberr::cancelled)
        return;
    DataControl::Response response = DataControl::Response::ShowMessage;
    Data1_Error(error.number(), error.text(), &response);
}

void admin::Data1_Error(int, const QString& text, DataControl::Response* response)
{
    session_.dialogs().message(nullptr, dataControlErrorHeading + text, Dialogs::Buttons::Ok);
    *response = DataControl::Response::NoMessage;
}

void admin::Data1_Reposition()
{
    mousePointer::normal();
}

void admin::Data1_Validate(CursorObserver::Action, bool)
{
    mousePointer::busy();
}
