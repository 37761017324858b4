#include "merge.h"

#include "int16.h"
#include "rowrules.h"
#include "storednames.h"
#include "tables.h"
#include "userrules.h"

#include <QSet>

#include <algorithm>
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
        // The rows are read once and their owners written through one
        // statement; the cursor ends past the last row, as walking the
        // rows left it.
        localData.moveFirst();
        std::vector<Cursor::Bookmark> owned;
        localData.scan({find::userID}, [&](int position, const std::vector<QVariant>& values) {
            if (toInt16(values[0]) == sending)
                owned.push_back(localData.bookmarkAt(position));
            return true;
        });
        Cursor::Changer handOver(localData, {find::userID});
        for (const Cursor::Bookmark row : owned)
            handOver.change(row, {int(receivingID)});
        localData.movePastLast();
        if (deleteSender) {
            users.moveFirst();
            while (!users.eof()) {
                if (toInt16(users.value(user::userID)) == sending)
                    users.deleteRow();
                users.moveNext();
            }
        }
        return int(owned.size());
    });
}

namespace {

// One record read from the sending database, with what the merge copies.
struct SentRecord {
    QVariant object, months, days, comment, yz, xz;
    QString photo;
};

// The sending user's records, and the places they make: each place its
// head record, then its chain, as indexes into `records`.
struct SentPlaces {
    std::vector<SentRecord> records;
    std::vector<std::vector<int>> places;
};

// The sending user's places, each with the further records of its chain in
// chain order. The chain is followed by row position, as the record window
// follows it; a link that leads outside the table, back into the chain, or
// to a row that is no chain record (damaged data) ends the chain there, so
// another child's records never come along.
SentPlaces readPlaces(Cursor& sendingData, qint16 sending)
{
    // The links of every row first; then the fields of only the rows the
    // places take. The cursor then stands past the last row, as walking
    // the rows left it.
    std::vector<rows::ChainLinks> links;
    sendingData.scan({find::userID, find::childs}, [&](int position, const std::vector<QVariant>& v) {
        if (std::size_t(position) != links.size())
            return false;  // a row gone meanwhile: refused below
        links.push_back({toInt16(v[0]), toInt16(v[1])});
        return true;
    });
    // Chains link rows by position: with a row missing, none can be followed.
    if (int(links.size()) != sendingData.recordCount())
        throw noCurrentRowError();

    std::vector<std::vector<int>> placeRows;
    std::vector<int> wanted;
    for (std::size_t head = 0; head < links.size(); ++head) {
        if (links[head].owner != sending)
            continue;
        std::vector<int> at{int(head)};
        // Most places are one record: no chain to follow then.
        if (links[head].childs.value_or(noLink) != noLink)
            for (const std::size_t further : rows::chainAfter(links, head))
                at.push_back(int(further));
        wanted.insert(wanted.end(), at.begin(), at.end());
        placeRows.push_back(std::move(at));
    }
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    SentPlaces sent;
    sent.records.reserve(wanted.size());  // of the rows in `wanted`, in its order
    sendingData.readRows({find::object, find::months, find::days, find::comment, find::yz, find::xz, find::photo},
                         wanted, [&](int, const std::vector<QVariant>& v) {
                             sent.records.push_back({v[0], v[1], v[2], v[3], v[4], v[5], Cursor::textOf(v[6])});
                         });
    sendingData.movePastLast();

    for (std::vector<int>& at : placeRows)
        for (int& row : at)
            row = int(std::lower_bound(wanted.begin(), wanted.end(), row) - wanted.begin());
    sent.places = std::move(placeRows);
    return sent;
}

// Appends the copies at the end of the table, each place's head record
// for the receiving user, then its chain records in order as the record
// window appends one: `mother` the old tail, whose `childs` then names the
// new record. `indexs` counts on from the last row's, and the fields are the
// ones the merge has always set, through one statement each for appending
// and linking.
void copyPlaces(Cursor& localData, const SentPlaces& sent, int records, const QString& sendingName,
                qint16 receivingID)
{
    if (records == 0)
        return;
    int last = 0;  // an empty table: the first row gets indexs 1
    localData.moveLast();
    if (localData.hasCurrent())
        last = rows::int16Field(localData, find::indexs);
    if (last + records > maxDataRows)
        throw TooManyRows();
    Cursor::Appender append(localData, {find::indexs, find::userID, find::object, find::months, find::days,
                                        find::comment, find::yz, find::xz, find::childs, find::mother,
                                        find::photo});
    Cursor::Changer link(localData, {find::childs});
    const auto appendCopy = [&](const SentRecord& r, qint16 owner, int mother) {
        ++last;
        return append.append({QString::number(last), int(owner), r.object, r.months, r.days, r.comment, r.yz, r.xz,
                              int(noLink), mother, mergedPhoto(sendingName, r.photo)});
    };
    for (const std::vector<int>& place : sent.places) {
        Cursor::Bookmark tailRow = appendCopy(sent.records[place.front()], receivingID, noLink);
        int tail = last;
        for (std::size_t i = 1; i < place.size(); ++i) {
            const Cursor::Bookmark added = appendCopy(sent.records[place[i]], chainRecordOwner, tail);
            link.change(tailRow, {last});
            tailRow = added;
            tail = last;
        }
    }
    // The cursor stands where appending row by row left it: on the row
    // before the last one added (past the end when that is the only row).
    localData.moveLast();
    if (localData.recordCount() == 1)
        localData.moveNext();
    else
        localData.movePrevious();
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
    const SentPlaces sent = readPlaces(sendingData, sending);
    Brought brought;
    brought.places = int(sent.places.size());
    QSet<QString> named;  // letter case ignored
    for (const std::vector<int>& place : sent.places) {
        brought.records += int(place.size());
        for (const int record : place) {
            const QString name = MakeFilename(sent.records[record].photo);
            if (!name.isEmpty() && !named.contains(name.toCaseFolded())) {
                named.insert(name.toCaseFolded());
                brought.pictures << name;
            }
        }
    }
    inOneTransaction(localData, [&] {
        if (localData.recordCount() + brought.records > maxDataRows)
            throw TooManyRows();
        copyPlaces(localData, sent, brought.records, sendingName, receivingID);
        return brought.records;
    });
    return brought;
}

}  // namespace merge
