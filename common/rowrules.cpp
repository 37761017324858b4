#include "rowrules.h"

#include "int16.h"
#include "tables.h"

#include <QSet>

namespace rows {

using namespace tables::find;

qint16 int16Field(Cursor& data, const QString& column)
{
    const std::optional<qint16> value = toInt16(data.value(column));
    if (!value)
        throw DbError(dberr::noCurrentRow,
                      QStringLiteral("列 %1 の値が数ではありません。").arg(column));
    return *value;
}

void reachIndexs(Cursor& data, int indexs)
{
    data.moveFirst();
    data.move(indexs - 1);
}

void reachButtonRow(Cursor& data, int button)
{
    data.moveFirst();
    data.move(button);
}

namespace {

std::optional<int> linkedRow(Cursor& data, const QString& column)
{
    const std::optional<qint16> link = toInt16(data.value(column));
    if (!link || *link < 1 || *link > data.recordCount())
        return std::nullopt;
    return *link;
}

}  // namespace

std::optional<int> nextInChain(Cursor& data)
{
    return linkedRow(data, childs);
}

std::optional<int> previousInChain(Cursor& data)
{
    return linkedRow(data, mother);
}

bool findFreeRow(Cursor& data)
{
    data.moveFirst();
    while (!data.eof()) {
        if (toInt16(data.value(userID)) == tables::freeRowOwner)
            return true;
        data.moveNext();
    }
    return false;
}

CreatedPoint createPoint(Cursor& data, const NewPoint& point)
{
    const float left = point.x - 16;  // the click in the middle of the button
    const float top = point.y - 16;
    const auto writeHead = [&] {
        data.setValue(photo, tables::placeholderAbsolute);
        data.setValue(object, QString());
        data.setValue(comment, tables::newComment);
        data.setValue(userID, int(point.userID));
    };
    const auto writeRest = [&] {
        data.setValue(yz, double(top));
        data.setValue(xz, double(left));
        data.setValue(mother, int(tables::noLink));
        data.setValue(childs, int(tables::noLink));
        data.setValue(months, point.month);
        data.setValue(days, point.day);
    };

    if (findFreeRow(data)) {
        data.edit();
        writeHead();
        writeRest();
        data.update();
        const int k = int16Field(data, indexs);
        return {tables::buttonOfPosition(tables::positionOfIndexs(k)), left, top};
    }
    const int n = data.recordCount();
    if (n >= tables::maxDataRows)
        throw TableFull();
    data.addNew();
    writeHead();
    data.setValue(indexs, QString::number(tables::indexsOfPosition(n)));
    writeRest();
    data.update();
    return {tables::buttonOfPosition(n), left, top};
}

void freeRow(Cursor& data)
{
    data.edit();
    data.setValue(object, QString());
    data.setValue(months, QString());
    data.setValue(days, QString());
    data.setValue(comment, tables::newComment);
    data.setValue(userID, int(tables::freeRowOwner));
    data.update();
}

int appendToChain(Cursor& data)
{
    const Cursor::Bookmark tail = data.bookmark();
    const int a = int16Field(data, indexs);
    data.moveLast();
    const int v = int16Field(data, indexs);
    if (v >= tables::maxDataRows || data.recordCount() >= tables::maxDataRows)
        throw TableFull();
    const int added = v + 1;

    // Both rows or neither: a new record that its tail does not point to, or
    // a tail pointing nowhere, would break the chain.
    try {
        Transaction transaction(data.database());
        data.addNew();
        data.setValue(indexs, QString::number(added));
        data.setValue(userID, int(tables::chainRecordOwner));
        data.setValue(photo, tables::placeholderRelative);
        data.setValue(childs, int(tables::noLink));
        data.setValue(mother, a);
        data.setValue(object, QString());
        data.setValue(comment, tables::newComment);
        data.update();
        data.setBookmark(tail);
        data.edit();
        data.setValue(childs, added);
        data.update();
        transaction.commit();
    } catch (...) {
        // Rolled back in the file; the cursor still knows the added row.
        data.cancelUpdate();
        data.requery();
        data.setBookmark(tail);
        throw;
    }
    data.moveLast();
    return added;
}

void storePosition(Cursor& data, int button, float left, float top)
{
    reachButtonRow(data, button);
    data.edit();
    data.setValue(xz, double(left));
    data.setValue(yz, double(top));
    data.update();
}

qint16 nextUserID(Cursor& users)
{
    QSet<int> taken;
    int highest = tables::chainRecordOwner;
    users.moveFirst();
    while (!users.eof()) {
        if (const auto id = toInt16(users.value(tables::user::userID))) {
            taken.insert(*id);
            highest = std::max(highest, int(*id));
        }
        users.moveNext();
    }
    users.moveLast();
    const std::optional<qint16> last =
        users.hasCurrent() ? toInt16(users.value(tables::user::userID)) : std::nullopt;
    if (last) {
        const int candidate = *last + 1;
        if (candidate <= 32767 && candidate != tables::freeRowOwner
            && candidate != tables::chainRecordOwner && !taken.contains(candidate))
            return qint16(candidate);
    }
    if (highest + 1 <= 32767)
        return qint16(highest + 1);
    for (int id = tables::chainRecordOwner + 1; id <= 32767; ++id)
        if (!taken.contains(id))
            return qint16(id);
    throw TableFull();
}

}  // namespace rows
