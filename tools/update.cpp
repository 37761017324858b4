#include "update.h"

#include "int16.h"
#include "rowrules.h"
#include "tables.h"

namespace {

using namespace tables;

QVariant scaled(const QVariant& position)
{
    if (!position.isValid() || position.isNull())
        return position;  // a head record without a position keeps none
    return intFloor(position.toDouble() * updateScale);
}

UpdateOutcome refused(const QString& reason)
{
    return {UpdateResult::Refused, reason, 0};
}

}  // namespace

bool hasUpdateMarker(Cursor& data)
{
    data.moveFirst();
    while (!data.eof()) {
        if (data.text(find::object) == updateMarkerObject)
            return true;
        data.moveNext();
    }
    return false;
}

namespace {

UpdateOutcome convert(Cursor& data, const std::function<QString()>& beforeWriting)
{
    // Holding the write lock from the marker search on: nobody else can
    // write between finding no marker and writing one, and every row
    // appended before is scaled.
    Cursor::WriteScope scope(data);
    {
        if (hasUpdateMarker(data))
            return {UpdateResult::AlreadyUpdated, {}, 0};

        // The marker's indexs follows the last row's; check it before a
        // single position is scaled.
        qint16 lastIndexs = 0;
        if (data.recordCount() > 0) {
            data.moveLast();
            const auto indexs = toInt16(data.value(find::indexs));
            if (!indexs)
                return refused(QStringLiteral("最後の行の indexs が数ではないので、更新できません。"
                                              "データベース編集ツールで直してください。"));
            lastIndexs = *indexs;
        }
        if (lastIndexs >= maxDataRows || data.recordCount() >= maxDataRows)
            return refused(rows::tableFullMessage);

        if (beforeWriting) {
            const QString why = beforeWriting();
            if (!why.isEmpty())
                return refused(why);
        }

        UpdateOutcome outcome{UpdateResult::Updated, {}, 0};
        data.moveFirst();
        while (!data.eof()) {
            const auto owner = toInt16(data.value(find::userID));
            if (owner && rowKind(*owner) == RowKind::Head) {
                const QVariant xz = data.value(find::xz);
                const QVariant yz = data.value(find::yz);
                data.edit();
                data.setValue(find::xz, scaled(xz));
                data.setValue(find::yz, scaled(yz));
                data.update();
                ++outcome.scaled;
            }
            data.moveNext();
        }

        if (data.recordCount() > 0)
            data.moveLast();
        data.addNew();
        data.setValue(find::object, updateMarkerObject);
        data.setValue(find::comment, updateMarkerComment);
        data.setValue(find::indexs, QString::number(lastIndexs + 1));
        data.setValue(find::userID, int(chainRecordOwner));
        data.update();
        scope.commit();
        return outcome;
    }
}

}  // namespace

UpdateOutcome updateToVer2(Cursor& data, const std::function<QString()>& beforeWriting)
{
    try {
        return convert(data, beforeWriting);
    } catch (const DbError&) {
        // Rolled back by now, and the cursor's rows read again; an edit
        // left open midway goes too.
        data.cancelUpdate();
        throw;
    }
}
