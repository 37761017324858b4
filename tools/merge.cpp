#include "merge.h"

#include "int16.h"
#include "rowrules.h"
#include "storednames.h"
#include "tables.h"
#include "userrules.h"

#include <QSet>

#include <optional>
#include <vector>

namespace merge {

namespace {

using namespace tables;

qint16 senderID(Cursor& users, const QString& name)
{
    if (!userrules::findByName(users, name))
        throw SenderMissing(name);
    return rows::int16Field(users, user::userID);
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

QString unusableNameMessage(const QString& name)
{
    return QStringLiteral("ユーザ「%1」の名前はフォルダの名前に使えないので、統合できません。").arg(name);
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

namespace {

// One record read from the sending database, with what the merge copies.
struct SentRecord {
    QVariant object, months, days, comment, yz, xz;
    QString photo;
};

// A place of the sending user: its head record, then its chain.
using SentPlace = std::vector<SentRecord>;

// The sending user's places, each with the further records of its chain in
// chain order. The chain is followed by row position, as the record window
// follows it; a link that leads outside the table, back into the chain, or
// to a row that is no chain record (damaged data) ends the chain there, so
// another child's records never come along.
std::vector<SentPlace> readPlaces(Cursor& sendingData, qint16 sending)
{
    std::vector<SentRecord> records;
    std::vector<rows::ChainLinks> links;
    sendingData.moveFirst();
    while (!sendingData.eof()) {
        records.push_back({sendingData.value(find::object), sendingData.value(find::months),
                           sendingData.value(find::days), sendingData.value(find::comment),
                           sendingData.value(find::yz), sendingData.value(find::xz),
                           sendingData.text(find::photo)});
        links.push_back({toInt16(sendingData.value(find::userID)), toInt16(sendingData.value(find::childs))});
        sendingData.moveNext();
    }
    std::vector<SentPlace> places;
    for (std::size_t head = 0; head < records.size(); ++head) {
        if (links[head].owner != sending)
            continue;
        SentPlace place{records[head]};
        for (const std::size_t at : rows::chainAfter(links, head))
            place.push_back(records[at]);
        places.push_back(std::move(place));
    }
    return places;
}

// Appends a copy of `r` as the table's new last row: indexs one more than
// the last row's, then the fields in the order the merge has always set
// them. Returns the new row's indexs.
int appendCopy(Cursor& localData, const SentRecord& r, qint16 owner, int mother, const QString& photo)
{
    int last = 0;  // an empty table: the first row gets indexs 1
    localData.moveLast();
    if (localData.hasCurrent())
        last = rows::int16Field(localData, find::indexs);
    if (last >= maxDataRows)
        throw TooManyRows();
    localData.addNew();
    localData.setValue(find::indexs, QString::number(last + 1));
    localData.setValue(find::userID, int(owner));
    localData.setValue(find::object, r.object);
    localData.setValue(find::months, r.months);
    localData.setValue(find::days, r.days);
    localData.setValue(find::comment, r.comment);
    localData.setValue(find::yz, r.yz);
    localData.setValue(find::xz, r.xz);
    localData.setValue(find::childs, int(noLink));
    localData.setValue(find::mother, mother);
    localData.setValue(find::photo, photo);
    localData.update();
    return last + 1;
}

// Copies one place: the head for the receiving user, then each chain
// record appended at the tail as the record window appends one: `mother`
// the old tail, whose `childs` then names the new record.
void copyPlace(Cursor& localData, const SentPlace& place, const QString& sendingName, qint16 receivingID)
{
    int tail = appendCopy(localData, place.front(), receivingID, noLink, mergedPhoto(sendingName, place.front().photo));
    for (std::size_t i = 1; i < place.size(); ++i) {
        localData.moveLast();
        const Cursor::Bookmark tailRow = localData.bookmark();
        const int added = appendCopy(localData, place[i], chainRecordOwner, tail,
                                     mergedPhoto(sendingName, place[i].photo));
        localData.setBookmark(tailRow);
        localData.edit();
        localData.setValue(find::childs, added);
        localData.update();
        tail = added;
    }
}

}  // namespace

Brought mergeBetween(Cursor& localData, Cursor& sendingUsers, Cursor& sendingData,
                     const QString& sendingName, qint16 receivingID)
{
    // The name becomes a folder of 写真 in every copied photo: the rule of
    // registration keeps "..\..\tmp" and the like out.
    if (!usableAsFolderName(sendingName))
        throw UnusableName(sendingName);
    const qint16 sending = senderID(sendingUsers, sendingName);

    // Read first, so that the limit is checked before anything is written.
    const std::vector<SentPlace> places = readPlaces(sendingData, sending);
    Brought brought;
    brought.places = int(places.size());
    QSet<QString> named;  // letter case ignored
    for (const SentPlace& place : places) {
        brought.records += int(place.size());
        for (const SentRecord& r : place) {
            const QString name = MakeFilename(r.photo);
            if (!name.isEmpty() && !named.contains(name.toCaseFolded())) {
                named.insert(name.toCaseFolded());
                brought.pictures << name;
            }
        }
    }
    inOneTransaction(localData, [&] {
        if (localData.recordCount() + brought.records > maxDataRows)
            throw TooManyRows();
        for (const SentPlace& place : places)
            copyPlace(localData, place, sendingName, receivingID);
        return brought.records;
    });
    return brought;
}

}  // namespace merge
