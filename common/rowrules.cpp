#include "rowrules.h"

#include "int16.h"
#include "tables.h"
#include "userrules.h"

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

std::vector<std::size_t> chainAfter(const std::vector<ChainLinks>& table, std::size_t head)
{
    std::vector<std::size_t> chain;
    std::vector<bool> visited(table.size());
    visited[head] = true;
    std::optional<qint16> next = table[head].childs;
    while (next && *next >= 1 && std::size_t(*next) <= table.size()) {
        const auto at = std::size_t(tables::positionOfIndexs(*next));
        if (visited[at] || table[at].owner != tables::chainRecordOwner)
            break;
        visited[at] = true;
        chain.push_back(at);
        next = table[at].childs;
    }
    return chain;
}

namespace {

// Whether userID can hold only whole numbers or NULL: declared INTEGER in a
// STRICT table, as the install step makes it.
bool ownersAreWholeNumbers(Cursor& data)
{
    Statement check(data.database(),
                    QStringLiteral("SELECT (SELECT strict FROM pragma_table_list(?1) WHERE schema = 'main')"
                                   " AND (SELECT upper(type) FROM pragma_table_info(?1) WHERE name = ?2)"
                                   " = 'INTEGER'"));
    check.bind(1, data.table());
    check.bind(2, userID);
    return check.step() && check.column(0).toInt() == 1;
}

// The rows whose userID may read as `owner`, for the engine to pick out of
// a big table. Where userID holds only whole numbers, that is the number
// itself. A file mended by hand may hold anything there: then a number
// within half of it (toInt16 rounds), or text, which toInt16 reads as a
// number too (full-width digits, blanks around); NULL never reads as an
// owner. Every row this lets through is still judged by toInt16 itself, so
// the rule stays the one each other reading of userID follows.
QString mayBeOwnedBy(Cursor& data, qint16 owner)
{
    if (ownersAreWholeNumbers(data))
        return QStringLiteral("%1 = %2").arg(userID).arg(owner);
    return QStringLiteral("typeof(%1) IN ('text', 'blob') OR %1 BETWEEN %2 AND %3")
        .arg(userID, QString::number(owner - 0.5, 'f', 1), QString::number(owner + 0.5, 'f', 1));
}

}  // namespace

bool findFreeRow(Cursor& data)
{
    data.moveFirst();
    std::optional<int> found;
    data.scanWhere({userID}, mayBeOwnedBy(data, tables::freeRowOwner),
                   [&](int position, const std::vector<QVariant>& values) {
                       if (toInt16(values[0]) != tables::freeRowOwner)
                           return true;
                       found = position;
                       return false;
                   });
    // One move to the row found (or past the last row), not one per row.
    data.move(found ? *found : data.recordCount());
    return found.has_value();
}

namespace {

std::optional<float> singleOf(const QVariant& value)
{
    bool ok = false;
    const float number = value.toFloat(&ok);
    if (value.isNull() || !ok)
        return std::nullopt;
    return number;
}

}  // namespace

std::vector<UserPoint> pointsOfUser(Cursor& data, qint16 user)
{
    data.moveFirst();
    std::vector<UserPoint> points;
    data.scanWhere({userID, object, xz, yz}, mayBeOwnedBy(data, user),
                   [&](int position, const std::vector<QVariant>& values) {
                       if (toInt16(values[0]) != user)
                           return true;
                       const QString name = Cursor::textOf(values[1]);
                       points.push_back({position, userrules::pointToolTip(name),
                                         singleOf(values[2]), singleOf(values[3])});
                       return true;
                   });
    data.move(data.recordCount());
    return points;
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

    // What was typed into the current row is saved by this move, on its
    // own: a point that cannot be made must not take it back.
    data.moveFirst();
    // The free row and the row count are those of the file as it is while
    // nobody else can write.
    Cursor::WriteScope scope(data);
    if (findFreeRow(data)) {
        data.edit();
        writeHead();
        writeRest();
        data.update();
        const int k = int16Field(data, indexs);
        scope.commit();
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
    scope.commit();
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

namespace {

// Another program may have appended to this chain since the caller reached
// its tail: follow the links to the record that is the tail now. A link
// that names no row ends the chain.
void reachTail(Cursor& data)
{
    const int count = data.recordCount();
    for (int steps = 0; steps < count; ++steps) {
        const std::optional<int> next = nextInChain(data);
        if (!next)
            return;
        reachIndexs(data, *next);
    }
}

}  // namespace

int appendToChain(Cursor& data)
{
    const Cursor::Bookmark tail = data.bookmark();
    // What was typed into the tail is saved by this move, on its own: an
    // append that fails must not take it back.
    data.setBookmark(tail);
    // Both rows or neither: a new record that its tail does not point to, or
    // a tail pointing nowhere, would break the chain. The last row is read
    // while nobody else can append.
    try {
        Cursor::WriteScope scope(data);
        reachTail(data);
        const Cursor::Bookmark tailNow = data.bookmark();
        const int a = int16Field(data, indexs);
        data.moveLast();
        const int v = int16Field(data, indexs);
        if (v >= tables::maxDataRows || data.recordCount() >= tables::maxDataRows)
            throw TableFull();
        const int added = v + 1;
        data.addNew();
        data.setValue(indexs, QString::number(added));
        data.setValue(userID, int(tables::chainRecordOwner));
        data.setValue(photo, tables::placeholderRelative);
        data.setValue(childs, int(tables::noLink));
        data.setValue(mother, a);
        data.setValue(object, QString());
        data.setValue(comment, tables::newComment);
        data.update();
        data.setBookmark(tailNow);
        data.edit();
        data.setValue(childs, added);
        data.update();
        scope.commit();
        data.moveLast();
        return added;
    } catch (...) {
        // Rolled back in the file and in the cursor's rows: back to the tail.
        data.cancelUpdate();
        data.setBookmark(tail);
        throw;
    }
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
