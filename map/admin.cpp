#include "admin.h"

#include "mapdata.h"
#include "session.h"
#include "tables.h"

#include <QLineEdit>

admin::admin(Session& session)
{
    setAttribute(Qt::WA_DontShowOnScreen);
    txtFields[0] = new QLineEdit(this);
    txtFields[1] = new QLineEdit(this);
    Text1 = new QLineEdit(this);
    DataControl* Data1 = session.mapData().openUserdata();
    if (!Data1)
        return;  // already reported; without the users the login ends the program
    Data1->bind(txtFields[0], tables::user::Name);
    Data1->bind(txtFields[1], tables::user::userID);
    Data1->bind(Text1, tables::user::BackGnd);
}
