#include "merge.h"

#include "int16.h"
#include "rowrules.h"
#include "storednames.h"
#include "tables.h"

#include <vector>

namespace merge {

namespace {

using namespace tables;

qint16 senderID(Cursor& users, const QString& name)
{
    users.moveFirst();
    while (!users.eof()) {
        if (users.text(user::Name) == name)
            return rows::int16Field(users, user::userID);
        users.moveNext();
    }
    throw SenderMissing(name);
}

bool ownedBy(Cursor& data, qint16 id)
{
    return toInt16(data.value(find::userID)) == id;
}

// Under the write lock, with every row the map program may have added
// since the cursor last looked: a merge that did not see them would count
// the table short and hand out their indexs again. A rollback reads the
// cursor's rows again by itself.
template <class F>
int inOneTransaction(Cursor& localData, F&& work)
{
    int result = 0;
    try {
        Cursor::WriteScope scope(localData);
        result = work();
        scope.commit();
    } catch (...) {
        localData.cancelUpdate();
        throw;
    }
    return result;
}

}  // namespace

QString senderMissingMessage(const QString& name)
{
    return QStringLiteral("ユーザ「%1」はもういません。").arg(name);
}

QString mergedPhoto(const QString& sendingName, const QString& sendingPhoto)
{
    return QStringLiteral("C:\\Program Files\\ワンデロ\\写真\\") + sendingName + u'\\'
        + MakeFilename(sendingPhoto);
}

int mergeWithin(Cursor& localData, const QString& sendingName, qint16 receivingID, bool deleteSender)
{
    Cursor users(localData.database(), userdata, Cursor::Kind::Dynaset);
    const qint16 sending = senderID(users, sendingName);
    return inOneTransaction(localData, [&] {
        int handedOver = 0;
        localData.moveFirst();
        while (!localData.eof()) {
            if (ownedBy(localData, sending)) {
                localData.edit();
                localData.setValue(find::userID, int(receivingID));
                localData.update();
                ++handedOver;
            }
            localData.moveNext();
        }
        if (deleteSender) {
            users.moveFirst();
            while (!users.eof()) {
                if (toInt16(users.value(user::userID)) == sending)
                    users.deleteRow();
                users.moveNext();
            }
        }
        return handedOver;
    });
}

int mergeBetween(Cursor& localData, Cursor& sendingUsers, Cursor& sendingData,
                 const QString& sendingName, qint16 receivingID)
{
    const qint16 sending = senderID(sendingUsers, sendingName);

    // Read first, so that the limit is checked before anything is written.
    struct Point {
        QVariant object, months, days, comment, yz, xz;
        QString photo;
    };
    std::vector<Point> points;
    sendingData.moveFirst();
    while (!sendingData.eof()) {
        if (ownedBy(sendingData, sending))
            points.push_back({sendingData.value(find::object), sendingData.value(find::months),
                              sendingData.value(find::days), sendingData.value(find::comment),
                              sendingData.value(find::yz), sendingData.value(find::xz),
                              sendingData.text(find::photo)});
        sendingData.moveNext();
    }
    return inOneTransaction(localData, [&] {
        if (localData.recordCount() + qsizetype(points.size()) > maxDataRows)
            throw TooManyRows();
        for (const Point& p : points) {
            int last = 0;  // an empty table: the first row gets indexs 1
            localData.moveLast();
            if (localData.hasCurrent())
                last = rows::int16Field(localData, find::indexs);
            if (last >= maxDataRows)
                throw TooManyRows();
            localData.addNew();
            localData.setValue(find::indexs, QString::number(last + 1));
            localData.setValue(find::userID, int(receivingID));
            localData.setValue(find::object, p.object);
            localData.setValue(find::months, p.months);
            localData.setValue(find::days, p.days);
            localData.setValue(find::comment, p.comment);
            localData.setValue(find::yz, p.yz);
            localData.setValue(find::xz, p.xz);
            localData.setValue(find::childs, int(noLink));
            localData.setValue(find::mother, int(noLink));
            localData.setValue(find::photo, mergedPhoto(sendingName, p.photo));
            localData.update();
        }
        return int(points.size());
    });
}

}  // namespace merge
