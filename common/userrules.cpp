#include "userrules.h"

#include "dberror.h"
#include "int16.h"
#include "rowrules.h"
#include "storednames.h"
#include "tables.h"

namespace userrules {

bool findByName(Cursor& users, const QString& name)
{
    users.moveFirst();
    while (!users.eof()) {
        if (users.text(tables::user::Name) == name)
            return true;
        users.moveNext();
    }
    return false;
}

bool findByID(Cursor& users, qint16 id)
{
    users.moveFirst();
    while (!users.eof()) {
        if (toInt16(users.value(tables::user::userID)) == id)
            return true;
        users.moveNext();
    }
    return false;
}

Registration registerUser(Cursor& users, const QString& name)
{
    using Outcome = Registration::Outcome;
    if (!usableAsFolderName(name))
        return {Outcome::NameUnusable};
    try {
        // The name check, the new userID and the new row while nobody else
        // can write: two children registering at once on two computers
        // must not get one name or one userID between them.
        Cursor::WriteScope scope(users);
        if (findByName(users, name))
            return {Outcome::NameTaken};
        const qint16 id = rows::nextUserID(users);
        users.addNew();
        users.setValue(tables::user::Name, name);
        users.setValue(tables::user::userID, int(id));
        users.setValue(tables::user::BackGnd, tables::defaultBackground);
        users.update();
        scope.commit();
        // The exports read the new user's Name and BackGnd from here.
        users.setBookmark(*users.lastModified());
        return {Outcome::Registered, id};
    } catch (const rows::TableFull&) {
        return {Outcome::TableFull};
    } catch (const DbError&) {
        users.cancelUpdate();
        throw;
    }
}

QString refusalMessage(Registration::Outcome outcome)
{
    using Outcome = Registration::Outcome;
    switch (outcome) {
    case Outcome::Registered:
        break;
    case Outcome::NameUnusable:
        return QStringLiteral("その名前は使えません。\\ / : * ? \" < > | のない名前にしてね");
    case Outcome::NameTaken:
        return QStringLiteral("その名前はすでに使われています");
    case Outcome::TableFull:
        return QStringLiteral("これ以上、新しい名前を作れません。");
    }
    return {};
}

QString pointToolTip(const QString& object)
{
    return object.isEmpty() ? QStringLiteral(" ? ") : object;
}

QStringList namesWithBackground(Cursor& users, const QString& backgroundFile, std::optional<qint16> except)
{
    QStringList names;
    users.moveFirst();
    while (!users.eof()) {
        if (MakeFilename(users.text(tables::user::BackGnd)) == backgroundFile
            && !(except && toInt16(users.value(tables::user::userID)) == *except))
            names << users.text(tables::user::Name);
        users.moveNext();
    }
    return names;
}

}  // namespace userrules
